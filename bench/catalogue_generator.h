// A generated catalogue for benchmarks: songs and albums with varied
// artists, titles and file numbers, some of them not ASCII.
#pragma once

#include <QString>
#include <vector>

struct sqlite3_stmt;

namespace crx {
class Record;
}

namespace crx::bench {

// The name of artist number n: one of some 600,000 names, some of them not ASCII.
QString makeArtist(int n);
// Fills the record with song number n (1-based) of a catalogue of `albums` albums.
void makeSong(Record &song, int n, int albums);
void makeAlbum(Record &album, int n);

// Makes (or finds, when already cached) crxdata.tps and crxalbum.tps in dir.
void ensureCatalogue(const QString &dir, int songs, int albums);

// The baselines' reading of one song row (rid, ver, then the fields) into memory, as the program must have it.
void readSongRow(sqlite3_stmt *stmt, std::vector<QString> &texts, std::vector<qint64> &numbers);

} // namespace crx::bench
