// The import of a comma-separated file into the songs: the columns the file
// offers (named from its first line, their pictures guessed from its second),
// the song fields they may be assigned to, and the import itself in batches of
// 25 lines, as many as a tick's time slice holds: each line one new song,
// categories made once per new name, the time and media rules, committed
// every two seconds and at the end.
#pragma once

#include "delimited.h"

#include <QElapsedTimer>
#include <QHash>
#include <QString>
#include <map>
#include <vector>

namespace crx {

class DataFile;
class FileSet;

struct ImportColumn {
    QString name;                               // "Field_1"
    QString picture = QStringLiteral("@S1000");
    QString value;                              // on the line shown
};

// The columns of a file: one per field of its first line; a field of the second line written
// without quotes makes its column numeric ("@N30.9").
std::vector<ImportColumn> importColumns(const QString &firstLine, const QString *secondLine);
// The values of a line for the columns (blank where the line has no field).
void showLine(std::vector<ImportColumn> &columns, const QString &line);

// The song fields a column can be assigned to, in the order the window lists them.
const QStringList &importTargets();

struct ImportPlan {
    std::vector<ImportColumn> columns;
    std::map<QString, int> assigned; // target field -> column
    bool stripHeader = false;
};

class SongImport
{
public:
    enum class Outcome { Reading, Done, Cancelled, AddFailed };

    SongImport(FileSet &files, DelimitedLines &lines, ImportPlan plan);
    ~SongImport();

    // From the start of the file, past the header when it is stripped; false when no line is left.
    bool start();
    // Up to 25 lines; false when the import is over (outcome tells how).
    bool tick();
    void cancel();

    Outcome outcome() const { return outcome_; }
    int percent() const;
    qint64 added() const { return added_; }
    // The error of a failed add: its code and text.
    int errorCode() const { return errorCode_; }
    QString errorText() const { return errorText_; }

private:
    bool importLine(const QString &line);
    void store(const QString &target, const QString &value, const QString &picture);
    qint64 categoryFor(const QString &name);
    void finish(Outcome outcome);

    FileSet &files_;
    DelimitedLines &lines_;
    ImportPlan plan_;
    DataFile *songs_ = nullptr;
    DataFile *categories_ = nullptr;
    QHash<QString, qint64> categoryIds_; // upper-cased name -> identifier
    qint64 highestCategory_ = 0;
    QString line_;
    QElapsedTimer committed_; // since the transaction began
    bool current_ = false;
    bool running_ = false;
    Outcome outcome_ = Outcome::Reading;
    qint64 added_ = 0;
    int errorCode_ = 0;
    QString errorText_;
};

} // namespace crx
