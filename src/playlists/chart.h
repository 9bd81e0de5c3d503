// The chart update: each entry of a playlist keeps its place in the chart as
// "last week's position", a marker "LW:" and the number at the end of its
// notes, before the entries are reordered for the new week.
#pragma once

#include <QString>
#include <memory>

namespace crx {

class BatchProcess;
class FileSet;

// The notes with the marker of this position: an old marker ("LW:" and its number) taken out,
// then the trimmed notes, " LW:" and the position, without leading blanks, 40 characters at
// most.
QString chartNotes(const QString &notes, int position);

// The pass over the playlist's entries (so many of them, for its progress) that rewrites each
// one's notes with its marker.
std::unique_ptr<BatchProcess> chartProcess(FileSet &files, qint64 playlist, qint64 entries);

} // namespace crx
