// Where the player's sound goes: a stream of 44.1 kHz 16-bit stereo samples,
// written as the output makes room and heard some time after. An output is
// made, used and destroyed on the playback's worker thread.
#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

namespace crx {

class AudioOutput
{
public:
    virtual ~AudioOutput() = default;
    // Starts the stream; false with the reason when the output cannot play.
    virtual bool start(QString &error) = 0;
    // Bytes the output takes now.
    virtual qint64 room() = 0;
    virtual void write(const QByteArray &samples) = 0;
    // Bytes heard since the start.
    virtual qint64 played() = 0;
    virtual void pause() = 0;
    virtual void resume() = 0;
    // What went wrong while playing; empty while nothing did.
    virtual QString problem() = 0;
};

using AudioOutputMaker = std::function<std::unique_ptr<AudioOutput>()>;

// The output the playback makes: the one installed (the sound device, or a test's), or else a
// silent one.
void setAudioOutputMaker(AudioOutputMaker maker);
std::unique_ptr<AudioOutput> makeAudioOutput();

// An output that hears nothing, at the pace the sound would be heard: a playback whose sound
// device fails goes on with it, so that its position moves as it would.
std::unique_ptr<AudioOutput> makeSilentOutput();

} // namespace crx
