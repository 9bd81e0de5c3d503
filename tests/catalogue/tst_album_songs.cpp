// What the album forms do to an album's songs: the running order, the
// renumbering after a delete, cascade, re-assigning, dropping, the swap and
// replace passes, and how a song shows in a track list.
#include "albumsongs.h"
#include "datafile.h"
#include "fileset.h"
#include "replacetext.h"
#include "scriptedinteraction.h"
#include "songdisplay.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace crx;
using namespace crx::test;

namespace {

struct Catalogue {
    Catalogue() : files(dir.path()) { songs = &files.use(FileId::Cantorix); }
    ~Catalogue() { files.release(FileId::Cantorix); }
    void add(int id, const QString &title, int album, int side, int track, const QString &media = "CD",
             const QString &fileNumber = "")
    {
        Record &s = songs->buffer();
        s.clear();
        s.set("ID", id);
        s.set("Artist", "Artist " + title);
        s.set("Title", title);
        s.set("AlbumID", album);
        s.set("Side", side);
        s.set("TrackNumber", track);
        s.set("Media", media);
        s.set("FileNumber", fileNumber);
        QCOMPARE(songs->add(), int(NoError));
    }
    // "title=side/track" of every song in identifier order.
    QStringList order()
    {
        QStringList out;
        songs->setToStart(songs->def().keyIndex("KeyID"));
        while (songs->next() == NoError) {
            const Record &s = songs->buffer();
            out << QStringLiteral("%1=%2/%3")
                       .arg(s.get("Title").toString())
                       .arg(s.get("Side").toInt())
                       .arg(s.get("TrackNumber").toInt());
        }
        return out;
    }
    QTemporaryDir dir;
    FileSet files;
    DataFile *songs;
};

// Songs "t<n>" of album 1, side 1, one per track number, and "other" on side 2 at track 3.
void fill(Catalogue &cat, const QList<int> &tracks)
{
    int id = 1;
    for (int t : tracks)
        cat.add(id++, QStringLiteral("t%1").arg(t), 1, 1, t);
    cat.add(id, "other", 1, 2, 3);
}

} // namespace

class TestAlbumSongs : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void moves_data();
    void moves();
    void renumberingAfterADelete();
    void replaceText_data();
    void replaceText();
    void display_data();
    void display();
    void cascade();
    void reassign_data();
    void reassign();
    void drop();
    void swapAndReplaceFromASide();
};

void TestAlbumSongs::moves_data()
{
    QTest::addColumn<QList<int>>("tracks");
    QTest::addColumn<int>("track");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("afterTrack");
    QTest::addColumn<QStringList>("expected");
    const QList<int> three{1, 2, 3}, gaps{1, 2, 5, 7};
    QTest::newRow("first up: nothing") << three << 1 << int(Move::UpOne) << 0
                                       << QStringList{"t1=1/1", "t2=1/2", "t3=1/3", "other=2/3"};
    QTest::newRow("last down: nothing") << three << 3 << int(Move::DownOne) << 0
                                        << QStringList{"t1=1/1", "t2=1/2", "t3=1/3", "other=2/3"};
    QTest::newRow("up one") << three << 3 << int(Move::UpOne) << 0
                            << QStringList{"t1=1/1", "t2=1/3", "t3=1/2", "other=2/3"};
    QTest::newRow("down one") << three << 1 << int(Move::DownOne) << 0
                              << QStringList{"t1=1/2", "t2=1/1", "t3=1/3", "other=2/3"};
    QTest::newRow("to the top from 7") << gaps << 7 << int(Move::ToTop) << 0
                                       << QStringList{"t1=1/2", "t2=1/5", "t5=1/7", "t7=1/1", "other=2/3"};
    QTest::newRow("to the bottom from 1") << gaps << 1 << int(Move::ToBottom) << 0
                                          << QStringList{"t1=1/7", "t2=1/1", "t5=1/2", "t7=1/5", "other=2/3"};
    // Five songs, the second highlighted, the new one added as 6.
    QTest::newRow("after insert") << QList<int>{1, 2, 3, 4, 5, 6} << 6 << int(Move::AfterInsert) << 2
                                  << QStringList{"t1=1/1", "t2=1/2", "t3=1/4", "t4=1/5", "t5=1/6", "t6=1/3",
                                                 "other=2/3"};
}

void TestAlbumSongs::moves()
{
    QFETCH(QList<int>, tracks);
    QFETCH(int, track);
    QFETCH(int, mode);
    QFETCH(int, afterTrack);
    QFETCH(QStringList, expected);
    ScriptedInteraction person;
    Catalogue cat;
    fill(cat, tracks);
    moveSong(cat.files, 1, 1, track, Move(mode), afterTrack);
    QCOMPARE(cat.order(), expected);
    QVERIFY(person.shown.isEmpty());
}

void TestAlbumSongs::renumberingAfterADelete()
{
    ScriptedInteraction person;
    Catalogue cat;
    fill(cat, {1, 2, 4, 5, 6}); // track 3 was deleted
    cat.add(7, "late", 1, 1, 9);
    renumberAfterDelete(cat.files, 1, 1, 3);
    QCOMPARE(cat.order(), QStringList({"t1=1/1", "t2=1/2", "t4=1/3", "t5=1/4", "t6=1/5", "other=2/3", "late=1/6"}));
}

void TestAlbumSongs::replaceText_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("find");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("result");
    QTest::newRow("banana") << "banana" << 50 << "an" << "AN" << "bANANa";
    QTest::newRow("right to left") << "aaaa" << 50 << "aa" << "a" << "a";
    QTest::newRow("case counts") << "Abba" << 50 << "a" << "e" << "Abbe";
    QTest::newRow("to nothing") << "Album, The" << 50 << ", The" << "" << "Album";
    QTest::newRow("blanks of the width") << "12" << 20 << " " << "-" << "12" + QString(18, '-');
    QTest::newRow("cut to the width") << "abc" << 5 << "c" << "cdefg" << "abcde";
}

void TestAlbumSongs::replaceText()
{
    QFETCH(QString, field);
    QFETCH(int, width);
    QFETCH(QString, find);
    QFETCH(QString, replacement);
    QFETCH(QString, result);
    QCOMPARE(crx::replaceText(field, width, find, replacement), result);
}

void TestAlbumSongs::display_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("skips");
    QTest::addColumn<QString>("mix");
    QTest::addColumn<qint64>("time");
    QTest::addColumn<QString>("shownTitle");
    QTest::addColumn<QString>("shownTime");
    QTest::addColumn<int>("skipsAfter");
    QTest::newRow("plain") << "Vogue" << 0 << "" << qint64(22501) << "Vogue" << " 3:45" << 0;
    QTest::newRow("skips and mix") << "Vogue" << 1 << "12 inch" << qint64(0) << "Vogue (Skips) (12 inch)" << "" << 1;
    QTest::newRow("title says skips") << "Vogue (Skips)" << 0 << "" << qint64(380001) << "Vogue (Skips)" << "63:20" << 1;
}

void TestAlbumSongs::display()
{
    QFETCH(QString, title);
    QFETCH(int, skips);
    QFETCH(QString, mix);
    QFETCH(qint64, time);
    QFETCH(QString, shownTitle);
    QFETCH(QString, shownTime);
    QFETCH(int, skipsAfter);
    Record song(fileDef(FileId::Cantorix));
    song.set("Title", title);
    song.set("Skips", skips);
    song.set("Mix", mix);
    QCOMPARE(displayTitle(song), shownTitle);
    QCOMPARE(song.get("Skips").toInt(), skipsAfter);
    QCOMPARE(displayTime(time), shownTime);
}

void TestAlbumSongs::cascade()
{
    ScriptedInteraction person;
    Catalogue cat;
    fill(cat, {1, 2});
    cat.add(9, "elsewhere", 2, 1, 1);
    Record album(fileDef(FileId::Album));
    album.set("AlbumID", 1);
    album.set("Artist", "ABBA");
    album.set("Album", "Arrival");
    album.set("Media", "Vinyl");
    album.set("FileNumber", "LP-1");
    album.set("ReleaseDate", 1976);
    const auto field = [&](int id, const char *name) {
        cat.songs->buffer().clear();
        cat.songs->buffer().set("ID", id);
        cat.songs->get(cat.songs->def().keyIndex("KeyID"));
        return cat.songs->buffer().get(name).toString();
    };
    cascadeToSongs(cat.files, album, false);
    QCOMPARE(field(1, "Album"), QString("Arrival"));
    QCOMPARE(field(3, "Media"), QString("Vinyl")); // every side
    QCOMPARE(field(2, "Artist"), QString("Artist t2"));
    QCOMPARE(field(9, "Album"), QString()); // another album's song
    cascadeToSongs(cat.files, album, true);
    QCOMPARE(field(2, "Artist"), QString("ABBA"));
    QCOMPARE(field(2, "ReleaseDate"), QString("1976"));
    QCOMPARE(field(2, "TrackNumber"), QString("2"));
}

void TestAlbumSongs::reassign_data()
{
    QTest::addColumn<QString>("fileNumber");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("reason");
    QTest::newRow("two songs, any case") << "lp-7" << 2 << int(Reassigned::Done);
    QTest::newRow("past the end") << "ZZ-1" << 0 << int(Reassigned::EndOfFile);
    QTest::newRow("another file number") << "LP-6" << 0 << int(Reassigned::OtherFileNumber);
}

void TestAlbumSongs::reassign()
{
    QFETCH(QString, fileNumber);
    QFETCH(int, count);
    QFETCH(int, reason);
    ScriptedInteraction person;
    Catalogue cat;
    cat.add(1, "a", 0, 1, 1, "Vinyl", "LP-7");
    cat.add(2, "b", 0, 1, 2, "Vinyl", "LP-7");
    cat.add(3, "c", 0, 1, 3, "Vinyl", "LP-8");
    Record album(fileDef(FileId::Album));
    album.set("AlbumID", 5);
    album.set("Media", "Vinyl");
    album.set("FileNumber", fileNumber);
    int assigned = -1;
    QString error;
    QCOMPARE(int(reassignByFileNumber(cat.files, album, assigned, error)), reason);
    QCOMPARE(assigned, count);
    // A media that no song has stops at once.
    album.set("Media", "Cassette");
    QCOMPARE(reassignByFileNumber(cat.files, album, assigned, error), Reassigned::OtherMedia);
}

void TestAlbumSongs::drop()
{
    ScriptedInteraction person;
    Catalogue cat;
    cat.add(1, "mine", 1, 1, 1);
    cat.add(2, "theirs", 2, 1, 4);
    QVERIFY(dropSong(cat.files, 1, 1)); // already on this album: nothing
    QVERIFY(dropSong(cat.files, 1, 99)); // no such song: nothing
    QCOMPARE(cat.songs->records(), 2);
    QVERIFY(dropSong(cat.files, 1, 2));
    QCOMPARE(cat.songs->records(), 3);
    cat.songs->buffer().clear();
    cat.songs->buffer().set("ID", 3); // the record count plus one
    QCOMPARE(cat.songs->get(cat.songs->def().keyIndex("KeyID")), int(NoError));
    QCOMPARE(cat.songs->buffer().get("Title").toString(), QString("theirs"));
    QCOMPARE(cat.songs->buffer().get("AlbumID").toInt(), 1);
    QCOMPARE(cat.songs->buffer().get("TrackNumber").toInt(), 4);
    QCOMPARE(cat.order().at(1), QString("theirs=1/4")); // the original stays where it was
    cat.songs->buffer().clear();
    cat.songs->buffer().set("ID", 2);
    cat.songs->get(cat.songs->def().keyIndex("KeyID"));
    QCOMPARE(cat.songs->buffer().get("AlbumID").toInt(), 2);
}

void TestAlbumSongs::swapAndReplaceFromASide()
{
    ScriptedInteraction person;
    Catalogue cat;
    cat.add(1, "One", 1, 1, 1);
    cat.add(2, "Two", 1, 2, 1);
    cat.add(3, "Three", 1, 3, 1);
    swapArtistsAndTitles(cat.files, 1, 2);
    replaceInSongs(cat.files, 1, 3, "Title", "Artist", "By");
    replaceInSongs(cat.files, 1, 1, "Mix", "One", "1"); // not a field the pass changes
    QStringList seen;
    cat.songs->setToStart(cat.songs->def().keyIndex("KeyID"));
    while (cat.songs->next() == NoError)
        seen << cat.songs->buffer().get("Artist").toString() + "/" + cat.songs->buffer().get("Title").toString();
    QCOMPARE(seen, QStringList({"Artist One/One", "Two/Artist Two", "Three/By Three"}));
}

QTEST_MAIN(TestAlbumSongs)
#include "tst_album_songs.moc"
