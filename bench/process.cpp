// The passes of the batch process engine over the generated catalogue of
// 1,000,000 songs (some 50,000 artists):
//   process_artist_defaults   building the artist defaults, as a rate of songs; ours over raw
//                             SQLite statements doing the same reads and inserts (limit 3)
//   process_longest_tick      the longest tick of that pass (at most 50 ms)
//   process_autocomplete      completing a prefix against 200,000 artist defaults, over one raw
//                             prepared lookup (limit 3)
#include "artistdefaults.h"
#include "autocomplete.h"
#include "benchreport.h"
#include "catalogue_generator.h"
#include "datafile.h"
#include "fileset.h"
#include "rawsongs.h"
#include "tablesql.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

using namespace crx;
using namespace crx::bench;

namespace {

constexpr int Songs = 1000000;
constexpr int Defaults = 200000;
const FileDef &songDef = fileDef(FileId::Cantorix);
const FileDef &artistDef = fileDef(FileId::Artists);
QString big, defaults, rawDir;
double longestTickMs = 0;

QString artistsPath(const QString &dir)
{
    return DataFile(artistDef, dir).path();
}

// An empty artist file in dir, as the pass finds it at start-up.
void emptyArtists(const QString &dir)
{
    QFile::remove(artistsPath(dir));
    DataFile artists(artistDef, dir);
    if (artists.create() != NoError)
        qFatal("cannot create the artist file: %s", qPrintable(lastResult().text));
}

void ours(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        emptyArtists(big);
        state.ResumeTiming();
        FileSet files(big);
        const auto process = artistDefaultsProcess(files);
        if (!process->start())
            qFatal("the pass found no songs");
        QElapsedTimer tick;
        for (bool more = true; more;) {
            tick.start();
            more = process->tick();
            longestTickMs = std::max(longestTickMs, double(tick.nsecsElapsed()) / 1e6);
        }
    }
    state.SetItemsProcessed(state.iterations() * Songs);
}

void bindText(sqlite3_stmt *stmt, int index, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    sqlite3_bind_text(stmt, index, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
}

// Every song read whole in artist order, the first song of each artist inserted, in one transaction.
void baseline(benchmark::State &state)
{
    const TableSql &songs = tableSql(songDef);
    const TableSql &artists = tableSql(artistDef);
    const KeySql &byArtist = songs.keys[size_t(songDef.keyIndex("MUS:SongsByArtist"))];
    const int artistField = songDef.fieldIndex("MUS:Artist");
    const int categoryField = songDef.fieldIndex("MUS:CategoryID");
    std::vector<QString> texts(songDef.fields.size());
    std::vector<qint64> numbers(songDef.fields.size());
    for (auto _ : state) {
        state.PauseTiming();
        emptyArtists(rawDir);
        state.ResumeTiming();
        sqlite3 *read = openRaw(QDir(big).filePath("crxdata.tps"), SQLITE_OPEN_READONLY);
        sqlite3 *write = openRaw(artistsPath(rawDir), SQLITE_OPEN_READWRITE);
        sqlite3_stmt *select = prepareRaw(read, "SELECT " + songs.selectList + " FROM records ORDER BY "
                                                 + byArtist.columns.join(", ") + ", rid");
        sqlite3_stmt *insert = prepareRaw(write, "INSERT OR IGNORE INTO records("
                                                  + (artists.fieldColumns + artists.shadowColumns).join(", ")
                                                  + ") VALUES (?, ?, ?)");
        sqlite3_exec(write, "BEGIN", nullptr, nullptr, nullptr);
        QString previous;
        while (sqlite3_step(select) == SQLITE_ROW) {
            readSongRow(select, texts, numbers);
            const QString &artist = texts[size_t(artistField)];
            const QString key = artist.toUpper();
            if (artist.isEmpty() || key == previous)
                continue;
            previous = key;
            bindText(insert, 1, artist);
            sqlite3_bind_int64(insert, 2, numbers[size_t(categoryField)]);
            bindText(insert, 3, key);
            sqlite3_step(insert);
            sqlite3_reset(insert);
        }
        sqlite3_exec(write, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_finalize(select);
        sqlite3_finalize(insert);
        sqlite3_close(read);
        sqlite3_close(write);
    }
    state.SetItemsProcessed(state.iterations() * Songs);
}

// 200,000 artist defaults, made once and cached.
void ensureDefaults()
{
    const QString marker = QDir(defaults).filePath(QStringLiteral("complete-%1").arg(Defaults));
    if (QFile::exists(marker))
        return;
    emptyArtists(defaults);
    DataFile artists(artistDef, defaults);
    artists.open();
    artists.stream();
    for (int n = 1; n <= Defaults; ++n) {
        artists.buffer().clear();
        artists.buffer().set("Artist", makeArtist(n) + " " + QString::number(n));
        artists.buffer().set("CategoryID", 1 + n % 20);
        const int code = artists.add();
        if (code != NoError && code != DuplicateKey)
            qFatal("artist %d: %s", n, qPrintable(lastResult().text));
    }
    artists.flush();
    QFile(marker).open(QIODevice::WriteOnly);
}

// Prefixes of some lengths from names across the file, a few of them finding nothing.
QStringList prefixes()
{
    QStringList out;
    for (int n = 1; n <= 200; ++n) {
        const QString name = makeArtist(n * 997);
        out << name.left(1 + n % 8);
    }
    out << QStringLiteral("Zzz") << QStringLiteral("Qx");
    return out;
}

void oursComplete(benchmark::State &state)
{
    FileSet files(defaults);
    files.use(FileId::Artists); // the form holds the file while its field completes
    const QStringList texts = prefixes();
    qsizetype i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(completeArtist(files, texts[i++ % texts.size()]));
    files.release(FileId::Artists);
}

void baselineComplete(benchmark::State &state)
{
    const TableSql &artists = tableSql(artistDef);
    sqlite3 *db = openRaw(artistsPath(defaults), SQLITE_OPEN_READONLY);
    const KeySql &key = artists.keys.front();
    const QString opt = key.optPredicate.isEmpty() ? QString() : key.optPredicate + " AND ";
    sqlite3_stmt *lookup = prepareRaw(db, "SELECT " + artists.selectList + " FROM records WHERE " + opt
                                           + key.columns.front() + " >= ? ORDER BY " + key.columns.front()
                                           + ", rid LIMIT 1");
    const QStringList texts = prefixes();
    qsizetype i = 0;
    for (auto _ : state) {
        bindText(lookup, 1, texts[i++ % texts.size()].toUpper());
        QString found;
        if (sqlite3_step(lookup) == SQLITE_ROW)
            found = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(lookup, 2)));
        benchmark::DoNotOptimize(found);
        sqlite3_reset(lookup);
    }
    sqlite3_finalize(lookup);
    sqlite3_close(db);
}

} // namespace

int main(int argc, char **argv)
{
    const QString cache = cacheDirectory(argc, argv);
    big = cache;
    ensureCatalogue(big, Songs, 80000);
    defaults = QDir(cache).filePath("artists");
    rawDir = QDir(cache).filePath("raw-artists");
    QDir().mkpath(defaults);
    QDir().mkpath(rawDir);
    ensureDefaults();

    benchmark::RegisterBenchmark("process_artist_defaults/ours", ours)->Iterations(1)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("process_artist_defaults/baseline", baseline)
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("process_autocomplete/ours", oursComplete)->MinTime(0.3);
    benchmark::RegisterBenchmark("process_autocomplete/baseline", baselineComplete)->MinTime(0.3);
    int status = runAndReport(argc, argv, {{"process_artist_defaults", {"rows/s", 3.0}},
                                           {"process_autocomplete", {"us", 3.0}}});
    if (longestTickMs > 0)
        status |= reportCeiling("process_longest_tick", longestTickMs, "ms", 50.0);
    return status;
}
