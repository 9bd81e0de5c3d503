#include "cdaudio.h"

#include "discid.h"
#include "eventlog.h"

#include <QDir>
#include <QStringList>
#include <algorithm>

namespace crx {
namespace {

CdAudio *installed = nullptr;

constexpr int CommandLimit = 99;
constexpr int EventLogData = 50;

bool isTrackNumber(const QString &word, int &track)
{
    bool ok = false;
    track = word.toInt(&ok);
    return ok;
}

} // namespace

CdAudio::CdAudio(const QString &workingDirectory) : workingDirectory_(workingDirectory) {}

CdAudio::CdAudio(std::unique_ptr<CdDrive> drive) : drive_(std::move(drive)), fixed_(true) {}

CdAudio::~CdAudio()
{
    if (installed == this)
        installed = nullptr;
}

CdDrive &CdAudio::chosenDrive()
{
    if (!fixed_) {
        const DriveChoice choice = driveChoice(workingDirectory_);
        if (!drive_ || !(choice == choice_)) {
            drive_ = makeDrive(choice, workingDirectory_);
            choice_ = choice;
            looked_ = false;
        }
    }
    return *drive_;
}

CdDrive &CdAudio::drive()
{
    CdDrive &cd = chosenDrive();
    if (!looked_)
        lookAgain();
    return cd;
}

CdDrive &CdAudio::driveAsItStands()
{
    // While the disc plays the drive is busy with its sound: what was seen of it stands.
    return playing() ? *drive_ : drive();
}

void CdAudio::lookAgain()
{
    drive_->refresh();
    looked_ = true;
    // Another disc, or none: playing ends and the position goes back to the start.
    const DiscToc &toc = drive_->state() == DriveState::Ready ? drive_->toc() : DiscToc();
    if (toc.starts != seenToc_.starts || toc.leadOut != seenToc_.leadOut) {
        playback_.stop();
        fromPlayback_ = false;
        position_ = 0;
        seenToc_ = toc;
    }
    const QString reason = drive_->reason();
    if (reason == loggedReason_)
        return;
    loggedReason_ = reason;
    // The log's lines hold 50 characters of it each.
    for (qsizetype at = 0; at < reason.size(); at += EventLogData)
        WriteEventLog(QStringLiteral("CD Drive Not Ready"), reason.mid(at, EventLogData));
}

QString CdAudio::driveReason() const
{
    return drive_ ? drive_->reason() : QString();
}

int CdAudio::send(const QString &command, QString &reply)
{
    reply.clear();
    const QString problem = playback_.takeNewProblem();
    for (qsizetype at = 0; at < problem.size(); at += EventLogData)
        WriteEventLog(QStringLiteral("CD Sound"), problem.mid(at, EventLogData));
    const QStringList words = command.toLower().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty())
        return mci::UnrecognizedCommand;
    const QString &verb = words[0];
    static const QStringList known = {QStringLiteral("open"),  QStringLiteral("close"), QStringLiteral("status"),
                                      QStringLiteral("set"),   QStringLiteral("play"),  QStringLiteral("pause"),
                                      QStringLiteral("stop"),  QStringLiteral("seek"),  QStringLiteral("resume")};
    if (!known.contains(verb))
        return mci::UnrecognizedCommand;
    if (words.size() < 2 || words[1] != QLatin1String("cdaudio"))
        return mci::InvalidDeviceName;
    if (verb == QLatin1String("open"))
        return open(words, reply);
    if (verb == QLatin1String("close")) {
        if (!open_)
            return mci::InvalidDeviceName;
        // Nothing plays through a closed device.
        playback_.stop();
        open_ = false;
        return mci::NoError;
    }
    if (verb == QLatin1String("status"))
        return status(words, reply);
    if (verb == QLatin1String("set"))
        return set(words);
    if (verb == QLatin1String("play"))
        return play(words);
    if (verb == QLatin1String("seek"))
        return seek(words);
    if (words.size() > 2)
        return mci::UnrecognizedKeyword;
    if (verb == QLatin1String("pause"))
        playback_.pause();
    else if (verb == QLatin1String("resume"))
        playback_.resume();
    else
        playback_.stop();
    return mci::NoError;
}

qint64 CdAudio::position() const
{
    if (fromPlayback_)
        return playback_.frame();
    return position_ > 0 ? position_ : drive_->toc().starts.front();
}

int CdAudio::trackAt(qint64 frame) const
{
    const std::vector<qint32> &starts = drive_->toc().starts;
    return int(std::upper_bound(starts.begin(), starts.end(), frame) - starts.begin());
}

bool CdAudio::positionOf(const QString &text, qint64 &frame) const
{
    const DiscToc &toc = drive_->toc();
    bool ok = false;
    if (format_ == TimeFormat::Milliseconds) {
        const qint64 ms = text.toLongLong(&ok);
        // Rounded up, so that a position read in milliseconds is the same frame again.
        frame = (ms * FramesPerSecond + 999) / 1000;
        return ok && ms >= 0 && frame >= toc.starts.front() && frame <= toc.leadOut;
    }
    const QStringList parts = text.split(QLatin1Char(':'));
    const int fields = format_ == TimeFormat::Tmsf ? 4 : 3;
    if (parts.size() > fields)
        return false;
    int values[4] = {0, 0, 0, 0};
    for (qsizetype i = 0; i < parts.size(); ++i) {
        values[i] = parts[i].toInt(&ok);
        if (!ok || values[i] < 0)
            return false;
    }
    const int *msf = values;
    qint64 base = 0;
    if (format_ == TimeFormat::Tmsf) {
        if (values[0] < 1 || size_t(values[0]) > toc.starts.size())
            return false;
        base = toc.starts[size_t(values[0] - 1)];
        msf = values + 1;
    }
    frame = base + (qint64(msf[0]) * 60 + msf[1]) * FramesPerSecond + msf[2];
    return frame >= toc.starts.front() && frame <= toc.leadOut;
}

int CdAudio::play(const QStringList &words)
{
    QString from, to;
    for (qsizetype i = 2; i < words.size(); ++i) {
        const QString &word = words[i];
        if (word == QLatin1String("notify"))
            continue;
        if (word != QLatin1String("from") && word != QLatin1String("to"))
            return mci::UnrecognizedKeyword;
        if (i + 1 == words.size())
            return mci::MissingParameter;
        (word == QLatin1String("from") ? from : to) = words[i + 1];
        ++i;
    }
    if (from.isEmpty() && to.isEmpty() && playback_.mode() == PlayMode::Paused) {
        playback_.resume();
        return mci::NoError;
    }
    const CdDrive &cd = driveAsItStands();
    if (cd.state() != DriveState::Ready)
        return mci::DeviceNotReady;
    qint64 start = position(), end = cd.toc().leadOut;
    if ((!from.isEmpty() && !positionOf(from, start)) || (!to.isEmpty() && !positionOf(to, end)))
        return mci::OutOfRange;
    if (start >= end)
        return mci::OutOfRange;
    playback_.play(cd.audio(), qint32(start), qint32(end));
    fromPlayback_ = true;
    return mci::NoError;
}

int CdAudio::seek(const QStringList &words)
{
    if (words.size() != 4 || words[2] != QLatin1String("to"))
        return words.size() < 4 ? mci::MissingParameter : mci::UnrecognizedKeyword;
    const CdDrive &cd = driveAsItStands();
    if (cd.state() != DriveState::Ready)
        return mci::DeviceNotReady;
    qint64 frame = 0;
    if (words[3] == QLatin1String("start"))
        frame = cd.toc().starts.front();
    else if (words[3] == QLatin1String("end"))
        frame = cd.toc().leadOut - 1;
    else if (!positionOf(words[3], frame))
        return mci::OutOfRange;
    playback_.stop();
    fromPlayback_ = false;
    position_ = frame;
    return mci::NoError;
}

int CdAudio::open(const QStringList &words, QString &reply)
{
    for (qsizetype i = 2; i < words.size(); ++i)
        if (words[i] != QLatin1String("shareable") && words[i] != QLatin1String("wait"))
            return mci::UnrecognizedKeyword;
    if (open_)
        return mci::DeviceOpen;
    CdDrive &cd = chosenDrive();
    lookAgain();
    if (cd.state() == DriveState::Missing)
        return mci::DeviceNotInstalled;
    open_ = true;
    format_ = TimeFormat::Msf;
    reply = QStringLiteral("1");
    return mci::NoError;
}

qint64 CdAudio::length(int track) const
{
    const DiscToc &toc = drive_->toc();
    if (track == 0)
        return qint64(toc.leadOut) - toc.starts.front() - 1;
    const qint64 end = size_t(track) < toc.starts.size() ? toc.starts[size_t(track)] : qint64(toc.leadOut) - 1;
    return end - toc.starts[size_t(track - 1)];
}

QString CdAudio::msf(qint64 frames) const
{
    const Msf m = FramesToMsf(frames);
    return QString::asprintf("%02d:%02d:%02d", m.minutes, m.seconds, m.frames);
}

QString CdAudio::duration(qint64 frames) const
{
    if (format_ == TimeFormat::Milliseconds)
        return QString::number(frames * 1000 / FramesPerSecond);
    return msf(frames);
}

int CdAudio::status(const QStringList &words, QString &reply)
{
    if (words.size() < 3)
        return mci::MissingParameter;
    const QString item = words.mid(2).join(QLatin1Char(' '));
    if (playing() && (item == QLatin1String("ready") || item == QLatin1String("media present"))) {
        reply = QStringLiteral("true");
        return mci::NoError;
    }
    if (playing() && item == QLatin1String("mode")) {
        reply = playback_.mode() == PlayMode::Paused ? QStringLiteral("paused") : QStringLiteral("playing");
        return mci::NoError;
    }
    if (item == QLatin1String("ready") || item == QLatin1String("media present") || item == QLatin1String("mode")) {
        CdDrive &cd = chosenDrive();
        lookAgain();
        if (item == QLatin1String("mode")) {
            reply = cd.state() == DriveState::Ready      ? QStringLiteral("stopped")
                    : cd.state() == DriveState::DoorOpen ? QStringLiteral("open")
                                                         : QStringLiteral("not ready");
        } else if (item == QLatin1String("ready")) {
            // The device is ready for commands with its door open; it has no disc then.
            const bool ready = cd.state() == DriveState::Ready || cd.state() == DriveState::DoorOpen;
            reply = ready ? QStringLiteral("true") : QStringLiteral("false");
        } else {
            reply = cd.state() == DriveState::Ready ? QStringLiteral("true") : QStringLiteral("false");
        }
        return mci::NoError;
    }
    if (item == QLatin1String("time format")) {
        reply = format_ == TimeFormat::Msf ? QStringLiteral("msf")
                : format_ == TimeFormat::Tmsf ? QStringLiteral("tmsf")
                                              : QStringLiteral("milliseconds");
        return mci::NoError;
    }
    const bool isLength = words[2] == QLatin1String("length");
    const bool isPosition = words[2] == QLatin1String("position");
    const bool isCount = item == QLatin1String("number of tracks");
    const bool isCurrent = item == QLatin1String("current track");
    const bool ofTrack = (isLength || isPosition) && words.size() == 5 && words[3] == QLatin1String("track");
    if (!(isCount || isCurrent || ((isLength || isPosition) && (words.size() == 3 || ofTrack))))
        return mci::UnrecognizedKeyword;
    const CdDrive &cd = driveAsItStands();
    if (cd.state() != DriveState::Ready)
        return mci::DeviceNotReady;
    const DiscToc &toc = cd.toc();
    const int tracks = int(toc.starts.size());
    if (isCount) {
        reply = QString::number(tracks);
        return mci::NoError;
    }
    if (isCurrent) {
        reply = QString::number(trackAt(position()));
        return mci::NoError;
    }
    int track = 1;
    if (ofTrack) {
        if (!isTrackNumber(words[4], track))
            return mci::BadInteger;
        if (track < 1 || track > tracks)
            return mci::OutOfRange;
    }
    if (isLength) {
        reply = duration(length(ofTrack ? track : 0));
        return mci::NoError;
    }
    const qint64 at = ofTrack ? toc.starts[size_t(track - 1)] : position();
    if (!ofTrack)
        track = trackAt(at);
    if (format_ == TimeFormat::Tmsf) {
        const Msf m = FramesToMsf(at - toc.starts[size_t(track - 1)]);
        reply = QString::asprintf("%02d:%02d:%02d:%02d", track, m.minutes, m.seconds, m.frames);
    } else if (format_ == TimeFormat::Msf)
        reply = msf(at);
    else
        reply = QString::number(at * 1000 / FramesPerSecond);
    return mci::NoError;
}

int CdAudio::set(const QStringList &words)
{
    const QString item = words.mid(2).join(QLatin1Char(' '));
    if (item.startsWith(QLatin1String("door "))) {
        if (item != QLatin1String("door open") && item != QLatin1String("door closed"))
            return mci::UnrecognizedKeyword;
        const bool done = drive().setDoor(item == QLatin1String("door open"));
        lookAgain();
        return done ? mci::NoError : mci::UnsupportedFunction;
    }
    if (!item.startsWith(QLatin1String("time format ")))
        return mci::UnrecognizedKeyword;
    const QString format = item.mid(12);
    if (format == QLatin1String("tmsf"))
        format_ = TimeFormat::Tmsf;
    else if (format == QLatin1String("msf"))
        format_ = TimeFormat::Msf;
    else if (format == QLatin1String("ms") || format == QLatin1String("milliseconds"))
        format_ = TimeFormat::Milliseconds;
    else
        return mci::BadTimeFormat;
    return mci::NoError;
}

void setCdAudio(CdAudio *device)
{
    installed = device;
}

CdAudio &cdAudio()
{
    // Until one is installed, the drive the settings of the current directory name.
    static CdAudio current(QDir::currentPath());
    return installed ? *installed : current;
}

QString SendMciCommand(const QString &command, bool askMode)
{
    const QString sent = (askMode ? QStringLiteral("status cdaudio mode") : command).left(CommandLimit);
    QString reply;
    const int code = cdAudio().send(sent, reply);
    if (code == mci::NoError) {
        if (reply == QLatin1String("true"))
            return QStringLiteral("1");
        if (reply == QLatin1String("false"))
            return {};
        return reply;
    }
    if (code == mci::DeviceOpen)
        return QStringLiteral("Error:1");
    WriteEventLog(QStringLiteral("MCI Request"), sent);
    WriteEventLog(QStringLiteral("MCI Return"), reply);
    WriteEventLog(QStringLiteral("MCI Error"), QString::number(code));
    return QStringLiteral("Error:") + QString::number(code);
}

} // namespace crx
