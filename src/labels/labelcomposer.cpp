#include "labelcomposer.h"

#include "datafile.h"
#include "fileset.h"
#include "view.h"

#include <algorithm>

namespace crx {
namespace {

constexpr int PartWidth = 80;
constexpr int EntryWidth = 80;
const QString Crlf = QStringLiteral("\r\n");

QString trim(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == QLatin1Char(' '))
        --end;
    return text.left(end);
}

QString text(const Record &r, const char *field)
{
    return r.get(field).toString();
}

// The entry of a song: its side's digit, its track (or its place in the list), and the text.
LabelEntry entryOf(const Record &song, const QString &entryText, size_t already)
{
    const int track = song.get("MUS:TrackNumber").toInt();
    const QString side = QString::number(song.get("MUS:Side").toInt());
    return {side.back(), track != 0 ? track : int(already) + 1,
            (entryText + timeSuffix(song.get("MUS:Time").toLongLong(), text(song, "MUS:AdditionalInformation1")))
                .left(EntryWidth)};
}

QString songText(const Record &song, bool artistFirst)
{
    const QString title = trim(text(song, "MUS:Title"));
    const QString artist = trim(ArtistDisplayName(text(song, "MUS:Artist")));
    return artistFirst ? artist + QStringLiteral(" - ") + title : title + QStringLiteral(" - ") + artist;
}

// Reads songs from the key's first record not below the buffer's values while `inGroup` holds
// for them, making an entry of each, up to the limit.
template <typename InGroup, typename Text>
std::vector<LabelEntry> readGroup(DataFile &songs, View &view, InGroup inGroup, Text entryText)
{
    std::vector<LabelEntry> entries;
    if (view.open() != NoError || view.set() != NoError)
        return entries;
    while (int(entries.size()) < MostLabelEntries && view.next() == NoError && inGroup(songs.buffer()))
        entries.push_back(entryOf(songs.buffer(), entryText(songs.buffer()), entries.size()));
    return entries;
}

QString albumImage(FileSet &files, qint64 album)
{
    DataFile &albums = files.use(FileId::Album);
    const Record kept = albums.buffer();
    albums.buffer().clear();
    albums.buffer().set("ALB:AlbumID", album);
    const QString image = album != 0 && albums.get(albums.def().keyIndex("ALB:KeyAlbumID")) == NoError
                              ? text(albums.buffer(), "ALB:AssociatedImage")
                              : QString();
    albums.buffer() = kept;
    files.release(FileId::Album);
    return image;
}

void finish(LabelComposition &c, std::vector<LabelEntry> entries, const QString &delimiter, const QString &image)
{
    c.hasTracks = !entries.empty();
    if (c.hasTracks) {
        c.tracks = trackLists(std::move(entries), delimiter);
        c.imageName = image;
    }
}

} // namespace

QString ArtistDisplayName(const QString &artist)
{
    const qsizetype comma = artist.indexOf(QLatin1Char(','));
    if (comma < 0)
        return artist;
    qsizetype joint = artist.indexOf(QLatin1String(" with "), 0, Qt::CaseInsensitive);
    if (joint < 0)
        joint = artist.indexOf(QLatin1String(" and "), 0, Qt::CaseInsensitive);
    const QString before = artist.left(comma).trimmed().left(PartWidth);
    if (joint < comma)
        return artist.mid(comma + 1).trimmed().left(PartWidth) + QLatin1Char(' ') + before;
    return artist.mid(comma + 1, joint - comma - 1).trimmed().left(PartWidth) + QLatin1Char(' ') + before
           + QLatin1Char(' ') + artist.mid(joint).trimmed().left(PartWidth);
}

QString timeSuffix(qint64 time, const QString &additionalInformation)
{
    if (time != 0) {
        const qint64 seconds = (time - 1) / 100;
        return QStringLiteral(" (%1:%2)").arg(seconds / 60 % 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
    }
    if (additionalInformation.contains(QLatin1Char(':')) && !additionalInformation.contains(QLatin1String("00:00")))
        return QStringLiteral(" (") + trim(additionalInformation) + QLatin1Char(')');
    return {};
}

LabelTrackLists trackLists(std::vector<LabelEntry> entries, const QString &delimiter)
{
    std::stable_sort(entries.begin(), entries.end(), [](const LabelEntry &a, const LabelEntry &b) {
        return std::tie(a.side, a.track, a.text) < std::tie(b.side, b.track, b.text);
    });
    const QString d = (delimiter.trimmed().isEmpty() ? QStringLiteral(".") : delimiter.left(1)) + QLatin1Char(' ');
    LabelTrackLists lists;
    const auto add = [](QString &list, const QString &line) {
        if (!list.isEmpty())
            list += Crlf;
        list += line;
    };
    for (const LabelEntry &e : entries) {
        const QString line = QString::number(e.track).rightJustified(3) + d + e.text;
        add(lists.front, line);
        add(lists.back, line);
        if (e.side != QLatin1Char('2'))
            add(lists.sideA, line);
        if (e.side != QLatin1Char('1'))
            add(lists.sideB, line);
    }
    return lists;
}

bool artistFirst(const QString &labelArtistTitleOrder)
{
    return labelArtistTitleOrder.startsWith(QLatin1Char('A'));
}

LabelComposition composeFromAlbum(FileSet &files, const Record &album, bool artistFirst, const QString &delimiter)
{
    LabelComposition c;
    const QString title = trim(text(album, "ALB:Album"));
    const QString artist = text(album, "ALB:Artist");
    c.description = title + QStringLiteral(" - ") + ArtistDisplayName(artist);
    c.spine = c.cdTitle = c.description;
    c.flap = c.cassetteTitle = title + Crlf + ArtistDisplayName(artist);
    c.album = album.get("ALB:AlbumID").toLongLong();
    if (artistFirst) {
        c.spine = c.cdTitle = trim(artist) + QStringLiteral(" - ") + text(album, "ALB:Album");
        c.flap = c.cassetteTitle = trim(artist) + Crlf + text(album, "ALB:Album");
    }
    if (artist.trimmed().toUpper() == QLatin1String("VARIOUS"))
        c.spine = c.cdTitle = c.flap = c.cassetteTitle = text(album, "ALB:Album");

    DataFile &songs = files.use(FileId::Cantorix);
    const Record kept = songs.buffer();
    songs.buffer().clear();
    songs.buffer().set("MUS:AlbumID", c.album);
    View view(songs);
    view.setOrder(songs.def().keyIndex("MUS:KeyAlbumID"));
    const qint64 id = c.album;
    std::vector<LabelEntry> entries = readGroup(
        songs, view, [id](const Record &s) { return s.get("MUS:AlbumID").toLongLong() == id; },
        [&](const Record &s) {
            if (text(s, "MUS:Artist").compare(artist, Qt::CaseInsensitive) == 0)
                return text(s, "MUS:Title");
            return songText(s, artistFirst);
        });
    songs.buffer() = kept;
    files.release(FileId::Cantorix);
    finish(c, std::move(entries), delimiter, text(album, "ALB:AssociatedImage"));
    return c;
}

LabelComposition composeFromSong(FileSet &files, const Record &song, bool artistFirst, const QString &delimiter)
{
    LabelComposition c;
    const QString fileNumber = trim(text(song, "MUS:FileNumber"));
    const QString album = text(song, "MUS:Album");
    const QString artist = text(song, "MUS:Artist");
    const QString shown = ArtistDisplayName(artist);
    DataFile &songs = files.use(FileId::Cantorix);
    const Record kept = songs.buffer();
    View view(songs);
    std::vector<LabelEntry> entries;
    if (!fileNumber.isEmpty()) {
        const QString number = QStringLiteral("File Number ") + fileNumber;
        c.description = number;
        c.spine = c.cdTitle = number + QLatin1Char(' ') + trim(album) + QStringLiteral(" - ") + shown;
        c.flap = c.cassetteTitle = number + Crlf + trim(album) + Crlf + shown;
        if (artistFirst) {
            c.spine = c.cdTitle = number + QLatin1Char(' ') + trim(shown) + QStringLiteral(" - ") + album;
            c.flap = c.cassetteTitle = number + Crlf + trim(shown) + Crlf + album;
        }
        const QString media = text(song, "MUS:Media");
        const QString stored = text(song, "MUS:FileNumber");
        songs.buffer().clear();
        songs.buffer().set("MUS:Media", media);
        songs.buffer().set("MUS:FileNumber", stored);
        view.setOrder(songs.def().keyIndex("MUS:SongsByMedia"));
        entries = readGroup(
            songs, view,
            [&](const Record &s) {
                return text(s, "MUS:Media").compare(media, Qt::CaseInsensitive) == 0
                       && text(s, "MUS:FileNumber").compare(stored, Qt::CaseInsensitive) == 0;
            },
            [artistFirst](const Record &s) { return songText(s, artistFirst); });
    } else {
        c.description = c.spine = c.cdTitle = trim(album) + QStringLiteral(" - ") + shown;
        c.flap = c.cassetteTitle = trim(album) + Crlf + shown;
        if (artistFirst) {
            c.description = c.spine = c.cdTitle = trim(shown) + QStringLiteral(" - ") + album;
            c.flap = c.cassetteTitle = trim(shown) + Crlf + album;
        }
        songs.buffer().clear();
        songs.buffer().set("MUS:Album", album);
        songs.buffer().set("MUS:Artist", artist);
        view.setOrder(songs.def().keyIndex("MUS:SongsByAlbum"));
        entries = readGroup(
            songs, view,
            [&](const Record &s) {
                return text(s, "MUS:Album").compare(album, Qt::CaseInsensitive) == 0
                       && text(s, "MUS:Artist").compare(artist, Qt::CaseInsensitive) == 0;
            },
            [](const Record &s) { return text(s, "MUS:Title"); });
    }
    songs.buffer() = kept;
    files.release(FileId::Cantorix);
    finish(c, std::move(entries), delimiter, albumImage(files, song.get("MUS:AlbumID").toLongLong()));
    return c;
}

void applyComposition(Record &label, const LabelComposition &c)
{
    const auto put = [&label](const char *field, const QString &value, int width) {
        label.set(field, value.left(width));
    };
    put("LAB:LabelDescription", c.description, 30);
    put("LAB:CDSpine", c.spine, 100);
    put("LAB:CDTitle", c.cdTitle, 100);
    put("LAB:CassetteFlap", c.flap, 1024);
    put("LAB:CassetteTitle", c.cassetteTitle, 1024);
    label.set("LAB:AlbumID", c.album);
    if (!c.hasTracks)
        return;
    put("LAB:CDInsideText", c.tracks.front, 3000);
    put("LAB:CDCoverText", c.tracks.back, 3000);
    put("LAB:CassetteContentsA", c.tracks.sideA, 3000);
    put("LAB:CassetteContentsB", c.tracks.sideB, 3000);
    put("LAB:ImageName", c.imageName, 255);
}

} // namespace crx
