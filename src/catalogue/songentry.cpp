#include "songentry.h"

#include "datafile.h"
#include "fileset.h"
#include "numbering.h"
#include "settings.h"
#include "standardmessages.h"
#include "view.h"

#include <QDate>

namespace crx {

namespace {

constexpr int ArtistWidth = 50;
// 2:00:00 as a time value: hundredths of a second plus one.
constexpr qint64 TwoHours = 2 * 3600 * 100 + 1;

// Puts a file's buffer back as it was when the helper leaves.
class KeptBuffer
{
public:
    explicit KeptBuffer(DataFile &file) : file_(file), kept_(file.buffer()) {}
    ~KeptBuffer() { file_.buffer() = kept_; }

private:
    DataFile &file_;
    Record kept_;
};

bool blank(const Record &r, const char *field)
{
    return r.get(field).toString().isEmpty();
}

} // namespace

AddModeChoice addModeChoice(const QString &addMode, const Record &song)
{
    switch (addMode.isEmpty() ? 0 : addMode.front().toUpper().unicode()) {
    case 'A':
        return blank(song, "MUS:Title") && blank(song, "MUS:Artist") && blank(song, "MUS:FileNumber")
                       && blank(song, "MUS:Album")
                   ? AddModeChoice::Ask
                   : AddModeChoice::Form;
    case 'C':
        return AddModeChoice::Compilation;
    case 'S':
        return AddModeChoice::SingleArtist;
    default:
        return AddModeChoice::Form;
    }
}

QString swapArtistOrder(const QString &artist)
{
    const qsizetype comma = artist.indexOf(',');
    if (comma >= 0)
        return (artist.mid(comma + 1).trimmed() + ' ' + artist.left(comma)).left(ArtistWidth);
    // The first blank of the whole field: after a one-word name, its first trailing blank.
    const QString field = artist.leftJustified(ArtistWidth, ' ');
    const qsizetype p = field.indexOf(' ');
    if (p < 0)
        return artist;
    return (field.mid(p).trimmed() + QStringLiteral(", ") + field.left(p)).left(ArtistWidth);
}

qint64 songTime(qint64 typed)
{
    return typed > TwoHours ? typed / 60 + 1 : typed;
}

int nextTrackNumber(FileSet &files, qint64 albumId, int side)
{
    DataFile &songs = files.use(FileId::Cantorix);
    int track = -1;
    {
        const KeptBuffer kept(songs);
        View view(songs);
        view.setOrder(songs.def().keyIndex("MUS:KeyAlbumID"));
        view.setRange({qlonglong(albumId), side}, {qlonglong(albumId), side});
        int code = view.open();
        if (code == NoError)
            code = view.setToEnd();
        if (code == NoError)
            code = view.previous();
        if (code == NoError)
            track = int((songs.buffer().get("MUS:TrackNumber").toLongLong() + 1) % 256);
        else if (code == RecordNotAvailable)
            track = 1;
        else
            ShowStandardMessage(35, songs.def().label);
    }
    files.release(FileId::Cantorix);
    return track;
}

bool prepareNewSong(FileSet &files, Record &song, const Record &album, int entryMode, int side)
{
    song.set("MUS:Artist", album.get("ALB:Artist"));
    song.set("MUS:Album", album.get("ALB:Album"));
    song.set("MUS:FileNumber", album.get("ALB:FileNumber"));
    song.set("MUS:AlbumID", album.get("ALB:AlbumID"));
    song.set("MUS:Side", 1);
    song.set("MUS:Media", QStringLiteral("CD"));
    song.set("MUS:ReleaseDate", QDate::currentDate().year());
    if (entryMode != 0) {
        song.set("MUS:Side", side == 0 ? 1 : side);
        song.set("MUS:ReleaseDate", album.get("ALB:ReleaseDate"));
    }
    const int track = nextTrackNumber(files, song.get("MUS:AlbumID").toLongLong(), song.get("MUS:Side").toInt());
    if (track < 0)
        return false;
    song.set("MUS:TrackNumber", track);
    return true;
}

void fillFromAlbum(Record &song, const Record &album, bool insert, int side)
{
    const auto fill = [&](const char *to, const char *from) {
        const QVariant now = song.get(to);
        if (insert || now.toString().isEmpty() || now.toString() == QLatin1String("0"))
            song.set(to, album.get(from));
    };
    fill("MUS:Notes", "ALB:Notes");
    fill("MUS:FileNumber", "ALB:FileNumber");
    fill("MUS:Artist", "ALB:Artist");
    fill("MUS:ReleaseDate", "ALB:ReleaseDate");
    fill("MUS:CategoryID", "ALB:CategoryID");
    song.set("MUS:Album", album.get("ALB:Album"));
    song.set("MUS:Media", album.get("ALB:Media"));
    song.set("MUS:AlbumID", album.get("ALB:AlbumID"));
    song.set("MUS:Side", side == 0 ? 1 : side);
}

void linkToAlbum(FileSet &files, Record &song)
{
    if (settings().autoAddToAlbums.trimmed().isEmpty() || song.get("MUS:AlbumID").toLongLong() != 0)
        return;
    DataFile &albums = files.use(FileId::Album);
    {
        const KeptBuffer kept(albums);
        Record &album = albums.buffer();
        album.clear();
        album.set("ALB:Album", song.get("MUS:Album"));
        album.set("ALB:Artist", song.get("MUS:Artist"));
        bool found = albums.get(albums.def().keyIndex("ALB:KeyAlbum")) == NoError;
        if (!found) {
            const qint64 id = nextIdentifier(albums).value_or(1);
            album.clear();
            album.set("ALB:AlbumID", id);
            for (const char *field : {"Notes", "FileNumber", "Artist", "Album", "Media", "ReleaseDate", "CategoryID"})
                album.set(QStringLiteral("ALB:") + field, song.get(QStringLiteral("MUS:") + field));
            found = albums.add() == NoError;
        }
        // A song is linked only to an album that is there.
        if (found)
            song.set("MUS:AlbumID", album.get("ALB:AlbumID"));
    }
    files.release(FileId::Album);
}

void addArtistDefault(FileSet &files, const Record &song)
{
    const QVariant artist = song.get("MUS:Artist");
    if (artist.toString().isEmpty())
        return; // a song without an artist gives no default
    DataFile &artists = files.use(FileId::Artists);
    {
        const KeptBuffer kept(artists);
        artists.buffer().clear();
        artists.buffer().set("ART:Artist", artist);
        artists.buffer().set("ART:CategoryID", song.get("MUS:CategoryID"));
        artists.add(); // refused when the artist is there already: the default keeps its category
    }
    files.release(FileId::Artists);
}

void addDefaultCategories(FileSet &files)
{
    DataFile &categories = files.use(FileId::Categories);
    if (categories.records() == 0) {
        const KeptBuffer kept(categories);
        for (int id = 1; const char *name : {"Rock", "Pop", "Jazz", "Classical", "Country"}) {
            categories.buffer().clear();
            categories.buffer().set("CAT:CategoryID", id++);
            categories.buffer().set("CAT:Category", QString::fromLatin1(name));
            categories.add();
        }
    }
    files.release(FileId::Categories);
}

qint64 addCategory(FileSet &files, const QString &name, QString *error)
{
    DataFile &categories = files.use(FileId::Categories);
    qint64 id = 0;
    {
        const KeptBuffer kept(categories);
        Record &category = categories.buffer();
        const qint64 next = nextIdentifier(categories).value_or(1);
        category.clear();
        category.set("CAT:CategoryID", next);
        category.set("CAT:Category", name);
        if (categories.add() == NoError)
            id = next;
        else if (error)
            *error = lastResult().text;
    }
    files.release(FileId::Categories);
    return id;
}

} // namespace crx
