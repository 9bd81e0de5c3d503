#include "batchprocess.h"

#include "datafile.h"
#include "fileset.h"
#include "standardmessages.h"
#include "view.h"

namespace crx {

BatchProcess::BatchProcess(FileSet &files, FileId file, const QString &key, WorkFunction work)
    : files_(files), id_(file), file_(files.file(file)), key_(key), work_(std::move(work))
{
}

BatchProcess::~BatchProcess()
{
    finish(response_);
}

bool BatchProcess::start()
{
    files_.use(id_);
    running_ = true;
    total_ = file_.records();
    for (FileId id : writes_)
        files_.use(id);
    file_.send(QStringLiteral("QUICKSCAN=on"));
    view_ = std::make_unique<View>(file_);
    view_->setOrder(file_.def().keyIndex(key_));
    view_->setFilter(filter_);
    if (view_->open() != NoError) {
        ShowStandardMessage(36);
        view_->setFilter(QString());
        view_->open();
    }
    view_->setToStart();
    if (!readNext()) {
        finish(Response::Cancelled);
        return false;
    }
    return true;
}

bool BatchProcess::readNext()
{
    for (;;) {
        const int code = view_->next();
        if (code == RecordNotAvailable)
            return current_ = false;
        if (code != NoError) {
            ShowStandardMessage(35, file_.def().label);
            return current_ = false;
        }
        ++processed_;
        const int percent = total_ > 0 ? int(std::min<qint64>(100, processed_ * 100 / total_)) : 100;
        if (percent != percent_) {
            percent_ = percent;
            if (progress_)
                progress_(percent_);
        }
        if (!accept_ || accept_(file_))
            return current_ = true;
    }
}

bool BatchProcess::cycle()
{
    if (!running_)
        return false;
    // One transaction per cycle and written file: a long pass is quick, and an end at any
    // moment loses at most the cycle in progress.
    for (FileId id : writes_)
        files_.file(id).stream();
    const auto commit = [this] {
        for (FileId id : writes_)
            files_.file(id).flush();
    };
    for (int n = 0; n < cycle_ && current_; ++n) {
        const Work result = work_(file_);
        if (result != Work::Done) {
            commit();
            ShowStandardMessage(31, result == Work::RewriteFailed ? QStringLiteral("Put") : QStringLiteral("Delete"),
                                QStringLiteral("Process:View"));
            finish(Response::Completed);
            return false;
        }
        readNext();
    }
    commit();
    if (current_)
        return true;
    finish(Response::Completed);
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
    file_.send(QStringLiteral("QUICKSCAN=off"));
    for (FileId id : writes_) {
        files_.file(id).flush();
        files_.release(id);
    }
    files_.release(id_);
}

} // namespace crx
