#include "batchprocess.h"

#include "datafile.h"
#include "fileset.h"
#include "standardmessages.h"
#include "view.h"

#include <QElapsedTimer>
#include <QFileInfo>

namespace crx {

namespace {
constexpr int RecordsPerCycle = 25;
constexpr int BytesPerCycle = 1000;
} // namespace

BatchProcess::BatchProcess(FileSet &files, FileId file, const QString &key, WorkFunction work)
    : files_(files), id_(file), file_(&files.file(file)), key_(key), work_(std::move(work)), cycle_(RecordsPerCycle)
{
}

BatchProcess::BatchProcess(FileSet &files, const QString &linePath, LineWork work)
    : files_(files), lineWork_(std::move(work)), cycle_(BytesPerCycle)
{
    lines_.setName(linePath);
}

BatchProcess::~BatchProcess()
{
    finish(response_);
}

QString BatchProcess::label() const
{
    return file_ ? file_->def().label : QFileInfo(lines_.name()).fileName();
}

bool BatchProcess::start()
{
    if (file_) {
        files_.use(id_);
    } else if (lines_.open() != NoError) {
        ShowStandardMessage(30, lines_.name());
        return false;
    }
    running_ = true;
    for (FileId id : writes_)
        files_.use(id);
    for (FileId id : wholePass_)
        files_.use(id).stream();
    for (FileId id : reads_)
        files_.use(id);
    if (file_) {
        total_ = rangeRecords_ >= 0 ? rangeRecords_ : file_->records();
        file_->send(QStringLiteral("QUICKSCAN=on"));
        // A pass whose view cannot be opened never runs over the records its filter leaves out.
        if (!openView()) {
            finish(Response::Cancelled);
            ShowStandardMessage(36);
            return false;
        }
    } else {
        total_ = lines_.size();
    }
    if (!readNext()) {
        finish(Response::Cancelled);
        if (readFailed_)
            ShowStandardMessage(35, label());
        return false;
    }
    return true;
}

bool BatchProcess::openView()
{
    view_ = std::make_unique<View>(*file_);
    view_->setOrder(file_->def().keyIndex(key_));
    view_->setFilter(filter_);
    if (!low_.empty())
        view_->setRange(low_, high_);
    return view_->open() == NoError && view_->setToStart() == NoError;
}

int BatchProcess::readRecord(qint64 &amount)
{
    amount = 1;
    return view_->next();
}

int BatchProcess::readLine(qint64 &amount)
{
    const qint64 before = lines_.position();
    const int code = lines_.next(line_);
    amount = lines_.position() - before;
    return code;
}

bool BatchProcess::readNext()
{
    for (;;) {
        qint64 amount = 0;
        const int code = file_ ? readRecord(amount) : readLine(amount);
        if (code == RecordNotAvailable)
            return current_ = false;
        if (code != NoError) {
            readFailed_ = true;
            return current_ = false;
        }
        processed_ += amount;
        cycleDone_ += amount;
        const int percent = total_ > 0 ? int(std::min<qint64>(100, processed_ * 100 / total_)) : 100;
        if (percent != percent_) {
            percent_ = percent;
            if (progress_)
                progress_(percent_);
        }
        if (!file_ || !accept_ || accept_(*file_))
            return current_ = true;
    }
}

bool BatchProcess::tick()
{
    if (!running_)
        return false;
    for (FileId id : writes_)
        files_.file(id).stream();
    const auto commit = [this] {
        for (FileId id : writes_)
            files_.file(id).flush();
    };
    QElapsedTimer clock;
    clock.start();
    do {
        cycleDone_ = 0;
        while (cycleDone_ < cycle_ && current_) {
            const Work result = file_ ? work_(*file_) : lineWork_(line_);
            if (result != Work::Done) {
                commit();
                ShowStandardMessage(31, result == Work::RewriteFailed ? QStringLiteral("Put") : QStringLiteral("Delete"),
                                    QStringLiteral("Process:View"));
                finish(Response::Completed);
                return false;
            }
            readNext();
        }
    } while (current_ && clock.elapsed() < slice_);
    commit();
    if (current_)
        return true;
    // A read that failed ends the pass unfinished; its message comes once the tick's writes are in.
    finish(readFailed_ ? Response::Cancelled : Response::Completed);
    if (readFailed_)
        ShowStandardMessage(35, label());
    return false;
}

void BatchProcess::cancel()
{
    finish(Response::Cancelled);
}

void BatchProcess::finish(Response response)
{
    if (!running_)
        return;
    running_ = false;
    response_ = response;
    view_.reset();
    lines_.close();
    if (file_) {
        file_->send(QStringLiteral("QUICKSCAN=off"));
        files_.release(id_);
    }
    for (FileId id : writes_) {
        files_.file(id).flush();
        files_.release(id);
    }
    for (FileId id : wholePass_) {
        files_.file(id).flush();
        files_.release(id);
    }
    for (FileId id : reads_)
        files_.release(id);
}

} // namespace crx
