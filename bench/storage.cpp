// The storage engine against raw prepared SQLite on the same schema and
// indexes, on a generated catalogue of 1,000,000 songs and 80,000 albums:
//   storage_bulk_add    adding songs in bulk mode, rows per second (limit 2)
//   storage_seek_read30_<key>  set by key at a random point and read 30 records (limit 3)
//   storage_get_by_key  get by key at random identifiers (limit 3)
#include "benchreport.h"
#include "catalogue_generator.h"
#include "datafile.h"
#include "tablesql.h"

#include <QDir>
#include <QFile>
#include <benchmark/benchmark.h>
#include <random>
#include <sqlite3.h>
#include <vector>

using namespace crx;
using namespace crx::bench;

namespace {

constexpr int Songs = 1000000;
constexpr int Albums = 80000;
constexpr int BulkRows = 20000;
constexpr int Samples = 512;

QString cache;
const FileDef &songDef = fileDef(FileId::Cantorix);

// The rows a bulk add writes, prepared once so both sides write the same rows.
std::vector<Record> bulkRows()
{
    std::vector<Record> rows;
    rows.reserve(BulkRows);
    for (int n = 1; n <= BulkRows; ++n) {
        rows.emplace_back(songDef);
        makeSong(rows.back(), n, Albums);
    }
    return rows;
}

QString freshFile(const char *name)
{
    const QString dir = QDir(cache).filePath(name);
    QDir(dir).removeRecursively();
    QDir().mkpath(dir);
    DataFile empty(songDef, dir);
    empty.create();
    return dir;
}

void bulkOurs(benchmark::State &state)
{
    const std::vector<Record> rows = bulkRows();
    for (auto _ : state) {
        state.PauseTiming();
        DataFile songs(songDef, freshFile("bulk-ours"));
        songs.open();
        state.ResumeTiming();
        songs.stream();
        for (const Record &row : rows) {
            songs.buffer() = row;
            if (songs.add() != NoError)
                state.SkipWithError("add failed");
        }
        songs.flush();
    }
    state.SetItemsProcessed(state.iterations() * BulkRows);
}

// The same rows with prepared SQLite inserts, every value already encoded.
void bulkBaseline(benchmark::State &state)
{
    const std::vector<Record> rows = bulkRows();
    const TableSql &t = tableSql(songDef);
    std::vector<std::vector<QByteArray>> texts;
    for (const Record &row : rows) {
        std::vector<QByteArray> encoded;
        for (size_t f = 0; f < songDef.fields.size(); ++f)
            encoded.push_back(row.text(int(f)).toUtf8());
        for (int f : t.shadowFields)
            encoded.push_back(keyText(row.text(f)).toUtf8());
        texts.push_back(std::move(encoded));
    }
    const QByteArray sql = ("INSERT INTO records(" + (t.fieldColumns + t.shadowColumns).join(", ") + ") VALUES("
                            + placeholders(t.fieldColumns.size() + t.shadowColumns.size()) + ")").toUtf8();
    for (auto _ : state) {
        state.PauseTiming();
        const QString dir = freshFile("bulk-baseline");
        sqlite3 *db = nullptr;
        sqlite3_open(QDir(dir).filePath("crxdata.tps").toUtf8().constData(), &db);
        sqlite3_exec(db, "PRAGMA cache_size = -131072", nullptr, nullptr, nullptr);
        sqlite3_stmt *stmt = nullptr;
        sqlite3_prepare_v2(db, sql.constData(), -1, &stmt, nullptr);
        state.ResumeTiming();
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        for (size_t r = 0; r < rows.size(); ++r) {
            for (size_t f = 0; f < songDef.fields.size(); ++f) {
                if (songDef.fields[f].isText())
                    sqlite3_bind_text(stmt, int(f) + 1, texts[r][f].constData(), int(texts[r][f].size()), SQLITE_STATIC);
                else
                    sqlite3_bind_int64(stmt, int(f) + 1, rows[r].number(int(f)));
            }
            for (size_t s = 0; s < t.shadowFields.size(); ++s) {
                const QByteArray &k = texts[r][songDef.fields.size() + s];
                sqlite3_bind_text(stmt, int(songDef.fields.size() + s) + 1, k.constData(), int(k.size()), SQLITE_STATIC);
            }
            if (sqlite3_step(stmt) != SQLITE_DONE)
                state.SkipWithError("insert failed");
            sqlite3_reset(stmt);
        }
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        state.PauseTiming();
        sqlite3_finalize(stmt);
        sqlite3_close(db);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * BulkRows);
}

// Random songs of the big catalogue whose key values serve as starting points.
const std::vector<Record> &samples()
{
    static const std::vector<Record> picked = [] {
        std::vector<Record> out;
        std::mt19937 random(42);
        Record song(songDef);
        for (int i = 0; i < Samples; ++i) {
            makeSong(song, 1 + int(random() % Songs), Albums);
            out.push_back(song);
        }
        return out;
    }();
    return picked;
}

void seekOurs(benchmark::State &state, int key)
{
    DataFile songs(songDef, cache);
    if (songs.open() != NoError) {
        state.SkipWithError("no catalogue");
        return;
    }
    size_t i = 0;
    for (auto _ : state) {
        songs.buffer() = samples()[i++ % Samples];
        songs.set(key);
        for (int n = 0; n < 30 && songs.next() == NoError; ++n)
            benchmark::DoNotOptimize(songs.buffer().rowId);
    }
}

// The raw query: the rows from a key value on, 30 of them, each read into memory.
void seekBaseline(benchmark::State &state, int key)
{
    const TableSql &t = tableSql(songDef);
    const KeySql &k = t.keys[size_t(key)];
    const QString sql = "SELECT " + t.selectList + " FROM records WHERE "
                        + (k.optPredicate.isEmpty() ? QString() : k.optPredicate + " AND ") + "(" + k.columns.join(", ")
                        + ") >= (" + placeholders(k.columns.size()) + ") ORDER BY " + k.columns.join(", ") + ", rid LIMIT 30";
    sqlite3 *db = nullptr;
    sqlite3_open_v2(QDir(cache).filePath("crxdata.tps").toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &stmt, nullptr) != SQLITE_OK) {
        state.SkipWithError("prepare failed");
        return;
    }
    DataFile keys(songDef, cache); // used only to bind the key values
    std::vector<QString> texts(songDef.fields.size());
    std::vector<qint64> numbers(songDef.fields.size());
    size_t i = 0;
    for (auto _ : state) {
        keys.bindKey(stmt, 1, key, samples()[i++ % Samples]);
        while (sqlite3_step(stmt) == SQLITE_ROW)
            readSongRow(stmt, texts, numbers);
        sqlite3_reset(stmt);
        benchmark::DoNotOptimize(texts.data());
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
}

void getOurs(benchmark::State &state)
{
    DataFile songs(songDef, cache);
    songs.open();
    const int key = songDef.keyIndex("KeyID");
    std::mt19937 random(7);
    for (auto _ : state) {
        songs.buffer().set("ID", 1 + int(random() % Songs));
        if (songs.get(key) != NoError)
            state.SkipWithError("get failed");
    }
}

void getBaseline(benchmark::State &state)
{
    const TableSql &t = tableSql(songDef);
    const QString sql = "SELECT " + t.selectList + " FROM records WHERE " + t.keys[size_t(songDef.keyIndex("KeyID"))].optPredicate
                        + " AND (\"ID\") = (?) ORDER BY rid LIMIT 1";
    sqlite3 *db = nullptr;
    sqlite3_open_v2(QDir(cache).filePath("crxdata.tps").toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt *stmt = nullptr;
    sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &stmt, nullptr);
    std::vector<QString> texts(songDef.fields.size());
    std::vector<qint64> numbers(songDef.fields.size());
    std::mt19937 random(7);
    for (auto _ : state) {
        sqlite3_bind_int64(stmt, 1, 1 + random() % Songs);
        if (sqlite3_step(stmt) != SQLITE_ROW)
            state.SkipWithError("get failed");
        readSongRow(stmt, texts, numbers);
        sqlite3_reset(stmt);
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
}

// Reads the catalogue once so that both sides of every pair find it in the system's file cache.
void warmUp()
{
    QFile file(QDir(cache).filePath("crxdata.tps"));
    if (!file.open(QIODevice::ReadOnly))
        return;
    while (!file.read(1 << 20).isEmpty()) {
    }
}

} // namespace

int main(int argc, char **argv)
{
    cache = cacheDirectory(argc, argv);
    ensureCatalogue(cache, Songs, Albums);
    warmUp();
    std::map<QString, Figure> figures;

    benchmark::RegisterBenchmark("storage_bulk_add/ours", bulkOurs)->Iterations(3)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("storage_bulk_add/baseline", bulkBaseline)->Iterations(3)->Unit(benchmark::kMillisecond);
    figures["storage_bulk_add"] = {"rows/s", 2.0};

    for (size_t key = 0; key < songDef.keys.size(); ++key) {
        const QString name = "storage_seek_read30_" + songDef.keys[key].name;
        benchmark::RegisterBenchmark(qPrintable(name + "/ours"), seekOurs, int(key))->MinTime(0.3);
        benchmark::RegisterBenchmark(qPrintable(name + "/baseline"), seekBaseline, int(key))->MinTime(0.3);
        figures[name] = {"us", 3.0};
    }

    benchmark::RegisterBenchmark("storage_get_by_key/ours", getOurs)->MinTime(0.3);
    benchmark::RegisterBenchmark("storage_get_by_key/baseline", getBaseline)->MinTime(0.3);
    figures["storage_get_by_key"] = {"us", 3.0};

    return runAndReport(argc, argv, figures);
}
