// The CD player apart from its window: it opens the shared cdaudio device,
// follows the drive with a poll, recognises the disc by its signature
// (ALB:CDIdentifier) and carries out the buttons, all through MCI command
// strings. Times are in hundredths of a second; a reply "Error:..." reads as 0.
#pragma once

#include <QString>

namespace crx {

class FileSet;

struct PlayerState {
    int currentTrack = 0;
    int trackCount = 0;
    qint64 trackStart = 0;      // from the disc's start
    qint64 trackLength = 0;
    qint64 positionInTrack = 0; // played in the current track, plus one
    qint64 discPosition = 0;
    qint64 discLength = 0;
    int progress = 0;           // percent of the current track
    QString mode;               // the mode text of the last poll
    QString lastMode;
    int lastTrack = 0;
    QString deviceState;        // "(shared mode)", "(closed)" or "(no detection)"
    QString pollPhase;          // "", "Init" or "Sync"
    int performance = 0;        // 100 minus the hundredths the last poll took
    bool identifyPending = false;
    bool detectionOff = false;
    QString previousSignature;
    QString signature;
    bool paused = false;
    bool holdsDevice = false;
};

// What a poll or an identification found for the window to do.
struct PlayerNews {
    bool albumChanged = false; // show the disc's album (its songs, the title)
    bool trackChanged = false; // highlight the song of the current track
    bool offer = false;        // the disc is not in the catalogue: offer to add it
};

class CdPlayer
{
public:
    explicit CdPlayer(FileSet &files);

    // Takes the device (shareable, or else alone when IgnoreMCIError allows). False when it
    // cannot be had: the event log has the incident (with the titles of the open windows) and
    // failure the message to show.
    bool open(const QStringList &openWindows, QString &failure);
    // Gives the device back, when it is held.
    void close();

    PlayerNews poll();
    PlayerNews identify();

    // The new-disc offer: the device is given back while an album wizard runs, and taken again
    // after it (false, with the message, when it cannot be: the player then closes).
    void beforeWizard();
    bool afterWizard(QString &failure);
    void stopDetecting();

    void play();
    void playTrack(int track);
    void next();
    void previous();
    void forward();
    void back();
    // Plays from percent of the current track.
    void locate(int percent);
    void stop();
    void pause();

    const PlayerState &state() const { return state_; }
    // The album of the disc in the drive (0 when it is not in the catalogue) and its name.
    qint64 album() const { return album_; }
    QString title() const;

private:
    void readTrack();
    void readPositions();
    void jump(qint64 milliseconds);

    FileSet &files_;
    PlayerState state_;
    qint64 album_ = 0;
    QString albumName_;
};

// Hours:minutes:seconds of hundredths with the leading zeros and colons dropped down to four
// characters (3:45, 12:03, 1:02:03); blank for zero.
QString playerTime(qint64 hundredths);

} // namespace crx
