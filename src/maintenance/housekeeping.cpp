#include "housekeeping.h"

#include "datafile.h"
#include "fileset.h"
#include "interaction.h"
#include "numbering.h"
#include "picture.h"
#include "record.h"

#include <QRegularExpression>

namespace crx {

namespace {

using Work = BatchProcess::Work;

constexpr int FileNumberDigits = 6;

Work rewritten(DataFile &file)
{
    return file.put() == NoError ? Work::Done : Work::RewriteFailed;
}

// The album of this title and artist (letter case aside) into the album buffer; false when none.
bool findAlbum(DataFile &albums, const QString &title, const QString &artist)
{
    albums.buffer().clear();
    albums.buffer().set("ALB:Album", title);
    albums.buffer().set("ALB:Artist", artist);
    return albums.get(albums.def().keyIndex("ALB:KeyAlbum")) == NoError;
}

bool albumExists(DataFile &albums, qint64 id)
{
    albums.buffer().clear();
    albums.buffer().set("ALB:AlbumID", id);
    return albums.get(albums.def().keyIndex("ALB:KeyAlbumID")) == NoError;
}

QString sixDigits(qint64 number)
{
    return QStringLiteral("%1").arg(number, FileNumberDigits, 10, QChar('0'));
}

// A new album from the song, numbered one above the highest (2 in an empty file); 0 when it
// cannot be added (the person is told).
qint64 newAlbum(DataFile &albums, Record &song)
{
    const qint64 next = nextIdentifier(albums).value_or(1);
    const qint64 id = next <= 1 ? 2 : next;
    QString fileNumber = song.get("MUS:FileNumber").toString();
    if (fileNumber.trimmed().isEmpty()) {
        fileNumber = sixDigits(id);
        song.set("MUS:FileNumber", fileNumber);
    }
    Record &album = albums.buffer();
    album.clear();
    album.set("ALB:AlbumID", id);
    album.set("ALB:Notes", song.get("MUS:Notes"));
    album.set("ALB:FileNumber", fileNumber);
    album.set("ALB:Artist", song.get("MUS:Artist"));
    album.set("ALB:Album", song.get("MUS:Album"));
    album.set("ALB:Media", song.get("MUS:Media"));
    album.set("ALB:ReleaseDate", song.get("MUS:ReleaseDate"));
    album.set("ALB:CategoryID", song.get("MUS:CategoryID"));
    if (albums.add() == NoError)
        return id;
    interaction().message(QStringLiteral("Error"),
                          QStringLiteral("Error adding album %1 - %2 (%3).")
                              .arg(song.get("MUS:Artist").toString().trimmed(), song.get("MUS:Album").toString().trimmed())
                              .arg(id),
                          Icon::None, OK, OK);
    return 0;
}

struct Previous {
    QString artist, title;
};

// The album a song not joined to one belongs with: found by title and artist, or (after a song
// of the same title) the previous artist's album turned into "Various", or "Various", or new.
qint64 albumFor(DataFile &albums, Record &song, const Previous &previous)
{
    const QString title = song.get("MUS:Album").toString(), artist = song.get("MUS:Artist").toString();
    if (findAlbum(albums, title, artist))
        return albums.buffer().get("ALB:AlbumID").toLongLong();
    if (title != previous.title)
        return newAlbum(albums, song);
    if (findAlbum(albums, title, previous.artist)) {
        albums.buffer().set("ALB:Artist", "Various");
        albums.put(); // a failed rename leaves the album as it was
        return albums.buffer().get("ALB:AlbumID").toLongLong();
    }
    if (findAlbum(albums, title, QStringLiteral("Various")))
        return albums.buffer().get("ALB:AlbumID").toLongLong();
    return newAlbum(albums, song);
}

} // namespace

QString paddedFileNumber(const QString &fileNumber)
{
    static const QRegularExpression digitsAndBlanks(QStringLiteral("^[0-9 ]*$"));
    QString clipped = fileNumber;
    while (clipped.endsWith(' '))
        clipped.chop(1);
    const qint64 value = QString(clipped).remove(' ').toLongLong();
    if (value <= 0 || !digitsAndBlanks.match(clipped).hasMatch() || clipped.size() >= FileNumberDigits)
        return fileNumber;
    return sixDigits(value);
}

qint64 dateAsYear(qint64 releaseDate)
{
    int year = 0, month = 0, day = 0;
    if (releaseDate > 3000 && dateOfDay(releaseDate, &year, &month, &day) && year > 0)
        return year;
    return releaseDate;
}

std::unique_ptr<BatchProcess> buildAlbumsProcess(FileSet &files)
{
    auto previous = std::make_shared<Previous>();
    auto process = std::make_unique<BatchProcess>(files, FileId::Cantorix, QStringLiteral("MUS:KeyID"),
                                                  [&files, previous](DataFile &songs) {
        DataFile &albums = files.file(FileId::Album);
        Record &song = songs.buffer();
        const qint64 link = song.get("MUS:AlbumID").toLongLong();
        const QString fileNumber = song.get("MUS:FileNumber").toString();
        qint64 now = link;
        if (now != 0 && !albumExists(albums, now))
            now = 0;
        if (now == 0)
            now = albumFor(albums, song, *previous);
        previous->artist = song.get("MUS:Artist").toString();
        previous->title = song.get("MUS:Album").toString();
        if (now == link && song.get("MUS:FileNumber").toString() == fileNumber)
            return Work::Done;
        song.set("MUS:AlbumID", now);
        return rewritten(songs);
    });
    process->writesTo(FileId::Cantorix);
    process->writesTo(FileId::Album);
    return process;
}

std::unique_ptr<BatchProcess> testAlbumLinksProcess(FileSet &files)
{
    auto highest = std::make_shared<qint64>(-1);
    auto process = std::make_unique<BatchProcess>(files, FileId::Cantorix, QStringLiteral("MUS:SongsByAlbum"),
                                                  [&files, highest](DataFile &songs) {
        Record &song = songs.buffer();
        if (song.get("MUS:AlbumID").toLongLong() != 0)
            return Work::Done;
        if (*highest < 0)
            *highest = nextIdentifier(songs).value_or(1);
        DataFile &albums = files.file(FileId::Album);
        const QString title = song.get("MUS:Album").toString();
        if (findAlbum(albums, title, song.get("MUS:Artist").toString()) || findAlbum(albums, title, QStringLiteral("Various")))
            song.set("MUS:AlbumID", albums.buffer().get("ALB:AlbumID"));
        if (song.get("MUS:ID").toLongLong() == 0) {
            // The next identifier no other song holds.
            const Record kept = song;
            for (;;) {
                ++*highest;
                songs.buffer().clear();
                songs.buffer().set("MUS:ID", *highest);
                if (songs.get(songs.def().keyIndex("MUS:KeyID")) != NoError)
                    break;
            }
            songs.buffer() = kept;
            songs.buffer().set("MUS:ID", *highest);
        }
        return rewritten(songs);
    });
    process->writesTo(FileId::Cantorix);
    process->writesTo(FileId::Album);
    return process;
}

std::unique_ptr<BatchProcess> sideZeroToOneProcess(FileSet &files)
{
    auto process = std::make_unique<BatchProcess>(files, FileId::Cantorix, QString(), [](DataFile &songs) {
        if (songs.buffer().get("MUS:Side").toInt() == 0)
            songs.buffer().set("MUS:Side", 1);
        return rewritten(songs);
    });
    process->writesTo(FileId::Cantorix);
    return process;
}

std::unique_ptr<BatchProcess> padFileNumbersProcess(FileSet &files, FileId file)
{
    const QString field = file == FileId::Album ? QStringLiteral("ALB:FileNumber") : QStringLiteral("MUS:FileNumber");
    auto process = std::make_unique<BatchProcess>(files, file, QString(), [field](DataFile &records) {
        records.buffer().set(field, paddedFileNumber(records.buffer().get(field).toString()));
        return rewritten(records);
    });
    process->writesTo(file);
    return process;
}

std::unique_ptr<BatchProcess> albumTimesProcess(FileSet &files)
{
    auto process = std::make_unique<BatchProcess>(files, FileId::Album, QStringLiteral("ALB:KeyAlbumID"),
                                                  [&files](DataFile &albums) {
        if (albums.buffer().get("ALB:TotalTime").toLongLong() != 0)
            return Work::Done;
        const qint64 id = albums.buffer().get("ALB:AlbumID").toLongLong();
        DataFile &songs = files.file(FileId::Cantorix);
        songs.buffer().clear();
        songs.buffer().set("MUS:AlbumID", id);
        qint64 total = 0;
        for (int code = songs.set(songs.def().keyIndex("MUS:KeyAlbumID")); code == NoError;) {
            if (songs.next() != NoError || songs.buffer().get("MUS:AlbumID").toLongLong() != id)
                break;
            total += songs.buffer().get("MUS:Time").toLongLong();
        }
        if (total == 0)
            return Work::Done;
        albums.buffer().set("ALB:TotalTime", total);
        return rewritten(albums);
    });
    process->writesTo(FileId::Album);
    process->alsoReads(FileId::Cantorix);
    return process;
}

std::unique_ptr<BatchProcess> datesToYearsProcess(FileSet &files, FileId file)
{
    const bool songs = file == FileId::Cantorix;
    const QString field = songs ? QStringLiteral("MUS:ReleaseDate") : QStringLiteral("ALB:ReleaseDate");
    auto process = std::make_unique<BatchProcess>(files, file, songs ? QStringLiteral("MUS:KeyID") : QString(),
                                                  [field](DataFile &records) {
        records.buffer().set(field, dateAsYear(records.buffer().get(field).toLongLong()));
        return rewritten(records);
    });
    // The song pass is one transaction, committed at its end or at Cancel.
    if (songs)
        process->writesInOneTransaction(file);
    else
        process->writesTo(file);
    return process;
}

std::unique_ptr<BatchProcess> deleteAlbumRangeProcess(FileSet &files, const QString &starting, const QString &ending)
{
    constexpr int Width = 30;
    const QString low = starting.toUpper().leftJustified(Width), high = ending.toUpper().leftJustified(Width);
    // In file order: the file-number key leaves out albums without a number, and a range
    // with both ends empty is the range of those.
    auto process = std::make_unique<BatchProcess>(files, FileId::Album, QString(), [&files](DataFile &albums) {
        const qint64 id = albums.buffer().get("ALB:AlbumID").toLongLong();
        if (albums.remove() != NoError || id == 0)
            return Work::Done; // an album that cannot go keeps its songs
        DataFile &songs = files.file(FileId::Cantorix);
        for (;;) {
            songs.buffer().clear();
            songs.buffer().set("MUS:AlbumID", id);
            if (songs.set(songs.def().keyIndex("MUS:KeyAlbumID")) != NoError || songs.next() != NoError
                || songs.buffer().get("MUS:AlbumID").toLongLong() != id || songs.remove() != NoError)
                break;
        }
        return Work::Done;
    });
    process->setAccept([low, high](const DataFile &albums) {
        const QString number = albums.buffer().get("ALB:FileNumber").toString().toUpper().leftJustified(Width);
        return number >= low && number <= high;
    });
    // An album and its songs go in the same transaction.
    process->writesTo(FileId::Album);
    process->writesTo(FileId::Cantorix);
    return process;
}

QString &startingFileNumber()
{
    static QString number;
    return number;
}

QString &endingFileNumber()
{
    static QString number;
    return number;
}

} // namespace crx
