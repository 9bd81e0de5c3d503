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

constexpr int SectorBytes = 2352;
constexpr int HighestTrack = 99;

// Frames of audio in a file: a WAV file's data chunk, or the whole of any other file.
std::optional<qint64> audioFrames(const QString &path, QString &error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("cannot read %1: %2").arg(QDir::toNativeSeparators(path), file.errorString());
        return std::nullopt;
    }
    const QByteArray head = file.read(12);
    if (!(head.startsWith("RIFF") && head.mid(8, 4) == "WAVE"))
        return file.size() / SectorBytes;
    for (;;) {
        const QByteArray chunk = file.read(8);
        if (chunk.size() < 8) {
            error = QStringLiteral("%1 has no data chunk").arg(QDir::toNativeSeparators(path));
            return std::nullopt;
        }
        const quint32 size = qFromLittleEndian<quint32>(chunk.constData() + 4);
        if (chunk.startsWith("data"))
            return qMin<qint64>(size, file.size() - file.pos()) / SectorBytes;
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
    qint64 fileStart = LeadInFrames; // where the current file's audio begins on the disc
    QString file;                    // the current file, as its line names it
    int fileLine = 0;
    std::optional<qint32> leadOut;
    bool needsIndex = false;
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
                const auto frames = audioFrames(directory.absoluteFilePath(file), disc.error);
                if (!frames) {
                    disc.error = lineError(fileLine, disc.error);
                    return disc;
                }
                fileStart += *frames;
            }
            file = w[1];
            fileLine = i + 1;
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
                disc.toc.starts.push_back(qint32(fileStart + *at));
                needsIndex = false;
            }
        } else if (keyword == QLatin1String("PREGAP") && w.size() == 2 && needsIndex && cueTime(w[1])) {
            fileStart += *cueTime(w[1]);
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
        const auto frames = audioFrames(directory.absoluteFilePath(file), disc.error);
        if (!frames) {
            disc.error = lineError(fileLine, disc.error);
            return disc;
        }
        disc.toc.leadOut = qint32(fileStart + *frames);
    }
    return disc;
}

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
    }
}

bool VirtualDrive::setDoor(bool open)
{
    doorOpened_ = open;
    return open || !doorHeldOpen();
}

bool VirtualDrive::doorHeldOpen() const
{
    return readOtherSetting(workingDirectory_, "VirtualDiscDoor").compare(QLatin1String("open"), Qt::CaseInsensitive)
           == 0;
}

} // namespace crx
