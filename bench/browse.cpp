// The list page over a generated catalogue of 1,000,000 songs, in every song
// key order, against raw prepared SQLite queries reading the same rows, and
// against the same operation on a catalogue of 1,000 songs:
//   browse_<operation>_<key>        ours over the raw queries (limit 3)
//   browse_<operation>_<key>_scale  a million songs over a thousand (limit 1.5)
//   browse_memory_ten_lists         resident memory with ten lists open (at most 150 MiB)
// Operations: open (first page and the step table), pagedown, pageup, bottom,
// thumb (drag to the middle), locate (incremental locator on one letter).
#include "benchreport.h"
#include "browsepage.h"
#include "catalogue_generator.h"
#include "rawsongs.h"
#include "datafile.h"
#include "tablesql.h"
#include "view.h"

#include <QDir>
#include <QFile>
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

using namespace crx;
using namespace crx::bench;

namespace {

constexpr int Rows = 30;
const FileDef &songDef = fileDef(FileId::Cantorix);
QString big, small;

enum Op { Open, PageDown, PageUp, Bottom, Thumb, Locate };
const char *const opNames[] = {"open", "pagedown", "pageup", "bottom", "thumb", "locate"};

struct List {
    explicit List(const QString &dir, int key) : file(songDef, dir), view(file)
    {
        file.open();
        view.setOrder(key);
        view.open();
        page = std::make_unique<BrowsePage>(file, view, Rows);
    }
    DataFile file;
    View view;
    std::unique_ptr<BrowsePage> page;
};

void ours(benchmark::State &state, const QString *dir, int key, Op op)
{
    List list(*dir, key);
    list.page->top();
    list.page->buildSteps(Alphabet::LettersDigitsPunctuation);
    for (auto _ : state) {
        switch (op) {
        case Open:
            list.page->top();
            list.page->buildSteps(Alphabet::LettersDigitsPunctuation);
            break;
        case PageDown:
            list.page->top();
            list.page->pageDown();
            break;
        case PageUp:
            list.page->bottom();
            list.page->pageUp();
            break;
        case Bottom:
            list.page->bottom();
            break;
        case Thumb:
            list.page->dragThumb(50);
            break;
        case Locate:
            list.page->locateOn("M");
            break;
        }
    }
}

void baseline(benchmark::State &state, const QString *dir, int key, Op op)
{
    RawSongs raw(*dir, key);
    const bool text = songDef.fields[size_t(songDef.keys[size_t(key)].components.front())].isText();
    const QVariant middle = text ? QVariant(QStringLiteral("M")) : QVariant(qlonglong(500000));
    for (auto _ : state) {
        switch (op) {
        case Open: // the first page, and the first and last records for the step table
            raw.read(raw.forwardFromStart, Rows);
            raw.read(raw.forwardFromStart, 1);
            raw.read(raw.backwardFromEnd, 1);
            break;
        case PageDown:
            raw.read(raw.forwardFromStart, Rows);
            raw.read(raw.forwardFromStart, 2 * Rows);
            break;
        case PageUp:
            raw.read(raw.backwardFromEnd, Rows);
            raw.read(raw.backwardFromEnd, 2 * Rows);
            break;
        case Bottom:
            raw.read(raw.backwardFromEnd, Rows);
            break;
        case Thumb:
        case Locate: // the record found, the rows before it and the rows after it
            raw.read(raw.forwardFrom, 1, middle);
            raw.read(raw.backwardFrom, (Rows - 1) / 2, middle);
            raw.read(raw.forwardFrom, Rows - (Rows - 1) / 2, middle);
            break;
        }
    }
}

long residentKiB()
{
    QFile statm("/proc/self/statm");
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLong() * (sysconf(_SC_PAGESIZE) / 1024) : 0;
}

} // namespace

int main(int argc, char **argv)
{
    const QString cache = cacheDirectory(argc, argv);
    big = cache;
    small = QDir(cache).filePath("small");
    QDir().mkpath(small);
    ensureCatalogue(big, 1000000, 80000);
    ensureCatalogue(small, 1000, 80);

    std::map<QString, Figure> figures;
    for (size_t key = 0; key < songDef.keys.size(); ++key)
        for (Op op : {Open, PageDown, PageUp, Bottom, Thumb, Locate}) {
            const QString name = QStringLiteral("browse_%1_%2").arg(opNames[op], songDef.keys[key].name);
            benchmark::RegisterBenchmark(qPrintable(name + "/ours"), ours, &big, int(key), op)->MinTime(0.15);
            benchmark::RegisterBenchmark(qPrintable(name + "/baseline"), baseline, &big, int(key), op)->MinTime(0.15);
            benchmark::RegisterBenchmark(qPrintable(name + "_scale/ours"), ours, &big, int(key), op)->MinTime(0.15);
            benchmark::RegisterBenchmark(qPrintable(name + "_scale/baseline"), ours, &small, int(key), op)->MinTime(0.15);
            figures[name] = {"us", 3.0};
            figures[name + "_scale"] = {"us", 1.5};
        }
    int status = runAndReport(argc, argv, figures);

    // Ten lists open over the big catalogue, each with its page and step table.
    const long before = residentKiB();
    std::vector<std::unique_ptr<List>> lists;
    for (int i = 0; i < 10; ++i) {
        lists.push_back(std::make_unique<List>(big, int(i % songDef.keys.size())));
        lists.back()->page->top();
        lists.back()->page->buildSteps(Alphabet::LettersDigitsPunctuation);
        lists.back()->page->dragThumb(50);
    }
    const long after = residentKiB();
    std::fprintf(stderr, "resident before the lists %ld KiB\n", before);
    status |= reportCeiling("browse_memory_ten_lists", double(after) / 1024.0, "MiB", 150.0);
    return status;
}
