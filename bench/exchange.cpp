// The comma-separated exchange over generated data:
//   exchange_import_100k  100,000 lines, 6 columns assigned, two of them through a date and a time
//                         picture, against a plain split of the same lines inserted with one raw
//                         prepared statement in one transaction (limit 2)
//   exchange_export_1m    1,000,000 songs with 10 fields into a file, against one raw query in
//                         the same order writing the same text (limit 2)
#include "benchreport.h"
#include "catalogue_generator.h"
#include "datafile.h"
#include "delimited.h"
#include "delimitedexport.h"
#include "fileset.h"
#include "picture.h"
#include "rawsongs.h"
#include "record.h"
#include "songimport.h"
#include "tablesql.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

using namespace crx;
using namespace crx::bench;

namespace {

constexpr int ImportLines = 100000, ExportSongs = 1000000, Albums = 80000;
QString cache, big, csv;

void writeCsv()
{
    QFile out(csv);
    out.open(QIODevice::WriteOnly);
    Record song(fileDef(FileId::Cantorix));
    for (int n = 1; n <= ImportLines; ++n) {
        makeSong(song, n, 8000);
        const QString line = writtenField("@s50", song.get("MUS:Artist")) + ',' + writtenField("@s50", song.get("MUS:Title"))
                             + ',' + writtenField("@s50", song.get("MUS:Album")) + ','
                             + writtenField("@s20", song.get("MUS:Media")) + ','
                             + QStringLiteral("%1/%2/19%3").arg(1 + n % 12).arg(1 + n % 28).arg(50 + n % 50) + ','
                             + writtenField("@T4", 1 + 100 * (120 + n % 300));
        out.write(line.toUtf8() + '\n');
    }
}

QString freshDirectory(const char *name)
{
    const QString dir = QDir(cache).filePath(QLatin1String(name));
    QDir(dir).removeRecursively();
    QDir().mkpath(dir);
    DataFile empty(fileDef(FileId::Cantorix), dir);
    empty.create();
    return dir;
}

void importOurs(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        FileSet files(freshDirectory("import-ours"));
        state.ResumeTiming();
        DelimitedLines lines;
        lines.open(csv);
        QString first;
        lines.next(first);
        ImportPlan plan{importColumns(first, nullptr),
                        {{"MUS:Artist", 0}, {"MUS:Title", 1}, {"MUS:Album", 2}, {"MUS:Media", 3}, {"MUS:ReleaseDate", 4},
                         {"MUS:Time", 5}},
                        false};
        plan.columns[4].picture = QStringLiteral("@d2");
        plan.columns[5].picture = QStringLiteral("@T4");
        SongImport run(files, lines, plan);
        if (run.start())
            while (run.tick()) {
            }
        if (run.added() != ImportLines)
            state.SkipWithError("not every line was added");
    }
}

QString unquoted(const QString &field)
{
    return field.size() >= 2 && field.startsWith('"') ? field.mid(1, field.size() - 2) : field;
}

void importBaseline(benchmark::State &state)
{
    const FileDef &def = fileDef(FileId::Cantorix);
    const TableSql &t = tableSql(def);
    const int artist = def.fieldIndex("Artist"), title = def.fieldIndex("Title"), album = def.fieldIndex("Album"),
              media = def.fieldIndex("Media"), release = def.fieldIndex("ReleaseDate"), time = def.fieldIndex("Time");
    const QString sql = "INSERT INTO records(" + (t.fieldColumns + t.shadowColumns).join(", ") + ") VALUES("
                        + placeholders(t.fieldColumns.size() + t.shadowColumns.size()) + ")";
    for (auto _ : state) {
        state.PauseTiming();
        const QString dir = freshDirectory("import-baseline");
        sqlite3 *db = openRaw(QDir(dir).filePath("crxdata.tps"), SQLITE_OPEN_READWRITE);
        sqlite3_exec(db, "PRAGMA cache_size = -131072", nullptr, nullptr, nullptr);
        sqlite3_stmt *insert = prepareRaw(db, sql);
        state.ResumeTiming();
        QFile in(csv);
        in.open(QIODevice::ReadOnly);
        Record row(def);
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        while (!in.atEnd()) {
            const QStringList fields = QString::fromUtf8(in.readLine().trimmed()).split(',');
            row.clear();
            row.setText(artist, unquoted(fields.value(0)));
            row.setText(title, unquoted(fields.value(1)));
            row.setText(album, unquoted(fields.value(2)));
            row.setText(media, unquoted(fields.value(3)));
            row.setNumber(release, readValue("@d2", fields.value(4)).toLongLong());
            row.setNumber(time, readValue("@T4", unquoted(fields.value(5))).toLongLong());
            std::vector<QByteArray> texts;
            for (size_t f = 0; f < def.fields.size(); ++f) {
                if (def.fields[f].isText()) {
                    texts.push_back(row.text(int(f)).toUtf8());
                    sqlite3_bind_text(insert, int(f) + 1, texts.back().constData(), int(texts.back().size()), SQLITE_TRANSIENT);
                } else {
                    sqlite3_bind_int64(insert, int(f) + 1, row.number(int(f)));
                }
            }
            for (size_t s = 0; s < t.shadowFields.size(); ++s) {
                const QByteArray k = keyText(row.text(t.shadowFields[s])).toUtf8();
                sqlite3_bind_text(insert, int(def.fields.size() + s) + 1, k.constData(), int(k.size()), SQLITE_TRANSIENT);
            }
            if (sqlite3_step(insert) != SQLITE_DONE)
                state.SkipWithError("insert failed");
            sqlite3_reset(insert);
        }
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        state.PauseTiming();
        sqlite3_finalize(insert);
        sqlite3_close(db);
        state.ResumeTiming();
    }
}

const std::vector<ExportField> TenFields = {
    {"MUS:Artist", "@s50"}, {"MUS:Title", "@s50"}, {"MUS:Mix", "@s30"}, {"MUS:Album", "@s50"},
    {"MUS:Media", "@s20"}, {"MUS:FileNumber", "@s20"}, {"MUS:ReleaseDate", "@n4"}, {"MUS:TrackNumber", "@n3"},
    {"MUS:BeatsPerMinute", "@n_4b"}, {"MUS:Time", "@T4"}};

void exportOurs(benchmark::State &state)
{
    const QString path = QDir(cache).filePath("export-ours.csv");
    for (auto _ : state) {
        FileSet files(big);
        DelimitedExport out(files, ExportKind::Songs, TenFields, false);
        QString error;
        if (!out.create(path, error) || !out.start())
            state.SkipWithError("the export did not start");
        while (out.tick()) {
        }
        if (!out.finish(error))
            state.SkipWithError("the export did not finish");
    }
}

void exportBaseline(benchmark::State &state)
{
    const FileDef &def = fileDef(FileId::Cantorix);
    const KeySql &key = tableSql(def).keys[size_t(def.keyIndex("MUS:SongsByArtist"))];
    sqlite3 *db = openRaw(QDir(big).filePath("crxdata.tps"), SQLITE_OPEN_READONLY);
    sqlite3_stmt *select = prepareRaw(db, "SELECT Artist, Title, Mix, Album, Media, FileNumber, ReleaseDate, TrackNumber, "
                                          "BeatsPerMinute, Time FROM records ORDER BY " + key.columns.join(", ") + ", rid");
    const QString path = QDir(cache).filePath("export-baseline.csv");
    for (auto _ : state) {
        QFile out(path);
        out.open(QIODevice::WriteOnly);
        while (sqlite3_step(select) == SQLITE_ROW) {
            QString line;
            for (int c = 0; c < 10; ++c) {
                if (c > 0)
                    line += ',';
                if (c < 6) {
                    QString text = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(select, c)));
                    line += '"' + text.replace('"', QStringLiteral("\"\"")) + '"';
                } else if (c < 9) {
                    line += QString::number(sqlite3_column_int64(select, c));
                } else {
                    line += '"' + formatValue(QStringLiteral("@T4"), sqlite3_column_int64(select, c)) + '"';
                }
            }
            out.write(line.toUtf8() + '\n');
        }
        sqlite3_reset(select);
    }
    sqlite3_finalize(select);
    sqlite3_close(db);
}

} // namespace

int main(int argc, char **argv)
{
    cache = cacheDirectory(argc, argv);
    QCoreApplication app(argc, argv);
    big = cache;
    ensureCatalogue(big, ExportSongs, Albums);
    csv = QDir(cache).filePath("import-100k.csv");
    writeCsv();
    benchmark::RegisterBenchmark("exchange_import_100k/ours", importOurs)->Iterations(2);
    benchmark::RegisterBenchmark("exchange_import_100k/baseline", importBaseline)->Iterations(2);
    benchmark::RegisterBenchmark("exchange_export_1m/ours", exportOurs)->Iterations(1);
    benchmark::RegisterBenchmark("exchange_export_1m/baseline", exportBaseline)->Iterations(1);
    return runAndReport(argc, argv, {{QStringLiteral("exchange_import_100k"), {"us", 2.0}},
                                     {QStringLiteral("exchange_export_1m"), {"us", 2.0}}});
}
