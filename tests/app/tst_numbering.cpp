// Numbering new records: highest identifier plus one, within a parent for
// playlist entries and add-wizard tracks, and the retry after failed adds.
#include "fileset.h"
#include "numbering.h"
#include "scriptedinteraction.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace crx;
using namespace crx::test;

Q_DECLARE_METATYPE(crx::FileId)

class TestNumbering : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void firstRecordIsOneThenHighestPlusOne_data();
    void firstRecordIsOneThenHighestPlusOne();
    void cancelledNumberIsGivenOutAgain();
    void playlistEntriesCountWithinTheirPlaylist();
    void addWizardTracksCountWithinInstanceAndSide();
    void failedAddsAskToRetry();
    void unreadableFileStopsTheInsert();
};

void TestNumbering::firstRecordIsOneThenHighestPlusOne_data()
{
    QTest::addColumn<FileId>("file");
    QTest::addColumn<QString>("field");
    QTest::newRow("categories") << FileId::Categories << "CAT:CategoryID";
    QTest::newRow("songs") << FileId::Cantorix << "MUS:ID";
    QTest::newRow("albums") << FileId::Album << "ALB:AlbumID";
    QTest::newRow("labels") << FileId::Labels << "LAB:LabelID";
    QTest::newRow("fonts") << FileId::Fonts << "FON:FontID";
    QTest::newRow("playlists") << FileId::PlaylistMaster << "PLD:PlaylistID";
    QTest::newRow("tips") << FileId::CRXTips << "TIP:ID";
}

void TestNumbering::firstRecordIsOneThenHighestPlusOne()
{
    QFETCH(FileId, file);
    QFETCH(QString, field);
    ScriptedInteraction person;
    QTemporaryDir dir;
    FileSet files(dir.path());
    DataFile &f = files.use(file);
    QVERIFY(isNumbered(f));
    f.buffer().clear();
    QCOMPARE(addNumbered(f), Numbering::Added);
    QCOMPARE(f.buffer().get(field).toInt(), 1);
    f.buffer().clear();
    f.buffer().set(field, 41);
    QCOMPARE(f.add(), int(NoError));
    f.buffer().clear();
    QCOMPARE(addNumbered(f), Numbering::Added);
    QCOMPARE(f.buffer().get(field).toInt(), 42);
    QCOMPARE(f.records(), 3);
    QVERIFY(person.shown.isEmpty());
}

void TestNumbering::cancelledNumberIsGivenOutAgain()
{
    ScriptedInteraction person;
    QTemporaryDir dir;
    FileSet files(dir.path());
    DataFile &albums = files.use(FileId::Album);
    albums.buffer().clear();
    QCOMPARE(addNumbered(albums), Numbering::Added);
    albums.buffer().set("Album", "kept");
    QCOMPARE(albums.put(), int(NoError));
    albums.buffer().clear();
    QCOMPARE(addNumbered(albums), Numbering::Added);
    QCOMPARE(albums.buffer().get("AlbumID").toInt(), 2);
    QCOMPARE(albums.remove(), int(NoError)); // the placeholder of a cancelled form
    albums.buffer().clear();
    QCOMPARE(addNumbered(albums), Numbering::Added);
    QCOMPARE(albums.buffer().get("AlbumID").toInt(), 2);
}

void TestNumbering::playlistEntriesCountWithinTheirPlaylist()
{
    ScriptedInteraction person;
    QTemporaryDir dir;
    FileSet files(dir.path());
    DataFile &entries = files.use(FileId::PlaylistDetails);
    const auto add = [&](int playlist) {
        entries.buffer().clear();
        entries.buffer().set("PlaylistID", playlist);
        entries.buffer().set("ID", 77);
        if (addNumbered(entries) != Numbering::Added)
            return -1;
        return entries.buffer().get("PlaylistSeq").toInt();
    };
    QCOMPARE(add(2), 1);
    QCOMPARE(add(2), 2);
    QCOMPARE(add(1), 1); // the first entry of a playlist, with another playlist's entries after it
    QCOMPARE(add(3), 1);
    QCOMPARE(add(2), 3);
    QCOMPARE(add(1), 2);
    QCOMPARE(entries.buffer().get("ID").toInt(), 77); // the prepared record is kept
}

void TestNumbering::addWizardTracksCountWithinInstanceAndSide()
{
    ScriptedInteraction person;
    QTemporaryDir dir;
    FileSet files(dir.path());
    DataFile &tracks = files.use(FileId::AddWizard);
    const auto add = [&](int instance, int side) {
        tracks.buffer().clear();
        tracks.buffer().set("Instance", instance);
        tracks.buffer().set("Side", side);
        addNumbered(tracks);
        return tracks.buffer().get("Track").toInt();
    };
    QCOMPARE(add(1, 1), 1);
    QCOMPARE(add(1, 1), 2);
    QCOMPARE(add(1, 2), 1);
    QCOMPARE(add(2, 1), 1);
    QCOMPARE(add(1, 1), 3);
}

void TestNumbering::failedAddsAskToRetry()
{
    ScriptedInteraction person;
    QTemporaryDir dir;
    FileSet files(dir.path());
    DataFile &categories = files.use(FileId::Categories);
    categories.buffer().clear();
    categories.buffer().set("Category", "Rock");
    QCOMPARE(addNumbered(categories), Numbering::Added);
    // Every add of this record fails, so each round of three attempts ends in message 25.
    categories.buffer().clear();
    categories.buffer().set("Category", "ROCK");
    person.answer({Retry, Cancel});
    QCOMPARE(addNumbered(categories), Numbering::Cancelled);
    QCOMPARE(person.shown.size(), 2);
    QCOMPARE(person.shown[0].title, QString("Auto Increment Error"));
    QCOMPARE(person.shown[0].text,
             QString("Attempts to automatically number this record have failed.  Error: Creates Duplicate Key (40)."));
    QCOMPARE(categories.records(), 1);
    QCOMPARE(categories.buffer().get("Category").toString(), QString("ROCK"));
}

void TestNumbering::unreadableFileStopsTheInsert()
{
    ScriptedInteraction person;
    QTemporaryDir dir;
    FileSet files(dir.path());
    DataFile &categories = files.file(FileId::Categories); // never opened
    QCOMPARE(addNumbered(categories), Numbering::Failed);
    QCOMPARE(person.shown.size(), 1);
    QCOMPARE(person.shown[0].text, QString("Error: (File Not Open (37)) attempting to access a record from the "
                                           "Categories file.  Returning to previous window."));
}

QTEST_GUILESS_MAIN(TestNumbering)
#include "tst_numbering.moc"
