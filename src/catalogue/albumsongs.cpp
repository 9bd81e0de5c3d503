#include "albumsongs.h"

#include "datafile.h"
#include "fileset.h"
#include "interaction.h"
#include "replacetext.h"
#include "transaction.h"
#include "view.h"

#include <optional>
#include <vector>

namespace crx {

namespace {

constexpr int HighestSide = 255;

struct Song {
    QByteArray position;
    int side;
    int track;
};

// The album's songs of sides from..to in running order, or none when they cannot be read.
std::optional<std::vector<Song>> songsOf(DataFile &songs, qint64 album, int from, int to)
{
    View view(songs);
    view.setOrder(songs.def().keyIndex("MUS:KeyAlbumID"));
    view.setRange({qlonglong(album), from}, {qlonglong(album), to});
    if (view.open() != NoError || view.setToStart() != NoError)
        return std::nullopt;
    std::vector<Song> out;
    for (;;) {
        const int code = view.next();
        if (code == RecordNotAvailable)
            return out;
        if (code != NoError)
            return std::nullopt;
        const Record &r = songs.buffer();
        out.push_back({songs.position(), r.get("MUS:Side").toInt(), r.get("MUS:TrackNumber").toInt()});
    }
}

void swapError(qint64 album, int side, int track, const char *section)
{
    interaction().message(QStringLiteral("Error!"),
                          QStringLiteral("Record swap error: ||") + lastResult().text
                              + QStringLiteral("|Cantorix, MUS:KeyAlbumID|Key Field MUS:AlbumID = %1"
                                               "|Key Field MUS:Side = %2|Key Field MUS:TrackNumber = %3|Section = ")
                                    .arg(album)
                                    .arg(side)
                                    .arg(track)
                              + QString::fromLatin1(section),
                          Icon::Exclamation, OK, OK);
}

// Runs the rewrites of one change of the album's songs as one transaction; the song file's
// buffer is kept. A rewrite returns false after showing its failure, and nothing lands.
template <typename Rewrites>
bool inOneTransaction(FileSet &files, Rewrites rewrites)
{
    DataFile &songs = files.use(FileId::Cantorix);
    const Record kept = songs.buffer();
    bool ok = beginTransaction({&songs}, 2) == NoError;
    if (ok && !rewrites(songs)) {
        rollbackTransaction();
        ok = false;
    } else if (ok && commitTransaction() != NoError) {
        rollbackTransaction();
        ok = false;
    }
    songs.buffer() = kept;
    files.release(FileId::Cantorix);
    return ok;
}

// Gives the song at position the track number; false after showing the failure of section.
bool renumber(DataFile &songs, const Song &song, int track, qint64 album, const char *readSection,
              const char *writeSection)
{
    if (songs.reget(song.position) != NoError) {
        swapError(album, song.side, song.track, readSection);
        return false;
    }
    songs.buffer().set("MUS:TrackNumber", track);
    if (songs.put() != NoError) {
        swapError(album, song.side, track, writeSection);
        return false;
    }
    return true;
}

// Rewrites every song of the album from side on with change applied; false when one failed.
template <typename Change>
bool rewriteSongs(FileSet &files, qint64 album, int side, Change change)
{
    return inOneTransaction(files, [&](DataFile &songs) {
        const auto list = songsOf(songs, album, side, HighestSide);
        if (!list)
            return false;
        for (const Song &s : *list) {
            if (songs.reget(s.position) != NoError)
                return false;
            change(songs.buffer());
            if (songs.put() != NoError)
                return false;
        }
        return true;
    });
}

} // namespace

bool moveSong(FileSet &files, qint64 album, int side, int track, Move mode, int afterTrack)
{
    bool moved = false;
    inOneTransaction(files, [&](DataFile &songs) {
        const auto list = songsOf(songs, album, side, side);
        if (!list) {
            swapError(album, side, track, "Test Range");
            return false;
        }
        std::vector<int> numbers;
        for (const Song &s : *list)
            numbers.push_back(s.track);
        const auto self = std::find(numbers.begin(), numbers.end(), track);
        if (self == numbers.end()) {
            swapError(album, side, track, "Get Orig");
            return false;
        }
        const std::vector<size_t> passed = passedOver(numbers, track, mode, afterTrack);
        if (passed.empty())
            return true;
        int free = track;
        for (const size_t i : passed) {
            if (!renumber(songs, (*list)[i], free, album, "Get Orig After", "Put Swap"))
                return false;
            free = (*list)[i].track;
        }
        if (!renumber(songs, (*list)[size_t(self - numbers.begin())], free, album, "Get Orig", "Final Put"))
            return false;
        moved = true;
        return true;
    });
    return moved;
}

void renumberAfterDelete(FileSet &files, qint64 album, int side, int track)
{
    inOneTransaction(files, [&](DataFile &songs) {
        const auto list = songsOf(songs, album, side, side);
        if (!list) {
            swapError(album, side, track, "Test Range");
            return false;
        }
        int next = track;
        for (const Song &s : *list) {
            if (s.track < track)
                continue;
            if (s.track != next && !renumber(songs, s, next, album, "Get Orig", "Put Upd Seq"))
                return false;
            next = (next + 1) % 256;
        }
        return true;
    });
}

void cascadeToSongs(FileSet &files, const Record &album, bool singleArtist)
{
    rewriteSongs(files, album.get("ALB:AlbumID").toLongLong(), 0, [&](Record &song) {
        for (const char *field : {"Album", "Media", "FileNumber"})
            song.set(QStringLiteral("MUS:") + field, album.get(QStringLiteral("ALB:") + field));
        if (singleArtist) {
            song.set("MUS:Artist", album.get("ALB:Artist"));
            song.set("MUS:ReleaseDate", album.get("ALB:ReleaseDate"));
        }
    });
}

Reassigned reassignByFileNumber(FileSet &files, const Record &album, int &count, QString &error)
{
    count = 0;
    const QString media = album.get("ALB:Media").toString();
    const QString fileNumber = album.get("ALB:FileNumber").toString().toUpper();
    Reassigned stop = Reassigned::EndOfFile;
    DataFile &songs = files.use(FileId::Cantorix);
    const Record kept = songs.buffer();
    songs.buffer().clear();
    songs.buffer().set("MUS:Media", media);
    songs.buffer().set("MUS:FileNumber", album.get("ALB:FileNumber"));
    songs.set(songs.def().keyIndex("MUS:SongsByMedia"));
    for (;;) {
        const int code = songs.next();
        if (code == RecordNotAvailable)
            break;
        if (code != NoError) {
            stop = Reassigned::ReadError;
            error = lastResult().text;
            break;
        }
        const Record &song = songs.buffer();
        if (song.get("MUS:Media").toString() != media) {
            stop = Reassigned::OtherMedia;
            break;
        }
        if (song.get("MUS:FileNumber").toString().toUpper() != fileNumber) {
            stop = Reassigned::OtherFileNumber;
            break;
        }
        songs.buffer().set("MUS:AlbumID", album.get("ALB:AlbumID"));
        if (songs.put() == NoError)
            ++count;
    }
    songs.buffer() = kept;
    files.release(FileId::Cantorix);
    return count > 0 ? Reassigned::Done : stop;
}

bool dropSong(FileSet &files, qint64 album, qint64 songId)
{
    DataFile &songs = files.use(FileId::Cantorix);
    const Record kept = songs.buffer();
    const int byId = songs.def().keyIndex("MUS:KeyID");
    bool ok = true;
    songs.buffer().clear();
    songs.buffer().set("MUS:ID", songId);
    if (songs.get(byId) == NoError && songs.buffer().get("MUS:AlbumID").toLongLong() != album) {
        Record song = songs.buffer();
        song.set("MUS:AlbumID", album);
        // A free identifier from the record count on: by ones, after 50 tries by threes, at most 100 tries.
        qint64 id = songs.records() + 1;
        bool found = false;
        for (int step = 0; step < 100 && !found; ++step) {
            songs.buffer().clear();
            songs.buffer().set("MUS:ID", id);
            if (songs.get(byId) == RecordNotFound)
                found = true;
            else
                id += step < 50 ? 1 : 3;
        }
        songs.buffer() = song;
        int code;
        if (found) {
            songs.buffer().set("MUS:ID", id);
            code = songs.add();
        } else {
            code = songs.put();
        }
        if (code != NoError) {
            interaction().message(QStringLiteral("Error"),
                                  QStringLiteral("Error updating song database - ") + lastResult().text,
                                  Icon::Exclamation, OK, OK);
            ok = false;
        }
    }
    songs.buffer() = kept;
    files.release(FileId::Cantorix);
    return ok;
}

void deleteSongsOf(FileSet &files, qint64 album)
{
    inOneTransaction(files, [&](DataFile &songs) {
        const auto list = songsOf(songs, album, 0, HighestSide);
        if (!list)
            return false;
        for (const Song &s : *list)
            if (songs.reget(s.position) != NoError || songs.remove() != NoError)
                return false;
        return true;
    });
}

bool albumHasSongs(FileSet &files, qint64 album)
{
    DataFile &songs = files.use(FileId::Cantorix);
    const Record kept = songs.buffer();
    const auto list = songsOf(songs, album, 0, HighestSide);
    songs.buffer() = kept;
    files.release(FileId::Cantorix);
    return !list || !list->empty();
}

void albumDataToSongs(FileSet &files, const Record &album, int side)
{
    const bool various = album.get("ALB:Artist").toString().contains(QLatin1String("VARIOUS"), Qt::CaseInsensitive);
    rewriteSongs(files, album.get("ALB:AlbumID").toLongLong(), side, [&](Record &song) {
        song.set("MUS:Album", album.get("ALB:Album"));
        song.set("MUS:FileNumber", album.get("ALB:FileNumber"));
        song.set("MUS:CategoryID", album.get("ALB:CategoryID"));
        song.set("MUS:ReleaseDate", album.get("ALB:ReleaseDate"));
        if (!various)
            song.set("MUS:Artist", album.get("ALB:Artist"));
    });
}

void swapArtistsAndTitles(FileSet &files, qint64 album, int side)
{
    rewriteSongs(files, album, side, [](Record &song) {
        const QVariant artist = song.get("MUS:Artist");
        song.set("MUS:Artist", song.get("MUS:Title"));
        song.set("MUS:Title", artist);
    });
}

void replaceInSongs(FileSet &files, qint64 album, int side, const QString &field, const QString &find,
                    const QString &replacement)
{
    const std::pair<const char *, const char *> fields[] = {
        {"Artist", "MUS:Artist"}, {"Title", "MUS:Title"}, {"File Number", "MUS:FileNumber"}};
    for (const auto &[name, songField] : fields) {
        if (field != QLatin1String(name))
            continue;
        const FileDef &def = fileDef(FileId::Cantorix);
        const int width = def.fields[size_t(def.fieldIndex(songField))].width;
        rewriteSongs(files, album, side, [&](Record &song) {
            song.set(songField, replaceText(song.get(songField).toString(), width, find, replacement));
        });
    }
}

} // namespace crx
