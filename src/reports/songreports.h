// The printed lists of songs, as descriptions the report procedure runs.
#pragma once

#include "reportdescription.h"

#include <memory>

namespace crx {

class Record;

// Whether a song is left out of the lists that leave out what is not to be played: an
// artist with "(*)", a title with "(Skips)", or the skips or do-not-play flag set.
bool excludedSong(const Record &song);

// "Songs by Artist": two lines a song, its brief variant one line; both read the songs in
// artist order, leave out excluded songs and select by artist.
std::shared_ptr<const ReportDescription> songsByArtist();

} // namespace crx
