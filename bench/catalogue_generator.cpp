#include "catalogue_generator.h"

#include "connection.h"
#include "datafile.h"
#include "transaction.h"

#include <QDir>
#include <QFile>
#include <cstdio>
#include <sqlite3.h>

namespace crx::bench {
namespace {

const char *const names[] = {"Motörhead", "Björk", "Sigur Rós", "Mötley Crüe", "Абба", "坂本龍一", "Queen",
                             "The Beatles", "Pink Floyd", "Daft Punk", "Nirvana", "Kraftwerk", "Ça Va", "Ömer",
                             "Zappa", "ABBA", "Prince", "Madonna", "Cream", "Yes"};
const char *const words[] = {"Love", "Night", "Dance", "Heart", "Fire", "Rain", "Blue", "Dream", "Star", "Light",
                             "Time", "Road", "Élan", "Soul", "City", "River", "Gold", "Wild", "Echo", "Moon",
                             "Señor", "Straße", "Kiss", "Storm", "Home", "Fly", "Rock", "Sun", "Sky", "Run"};
constexpr int nameCount = int(sizeof names / sizeof *names);
constexpr int wordCount = int(sizeof words / sizeof *words);

// A cheap reproducible scramble, so every run generates the same catalogue.
quint32 mix(quint32 x)
{
    x ^= x >> 16;
    x *= 0x7feb352d;
    x ^= x >> 15;
    x *= 0x846ca68b;
    x ^= x >> 16;
    return x;
}

} // namespace

QString makeArtist(int n)
{
    const quint32 h = mix(quint32(n) * 7919u);
    return QString::fromUtf8(names[h % nameCount]) + " " + QString::fromUtf8(words[(h >> 8) % wordCount])
           + QString::number((h >> 16) % 997);
}

namespace {

QString title(quint32 h)
{
    return QString::fromUtf8(words[h % wordCount]) + " " + QString::fromUtf8(words[(h >> 5) % wordCount]) + " "
           + QString::fromUtf8(words[(h >> 10) % wordCount]) + QString::number((h >> 15) % 100);
}

} // namespace

void makeAlbum(Record &album, int n)
{
    const quint32 h = mix(quint32(n));
    album.clear();
    album.set("AlbumID", n);
    album.set("Artist", makeArtist(n % 20000 + 1));
    album.set("Album", title(h) + " " + QString::number(n));
    album.set("Media", (h & 3) ? "CD" : "Vinyl");
    album.set("FileNumber", QStringLiteral("CD-%1").arg(n, 5, 10, QChar('0')));
    album.set("ReleaseDate", 1960 + int(h % 60));
    album.set("CategoryID", 1 + int(h % 20));
}

void makeSong(Record &song, int n, int albums)
{
    const quint32 h = mix(quint32(n) + 0x9e3779b9u);
    const int album = 1 + (n - 1) % albums;
    song.clear();
    song.set("ID", n);
    song.set("Artist", makeArtist((h & 7) ? album % 20000 + 1 : int(h % 50000) + 1));
    song.set("Title", title(h));
    song.set("Mix", (h % 11) == 0 ? QStringLiteral("Extended Mix") : QString());
    song.set("Album", title(mix(quint32(album))) + " " + QString::number(album));
    song.set("Media", (mix(quint32(album)) & 3) ? "CD" : "Vinyl");
    song.set("FileNumber", QStringLiteral("CD-%1").arg(album, 5, 10, QChar('0')));
    song.set("ReleaseDate", 1960 + int(mix(quint32(album)) % 60));
    song.set("CategoryID", (h % 13) ? 1 + int(h % 20) : 0);
    song.set("ChartNumber", (h % 17) == 0 ? 1 + int(h % 100) : 0);
    song.set("TrackNumber", 1 + (n - 1) / albums % 20);
    song.set("Side", 1);
    song.set("Time", 6000 * (2 + h % 6) + 100 * (h % 60) + 1);
    song.set("UserDefinedKeyField", (h % 5) == 0 ? QStringLiteral("Crate %1").arg(h % 40) : QString());
    song.set("BeatsPerMinute", (h % 3) ? 60 + int(h % 120) : 0);
    song.set("AlbumID", album);
}

void readSongRow(sqlite3_stmt *stmt, std::vector<QString> &texts, std::vector<qint64> &numbers)
{
    const FileDef &def = fileDef(FileId::Cantorix);
    for (size_t f = 0; f < def.fields.size(); ++f) {
        const int column = 2 + int(f);
        if (def.fields[f].isText())
            texts[f] = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, column)),
                                         sqlite3_column_bytes(stmt, column));
        else
            numbers[f] = sqlite3_column_int64(stmt, column);
    }
}

void ensureCatalogue(const QString &dir, int songs, int albums)
{
    const QString marker = QDir(dir).filePath(QStringLiteral("complete-%1-%2").arg(songs).arg(albums));
    if (QFile::exists(marker))
        return;
    QFile::remove(QDir(dir).filePath("crxdata.tps"));
    QFile::remove(QDir(dir).filePath("crxalbum.tps"));
    std::fprintf(stderr, "generating %d songs and %d albums in %s\n", songs, albums, qPrintable(dir));
    DataFile songFile(fileDef(FileId::Cantorix), dir);
    DataFile albumFile(fileDef(FileId::Album), dir);
    if (songFile.create() != 0 || albumFile.create() != 0)
        qFatal("cannot create the benchmark catalogue");
    albumFile.stream();
    for (int n = 1; n <= albums; ++n) {
        makeAlbum(albumFile.buffer(), n);
        if (albumFile.add() != 0)
            qFatal("album %d: %s", n, qPrintable(lastResult().text));
    }
    albumFile.flush();
    songFile.stream();
    for (int n = 1; n <= songs; ++n) {
        makeSong(songFile.buffer(), n, albums);
        if (songFile.add() != 0)
            qFatal("song %d: %s", n, qPrintable(lastResult().text));
        if (n % 100000 == 0) {
            songFile.flush();
            songFile.stream();
        }
    }
    songFile.flush();
    QFile(marker).open(QIODevice::WriteOnly);
}

} // namespace crx::bench
