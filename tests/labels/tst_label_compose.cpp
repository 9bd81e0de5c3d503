// What the label wizard writes into a label: artists in reading form, the
// time suffix, the track lists of the covers and the cassette sides, and the
// compositions from an album and from a chosen song.
#include "datafile.h"
#include "fileset.h"
#include "labelcomposer.h"
#include "settings.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace crx;

namespace {

struct Catalogue {
    Catalogue() : files(dir.path())
    {
        settings() = Settings();
        songs = &files.use(FileId::Cantorix);
        albums = &files.use(FileId::Album);
    }
    ~Catalogue()
    {
        files.release(FileId::Album);
        files.release(FileId::Cantorix);
    }
    Record &album(qint64 id, const QString &title, const QString &artist, const QString &image = {})
    {
        Record &a = albums->buffer();
        a.clear();
        a.set("AlbumID", id);
        a.set("Album", title);
        a.set("Artist", artist);
        a.set("AssociatedImage", image);
        [&] { QCOMPARE(albums->add(), int(NoError)); }();
        return a;
    }
    Record &song(qint64 id, qint64 album, int side, int track, const QString &title, const QString &artist,
                 qint64 time = 0, const QString &fileNumber = {}, const QString &albumTitle = {})
    {
        Record &s = songs->buffer();
        s.clear();
        s.set("ID", id);
        s.set("AlbumID", album);
        s.set("Side", side);
        s.set("TrackNumber", track);
        s.set("Title", title);
        s.set("Artist", artist);
        s.set("Time", time);
        s.set("Media", "CD");
        s.set("FileNumber", fileNumber);
        s.set("Album", albumTitle);
        [&] { QCOMPARE(songs->add(), int(NoError)); }();
        return s;
    }

    QTemporaryDir dir;
    FileSet files;
    DataFile *songs, *albums;
};

// A time value of minutes and seconds.
qint64 timeOf(int minutes, int seconds)
{
    return (minutes * 60 + seconds) * 100 + 1;
}

QStringList lines(const QString &text)
{
    return text.split(QStringLiteral("\r\n"));
}

} // namespace

class TestLabelCompose : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void artistDisplayName_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("no comma") << "ABBA" << "ABBA";
        QTest::newRow("article") << "Beatles, The" << "The Beatles";
        QTest::newRow("article with blanks") << "Moody Blues,   The  " << "The Moody Blues";
        QTest::newRow("and after the comma") << "Petty, Tom and the Heartbreakers" << "Tom Petty and the Heartbreakers";
        QTest::newRow("and before the comma") << "Simon and Garfunkel, The" << "The Simon and Garfunkel";
        QTest::newRow("with") << "Brown, James with the Famous Flames" << "James Brown with the Famous Flames";
        QTest::newRow("letter case of with") << "Brown, James WITH the Flames" << "James Brown WITH the Flames";
    }
    void artistDisplayName()
    {
        QFETCH(QString, stored);
        QTEST(ArtistDisplayName(stored), "shown");
    }

    void timeSuffix_data()
    {
        QTest::addColumn<qint64>("time");
        QTest::addColumn<QString>("information");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("minutes and seconds") << timeOf(3, 45) << "" << " (3:45)";
        QTest::newRow("two-digit seconds") << timeOf(12, 5) << "" << " (12:05)";
        QTest::newRow("hours dropped") << timeOf(65, 2) << "" << " (5:02)";
        QTest::newRow("from the information") << qint64(0) << "4:10  " << " (4:10)";
        QTest::newRow("a zero time in the information") << qint64(0) << "00:00:00" << "";
        QTest::newRow("nothing") << qint64(0) << "live" << "";
    }
    void timeSuffix()
    {
        QFETCH(qint64, time);
        QFETCH(QString, information);
        QTEST(crx::timeSuffix(time, information), "suffix");
    }

    // A cassette album on two sides: each side lists its own songs, both covers all of them.
    void aCassetteOnTwoSides()
    {
        const LabelTrackLists lists = trackLists(
            {{'2', 1, "Four"}, {'1', 2, "Two"}, {'1', 1, "One"}, {'2', 2, "Five"}, {'0', 1, "Both"}}, "]");
        QCOMPARE(lines(lists.sideA), (QStringList{"  1] Both", "  1] One", "  2] Two"}));
        QCOMPARE(lines(lists.sideB), (QStringList{"  1] Both", "  1] Four", "  2] Five"}));
        QCOMPARE(lists.front, lists.back);
        QCOMPARE(lines(lists.front).size(), 5);
        QVERIFY(lists.front.startsWith("  1] Both"));
        QCOMPARE(trackLists({{'1', 7, "Yesterday (2:05)"}}, " ").front, QStringLiteral("  7. Yesterday (2:05)"));
    }

    // VARIOUS: the album title alone on the spine; each track by another artist shows it in
    // reading form; the title comes first by default.
    void aVariousAlbum()
    {
        Catalogue cat;
        Record album = cat.album(5, "Summer Hits", "Various", "/pictures/summer.jpg");
        cat.song(1, 5, 1, 1, "Waterloo", "ABBA", timeOf(2, 42));
        cat.song(2, 5, 1, 2, "Help!", "Beatles, The", timeOf(65, 2));
        cat.song(3, 5, 1, 3, "Medley", "Various");
        cat.song(4, 6, 1, 1, "Elsewhere", "Nobody");
        const LabelComposition c = composeFromAlbum(cat.files, album, artistFirst(settings().labelArtistTitleOrder),
                                                    settings().delimiter);
        QCOMPARE(c.spine, QStringLiteral("Summer Hits"));
        QCOMPARE(c.cassetteTitle, QStringLiteral("Summer Hits"));
        QCOMPARE(c.description, QStringLiteral("Summer Hits - Various"));
        QCOMPARE(c.album, qint64(5));
        QCOMPARE(lines(c.tracks.front),
                 (QStringList{"  1. Waterloo - ABBA (2:42)", "  2. Help! - The Beatles (5:02)", "  3. Medley"}));
        QCOMPARE(c.imageName, QStringLiteral("/pictures/summer.jpg"));

        Record label(fileDef(FileId::Labels));
        applyComposition(label, c);
        QCOMPARE(label.get("LAB:CDInsideText").toString(), c.tracks.front);
        QCOMPARE(label.get("LAB:LabelDescription").toString(), QStringLiteral("Summer Hits - Various"));
    }

    void artistFirstOrder()
    {
        Catalogue cat;
        Record album = cat.album(5, "Arrival", "ABBA");
        cat.song(1, 5, 1, 1, "Dancing Queen", "ABBA", timeOf(3, 51));
        cat.song(2, 5, 1, 2, "Guest Song", "Petty, Tom");
        const LabelComposition c = composeFromAlbum(cat.files, album, artistFirst("Artist - Title"), ")");
        QCOMPARE(c.spine, QStringLiteral("ABBA - Arrival"));
        QCOMPARE(c.flap, QStringLiteral("ABBA\r\nArrival"));
        QCOMPARE(c.description, QStringLiteral("Arrival - ABBA"));
        QCOMPARE(lines(c.tracks.front), (QStringList{"  1) Dancing Queen (3:51)", "  2) Tom Petty - Guest Song"}));
        QVERIFY(!artistFirst("1"));
    }

    // Sixty songs under one file number give 51 lines; the picture is the chosen song's album's.
    void aFileNumberOfSixtySongs()
    {
        Catalogue cat;
        cat.album(9, "Box", "Many", "/pictures/box.png");
        for (int n = 1; n <= 60; ++n)
            cat.song(n, 9, 1, 0, QStringLiteral("Song %1").arg(n, 2, 10, QLatin1Char('0')), "Singer", 0, "F-7", "Box");
        cat.song(61, 0, 1, 1, "Other file", "Singer", 0, "F-8", "Box");
        Record chosen = cat.songs->buffer();
        chosen.set("MUS:FileNumber", "F-7");
        chosen.set("MUS:AlbumID", 9);
        const LabelComposition c = composeFromSong(cat.files, chosen, false, ".");
        QCOMPARE(c.description, QStringLiteral("File Number F-7"));
        QCOMPARE(c.spine, QStringLiteral("File Number F-7 Box - Singer"));
        QCOMPARE(c.flap, QStringLiteral("File Number F-7\r\nBox\r\nSinger"));
        QCOMPARE(c.album, qint64(0));
        const QStringList front = lines(c.tracks.front);
        QCOMPARE(front.size(), MostLabelEntries);
        QCOMPARE(front.first(), QStringLiteral("  1. Song 01 - Singer"));
        QCOMPARE(front.last(), QStringLiteral(" 51. Song 51 - Singer"));
        QCOMPARE(c.imageName, QStringLiteral("/pictures/box.png"));
    }

    // Without a file number: the songs of the album title and artist, titles alone.
    void aSongWithoutFileNumber()
    {
        Catalogue cat;
        cat.song(1, 0, 1, 2, "Second", "Beatles, The", timeOf(2, 5), {}, "Demos");
        cat.song(2, 0, 1, 1, "First", "Beatles, The", 0, {}, "Demos");
        cat.song(3, 0, 1, 1, "Not theirs", "Stones, The", 0, {}, "Demos");
        Record chosen = cat.songs->buffer();
        chosen.set("MUS:Artist", "Beatles, The");
        const LabelComposition c = composeFromSong(cat.files, chosen, false, ".");
        QCOMPARE(c.description, QStringLiteral("Demos - The Beatles"));
        QCOMPARE(lines(c.tracks.front), (QStringList{"  1. First", "  2. Second (2:05)"}));
        QVERIFY(c.imageName.isEmpty());
    }

    // No song found: the texts are composed, the track lists and the picture stay as they were.
    void noSongsLeaveTheListsAlone()
    {
        Catalogue cat;
        Record album = cat.album(3, "Empty", "Nobody");
        const LabelComposition c = composeFromAlbum(cat.files, album, false, ".");
        QVERIFY(!c.hasTracks);
        Record label(fileDef(FileId::Labels));
        label.set("LAB:CDInsideText", "kept");
        label.set("LAB:ImageName", "kept.png");
        applyComposition(label, c);
        QCOMPARE(label.get("LAB:CDInsideText").toString(), QStringLiteral("kept"));
        QCOMPARE(label.get("LAB:ImageName").toString(), QStringLiteral("kept.png"));
        QCOMPARE(label.get("LAB:CDSpine").toString(), QStringLiteral("Empty - Nobody"));
    }
};

QTEST_MAIN(TestLabelCompose)
#include "tst_label_compose.moc"
