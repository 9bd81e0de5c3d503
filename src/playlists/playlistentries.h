// A playlist's entries as the playlist form shows and changes them: read in
// running order with their songs, a dropped song added at the end, an entry
// moved or placed after another, and the numbers closed up after a delete.
// Each change of several entries is one transaction on PlaylistDetails.
#pragma once

#include "runningorder.h"
#include "storedorder.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace crx {

class FileSet;

struct PlaylistEntry {
    QByteArray position;
    int seq = 0;
    qint64 song = 0;
    // The song's; blank when it no longer exists.
    QString artist, title;
    qint64 time = 0;
    QString notes;
};

struct PlaylistEntries {
    std::vector<PlaylistEntry> entries;
    QString error; // why the reading stopped early; empty when all were read
};
PlaylistEntries readPlaylistEntries(FileSet &files, qint64 playlist);

// The entries' song times added up, as a time value (hundredths plus one; 0 for none).
qint64 totalTime(const std::vector<PlaylistEntry> &entries);

// Adds the song as the playlist's last entry with blank notes (three tries, then the retry
// question); its sequence, or none when it was not added.
std::optional<int> addSongToPlaylist(FileSet &files, qint64 playlist, qint64 song);

// Moves entry seq as mode says (after afterSeq for AfterInsert); true when it moved. A failure
// leaves every entry as it was and is told in failure.
bool movePlaylistEntry(FileSet &files, qint64 playlist, int seq, Move mode, std::optional<SwapFailure> &failure,
                       int afterSeq = 0);
// After entry seq was deleted, the entries after it move up one number each.
bool closePlaylistGap(FileSet &files, qint64 playlist, int seq, std::optional<SwapFailure> &failure);

// "Record swap error: ..." with the playlist, the sequence and the step, as a message text.
QString swapErrorText(qint64 playlist, const SwapFailure &failure);

} // namespace crx
