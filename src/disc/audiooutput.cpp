#include "audiooutput.h"

#include <QElapsedTimer>
#include <QMutex>

namespace crx {
namespace {

constexpr qint64 BytesPerSecond = 44100 * 4;

QMutex makerLock;
AudioOutputMaker &installedMaker()
{
    static AudioOutputMaker maker;
    return maker;
}

class SilentOutput : public AudioOutput
{
public:
    bool start(QString &) override
    {
        clock_.start();
        return true;
    }
    qint64 room() override { return qMax<qint64>(0, played() + BytesPerSecond / 2 - written_); }
    void write(const QByteArray &samples) override { written_ += samples.size(); }
    qint64 played() override
    {
        const qint64 heard = heardBefore_ + (paused_ ? 0 : clock_.elapsed() * BytesPerSecond / 1000);
        return qMin(heard, written_);
    }
    void pause() override
    {
        if (paused_)
            return;
        heardBefore_ = played();
        paused_ = true;
    }
    void resume() override
    {
        if (!paused_)
            return;
        paused_ = false;
        clock_.restart();
    }
    QString problem() override { return {}; }

private:
    QElapsedTimer clock_;
    qint64 written_ = 0;
    qint64 heardBefore_ = 0; // before the clock's last start
    bool paused_ = false;
};

} // namespace

void setAudioOutputMaker(AudioOutputMaker maker)
{
    const QMutexLocker lock(&makerLock);
    installedMaker() = std::move(maker);
}

std::unique_ptr<AudioOutput> makeAudioOutput()
{
    AudioOutputMaker maker;
    {
        const QMutexLocker lock(&makerLock);
        maker = installedMaker();
    }
    return maker ? maker() : makeSilentOutput();
}

std::unique_ptr<AudioOutput> makeSilentOutput()
{
    return std::make_unique<SilentOutput>();
}

} // namespace crx
