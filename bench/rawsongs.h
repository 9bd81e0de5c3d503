// The raw prepared SQLite queries a song list's reads are measured against:
// a page forwards or backwards from a key value or from either end, each row
// read into memory as the program must have it.
#pragma once

#include "tablesql.h"

#include <QVariant>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace crx::bench {

// A raw connection to a catalogue file, and a statement on it; either failing ends the run.
sqlite3 *openRaw(const QString &path, int flags);
sqlite3_stmt *prepareRaw(sqlite3 *db, const QString &sql);

struct RawSongs {
    RawSongs(const QString &dir, int key);
    ~RawSongs();
    RawSongs(const RawSongs &) = delete;
    RawSongs &operator=(const RawSongs &) = delete;

    sqlite3_stmt *prepare(const QString &sql);
    // Runs a query with an optional first key value, reading each row.
    void read(sqlite3_stmt *stmt, int limit, const QVariant &from = {});
    // Reads every column of the rows a statement with one bound number gives (a category by
    // its identifier).
    void readWhere(sqlite3_stmt *stmt, qint64 value);

    const KeySql &k;
    sqlite3 *db = nullptr;
    sqlite3_stmt *forwardFromStart, *backwardFromEnd, *forwardFrom, *backwardFrom;
    std::vector<QString> texts;
    std::vector<qint64> numbers;
};

} // namespace crx::bench
