// A pass over a whole file in key order, a cycle of records at a time, so
// that its progress window stays responsive and can be cancelled. The work
// per record is the process's own; the pass counts the records read and
// gives the percent done.
#pragma once

#include "formsession.h"
#include "schema.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace crx {

class DataFile;
class FileSet;
class View;

class BatchProcess
{
public:
    enum class Work { Done, RewriteFailed, DeleteFailed };
    using WorkFunction = std::function<Work(DataFile &file)>;
    // A filter test in code, beside the view's filter expression; records failing it are skipped.
    using Accept = std::function<bool(const DataFile &file)>;

    BatchProcess(FileSet &files, FileId file, const QString &key, WorkFunction work);
    ~BatchProcess();

    void setFilter(const QString &expression) { filter_ = expression; }
    void setAccept(Accept accept) { accept_ = std::move(accept); }
    void setCycle(int records) { cycle_ = std::max(1, records); }
    // A file the work writes to: each cycle's writes to it are one transaction.
    void writesTo(FileId file) { writes_.push_back(file); }
    // Told the percent done whenever it changes.
    void onProgress(std::function<void(int percent)> progress) { progress_ = std::move(progress); }

    // Opens the files and the view and reads the first record; false when there is nothing to do.
    bool start();
    // One cycle of work; false when the pass is over (done, or ended by an error).
    bool cycle();
    void cancel();
    Response response() const { return response_; }
    int percent() const { return percent_; }

private:
    bool readNext();
    void finish(Response response);

    FileSet &files_;
    FileId id_;
    DataFile &file_;
    QString key_;
    QString filter_;
    WorkFunction work_;
    Accept accept_;
    std::function<void(int)> progress_;
    std::unique_ptr<View> view_;
    std::vector<FileId> writes_;
    int cycle_ = 25;
    qint64 total_ = 0, processed_ = 0;
    int percent_ = 0;
    bool running_ = false;
    bool current_ = false;
    Response response_ = Response::Cancelled;
};

} // namespace crx
