// A sound device for tests: it takes what the playback writes (a second of
// it queued at most) and hears it only as far as the test says, so that a
// test decides how far playing has got. Installed for the playback while it
// lives.
#pragma once

#include "audiooutput.h"
#include "discaudio.h"
#include "virtualdisc.h"

#include <QMutex>
#include <QtEndian>

namespace crx::test {

class ScriptedSound
{
public:
    ScriptedSound()
    {
        setAudioOutputMaker([this] { return std::make_unique<Output>(*this); });
    }
    ~ScriptedSound() { setAudioOutputMaker({}); }

    // So many more frames of the current stream reach the speakers (none while it is paused).
    void hear(int frames)
    {
        const QMutexLocker lock(&lock_);
        if (!paused_)
            heard_ += qint64(frames) * SectorBytes;
    }
    // A start fails with this reason, as with no sound device.
    void failWith(const QString &reason)
    {
        const QMutexLocker lock(&lock_);
        failure_ = reason;
    }
    // What the current stream was given, and how many streams were started.
    QByteArray written() const
    {
        const QMutexLocker lock(&lock_);
        return written_;
    }
    int streams() const
    {
        const QMutexLocker lock(&lock_);
        return streams_;
    }
    bool paused() const
    {
        const QMutexLocker lock(&lock_);
        return paused_;
    }

private:
    static constexpr qint64 Queued = 75 * SectorBytes;

    class Output : public AudioOutput
    {
    public:
        explicit Output(ScriptedSound &sound) : sound_(sound) {}
        bool start(QString &error) override
        {
            const QMutexLocker lock(&sound_.lock_);
            if (!sound_.failure_.isEmpty()) {
                error = sound_.failure_;
                return false;
            }
            ++sound_.streams_;
            sound_.written_.clear();
            sound_.heard_ = 0;
            sound_.paused_ = false;
            return true;
        }
        qint64 room() override
        {
            const QMutexLocker lock(&sound_.lock_);
            return Queued - (sound_.written_.size() - qMin<qint64>(sound_.heard_, sound_.written_.size()));
        }
        void write(const QByteArray &samples) override
        {
            const QMutexLocker lock(&sound_.lock_);
            sound_.written_ += samples;
        }
        qint64 played() override
        {
            const QMutexLocker lock(&sound_.lock_);
            return qMin<qint64>(sound_.heard_, sound_.written_.size());
        }
        void pause() override
        {
            const QMutexLocker lock(&sound_.lock_);
            sound_.paused_ = true;
        }
        void resume() override
        {
            const QMutexLocker lock(&sound_.lock_);
            sound_.paused_ = false;
        }
        QString problem() override { return {}; }

    private:
        ScriptedSound &sound_;
    };

    mutable QMutex lock_;
    QByteArray written_;
    qint64 heard_ = 0;
    int streams_ = 0;
    bool paused_ = false;
    QString failure_;
};

// A WAV file of CD audio of so many frames whose every sample in its frame n is first + n,
// so that a test can tell which frames were played.
inline QByteArray numberedWav(int frames, int first = 1)
{
    QByteArray data(qsizetype(frames) * SectorBytes, Qt::Uninitialized);
    for (int f = 0; f < frames; ++f)
        for (int s = 0; s < SectorBytes / 2; ++s)
            qToLittleEndian<quint16>(quint16(first + f), data.data() + qsizetype(f) * SectorBytes + s * 2);
    return cdWav(data);
}

// The number a numbered WAV gave a sector's frame (0: silence).
inline int frameOf(const QByteArray &samples, int sector)
{
    return qFromLittleEndian<quint16>(samples.constData() + qsizetype(sector) * SectorBytes);
}

} // namespace crx::test
