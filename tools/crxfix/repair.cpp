#include "repair.h"

#include "datafile.h"
#include "record.h"
#include "result.h"
#include "schema.h"
#include "tablesql.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>
#include <set>
#include <sqlite3.h>

namespace crx {

namespace {

const FileDef *layoutNamed(const QString &label)
{
    for (int id = 0; id < FileCount; ++id)
        if (fileDef(FileId(id)).label.compare(label, Qt::CaseInsensitive) == 0)
            return &fileDef(FileId(id));
    return nullptr;
}

bool looksLikeSqlite(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) && f.read(16) == QByteArray("SQLite format 3\0", 16);
}

QString text(sqlite3_stmt *stmt, int column)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, column)),
                             sqlite3_column_bytes(stmt, column));
}

// One text from a query on a database, or nothing when it cannot be read.
QString firstText(sqlite3 *db, const char *sql, bool *ok = nullptr)
{
    sqlite3_stmt *stmt = nullptr;
    QString result;
    const bool read = sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) == SQLITE_OK && sqlite3_step(stmt) == SQLITE_ROW;
    if (read)
        result = text(stmt, 0);
    sqlite3_finalize(stmt);
    if (ok)
        *ok = read;
    return result;
}

// The records the damaged file shows any trace of: the record numbers its table and each of its
// keys give, as far as each can be read.
std::set<qint64> knownRecords(sqlite3 *db)
{
    std::set<qint64> known;
    QStringList scans{QStringLiteral("SELECT rid FROM records")};
    sqlite3_stmt *indexes = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT name FROM sqlite_master WHERE type = 'index' AND tbl_name = 'records'", -1, &indexes,
                           nullptr) == SQLITE_OK)
        while (sqlite3_step(indexes) == SQLITE_ROW)
            scans << QStringLiteral("SELECT rid FROM records INDEXED BY \"%1\"").arg(text(indexes, 0));
    sqlite3_finalize(indexes);
    for (const QString &scan : scans) {
        sqlite3_stmt *stmt = nullptr;
        if (sqlite3_prepare_v2(db, scan.toUtf8().constData(), -1, &stmt, nullptr) == SQLITE_OK)
            while (sqlite3_step(stmt) == SQLITE_ROW)
                known.insert(sqlite3_column_int64(stmt, 0));
        sqlite3_finalize(stmt);
    }
    return known;
}

QString nextBackup(const QString &path)
{
    QString backup = path + QStringLiteral(".bak");
    for (int n = 1; QFile::exists(backup); ++n)
        backup = path + QStringLiteral(".bak%1").arg(n);
    return backup;
}

} // namespace

QString exampleLabel(const QString &examplePath)
{
    QFile f(examplePath);
    if (examplePath.isEmpty() || !f.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QTextStream in(&f);
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.startsWith(QLatin1String("label=")))
            return line.mid(6).trimmed();
    }
    return {};
}

RepairResult repairFile(const QString &path, const QString &examplePath)
{
    RepairResult result;
    const QString name = QFileInfo(path).fileName();
    if (!QFile::exists(path)) {
        result.message = QStringLiteral("There is no file %1.").arg(path);
        return result;
    }
    if (!looksLikeSqlite(path)) {
        result.message = QStringLiteral("%1 is not a catalogue file; it was left alone.").arg(name);
        return result;
    }
    // Everything is read from a copy: opening the original could roll its journal back into it.
    QTemporaryDir work(QFileInfo(path).absolutePath() + QStringLiteral("/.crxfix-XXXXXX"));
    const QString copy = work.filePath(QStringLiteral("damaged.tps"));
    if (!work.isValid() || !QFile::copy(path, copy)) {
        result.message = QStringLiteral("%1 could not be copied for its repair; it was left alone.").arg(name);
        return result;
    }
    if (QFile::exists(path + QStringLiteral("-journal")))
        QFile::copy(path + QStringLiteral("-journal"), copy + QStringLiteral("-journal"));

    sqlite3 *damaged = nullptr;
    sqlite3_open_v2(copy.toUtf8().constData(), &damaged, SQLITE_OPEN_READWRITE, nullptr);
    bool checked = false;
    const QString verdict = firstText(damaged, "PRAGMA integrity_check", &checked);
    if (checked && verdict == QLatin1String("ok")) {
        sqlite3_close(damaged);
        result.outcome = RepairResult::Sound;
        result.message = QStringLiteral("%1 is sound; nothing was changed.").arg(name);
        return result;
    }
    // The schema of a damaged file may not load as a whole; only its tables are read (from a copy).
    sqlite3_exec(damaged, "PRAGMA writable_schema = 1", nullptr, nullptr, nullptr);
    QString label = exampleLabel(examplePath);
    if (label.isEmpty())
        label = firstText(damaged, "SELECT label FROM file_info");
    const FileDef *def = layoutNamed(label);
    if (!def) {
        sqlite3_close(damaged);
        result.message = QStringLiteral("%1 cannot be identified as a catalogue file; it was left alone.").arg(name);
        return result;
    }
    const std::set<qint64> known = knownRecords(damaged);

    // A new file of the layout, filled with every record that can be read.
    const QString fresh = work.filePath(QStringLiteral("new"));
    QDir().mkpath(fresh);
    DataFile repaired(*def, fresh);
    if (repaired.create() != NoError) {
        sqlite3_close(damaged);
        result.message = QStringLiteral("A new %1 could not be made (%2); the damaged file was left alone.")
                             .arg(name, lastResult().text);
        return result;
    }
    // Each record read on its own: a damaged page loses only the records on it.
    const TableSql &t = tableSql(*def);
    sqlite3_stmt *row = nullptr;
    sqlite3_prepare_v2(damaged, ("SELECT " + t.fieldColumns.join(", ") + " FROM records WHERE rid = ?").toUtf8().constData(),
                       -1, &row, nullptr);
    repaired.stream();
    bool added = true;
    const qint64 highest = known.empty() ? 0 : *known.rbegin();
    for (qint64 rid = 1; row && rid <= highest && added; ++rid) {
        sqlite3_bind_int64(row, 1, rid);
        if (sqlite3_step(row) == SQLITE_ROW) {
            Record &record = repaired.buffer();
            record.clear();
            for (size_t f = 0; f < def->fields.size(); ++f) {
                if (def->fields[f].isText())
                    record.setText(int(f), text(row, int(f)));
                else
                    record.setNumber(int(f), sqlite3_column_int64(row, int(f)));
            }
            added = repaired.add() == NoError;
            if (added)
                ++result.recovered;
        }
        sqlite3_reset(row);
    }
    sqlite3_finalize(row);
    sqlite3_close(damaged);
    if (repaired.flush() != NoError || !added) {
        result.message = QStringLiteral("The recovered records of %1 could not be stored; it was left alone.").arg(name);
        return result;
    }
    const QString made = repaired.path();
    repaired.close();

    // The damaged file is kept; the new one takes its place.
    result.backup = nextBackup(path);
    if (!QFile::rename(path, result.backup)) {
        result.message = QStringLiteral("%1 could not be set aside; it was left alone.").arg(name);
        return result;
    }
    if (!QFile::rename(made, path)) {
        QFile::rename(result.backup, path);
        result.message = QStringLiteral("The repaired %1 could not take its place; it was left alone.").arg(name);
        return result;
    }
    QFile::remove(path + QStringLiteral("-journal"));
    result.lost = std::max<qint64>(0, qint64(known.size()) - result.recovered);
    result.outcome = RepairResult::Repaired;
    result.message = QStringLiteral("%1 was repaired: %2 records recovered, %3.  The damaged file was kept as %4.  "
                                    "Start Cantorix Pro again to work on the repaired file.")
                         .arg(name)
                         .arg(result.recovered)
                         .arg(QStringLiteral("%1 known to be lost").arg(result.lost))
                         .arg(QFileInfo(result.backup).fileName());
    return result;
}

} // namespace crx
