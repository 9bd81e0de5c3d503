#include "cdplayer.h"

#include "buildinfo.h"
#include "cdaudio.h"
#include "datafile.h"
#include "eventlog.h"
#include "fileset.h"
#include "globals.h"
#include "profile.h"
#include "readcd.h"
#include "settings.h"

#include <QElapsedTimer>
#include <QStringList>

namespace crx {
namespace {

// A reply as a number: "Error:..." and the empty "false" read as 0.
qint64 number(const QString &reply)
{
    return reply.toLongLong();
}

qint64 ask(const QString &command)
{
    return number(SendMciCommand(command));
}

void send(const QString &command)
{
    SendMciCommand(command);
}

const QString Milliseconds = QStringLiteral("set cdaudio time format ms");
const QString Tmsf = QStringLiteral("set cdaudio time format tmsf");

QString trackItem(const char *what, int track)
{
    return QStringLiteral("status cdaudio %1 track %2").arg(QLatin1String(what)).arg(track);
}

} // namespace

QString playerTime(qint64 hundredths)
{
    if (hundredths <= 0)
        return {};
    const qint64 seconds = hundredths / 100;
    QString text = QString::asprintf("%lld:%02lld:%02lld", seconds / 3600, seconds / 60 % 60, seconds % 60);
    while (text.size() > 4 && (text.front() == QLatin1Char('0') || text.front() == QLatin1Char(':')))
        text.remove(0, 1);
    return text;
}

CdPlayer::CdPlayer(FileSet &files) : files_(files) {}

bool CdPlayer::open(const QStringList &openWindows, QString &failure)
{
    const QString shared = SendMciCommand(QStringLiteral("open cdaudio shareable"));
    const qint64 device = number(shared);
    state_.holdsDevice = device >= 1 && device <= 3;
    if (!state_.holdsDevice && profileNumber(readOtherSetting(files_.directory(), "IgnoreMCIError")) != 0) {
        WriteEventLog(QStringLiteral("CDPlayer"), QStringLiteral("open cdaudio shareable:  ") + shared);
        const QString alone = SendMciCommand(QStringLiteral("open cdaudio"));
        if (alone != QLatin1String("1")) {
            WriteEventLog(QStringLiteral("CDPlayerError"), QStringLiteral("open cdaudio:  ") + alone);
            failure = QStringLiteral("CD player not available.  Ensure that no other program is using the CD-ROM drive.");
            for (const QString &title : openWindows)
                WriteEventLog(QStringLiteral("Open Windows"), title);
            WriteEventLog(QStringLiteral("Version"), programVersion());
            WriteEventLog(QStringLiteral("AppDate"), buildDate());
            WriteEventLog(QStringLiteral("AppTime"), buildTime());
            WriteEventLog(QStringLiteral("EndIncident"), QString(47, QLatin1Char('-')));
            return false;
        }
        state_.holdsDevice = true;
    }
    state_.identifyPending = true;
    send(Tmsf);
    state_.deviceState = QStringLiteral("(shared mode)");
    return true;
}

void CdPlayer::close()
{
    if (state_.holdsDevice)
        send(QStringLiteral("close cdaudio"));
    state_.holdsDevice = false;
}

// The current track's length and start, in millisecond format.
void CdPlayer::readTrack()
{
    state_.trackLength = ask(trackItem("length", state_.currentTrack)) / 10;
    state_.trackStart = ask(trackItem("position", state_.currentTrack)) / 10;
}

void CdPlayer::readPositions()
{
    send(Milliseconds);
    if (state_.currentTrack != 0) {
        state_.discPosition = ask(QStringLiteral("status cdaudio position")) / 10;
        state_.positionInTrack = state_.discPosition - state_.trackStart + 1;
    } else {
        state_.trackLength = state_.discPosition = state_.positionInTrack = state_.trackStart = 0;
    }
    send(Tmsf);
}

PlayerNews CdPlayer::poll()
{
    PlayerNews news;
    QElapsedTimer clock;
    clock.start();
    state_.pollPhase.clear();
    const QString mode = SendMciCommand({}, true);
    state_.mode = mode;

    const bool wasGone = state_.lastMode.isEmpty() || state_.lastMode == QLatin1String("open");
    const bool isThere = mode == QLatin1String("stopped") || mode == QLatin1String("playing")
                         || mode == QLatin1String("seeking");
    if (wasGone && isThere) {
        state_.pollPhase = QStringLiteral("Init");
        state_.identifyPending = true;
        state_.currentTrack = int(ask(QStringLiteral("status cdaudio current track")));
        state_.trackCount = int(ask(QStringLiteral("status cdaudio number of tracks")));
        send(Milliseconds);
        state_.discLength = ask(QStringLiteral("status cdaudio length")) / 10;
        readTrack();
        send(Tmsf);
    }
    state_.lastMode = mode;

    state_.currentTrack = int(ask(QStringLiteral("status cdaudio current track")));
    if (state_.currentTrack != state_.lastTrack && mode == QLatin1String("playing")) {
        state_.pollPhase = QStringLiteral("Sync");
        send(Milliseconds);
        readTrack();
        send(Tmsf);
        state_.lastTrack = state_.currentTrack;
        news.trackChanged = true;
    }

    readPositions();
    // The track has moved on since its length was read: read it and the positions again.
    if (state_.trackLength < state_.positionInTrack) {
        send(Milliseconds);
        readTrack();
        send(Tmsf);
        readPositions();
    }
    state_.progress = state_.trackLength > 0 ? int(state_.positionInTrack * 100 / state_.trackLength) : 0;
    state_.performance = int(100 - clock.elapsed() / 10);

    if (state_.identifyPending) {
        const PlayerNews found = identify();
        news.albumChanged = found.albumChanged;
        news.offer = found.offer;
        state_.identifyPending = false;
    }
    return news;
}

PlayerNews CdPlayer::identify()
{
    PlayerNews news;
    state_.previousSignature = state_.signature;
    const int tracks = int(ask(QStringLiteral("status cdaudio number of tracks")));
    if (tracks <= 0) {
        state_.signature = QStringLiteral("0");
        album_ = 0;
        albumName_.clear();
        news.albumChanged = true;
        return news;
    }
    state_.signature = discSignature(tracks);

    DataFile &albums = files_.use(FileId::Album);
    Record &album = albums.buffer();
    album.clear();
    album.set("ALB:CDIdentifier", state_.signature);
    const bool found = albums.get(albums.def().keyIndex("ALB:KeyCDIdentifier")) == NoError;
    if (found) {
        news.albumChanged = state_.signature != state_.previousSignature || album_ == 0;
        album_ = album.get("ALB:AlbumID").toLongLong();
        albumName_ = album.get("ALB:Album").toString().trimmed();
    } else {
        // Another album's name must not stay in the title of a disc that has none.
        album.clear();
        news.albumChanged = album_ != 0 || state_.signature != state_.previousSignature;
        album_ = 0;
        albumName_.clear();
        news.offer = !state_.detectionOff;
    }
    files_.release(FileId::Album);
    return news;
}

QString CdPlayer::title() const
{
    return album_ != 0 ? QStringLiteral("CD Player - ") + albumName_ : QStringLiteral("CD Player");
}

void CdPlayer::beforeWizard()
{
    globals().readDiscInAddWizard = true;
    send(QStringLiteral("stop cdaudio"));
    close();
    state_.deviceState = QStringLiteral("(closed)");
}

bool CdPlayer::afterWizard(QString &failure)
{
    // A request the wizard left alone is not for a wizard opened later.
    globals().readDiscInAddWizard = false;
    const qint64 device = ask(QStringLiteral("open cdaudio shareable"));
    if (device != 1 && device != 2) {
        failure = QStringLiteral("CD player not available.|You may need to eject and re-insert the CD.");
        return false;
    }
    state_.holdsDevice = true;
    state_.deviceState = QStringLiteral("(shared mode)");
    state_.identifyPending = true;
    send(Tmsf);
    return true;
}

void CdPlayer::stopDetecting()
{
    state_.deviceState = QStringLiteral("(no detection)");
    state_.detectionOff = true;
}

void CdPlayer::play()
{
    if (state_.trackCount != 0 && state_.currentTrack > state_.trackCount)
        state_.currentTrack = state_.trackCount;
    send(QStringLiteral("play cdaudio from %1").arg(state_.currentTrack));
}

void CdPlayer::playTrack(int track)
{
    state_.currentTrack = track;
    play();
}

void CdPlayer::next()
{
    ++state_.currentTrack;
    send(QStringLiteral("play cdaudio from %1").arg(state_.currentTrack));
}

void CdPlayer::previous()
{
    // In the first 3 seconds back a track; later, the start of this one.
    if (state_.positionInTrack < 300)
        state_.currentTrack = qMax(1, state_.currentTrack - 1);
    send(QStringLiteral("play cdaudio from %1").arg(state_.currentTrack));
}

void CdPlayer::jump(qint64 milliseconds)
{
    send(Milliseconds);
    const qint64 at = ask(QStringLiteral("status cdaudio position"));
    send(QStringLiteral("play cdaudio from %1").arg(at + milliseconds));
    send(Tmsf);
}

void CdPlayer::forward()
{
    jump(10000);
}

void CdPlayer::back()
{
    jump(-10000);
}

void CdPlayer::locate(int percent)
{
    send(Milliseconds);
    const qint64 start = ask(trackItem("position", state_.currentTrack)) / 10 + 1;
    send(QStringLiteral("play cdaudio from %1").arg((start + percent * state_.trackLength / 100) * 10));
    send(Tmsf);
}

void CdPlayer::stop()
{
    send(QStringLiteral("stop cdaudio"));
}

void CdPlayer::pause()
{
    send(state_.paused ? QStringLiteral("play cdaudio") : QStringLiteral("pause cdaudio"));
    state_.paused = !state_.paused;
}

} // namespace crx
