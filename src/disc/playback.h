// Digital playback of a disc: a worker thread reads the disc's sound from
// the drive and writes it to the audio output as the output makes room,
// while the caller's thread asks where playing is without waiting on the
// drive. The position is what has been heard, not what has been read.
// When the output fails (no sound device), the playback tells why and goes
// on silently, so that positions move as they would.
#pragma once

#include "discaudio.h"

#include <QMutex>
#include <QString>
#include <memory>

class QThread;

namespace crx {

enum class PlayMode { Stopped, Playing, Paused };

class Playback
{
public:
    Playback();
    ~Playback();

    // Plays the frames from up to to (absolute frames, to not included) of the disc's sound.
    void play(std::unique_ptr<DiscAudio> audio, qint32 from, qint32 to);
    void pause();
    void resume();
    // Stops where playing is; the position stays there.
    void stop();

    PlayMode mode() const;
    // The absolute frame being heard (where playing stopped, when it has).
    qint32 frame() const;
    // Why the sound is not heard ("no sound: " and the output's reason) or playing stopped early
    // (the drive's reason); empty while all is well.
    QString problem() const;
    // A problem not yet taken, once each (to write to the event log).
    QString takeNewProblem();

private:
    friend class PlaybackWorker;
    struct Shared {
        quint64 serial = 0; // of the latest play; the worker's news of an older one is stale
        PlayMode mode = PlayMode::Stopped;
        qint32 from = 0, to = 0;
        qint32 heard = 0; // frames heard since from
        QString problem;
        bool problemTaken = true;
    };
    // Pauses or resumes the worker when the mode is from.
    void hold(PlayMode from, PlayMode to);
    // For the worker: news of the play numbered serial.
    void heard(quint64 serial, qint32 frames, bool finished);
    void failed(quint64 serial, const QString &problem, bool stopped);

    mutable QMutex lock_;
    Shared shared_;
    QThread *thread_ = nullptr;
    class PlaybackWorker *worker_ = nullptr;
};

} // namespace crx
