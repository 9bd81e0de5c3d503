#include "virtualdrive.h"

#include "discid.h"
#include "settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QtEndian>
#include <optional>

namespace crx {
namespace {

constexpr int HighestTrack = 99;

// Where a file's audio lies: a WAV file's data chunk (which must hold CD audio), or the whole
// of any other file, taken as raw sectors.
struct FileAudio {
    qint64 offset = 0; // of the first sample, in bytes
    qint64 frames = 0;
};

// A WAV file's format chunk says CD audio: PCM, two channels, 44.1 kHz, 16 bits.
bool isCdAudio(const QByteArray &format)
{
    return format.size() >= 16 && qFromLittleEndian<quint16>(format.constData()) == 1
           && qFromLittleEndian<quint16>(format.constData() + 2) == 2
           && qFromLittleEndian<quint32>(format.constData() + 4) == 44100
           && qFromLittleEndian<quint16>(format.constData() + 14) == 16;
}

std::optional<FileAudio> audioOf(const QString &path, QString &error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("cannot read %1: %2").arg(QDir::toNativeSeparators(path), file.errorString());
        return std::nullopt;
    }
    const QByteArray head = file.read(12);
    if (!(head.startsWith("RIFF") && head.mid(8, 4) == "WAVE"))
        return FileAudio{0, file.size() / SectorBytes};
    for (;;) {
        const QByteArray chunk = file.read(8);
        if (chunk.size() < 8) {
            error = QStringLiteral("%1 has no data chunk").arg(QDir::toNativeSeparators(path));
            return std::nullopt;
        }
        const quint32 size = qFromLittleEndian<quint32>(chunk.constData() + 4);
        if (chunk.startsWith("fmt ") && !isCdAudio(file.peek(qMin<quint32>(size, 16)))) {
            error = QStringLiteral("%1 is not CD audio (PCM, 44.1 kHz, 16-bit stereo)")
                        .arg(QDir::toNativeSeparators(path));
            return std::nullopt;
        }
        if (chunk.startsWith("data"))
            return FileAudio{file.pos(), qMin<qint64>(size, file.size() - file.pos()) / SectorBytes};
        if (!file.seek(file.pos() + size + (size & 1))) {
            error = QStringLiteral("%1 has no data chunk").arg(QDir::toNativeSeparators(path));
            return std::nullopt;
        }
    }
}

// The words of a line; a quoted word keeps its blanks.
QStringList words(const QString &line)
{
    static const QRegularExpression word(QStringLiteral("\"([^\"]*)\"|(\\S+)"));
    QStringList out;
    for (auto it = word.globalMatch(line); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out << (m.capturedStart(1) >= 0 ? m.captured(1) : m.captured(2));
    }
    return out;
}

std::optional<qint32> number(const QString &text)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < 0)
        return std::nullopt;
    return n;
}

std::optional<qint32> cueTime(const QString &text)
{
    static const QRegularExpression msf(QStringLiteral("^(\\d{1,3}):(\\d{2}):(\\d{2})$"));
    const QRegularExpressionMatch m = msf.match(text);
    if (!m.hasMatch() || m.captured(2).toInt() > 59 || m.captured(3).toInt() >= FramesPerSecond)
        return std::nullopt;
    return (m.captured(1).toInt() * 60 + m.captured(2).toInt()) * FramesPerSecond + m.captured(3).toInt();
}

QString lineError(int line, const QString &what)
{
    return QStringLiteral("line %1: %2").arg(line).arg(what);
}

// The track numbers run from 1 without a gap, the starts rise and the lead-out comes after them.
QString checkToc(const DiscToc &toc)
{
    if (toc.starts.empty())
        return QStringLiteral("no tracks");
    for (size_t i = 1; i < toc.starts.size(); ++i)
        if (toc.starts[i] <= toc.starts[i - 1])
            return QStringLiteral("track %1 does not start after track %2").arg(i + 1).arg(i);
    if (toc.leadOut <= toc.starts.back())
        return QStringLiteral("the lead-out does not come after the last track");
    return {};
}

ParsedDisc parseTable(const QStringList &lines)
{
    ParsedDisc disc;
    bool leadOut = false;
    for (int i = 0; i < lines.size(); ++i) {
        const QStringList w = words(lines[i].section(QLatin1Char('#'), 0, 0));
        if (w.isEmpty())
            continue;
        const QString keyword = w[0].toUpper();
        if (keyword == QLatin1String("TRACK") && w.size() == 3 && !leadOut) {
            const auto track = number(w[1]);
            const auto start = number(w[2]);
            if (track != int(disc.toc.starts.size()) + 1 || !start || *track > HighestTrack) {
                disc.error = lineError(i + 1, QStringLiteral("expected TRACK %1 and its start in frames")
                                                  .arg(disc.toc.starts.size() + 1));
                return disc;
            }
            disc.toc.starts.push_back(*start);
        } else if (keyword == QLatin1String("LEADOUT") && w.size() == 2 && !leadOut && number(w[1])) {
            disc.toc.leadOut = *number(w[1]);
            leadOut = true;
        } else {
            disc.error = lineError(i + 1, QStringLiteral("not a TRACK or LEADOUT line"));
            return disc;
        }
    }
    if (!leadOut && !disc.toc.starts.empty())
        disc.error = QStringLiteral("no LEADOUT line");
    return disc;
}

ParsedDisc parseCueSheet(const QStringList &lines, const QDir &directory)
{
    static const QStringList ignored = {QStringLiteral("TITLE"),    QStringLiteral("PERFORMER"),
                                        QStringLiteral("SONGWRITER"), QStringLiteral("CATALOG"),
                                        QStringLiteral("FLAGS"),    QStringLiteral("ISRC"),
                                        QStringLiteral("CDTEXTFILE"), QStringLiteral("POSTGAP")};
    ParsedDisc disc;
    qint64 fileStart = LeadInFrames; // where frame 0 of the current file lies on the disc
    QString file;                    // the current file, as its line names it
    std::optional<FileAudio> fileAudio;
    QString fileError; // why it is not there: silence, until its length is needed
    int fileLine = 0;
    std::optional<qint32> leadOut;
    bool needsIndex = false;
    qint32 pregap = 0; // silence before the track waiting for its INDEX 01
    // The current file's audio from this frame of it on sounds as the last piece of the image.
    const auto startPiece = [&](qint64 fileFrame) {
        if (fileAudio)
            disc.image.push_back({directory.absoluteFilePath(file), fileAudio->offset + fileFrame * SectorBytes,
                                  qint32(fileStart + fileFrame), fileAudio->frames - fileFrame});
    };
    const auto fileFrames = [&]() -> std::optional<qint64> {
        if (!fileAudio)
            disc.error = lineError(fileLine, fileError);
        return fileAudio ? std::optional<qint64>(fileAudio->frames) : std::nullopt;
    };
    for (int i = 0; i < lines.size(); ++i) {
        const QStringList w = words(lines[i]);
        if (w.isEmpty())
            continue;
        const QString keyword = w[0].toUpper();
        if (keyword == QLatin1String("REM")) {
            if (w.size() == 3 && w[1].toUpper() == QLatin1String("LEADOUT")) {
                leadOut = number(w[2]);
                if (!leadOut) {
                    disc.error = lineError(i + 1, QStringLiteral("the lead-out is not a frame count"));
                    return disc;
                }
            }
        } else if (keyword == QLatin1String("FILE") && w.size() >= 2) {
            if (!file.isEmpty()) {
                const auto frames = fileFrames();
                if (!frames)
                    return disc;
                fileStart += *frames;
            }
            file = w[1];
            fileLine = i + 1;
            fileAudio = audioOf(directory.absoluteFilePath(file), fileError);
            startPiece(0);
        } else if (keyword == QLatin1String("TRACK") && w.size() == 3) {
            const auto track = number(w[1]);
            if (needsIndex || file.isEmpty() || track != int(disc.toc.starts.size()) + 1 || *track > HighestTrack) {
                disc.error = lineError(i + 1, needsIndex ? QStringLiteral("the track before has no INDEX 01")
                                              : file.isEmpty() ? QStringLiteral("a TRACK before any FILE")
                                                               : QStringLiteral("expected TRACK %1")
                                                                     .arg(disc.toc.starts.size() + 1, 2, 10,
                                                                          QLatin1Char('0')));
                return disc;
            }
            needsIndex = true;
        } else if (keyword == QLatin1String("INDEX")) {
            const auto index = w.size() == 3 ? number(w[1]) : std::nullopt;
            const auto at = w.size() == 3 ? cueTime(w[2]) : std::nullopt;
            if (!index || !at || (disc.toc.starts.empty() && !needsIndex)) {
                disc.error = lineError(i + 1, QStringLiteral("expected INDEX nn mm:ss:ff after a TRACK"));
                return disc;
            }
            if (*index == 1 && needsIndex) {
                if (pregap > 0) {
                    // The silence goes in before this point of the file: what follows moves on.
                    if (fileAudio) {
                        ImagePiece &before = disc.image.back();
                        before.frames = fileStart + *at - before.start;
                        if (before.frames <= 0)
                            disc.image.pop_back();
                    }
                    fileStart += pregap;
                    pregap = 0;
                    startPiece(*at);
                }
                disc.toc.starts.push_back(qint32(fileStart + *at));
                needsIndex = false;
            }
        } else if (keyword == QLatin1String("PREGAP") && w.size() == 2 && needsIndex && cueTime(w[1])) {
            pregap += *cueTime(w[1]);
        } else if (!ignored.contains(keyword)) {
            disc.error = lineError(i + 1, QStringLiteral("not a cue sheet line"));
            return disc;
        }
    }
    if (needsIndex) {
        disc.error = QStringLiteral("track %1 has no INDEX 01").arg(disc.toc.starts.size() + 1);
        return disc;
    }
    if (leadOut) {
        disc.toc.leadOut = *leadOut;
    } else if (!file.isEmpty()) {
        const auto frames = fileFrames();
        if (frames)
            disc.toc.leadOut = qint32(fileStart + *frames);
    }
    return disc;
}

// The sound of a virtual disc: the pieces of its image files where they lie, silence elsewhere.
class ImageAudio : public DiscAudio
{
public:
    explicit ImageAudio(std::vector<ImagePiece> image) : image_(std::move(image)) {}

    bool read(qint32 frame, int count, QByteArray &out, QString &error) override
    {
        out = QByteArray(qsizetype(count) * SectorBytes, '\0');
        for (const ImagePiece &piece : image_) {
            const qint64 from = qMax<qint64>(frame, piece.start);
            const qint64 to = qMin<qint64>(qint64(frame) + count, piece.start + piece.frames);
            if (from >= to)
                continue;
            QFile file(piece.path);
            const qint64 bytes = (to - from) * SectorBytes;
            if (!file.open(QIODevice::ReadOnly) || !file.seek(piece.offset + (from - piece.start) * SectorBytes)
                || file.read(out.data() + (from - frame) * SectorBytes, bytes) != bytes) {
                error = QStringLiteral("cannot read %1: %2")
                            .arg(QDir::toNativeSeparators(piece.path), file.errorString());
                return false;
            }
        }
        return true;
    }

private:
    std::vector<ImagePiece> image_;
};

} // namespace

ParsedDisc parseDiscDescription(const QString &text, const QString &directory)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    static const QRegularExpression cueLine(QStringLiteral("^\\s*(FILE|INDEX)\\s"),
                                            QRegularExpression::CaseInsensitiveOption);
    bool cue = false;
    for (const QString &line : lines)
        cue = cue || cueLine.match(line).hasMatch();
    ParsedDisc disc = cue ? parseCueSheet(lines, QDir(directory)) : parseTable(lines);
    if (disc.error.isEmpty() && !(disc.toc.starts.empty() && disc.toc.leadOut == 0))
        disc.error = checkToc(disc.toc);
    return disc;
}

VirtualDrive::VirtualDrive(const QString &description, const QString &workingDirectory)
    : description_(QDir(workingDirectory).absoluteFilePath(description)), workingDirectory_(workingDirectory)
{
}

void VirtualDrive::refresh()
{
    toc_ = {};
    image_.clear();
    reason_.clear();
    if (doorOpened_ || doorHeldOpen()) {
        state_ = DriveState::DoorOpen;
        return;
    }
    QFile file(description_);
    if (!file.exists()) {
        state_ = DriveState::NoDisc;
        return;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        state_ = DriveState::NotReady;
        reason_ = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(description_), file.errorString());
        return;
    }
    const QString text = QString::fromUtf8(file.readAll());
    const ParsedDisc disc = parseDiscDescription(text, QFileInfo(description_).absolutePath());
    if (!disc.error.isEmpty()) {
        state_ = DriveState::NotReady;
        reason_ = QStringLiteral("%1: %2").arg(QFileInfo(description_).fileName(), disc.error);
    } else if (disc.toc.starts.empty()) {
        state_ = DriveState::NoDisc;
    } else {
        state_ = DriveState::Ready;
        toc_ = disc.toc;
        image_ = disc.image;
    }
}

bool VirtualDrive::setDoor(bool open)
{
    doorOpened_ = open;
    return open || !doorHeldOpen();
}

std::unique_ptr<DiscAudio> VirtualDrive::audio() const
{
    return std::make_unique<ImageAudio>(image_);
}

bool VirtualDrive::doorHeldOpen() const
{
    return readOtherSetting(workingDirectory_, "VirtualDiscDoor").compare(QLatin1String("open"), Qt::CaseInsensitive)
           == 0;
}

} // namespace crx
