// crxfix's repair of a damaged catalogue file. A sound file (SQLite's
// integrity check says "ok") is left as it is. A damaged one is copied aside
// and read back with the sqlite3 shell's .recover; every record it gives is
// added to a new file of the layout the structure example names (or, without
// one, the layout the damaged file's own label names), whose keys are built
// as it fills. The damaged file is kept as NAME.tps.bak (.bak1, .bak2, ...
// when those exist) and the new file takes its place only once it is
// complete; the original is never written.
#pragma once

#include <QString>

namespace crx {

struct RepairResult {
    enum Outcome { Sound, Repaired, LeftAlone } outcome = LeftAlone;
    qint64 recovered = 0; // records in the repaired file
    // Records the table or a key still knew of that could not be read (a file cut short may
    // have lost more than its keys can tell).
    qint64 lost = 0;
    QString backup;       // where the damaged file was kept
    QString message;      // what to tell the person
};

// The layout name an example file (.tpe) gives; empty when it cannot be read.
QString exampleLabel(const QString &examplePath);

RepairResult repairFile(const QString &path, const QString &examplePath);

} // namespace crx
