// Playlists over the generated catalogue of 1,000,000 songs:
//   playlists_generate_<weighting>  a 99-song playlist drawn by the generator, against raw SQLite
//                                   statements making the same random record reads and entry
//                                   inserts in one transaction (limit 3)
//   playlists_chart_longest_tick    the longest tick of the chart update of a 1,000-entry
//                                   playlist (at most 50 ms)
#include "batchprocess.h"
#include "benchreport.h"
#include "catalogue_generator.h"
#include "chart.h"
#include "datafile.h"
#include "fileset.h"
#include "generator.h"
#include "playlistentries.h"
#include "rawsongs.h"
#include "tablesql.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <benchmark/benchmark.h>
#include <random>
#include <sqlite3.h>

using namespace crx;
using namespace crx::bench;

namespace {

constexpr int Songs = 1000000;
constexpr int Size = 99;
constexpr int ChartEntries = 1000;
const QDate Today(2026, 12, 11);
QString big;
// What ours drew and added for each weighting, for the baseline to do the same.
std::map<int, GeneratedPlaylist> lastMade;
double longestTickMs = 0;

const char *const weightingNames[] = {"none", "recent_addition", "recent_release", "older_addition",
                                      "older_release"};

void removePlaylists(const QString &dir)
{
    for (FileId id : {FileId::PlaylistMaster, FileId::PlaylistDetails})
        QFile::remove(DataFile(fileDef(id), dir).path());
}

void ours(benchmark::State &state, int weighting)
{
    FileSet files(big);
    files.use(FileId::Cantorix); // the list the generator is started from holds the files open
    std::mt19937_64 random(42);
    GeneratorChoices choices;
    choices.size = Size;
    choices.weighting = Weighting(weighting);
    for (auto _ : state)
        lastMade[weighting] = generatePlaylist(files, choices, random, Today);
    files.release(FileId::Cantorix);
}

// As many random record reads as ours made draws, each read whole, as many entry inserts and
// the playlist's own record, all in one transaction over the two playlist files as ours.
void baseline(benchmark::State &state, int weighting)
{
    const FileDef &songDef = fileDef(FileId::Cantorix);
    const FileDef &entryDef = fileDef(FileId::PlaylistDetails);
    const TableSql &songs = tableSql(songDef);
    const TableSql &entries = tableSql(entryDef);
    sqlite3 *read = openRaw(QDir(big).filePath("crxdata.tps"), SQLITE_OPEN_READONLY);
    sqlite3 *write = openRaw(DataFile(entryDef, big).path(), SQLITE_OPEN_READWRITE);
    sqlite3_stmt *highest = prepareRaw(read, "SELECT max(rid) FROM records");
    sqlite3_stmt *select = prepareRaw(read, "SELECT " + songs.selectList + " FROM records WHERE rid = ?");
    sqlite3_stmt *insert = prepareRaw(write, "INSERT INTO records(" + entries.fieldColumns.join(", ") + ") VALUES ("
                                              + placeholders(entries.fieldColumns.size()) + ")");
    const FileDef &playlistDef = fileDef(FileId::PlaylistMaster);
    const TableSql &playlists = tableSql(playlistDef);
    sqlite3_exec(write, ("ATTACH '" + DataFile(playlistDef, big).path().toUtf8() + "' AS master").constData(), nullptr,
                 nullptr, nullptr);
    sqlite3_stmt *addPlaylist = prepareRaw(
        write, "INSERT INTO master.records(" + (playlists.fieldColumns + playlists.shadowColumns).join(", ")
                   + ") VALUES (" + placeholders(playlists.fieldColumns.size() + playlists.shadowColumns.size()) + ")");
    std::vector<QString> texts(songDef.fields.size());
    std::vector<qint64> numbers(songDef.fields.size());
    std::mt19937_64 random(42);
    const GeneratedPlaylist &made = lastMade[weighting];
    qint64 playlist = 1000000;
    for (auto _ : state) {
        sqlite3_exec(write, "BEGIN", nullptr, nullptr, nullptr);
        ++playlist;
        const QByteArray name = "Play List #" + QByteArray::number(playlist);
        sqlite3_bind_int64(addPlaylist, 1, playlist);
        for (int f = 1; f < int(playlists.fieldColumns.size() + playlists.shadowColumns.size()); ++f)
            sqlite3_bind_text(addPlaylist, f + 1, name.constData(), int(name.size()), SQLITE_TRANSIENT);
        sqlite3_step(addPlaylist);
        sqlite3_reset(addPlaylist);
        for (int draw = 0; draw < made.draws; ++draw) {
            sqlite3_step(highest);
            const qint64 n = sqlite3_column_int64(highest, 0);
            sqlite3_reset(highest);
            sqlite3_bind_int64(select, 1, std::uniform_int_distribution<qint64>(1, n)(random));
            if (sqlite3_step(select) == SQLITE_ROW)
                readSongRow(select, texts, numbers);
            sqlite3_reset(select);
            if (draw >= made.entries)
                continue;
            for (int f = 0; f < int(entryDef.fields.size()); ++f) {
                if (entryDef.fields[size_t(f)].isText())
                    sqlite3_bind_text(insert, f + 1, "", 0, SQLITE_STATIC);
                else
                    sqlite3_bind_int64(insert, f + 1, f == 0 ? playlist : f == 1 ? draw + 1 : numbers[0]);
            }
            sqlite3_step(insert);
            sqlite3_reset(insert);
        }
        sqlite3_exec(write, "COMMIT", nullptr, nullptr, nullptr);
    }
    sqlite3_finalize(highest);
    sqlite3_finalize(select);
    sqlite3_finalize(insert);
    sqlite3_finalize(addPlaylist);
    sqlite3_close(read);
    sqlite3_close(write);
}

// The chart update of a playlist of 1,000 entries, tick by tick as its progress window runs it.
void chartTicks()
{
    FileSet files(big);
    GeneratorChoices choices;
    std::mt19937_64 random(7);
    const qint64 playlist = generatePlaylist(files, choices, random, Today).playlist;
    for (int n = 1; n <= ChartEntries; ++n)
        if (!addSongToPlaylist(files, playlist, n))
            qFatal("cannot add entry %d", n);
    const std::unique_ptr<BatchProcess> process = chartProcess(files, playlist, ChartEntries);
    if (!process->start())
        qFatal("the chart update found no entries");
    QElapsedTimer tick;
    for (bool more = true; more;) {
        tick.start();
        more = process->tick();
        longestTickMs = std::max(longestTickMs, double(tick.nsecsElapsed()) / 1e6);
    }
}

} // namespace

int main(int argc, char **argv)
{
    big = cacheDirectory(argc, argv);
    ensureCatalogue(big, Songs, 80000);
    removePlaylists(big);
    {
        // The files exist before the raw baseline opens them.
        FileSet files(big);
        files.use(FileId::PlaylistMaster);
        files.use(FileId::PlaylistDetails);
        files.release(FileId::PlaylistDetails);
        files.release(FileId::PlaylistMaster);
    }
    std::map<QString, Figure> figures;
    for (int w = 0; w < 5; ++w) {
        const QString name = QStringLiteral("playlists_generate_%1").arg(QLatin1String(weightingNames[w]));
        benchmark::RegisterBenchmark(qPrintable(name + "/ours"), [w](benchmark::State &s) { ours(s, w); })
            ->MinTime(0.3);
        benchmark::RegisterBenchmark(qPrintable(name + "/baseline"), [w](benchmark::State &s) { baseline(s, w); })
            ->MinTime(0.3);
        figures[name] = {"us", 3.0};
    }
    int status = runAndReport(argc, argv, figures);
    chartTicks();
    status |= reportCeiling("playlists_chart_longest_tick", longestTickMs, "ms", 50.0);
    removePlaylists(big);
    return status;
}
