#include "benchreport.h"

#include <QDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>

namespace crx::bench {
namespace {

class Collector : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            Result &r = results[QString::fromStdString(run.run_name.function_name)];
            r.seconds = run.GetAdjustedRealTime() / 1e9; // time unit is nanoseconds
            const auto items = run.counters.find("items_per_second");
            if (items != run.counters.end())
                r.itemsPerSecond = items->second;
        }
    }

    struct Result {
        double seconds = 0;
        double itemsPerSecond = 0;
    };
    std::map<QString, Result> results;
};

} // namespace

QString cacheDirectory(int &argc, char **argv)
{
    QString dir = QDir::current().filePath("bench-cache");
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--cache") == 0) {
            dir = QString::fromLocal8Bit(argv[i + 1]);
            for (int j = i; j + 2 < argc; ++j)
                argv[j] = argv[j + 2];
            argc -= 2;
            break;
        }
    QDir().mkpath(dir);
    return dir;
}

int reportCeiling(const QString &name, double value, const QString &unit, double ceiling)
{
    std::printf("%s %.1f %s ratio=%.2f limit=1.00\n", qPrintable(name), value, qPrintable(unit), value / ceiling);
    std::fflush(stdout);
    return value > ceiling ? 1 : 0;
}

int runAndReport(int argc, char **argv, const std::map<QString, Figure> &figures)
{
    benchmark::Initialize(&argc, argv);
    Collector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    int status = 0;
    for (const auto &[name, figure] : figures) {
        const auto ours = collector.results.find(name + "/ours");
        const auto base = collector.results.find(name + "/baseline");
        if (ours == collector.results.end() || base == collector.results.end() || base->second.seconds <= 0)
            continue; // filtered out
        const double ratio = ours->second.seconds / base->second.seconds;
        const double value = figure.unit == "rows/s" ? ours->second.itemsPerSecond : ours->second.seconds * 1e6;
        std::printf("%s %.1f %s ratio=%.2f limit=%.2f\n", qPrintable(name), value, qPrintable(figure.unit), ratio,
                    figure.limit);
        if (ratio > figure.limit)
            status = 1;
    }
    std::fflush(stdout);
    return status;
}

} // namespace crx::bench
