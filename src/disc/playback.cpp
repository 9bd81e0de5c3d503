#include "playback.h"

#include "audiooutput.h"

#include <QThread>
#include <QTimer>

namespace crx {

namespace {
constexpr int TickMilliseconds = 10;
constexpr int ChunkFrames = 25; // a third of a second read at once
} // namespace

// Lives on the playback's thread: reads the sound and feeds the output, and tells the
// playback how far it has been heard.
class PlaybackWorker : public QObject
{
public:
    explicit PlaybackWorker(Playback &owner) : owner_(owner) {}

    void begin(quint64 serial, std::shared_ptr<DiscAudio> audio, qint32 from, qint32 to)
    {
        finish();
        serial_ = serial;
        audio_ = std::move(audio);
        from_ = from;
        to_ = to;
        next_ = from;
        heardBefore_ = 0;
        paused_ = false;
        output_ = makeAudioOutput();
        QString error;
        if (!output_->start(error)) {
            output_.reset();
            goSilent(error);
        }
        if (!timer_) {
            timer_ = new QTimer(this);
            timer_->setTimerType(Qt::PreciseTimer);
            connect(timer_, &QTimer::timeout, this, [this] { feed(); });
        }
        timer_->start(TickMilliseconds);
        feed();
    }

    void hold(quint64 serial, bool paused)
    {
        if (serial != serial_ || !output_ || paused == paused_)
            return;
        paused_ = paused;
        if (paused)
            output_->pause();
        else
            output_->resume();
    }

    void end(quint64 serial)
    {
        if (serial == serial_)
            finish();
    }

private:
    void finish()
    {
        if (timer_)
            timer_->stop();
        output_.reset();
        audio_.reset();
    }

    qint32 heard() { return heardBefore_ + qint32(output_->played() / SectorBytes); }

    // The output failed: the rest is "heard" in silence from where the sound stopped.
    void goSilent(const QString &problem)
    {
        owner_.failed(serial_, QStringLiteral("no sound: ") + problem, false);
        heardBefore_ = output_ ? heard() : 0;
        next_ = from_ + heardBefore_;
        output_ = makeSilentOutput();
        QString none;
        output_->start(none);
    }

    void feed()
    {
        if (!output_ || paused_)
            return;
        const QString problem = output_->problem();
        if (!problem.isEmpty())
            goSilent(problem);
        QByteArray samples;
        for (;;) {
            const qint64 frames = std::min<qint64>({output_->room() / SectorBytes, to_ - next_, ChunkFrames});
            if (frames <= 0)
                break;
            QString error;
            if (!audio_->read(next_, int(frames), samples, error)) {
                owner_.failed(serial_, error, true);
                finish();
                return;
            }
            output_->write(samples);
            next_ += qint32(frames);
        }
        const qint32 frames = heard();
        const bool finished = next_ >= to_ && frames >= to_ - from_;
        owner_.heard(serial_, frames, finished);
        if (finished)
            finish();
    }

    Playback &owner_;
    quint64 serial_ = 0;
    std::shared_ptr<DiscAudio> audio_;
    std::unique_ptr<AudioOutput> output_;
    QTimer *timer_ = nullptr;
    qint32 from_ = 0, to_ = 0, next_ = 0;
    qint32 heardBefore_ = 0; // by outputs given up on
    bool paused_ = false;
};

Playback::Playback() = default;

Playback::~Playback()
{
    if (!thread_)
        return;
    QMetaObject::invokeMethod(worker_, [this] { delete worker_; }, Qt::BlockingQueuedConnection);
    thread_->quit();
    thread_->wait();
    delete thread_;
}

void Playback::play(std::unique_ptr<DiscAudio> audio, qint32 from, qint32 to)
{
    if (!thread_) {
        thread_ = new QThread;
        thread_->setObjectName(QStringLiteral("Playback"));
        worker_ = new PlaybackWorker(*this);
        worker_->moveToThread(thread_);
        thread_->start();
    }
    quint64 serial;
    {
        const QMutexLocker lock(&lock_);
        serial = ++shared_.serial;
        shared_.mode = PlayMode::Playing;
        shared_.from = from;
        shared_.to = to;
        shared_.heard = 0;
        shared_.problem.clear();
        shared_.problemTaken = true;
    }
    std::shared_ptr<DiscAudio> sound(std::move(audio));
    PlaybackWorker *worker = worker_;
    QMetaObject::invokeMethod(worker, [worker, serial, sound, from, to] { worker->begin(serial, sound, from, to); });
}

void Playback::pause()
{
    hold(PlayMode::Playing, PlayMode::Paused);
}

void Playback::resume()
{
    hold(PlayMode::Paused, PlayMode::Playing);
}

void Playback::hold(PlayMode from, PlayMode to)
{
    const QMutexLocker lock(&lock_);
    if (shared_.mode != from)
        return;
    shared_.mode = to;
    PlaybackWorker *worker = worker_;
    const quint64 serial = shared_.serial;
    const bool paused = to == PlayMode::Paused;
    QMetaObject::invokeMethod(worker, [worker, serial, paused] { worker->hold(serial, paused); });
}

void Playback::stop()
{
    const QMutexLocker lock(&lock_);
    if (shared_.mode == PlayMode::Stopped)
        return;
    shared_.mode = PlayMode::Stopped;
    PlaybackWorker *worker = worker_;
    // Later news of this play is stale: the position stays where it stopped.
    const quint64 serial = shared_.serial++;
    QMetaObject::invokeMethod(worker, [worker, serial] { worker->end(serial); });
}

PlayMode Playback::mode() const
{
    const QMutexLocker lock(&lock_);
    return shared_.mode;
}

qint32 Playback::frame() const
{
    const QMutexLocker lock(&lock_);
    return shared_.from + shared_.heard;
}

QString Playback::problem() const
{
    const QMutexLocker lock(&lock_);
    return shared_.problem;
}

QString Playback::takeNewProblem()
{
    const QMutexLocker lock(&lock_);
    if (shared_.problemTaken)
        return {};
    shared_.problemTaken = true;
    return shared_.problem;
}

void Playback::heard(quint64 serial, qint32 frames, bool finished)
{
    const QMutexLocker lock(&lock_);
    if (serial != shared_.serial)
        return;
    shared_.heard = frames;
    if (finished)
        shared_.mode = PlayMode::Stopped;
}

void Playback::failed(quint64 serial, const QString &problem, bool stopped)
{
    const QMutexLocker lock(&lock_);
    if (serial != shared_.serial)
        return;
    shared_.problem = problem;
    shared_.problemTaken = false;
    if (stopped)
        shared_.mode = PlayMode::Stopped;
}

} // namespace crx
