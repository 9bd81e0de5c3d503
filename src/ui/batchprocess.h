// A pass over a whole file, a cycle at a time, so that its progress window
// stays responsive and can be cancelled. A keyed file is read through a view
// in key order and counted by records (25 a cycle); a line file is read line
// by line and counted by bytes (1000 a cycle). The work per record is the
// process's own; the pass counts what was read and gives the percent done.
//
// Each tick of the window runs cycles until its time slice (15 ms) is used (always
// at least one), and the tick's writes are one transaction per written file:
// a long pass does not pay a commit every 25 records, and an end at any
// moment loses at most the tick in progress, never a half-written record.
#pragma once

#include "formsession.h"
#include "linefile.h"
#include "schema.h"

#include <QString>
#include <QVariant>
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
    using LineWork = std::function<Work(const QString &line)>;
    // A filter test in code, beside the view's filter expression; records failing it are skipped.
    using Accept = std::function<bool(const DataFile &file)>;

    // A pass over a keyed file in the order of key, counted by records.
    BatchProcess(FileSet &files, FileId file, const QString &key, WorkFunction work);
    // A pass over the lines of a line file, counted by bytes.
    BatchProcess(FileSet &files, const QString &linePath, LineWork work);
    ~BatchProcess();

    void setFilter(const QString &expression) { filter_ = expression; }
    // Only the records whose leading key values lie in this range (so many of them, for the
    // percent done).
    void setRange(std::vector<QVariant> low, std::vector<QVariant> high, qint64 records)
    {
        low_ = std::move(low);
        high_ = std::move(high);
        rangeRecords_ = records;
    }
    void setAccept(Accept accept) { accept_ = std::move(accept); }
    // Records (or bytes) of one cycle.
    void setCycle(int amount) { cycle_ = std::max(1, amount); }
    // How long one tick may go on with further cycles; 0 runs one cycle a tick.
    void setTimeSlice(int milliseconds) { slice_ = std::max(0, milliseconds); }
    // A file the work writes to: each tick's writes to it are one transaction.
    void writesTo(FileId file) { writes_.push_back(file); }
    // A file the whole pass writes in one transaction, committed when the pass ends or is cancelled.
    void writesInOneTransaction(FileId file) { wholePass_.push_back(file); }
    // A file the work reads beside the file of the pass: open while the pass runs.
    void alsoReads(FileId file) { reads_.push_back(file); }
    // Told the percent done whenever it changes.
    void onProgress(std::function<void(int percent)> progress) { progress_ = std::move(progress); }

    // Opens the files and the view and reads the first record; false when there is nothing to do.
    bool start();
    // One tick of work; false when the pass is over (done, or ended by an error).
    bool tick();
    void cancel();
    Response response() const { return response_; }
    // Whether the pass ended on a read error (its message has been shown).
    bool readFailed() const { return readFailed_; }
    int percent() const { return percent_; }

private:
    bool openView();
    int readRecord(qint64 &amount);
    int readLine(qint64 &amount);
    bool readNext();
    QString label() const;
    void finish(Response response);

    FileSet &files_;
    FileId id_ = FileId::Cantorix;
    DataFile *file_ = nullptr; // the keyed file read, or none for a line file
    LineFile lines_{LineFile::ImportWidth};
    QString line_;
    QString key_;
    QString filter_;
    std::vector<QVariant> low_, high_;
    qint64 rangeRecords_ = -1;
    WorkFunction work_;
    LineWork lineWork_;
    Accept accept_;
    std::function<void(int)> progress_;
    std::unique_ptr<View> view_;
    std::vector<FileId> writes_;
    std::vector<FileId> wholePass_;
    std::vector<FileId> reads_;
    int cycle_;
    int slice_ = 15;
    qint64 total_ = 0, processed_ = 0, cycleDone_ = 0;
    int percent_ = 0;
    bool running_ = false;
    bool current_ = false;
    bool readFailed_ = false;
    Response response_ = Response::Cancelled;
};

} // namespace crx
