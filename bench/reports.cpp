// Reports over the generated catalogue:
//   reports_songs_by_artist_100k  "Songs by Artist" over 100,000 songs into the page list, against
//                                 one raw query over the same rows in the same order drawing the
//                                 same strings onto QPicture pages (limit 3)
//   reports_page_list_1m_resident the resident memory of the program holding the page list of
//                                 "Songs by Artist" over 1,000,000 songs (at most 600 MiB)
//   reports_preview_open_1m       opening the preview on that page list and drawing it (at most
//                                 500 ms: it draws only the page shown)
//   reports_preview_page_1m       moving to another page of it and drawing that (at most 100 ms)
#include "benchreport.h"
#include "catalogue_generator.h"
#include "datafile.h"
#include "fileset.h"
#include "picture.h"
#include "printer.h"
#include "rawsongs.h"
#include "reportpreview.h"
#include "reportprocedure.h"
#include "settings.h"
#include "songreports.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPainter>
#include <QPicture>
#include <QSpinBox>
#include <benchmark/benchmark.h>
#include <map>
#include <sqlite3.h>

using namespace crx;
using namespace crx::bench;

namespace {

constexpr int SmallSongs = 100000, BigSongs = 1000000, Albums = 80000, Categories = 20;
QString small, big;
qint64 pagesMade = 0;

// The reports only ask the printer for its copies here.
class NoPrinter : public Printer
{
public:
    bool installed() override { return false; }
    void setup() override {}
    int copies() override { return 1; }
    bool makesCopies() override { return true; }
    bool print(const PageList &, int, bool, QString &) override { return false; }
};

void ensureCategories(const QString &dir)
{
    FileSet files(dir);
    DataFile &categories = files.use(FileId::Categories);
    if (categories.records() == 0)
        for (int id = 1; id <= Categories; ++id) {
            categories.buffer().clear();
            categories.buffer().set("CAT:CategoryID", id);
            categories.buffer().set("CAT:Category", QStringLiteral("Category %1").arg(id));
            categories.add();
        }
    files.release(FileId::Categories);
}

// The standard "Songs by Artist" into its page list, as the progress window runs it.
std::unique_ptr<ReportProcedure> runReport(FileSet &files, const ReportDescription &report)
{
    auto procedure = std::make_unique<ReportProcedure>(files, report);
    if (!procedure->decide([](const QString &) { return true; }) || !procedure->start())
        qFatal("the report did not start");
    while (procedure->tick()) {
    }
    if (!procedure->finishReading())
        qFatal("the report made no pages");
    return procedure;
}

void ours(benchmark::State &state)
{
    const auto report = songsByArtist();
    for (auto _ : state) {
        FileSet files(small);
        pagesMade = runReport(files, *report)->pages().count();
    }
}

QString text(sqlite3_stmt *stmt, int column)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, column)),
                             sqlite3_column_bytes(stmt, column));
}

// The same rows in the same order from one query, the same strings on as many pages.
void baseline(benchmark::State &state)
{
    sqlite3 *db = openRaw(QDir(small).filePath("crxdata.tps"), SQLITE_OPEN_READONLY);
    sqlite3_exec(db, ("ATTACH '" + DataFile(fileDef(FileId::Categories), small).path().toUtf8() + "' AS cat").constData(), nullptr,
                 nullptr, nullptr);
    const KeySql &key = tableSql(fileDef(FileId::Cantorix)).keys[size_t(fileDef(FileId::Cantorix).keyIndex("MUS:SongsByArtist"))];
    sqlite3_stmt *songs = prepareRaw(
        db, "SELECT Artist, Title, Album, Media, CategoryID, FileNumber, ReleaseDate, TrackNumber, ChartNumber, Skips, "
            "DoNotPlay, Mix FROM records ORDER BY " + key.columns.join(", ") + ", rid");
    sqlite3_stmt *categories = prepareRaw(db, "SELECT CategoryID, Category FROM cat.records");
    const Picture date = parsePicture(withDateFormat(QStringLiteral("@d17"), settings().dateFormat));
    const Picture number = parsePicture(QStringLiteral("@n3b"));
    const QFont detail(QStringLiteral("Liberation Sans"), 8);
    const int xs[] = {250, 2250, 4350, 6350, 7100, 450, 2250, 4350, 6350};
    const int ws[] = {1950, 2050, 1950, 700, 1150, 1750, 1200, 450, 450};
    for (auto _ : state) {
        std::map<qint64, QString> names;
        while (sqlite3_step(categories) == SQLITE_ROW)
            names[sqlite3_column_int64(categories, 0)] = text(categories, 1);
        sqlite3_reset(categories);
        std::vector<std::unique_ptr<QPicture>> pages;
        std::unique_ptr<QPainter> painter;
        int y = 11000;
        while (sqlite3_step(songs) == SQLITE_ROW) {
            const QString artist = text(songs, 0), title = text(songs, 1);
            if (artist.contains(QLatin1String("(*)")) || title.contains(QLatin1String("(Skips)"))
                || sqlite3_column_int(songs, 9) || sqlite3_column_int(songs, 10))
                continue;
            if (y + 300 > 10590) {
                if (painter)
                    painter->end();
                pages.push_back(std::make_unique<QPicture>());
                painter = std::make_unique<QPainter>(pages.back().get());
                painter->setFont(detail);
                y = 900;
            }
            const QString values[] = {artist,
                                      title,
                                      text(songs, 2),
                                      text(songs, 3),
                                      names[sqlite3_column_int64(songs, 4)],
                                      text(songs, 5),
                                      formatValue(date, sqlite3_column_int64(songs, 6)),
                                      formatValue(number, sqlite3_column_int64(songs, 7)),
                                      formatValue(number, sqlite3_column_int64(songs, 8))};
            for (int i = 0; i < 9; ++i)
                painter->drawText(QRect(xs[i], y + (i < 5 ? 0 : 150), ws[i], 150),
                                  (i >= 7 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter | Qt::TextSingleLine,
                                  values[i]);
            y += 340;
        }
        if (painter)
            painter->end();
        sqlite3_reset(songs);
        benchmark::DoNotOptimize(pages.size());
    }
    sqlite3_finalize(songs);
    sqlite3_finalize(categories);
    sqlite3_close(db);
}

double residentMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QString cache = cacheDirectory(argc, argv);
    QApplication app(argc, argv);
    NoPrinter printer;
    setPrinter(&printer);
    big = cache;
    small = QDir(cache).filePath(QStringLiteral("songs100k"));
    QDir().mkpath(small);
    ensureCatalogue(small, SmallSongs, Albums / 10);
    ensureCatalogue(big, BigSongs, Albums);
    ensureCategories(small);
    ensureCategories(big);

    benchmark::RegisterBenchmark("reports_songs_by_artist_100k/ours", ours)->MinTime(2);
    benchmark::RegisterBenchmark("reports_songs_by_artist_100k/baseline", baseline)->MinTime(2);
    int status = runAndReport(argc, argv, {{QStringLiteral("reports_songs_by_artist_100k"), {"us", 3.0}}});

    // The million: the page list held, then the preview on it.
    const auto report = songsByArtist();
    FileSet files(big);
    const std::unique_ptr<ReportProcedure> procedure = runReport(files, *report);
    status |= reportCeiling(QStringLiteral("reports_page_list_1m_resident"), residentMiB(), QStringLiteral("MiB"), 600);
    QElapsedTimer clock;
    clock.start();
    ReportPreview preview(procedure->pages(), big);
    preview.resize(1000, 800);
    preview.show();
    preview.grab();
    status |= reportCeiling(QStringLiteral("reports_preview_open_1m"), clock.nsecsElapsed() / 1e6, QStringLiteral("ms"), 500);
    clock.start();
    const int last = procedure->pages().count();
    preview.findChild<QSpinBox *>(QStringLiteral("page"))->setValue(last / 2);
    preview.grab();
    status |= reportCeiling(QStringLiteral("reports_preview_page_1m"), clock.nsecsElapsed() / 1e6, QStringLiteral("ms"), 100);
    std::printf("pages: %lld of 100,000 songs, %d of 1,000,000\n", pagesMade, last);
    return status;
}
