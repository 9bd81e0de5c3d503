// The song and album list windows over a generated catalogue of 1,000,000
// songs, against the raw prepared SQLite queries that read the same rows
// (the page, the step table's ends, the category of each row shown), and
// against the same on a catalogue of 1,000 songs:
//   lists_<operation>        ours over the raw queries (limit 3)
//   lists_<operation>_scale  a million songs over a thousand (limit 1.5)
//   lists_header_sort_style  XploreSongs ordered on a column without a key (at most 1000 ms)
// Operations: open_<tab> (refilled on each tab of Browse Songs), switch_tab,
// locator (a letter typed, then Backspace), pagedown (Home, then Page Down),
// album_change (Down, then Up, on Browse Albums and Songs: the song list
// below follows).
#include "albumlists.h"
#include "benchreport.h"
#include "browsepage.h"
#include "browsesongs.h"
#include "catalogue_generator.h"
#include "datafile.h"
#include "explorerlists.h"
#include "fileset.h"
#include "rawsongs.h"
#include "tablesql.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTabBar>
#include <QTreeWidget>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

using namespace crx;
using namespace crx::bench;

namespace {

const FileDef &songDef = fileDef(FileId::Cantorix);
QString big, small;

const char *const tabKeys[] = {"SongsByArtist",  "SongsByTitle",       "SongsByAlbum",   "SongsByMedia",
                               "SongsByCategory", "SongsByChartNumber", "KeyBeatsPerMinute", "SongsByUserDefinedKey"};
constexpr int Tabs = 8;
enum Op { Open, SwitchTab, Locator, PageDown, AlbumChange };

void press(QWidget *list, int key, const QString &text = {})
{
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(list, &event);
}

// The filter values the media and category tabs are measured with.
void filter(BrowseSongs &list)
{
    list.filterMedia(QStringLiteral("CD"));
    list.filterCategory(7);
}

void oursSongs(benchmark::State &state, const QString *dir, Op op, int tab)
{
    FileSet files(*dir);
    BrowseSongs list(files);
    if (!list.start())
        qFatal("the song list did not open");
    filter(list);
    list.tabs()->setCurrentIndex(tab);
    for (auto _ : state) {
        switch (op) {
        case Open:
            list.refill();
            break;
        case SwitchTab:
            list.tabs()->setCurrentIndex(1);
            list.tabs()->setCurrentIndex(0);
            break;
        case Locator:
            press(list.listBox(), Qt::Key_M, QStringLiteral("m"));
            press(list.listBox(), Qt::Key_Backspace);
            break;
        case PageDown:
            press(list.listBox(), Qt::Key_Home);
            press(list.listBox(), Qt::Key_PageDown);
            break;
        case AlbumChange:
            break;
        }
    }
    list.reject();
}

void oursAlbums(benchmark::State &state, const QString *dir)
{
    FileSet files(*dir);
    BrowseAlbumsAndSongs list(files);
    if (!list.start())
        qFatal("the album list did not open");
    press(list.listBox(), Qt::Key_Down);
    for (auto _ : state) {
        press(list.listBox(), Qt::Key_Down);
        press(list.listBox(), Qt::Key_Up);
    }
    list.reject();
}

sqlite3_stmt *prepareOn(sqlite3 *db, const QString &sql)
{
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &stmt, nullptr) != SQLITE_OK)
        qFatal("cannot prepare %s", qPrintable(sql));
    return stmt;
}

// The statements beside a page read: a category by its identifier, and a page of albums. (The
// count in the title is kept while nothing is written, so neither side counts.)
struct RawExtras {
    explicit RawExtras(const QString &dir)
    {
        // A key's index holds only the records with a value: a query names that condition too.
        const auto byKey = [](FileId file, const char *key, const char *compare, const char *tail) {
            const FileDef &def = fileDef(file);
            const KeySql &k = tableSql(def).keys[size_t(def.keyIndex(key))];
            const QString opt = k.optPredicate.isEmpty() ? QStringLiteral("1") : k.optPredicate;
            return "SELECT " + tableSql(def).selectList + " FROM records WHERE " + opt + " AND " + k.columns.first()
                   + compare + " ORDER BY " + k.columns.first() + tail;
        };
        sqlite3_open_v2(QDir(dir).filePath(fileDef(FileId::Categories).diskName + ".tps").toUtf8().constData(),
                        &categories, SQLITE_OPEN_READONLY, nullptr);
        category = prepareOn(categories, byKey(FileId::Categories, "KeyCategoryID", " = ?", ""));
        sqlite3_open_v2(QDir(dir).filePath(fileDef(FileId::Album).diskName + ".tps").toUtf8().constData(), &albums,
                        SQLITE_OPEN_READONLY, nullptr);
        albumPage = prepareOn(albums, byKey(FileId::Album, "KeyAlbumID", " >= ?", " LIMIT ?"));
    }
    ~RawExtras()
    {
        for (sqlite3_stmt *s : {category, albumPage})
            sqlite3_finalize(s);
        sqlite3_close(categories);
        sqlite3_close(albums);
    }
    void categoriesOf(RawSongs &raw, int rows)
    {
        for (int i = 0; i < rows; ++i)
            raw.readWhere(category, 1 + i % 20);
    }
    sqlite3_stmt *category, *albumPage;
    sqlite3 *categories = nullptr, *albums = nullptr;
};

// How many rows the song list shows: what each of its page reads fetches.
int songRows = 0, albumRows = 0;
// The generated catalogue has about this many songs an album (1,000,000 over 80,000).
constexpr int SongsPerAlbum = 13;

void baselineSongs(benchmark::State &state, const QString *dir, Op op, int tab)
{
    RawSongs raw(*dir, songDef.keyIndex(tabKeys[tab]));
    RawSongs songsOfAlbum(*dir, songDef.keyIndex("KeyAlbumID"));
    RawExtras extra(*dir);
    const bool ranged = tab == 3 || tab == 4;
    const QVariant start = tab == 3 ? QVariant(QStringLiteral("CD")) : QVariant(qlonglong(7));
    const auto page = [&](int rows) {
        if (ranged)
            raw.read(raw.forwardFrom, rows, start);
        else
            raw.read(raw.forwardFromStart, rows);
    };
    const auto locate = [&] { // the record found, the rows before it and the rows after it
        raw.read(raw.forwardFrom, 1, QStringLiteral("M"));
        raw.read(raw.backwardFrom, (songRows - 1) / 2, QStringLiteral("M"));
        raw.read(raw.forwardFrom, songRows - (songRows - 1) / 2, QStringLiteral("M"));
        extra.categoriesOf(raw, songRows);
    };
    for (auto _ : state) {
        switch (op) {
        case Open:
            page(songRows);
            page(1);
            raw.read(raw.backwardFromEnd, 1);
            extra.categoriesOf(raw, songRows);
            break;
        case SwitchTab:
            for (int i = 0; i < 2; ++i) {
                locate();
                raw.read(raw.forwardFromStart, 1);
                raw.read(raw.backwardFromEnd, 1);
                }
            break;
        case Locator:
            locate();
            page(songRows);
            extra.categoriesOf(raw, songRows);
            break;
        case PageDown:
            page(songRows);
            page(2 * songRows);
            extra.categoriesOf(raw, 2 * songRows);
            break;
        case AlbumChange:
            for (qint64 album : {2, 1}) {
                sqlite3_bind_int64(extra.albumPage, 1, album);
                sqlite3_bind_int(extra.albumPage, 2, albumRows);
                while (sqlite3_step(extra.albumPage) == SQLITE_ROW)
                    readSongRow(extra.albumPage, raw.texts, raw.numbers);
                sqlite3_reset(extra.albumPage);
                extra.categoriesOf(raw, albumRows);
                songsOfAlbum.read(songsOfAlbum.forwardFrom, SongsPerAlbum, album);
                extra.categoriesOf(raw, SongsPerAlbum);
            }
            break;
        }
    }
}

// The list ordered on a column without a key, once: the first page in the new order.
double headerSortMs(const QString &dir)
{
    FileSet files(dir);
    XploreSongs list(files);
    if (!list.start())
        qFatal("the explorer list did not open");
    constexpr int StyleColumn = 11;
    QElapsedTimer timer;
    timer.start();
    list.headerClicked(StyleColumn);
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    list.reject();
    return ms;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QString cache = cacheDirectory(argc, argv);
    QApplication app(argc, argv);
    big = cache;
    small = QDir(cache).filePath("small");
    QDir().mkpath(small);
    ensureCatalogue(big, 1000000, 80000);
    ensureCatalogue(small, 1000, 80);
    for (const QString *dir : {&big, &small}) {
        FileSet files(*dir);
        BrowseSongs songs(files);
        if (!songs.start())
            qFatal("the song list did not open");
        songRows = songs.page().capacity();
        songs.reject();
        BrowseAlbumsAndSongs albums(files);
        if (!albums.start())
            qFatal("the album list did not open");
        albumRows = albums.page().capacity();
        albums.reject();
    }

    std::map<QString, Figure> figures;
    const auto add = [&](const QString &name, auto oursRun, auto baselineRun, auto smallRun) {
        benchmark::RegisterBenchmark(qPrintable(name + "/ours"), oursRun)->MinTime(0.2);
        benchmark::RegisterBenchmark(qPrintable(name + "/baseline"), baselineRun)->MinTime(0.2);
        benchmark::RegisterBenchmark(qPrintable(name + "_scale/ours"), oursRun)->MinTime(0.2);
        benchmark::RegisterBenchmark(qPrintable(name + "_scale/baseline"), smallRun)->MinTime(0.2);
        figures[name] = {"us", 3.0};
        figures[name + "_scale"] = {"us", 1.5};
    };
    const auto songRun = [](const QString *dir, Op op, int tab) {
        return [dir, op, tab](benchmark::State &state) { oursSongs(state, dir, op, tab); };
    };
    const auto rawRun = [](const QString *dir, Op op, int tab) {
        return [dir, op, tab](benchmark::State &state) { baselineSongs(state, dir, op, tab); };
    };
    for (int tab = 0; tab < Tabs; ++tab)
        add(QStringLiteral("lists_open_%1").arg(tabKeys[tab]), songRun(&big, Open, tab), rawRun(&big, Open, tab),
            songRun(&small, Open, tab));
    add("lists_switch_tab", songRun(&big, SwitchTab, 0), rawRun(&big, SwitchTab, 0), songRun(&small, SwitchTab, 0));
    add("lists_locator", songRun(&big, Locator, 0), rawRun(&big, Locator, 0), songRun(&small, Locator, 0));
    add("lists_pagedown", songRun(&big, PageDown, 0), rawRun(&big, PageDown, 0), songRun(&small, PageDown, 0));
    add("lists_album_change", [](benchmark::State &state) { oursAlbums(state, &big); },
        rawRun(&big, AlbumChange, 0), [](benchmark::State &state) { oursAlbums(state, &small); });
    int status = runAndReport(argc, argv, figures);
    status |= reportCeiling("lists_header_sort_style", headerSortMs(big), "ms", 1000.0);
    return status;
}
