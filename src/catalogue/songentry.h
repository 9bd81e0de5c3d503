// The rules of song entry, apart from the song form's window: the starting
// values of a new song, filling a song from an album, the artist-name swap,
// the time rule, linking a song to its album on OK, adding a category typed
// in the form and the artist default a song leaves behind.
#pragma once

#include "record.h"

#include <QString>

namespace crx {

class FileSet;

// What an insert outside an album does before the form opens, by the first letter of AddMode.
enum class AddModeChoice { Form, Ask, Compilation, SingleArtist };
AddModeChoice addModeChoice(const QString &addMode, const Record &song);

// "Beatles, The" becomes "The Beatles", "Elton John" becomes "John, Elton" and a one-word
// "Madonna" becomes ", Madonna"; cut at the artist field's 50 characters.
QString swapArtistOrder(const QString &artist);

// A time is typed as hours:minutes:seconds; one over 2:00:00 was meant as minutes and seconds.
qint64 songTime(qint64 typed);

// The track number after the last song of this album and side (1 when there is none; a
// byte, so 255 is followed by 0); -1 when the songs cannot be read.
int nextTrackNumber(FileSet &files, qint64 albumId, int side);

// The starting values of a new song before it is added: the album copy fields, side, media
// "CD", this year, the side and release date of the calling album form, the track number.
// False when the songs could not be read for the track number (message 35 was shown).
bool prepareNewSong(FileSet &files, Record &song, const Record &album, int entryMode, int side);

// The song takes an album's values: on an insert all of them, on a change only into blank
// fields, except album, media, album link and side, which are always replaced.
void fillFromAlbum(Record &song, const Record &album, bool insert, int side);

// With AutoAddToAlbums set, a song without album is linked to the album of the same title
// and artist, which is created when there is none. Failures are not reported.
void linkToAlbum(FileSet &files, Record &song);

// The song's artist and category as an artist default; an artist already there keeps its own.
void addArtistDefault(FileSet &files, const Record &song);

// An empty category file gets 1 "Rock", 2 "Pop", 3 "Jazz", 4 "Classical" and 5 "Country".
void addDefaultCategories(FileSet &files);

// Adds a category under the next identifier; returns it, or 0 with the storage error text.
qint64 addCategory(FileSet &files, const QString &name, QString *error);

} // namespace crx
