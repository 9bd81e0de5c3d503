// The housekeeping passes over the songs and albums, each a configuration of
// the batch engine: building albums from songs not joined to one, testing the
// song-to-album links, side 0 to 1, six-digit file numbers, album times,
// dates to years, and deleting a range of albums with their songs.
#pragma once

#include "batchprocess.h"

#include <QString>
#include <memory>

namespace crx {

class FileSet;

// The file number written as six digits when it is a number above 0 of fewer than six
// characters holding only digits and blanks ("42" and "  42" give "000042"); else unchanged.
QString paddedFileNumber(const QString &fileNumber);
// A release date as a year: a day number above 3000 whose year is above 0 becomes that year.
qint64 dateAsYear(qint64 releaseDate);

// Songs by identifier; each not joined to an existing album is joined to one found or made.
std::unique_ptr<BatchProcess> buildAlbumsProcess(FileSet &files);
// Songs by album; each without an album is joined where one matches, and given an identifier.
std::unique_ptr<BatchProcess> testAlbumLinksProcess(FileSet &files);
std::unique_ptr<BatchProcess> sideZeroToOneProcess(FileSet &files);
// The song pass or the album pass.
std::unique_ptr<BatchProcess> padFileNumbersProcess(FileSet &files, FileId file);
std::unique_ptr<BatchProcess> albumTimesProcess(FileSet &files);
std::unique_ptr<BatchProcess> datesToYearsProcess(FileSet &files, FileId file);
// Albums whose file number lies between the two (as upper-case text), each with its songs.
std::unique_ptr<BatchProcess> deleteAlbumRangeProcess(FileSet &files, const QString &starting, const QString &ending);

// The range the range window and the CD pages share, kept while the program runs.
QString &startingFileNumber();
QString &endingFileNumber();

} // namespace crx
