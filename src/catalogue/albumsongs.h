// What the album forms do to an album's songs: the running order (moving a
// song within its side, renumbering after a delete), cascading album data
// into the songs, re-assigning songs by file number, taking in a dropped
// song, and the swap and replace passes. Each change of several songs is one
// transaction: all of it lands or none of it.
#pragma once

#include "runningorder.h"

#include <QString>

namespace crx {

class FileSet;
class Record;

// Moves song (album, side, track) within its side. One step exchanges the track numbers of
// two neighbours; to the top or bottom rotates the numbers of the songs passed over (the
// numbers in use stay the same); after an insert the song moves up past every song whose
// number is above afterTrack. False when nothing moved (no neighbour, or a failure, which
// was shown as a "Record swap error").
bool moveSong(FileSet &files, qint64 album, int side, int track, Move mode, int afterTrack = 0);

// After a delete of track on side: the songs of that side from track on are numbered
// track, track + 1, ... in their order.
void renumberAfterDelete(FileSet &files, qint64 album, int side, int track);

// Copies album, media and file number (single artist: also artist and release date) into
// every song of the album.
void cascadeToSongs(FileSet &files, const Record &album, bool singleArtist);

enum class Reassigned { Done, EndOfFile, OtherMedia, OtherFileNumber, ReadError };
// Links to the album every song of its media and file number (in capitals, without trailing
// blanks); count tells how many. The reason the reading stopped when none was.
Reassigned reassignByFileNumber(FileSet &files, const Record &album, int &count, QString &error);

// A song dropped on the album's track list: nothing when there is no such song or it is on
// the album already; otherwise a copy linked to the album under a new identifier, or, when
// no free identifier is found, the song itself moved to the album. False when it could not
// be written (the message was shown).
bool dropSong(FileSet &files, qint64 album, qint64 songId);

// Deletes every song of the album (a wizard's album that is given up).
void deleteSongsOf(FileSet &files, qint64 album);
// Whether the album has a song (one that cannot be read counts as one).
bool albumHasSongs(FileSet &files, qint64 album);

// Copies into every song of the album from side on the album's title, file number, category
// and release date, and its artist unless the artist is a "Various" one.
void albumDataToSongs(FileSet &files, const Record &album, int side);

// Exchanges artist and title of every song of the album from side on (later sides too).
void swapArtistsAndTitles(FileSet &files, qint64 album, int side);

// Replaces a text in one field of every song of the album from side on: "Artist",
// "Title" or "File Number"; another field name changes nothing.
void replaceInSongs(FileSet &files, qint64 album, int side, const QString &field, const QString &find,
                    const QString &replacement);

} // namespace crx
