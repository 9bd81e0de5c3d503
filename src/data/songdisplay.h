// How a song shows in track lists, printed lists and labels: its display
// title (" (Skips)", then the mix in parentheses) and its display time
// (total minutes and two-digit seconds), and the name of its category.
#pragma once

#include <QString>
#include <map>

namespace crx {

class FileSet;
class Record;

// The title, " (Skips)" when the song skips, then " (" mix ")" when it has a mix. A title that
// says "(Skips)" itself marks the song in memory as skipping.
QString displayTitle(Record &song);

// 0:03:45 shows as " 3:45", 1:03:20 as "63:20"; no time shows blank.
QString displayTime(qint64 time);

// The name of the category numbered id; blank for 0 or a category that no longer exists.
QString categoryName(FileSet &files, qint64 id);

// The category names of a pass over many songs, each looked up once.
class CategoryNames
{
public:
    QString of(FileSet &files, qint64 id);

private:
    std::map<qint64, QString> names_;
};

} // namespace crx
