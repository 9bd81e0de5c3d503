// A generated catalogue for benchmarks: songs and albums with varied
// artists, titles and file numbers, some of them not ASCII.
#pragma once

#include <QString>

namespace crx {
class Record;
}

namespace crx::bench {

// Fills the record with song number n (1-based) of a catalogue of `albums` albums.
void makeSong(Record &song, int n, int albums);
void makeAlbum(Record &album, int n);

// Makes (or finds, when already cached) crxdata.tps and crxalbum.tps in dir.
void ensureCatalogue(const QString &dir, int songs, int albums);

} // namespace crx::bench
