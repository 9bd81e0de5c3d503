// The export of songs or albums to a comma-separated file: the fields offered
// with their default pictures, and the export itself over the batch engine,
// 25 records a cycle, into a temporary file beside the target that replaces
// it only once the export is complete.
#pragma once

#include "batchprocess.h"
#include "delimited.h"
#include "songdisplay.h"

#include <QTemporaryFile>
#include <map>
#include <memory>
#include <vector>

namespace crx {

struct ExportField {
    QString field;   // "MUS:Artist", or "CAT:Category" for a song's category name
    QString picture;
};

enum class ExportKind { Songs, Albums };

// The fields offered, in the order the window lists them.
const std::vector<ExportField> &exportFields(ExportKind kind);

class DelimitedExport
{
public:
    // Asked when a line cannot be written: true to write it again, false to end the export.
    using RetryQuestion = std::function<bool(const QString &error)>;

    DelimitedExport(FileSet &files, ExportKind kind, std::vector<ExportField> fields, bool header);
    ~DelimitedExport();

    // Starts the temporary file and writes the header; false (with the reason) when it cannot.
    bool create(const QString &path, QString &error);
    void onWriteError(RetryQuestion ask) { retry_ = std::move(ask); }
    // Opens the file read and its view; false when there are no records (the file is then
    // complete with its header alone, see finish()).
    bool start();
    bool tick();
    void cancel();
    int percent() const { return process_ ? process_->percent() : 0; }
    // Replaces the target with what was written; false (with the reason) when that fails. A
    // cancelled or abandoned export leaves the target as it was.
    bool finish(QString &error);
    bool abandoned() const { return abandoned_; }
    // The file error behind the last failure.
    int errorCode() const { return errorCode_; }

private:
    BatchProcess::Work writeRecord(DataFile &file);
    bool writeLine(const QString &line);

    FileSet &files_;
    ExportKind kind_;
    std::vector<ExportField> fields_;
    struct Column {
        int field = -1; // in the record; -1 for the song's category name
        FieldWriter writer;
    };
    std::vector<Column> columns_;
    bool header_;
    QString target_;
    std::unique_ptr<QTemporaryFile> out_; // beside the target, renamed over it at the end
    std::unique_ptr<BatchProcess> process_;
    CategoryNames categories_;
    RetryQuestion retry_;
    bool abandoned_ = false;
    bool usesCategories_ = false;
    bool categoriesUsed_ = false;
    int errorCode_ = 0;
};

} // namespace crx
