#include "soundoutput.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>

namespace crx {
namespace {

constexpr qint64 BytesPerSecond = 44100 * 4;
// A quarter of a second queued: enough against a busy machine, little delay after Play.
constexpr qint64 QueuedBytes = BytesPerSecond / 4;

class SoundOutput : public AudioOutput
{
public:
    bool start(QString &error) override
    {
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull()) {
            error = QStringLiteral("no sound device");
            return false;
        }
        QAudioFormat format;
        format.setSampleRate(44100);
        format.setChannelCount(2);
        format.setSampleFormat(QAudioFormat::Int16);
        if (!device.isFormatSupported(format)) {
            error = QStringLiteral("%1 cannot play CD audio").arg(device.description());
            return false;
        }
        sink_ = std::make_unique<QAudioSink>(device, format);
        sink_->setBufferSize(QueuedBytes);
        stream_ = sink_->start();
        if (!stream_ || sink_->error() == QAudio::OpenError || sink_->error() == QAudio::FatalError) {
            error = QStringLiteral("%1 cannot be opened").arg(device.description());
            return false;
        }
        return true;
    }
    qint64 room() override { return sink_->bytesFree(); }
    void write(const QByteArray &samples) override { written_ += stream_->write(samples); }
    qint64 played() override
    {
        // Idle with everything written: all of it has been heard.
        if (sink_->state() == QAudio::IdleState)
            return written_;
        return qMin(written_, sink_->processedUSecs() * BytesPerSecond / 1000000);
    }
    void pause() override { sink_->suspend(); }
    void resume() override { sink_->resume(); }
    QString problem() override
    {
        switch (sink_->error()) {
        case QAudio::OpenError: return QStringLiteral("the sound device cannot be opened");
        case QAudio::IOError: return QStringLiteral("the sound device failed");
        case QAudio::FatalError: return QStringLiteral("the sound device is gone");
        default: return {};
        }
    }

private:
    std::unique_ptr<QAudioSink> sink_;
    QIODevice *stream_ = nullptr;
    qint64 written_ = 0;
};

} // namespace

std::unique_ptr<AudioOutput> makeSoundOutput()
{
    return std::make_unique<SoundOutput>();
}

} // namespace crx
