// The multimedia device alias "cdaudio": an interpreter of the MCI command
// strings the disc reader and the player send, answering as MCI does, over
// a CdDrive. Commands (words in any letter case):
//
//   open cdaudio [shareable] [wait]        the device number; 265 when already open
//   close cdaudio
//   status cdaudio ready | media present    "true" or "false" (ready also with the door open)
//   status cdaudio mode                     "open", "stopped", "not ready", ...
//   status cdaudio number of tracks | current track | time format
//   status cdaudio length [track n]         mm:ss:ff (ms: milliseconds); the last track one
//                                           frame short of the lead-out, as MCI reports it
//   status cdaudio position [track n]       msf: mm:ss:ff from the disc's start;
//                                           tmsf: tt:mm:ss:ff within the track;
//                                           ms: milliseconds from the disc's start
//   set cdaudio time format tmsf | msf | ms | milliseconds
//   set cdaudio door open | closed
//   play cdaudio [from p] [to p] [notify]   plays the disc's sound (playback.h); without
//                                           from, from where it paused or stopped
//   pause | resume | stop cdaudio
//   seek cdaudio to p | start | end         stops there
//
// Positions p are in the time format: tmsf "t[:mm[:ss[:ff]]]" (within track t),
// msf "mm[:ss[:ff]]", ms a number of milliseconds. While the disc plays, the
// mode, position and current track come from the playback, not the drive, so a
// drive busy reading the sound does not hold up the caller.
#pragma once

#include "cddrive.h"
#include "playback.h"

#include <QString>
#include <memory>

namespace crx {

// MCI error codes the device answers with.
namespace mci {
constexpr int NoError = 0;
constexpr int UnrecognizedKeyword = 259;
constexpr int UnrecognizedCommand = 261;
constexpr int InvalidDeviceName = 263;
constexpr int DeviceOpen = 265;
constexpr int BadInteger = 270;
constexpr int MissingParameter = 273;
constexpr int UnsupportedFunction = 274;
constexpr int DeviceNotReady = 276;
constexpr int OutOfRange = 282;
constexpr int BadTimeFormat = 293;
constexpr int DeviceNotInstalled = 306;
} // namespace mci

class CdAudio
{
public:
    // The drive is chosen from the settings of the working directory at each open
    // (see chooseDrive) and kept while the choice stays the same.
    explicit CdAudio(const QString &workingDirectory);
    // Always this drive.
    explicit CdAudio(std::unique_ptr<CdDrive> drive);
    ~CdAudio();

    // Carries out one command; returns the MCI error code and leaves the answer in reply.
    int send(const QString &command, QString &reply);

    // Why the drive is not ready, as the drive says it; empty when it is.
    QString driveReason() const;
    // Why the disc's sound is not heard (no sound device) or stopped early; empty while all is well.
    QString soundProblem() const { return playback_.problem(); }

private:
    enum class TimeFormat { Msf, Tmsf, Milliseconds };

    // The drive the settings name now (a new one when they name another).
    CdDrive &chosenDrive();
    // That drive, looked at once since it was chosen.
    CdDrive &drive();
    // The drive as the playback last left it while the disc plays, else drive().
    CdDrive &driveAsItStands();
    // Looks at the drive again; a new reason why it is not ready goes to the event log.
    void lookAgain();
    int open(const QStringList &words, QString &reply);
    int status(const QStringList &words, QString &reply);
    int set(const QStringList &words);
    int play(const QStringList &words);
    int seek(const QStringList &words);
    // A position in the time format as an absolute frame; false when it is not one of the disc.
    bool positionOf(const QString &text, qint64 &frame) const;
    // Where the disc is played or was left, as an absolute frame.
    qint64 position() const;
    // The track holding the frame (1 upwards).
    int trackAt(qint64 frame) const;
    bool playing() const { return playback_.mode() != PlayMode::Stopped; }
    // The length of track n (1 upwards), or of the disc for 0, in frames.
    qint64 length(int track) const;
    QString msf(qint64 frames) const;
    QString duration(qint64 frames) const;

    QString workingDirectory_;
    DriveChoice choice_; // what chose the drive, to see when the settings name another
    std::unique_ptr<CdDrive> drive_;
    bool fixed_ = false;
    bool looked_ = false;
    QString loggedReason_;
    bool open_ = false;
    TimeFormat format_ = TimeFormat::Msf;
    Playback playback_;
    bool fromPlayback_ = false; // the position is where the playback is or ended
    qint64 position_ = 0;       // else here (0: the disc's start)
    DiscToc seenToc_;           // of the disc the position belongs to
};

// The device of this run: one a test installs, or else the drive the settings of the current
// directory name.
void setCdAudio(CdAudio *device);
CdAudio &cdAudio();

// Sends a command to the installed device (with askMode, "status cdaudio mode" instead) and
// returns the reply: "1" for "true", "" for "false", the reply itself otherwise; "Error:1"
// for an alias already open; "Error:" and the code for any other failure, which is also
// written to the event log (request, reply and code).
QString SendMciCommand(const QString &command, bool askMode = false);

} // namespace crx
