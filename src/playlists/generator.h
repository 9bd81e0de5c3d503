// The play list generator: a new playlist "Play List #" and its id, filled
// with songs drawn at random from the song file, limited by release dates
// and category and optionally weighted towards recent or older additions or
// releases.
#pragma once

#include <QDate>
#include <QStringList>
#include <random>

namespace crx {

class FileSet;

enum class Weighting { None, RecentAddition, RecentRelease, OlderAddition, OlderRelease };

struct GeneratorChoices {
    int size = 0;     // songs wanted, 0 to 99
    qint64 from = 0;  // release dates (day numbers), 0 for none
    qint64 to = 0;
    qint64 category = 0; // 0 for all
    Weighting weighting = Weighting::None;
};

struct GeneratedPlaylist {
    bool noSongs = false; // the song file is empty: nothing was made
    qint64 playlist = 0;
    int entries = 0;      // numbered, failed adds included
    int draws = 0;
    QStringList errors;   // what could not be added, to be told after
};

// At most this many draws are made, whatever was found.
constexpr int MostDraws = 1001;

// A draw takes a record number from 1 to the highest in use (the later a song was added, the
// higher its number) and reads the song stored there; a number whose song was deleted finds
// nothing and the draw counts all the same. The playlist and its entries are written in one
// transaction.
GeneratedPlaylist generatePlaylist(FileSet &files, const GeneratorChoices &choices, std::mt19937_64 &random,
                                   const QDate &today);

} // namespace crx
