// Runs the registered benchmarks and prints each figure against its
// baseline, measured side by side in the same run:
//   NAME VALUE UNIT ratio=R limit=L
// A pair is registered as "<name>/ours" and "<name>/baseline"; R is the time
// of ours over the time of the baseline (for a rate, baseline rate over ours:
// the same number), so lower is always better.
#pragma once

#include <QString>
#include <map>

namespace crx::bench {

struct Figure {
    QString unit;   // "rows/s" prints a rate from items per second; otherwise microseconds per operation
    double limit;
};

// Runs everything and returns the exit status: 1 when a ratio is over its limit.
int runAndReport(int argc, char **argv, const std::map<QString, Figure> &figures);

// A figure with a fixed ceiling instead of a baseline: its ratio is the figure over the ceiling.
// Returns 1 when the figure is over the ceiling.
int reportCeiling(const QString &name, double value, const QString &unit, double ceiling);

// The cache directory given with --cache DIR (removed from argv), or a default.
QString cacheDirectory(int &argc, char **argv);

} // namespace crx::bench
