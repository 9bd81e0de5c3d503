// Files the engine must not trust: not a database, truncated, foreign, of a
// newer or an older layout, with damaged keys, a directory in the file's place.
// Each is reported with its result code and none is replaced or emptied.
#include "filehelpers.h"
#include "storagefixture.h"

#include <sqlite3.h>

using namespace crx;
using namespace crx::test;

class TestDamagedFiles : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void untrustedFilesAreRefusedAndKept_data();
    void untrustedFilesAreRefusedAndKept();
    void olderLayoutIsUpgradedKeepingEveryRecord();
    void emptyFileIsGivenItsLayout();
    void missingKeyIsReportedAndRebuilt();
    void rebuildFailsOnDuplicateValues();
    void directoryInTheFilesPlace();
};

enum Damage { Garbage, Truncated, Foreign, NewerLayout, OtherLayout };
Q_DECLARE_METATYPE(Damage)

void TestDamagedFiles::untrustedFilesAreRefusedAndKept_data()
{
    QTest::addColumn<Damage>("damage");
    QTest::addColumn<int>("openCode");
    QTest::addColumn<int>("upgradeCode");
    QTest::newRow("not a database") << Garbage << int(DriverError) << int(DriverError);
    QTest::newRow("truncated") << Truncated << int(InvalidDataFile) << int(LayoutChanged);
    QTest::newRow("another program's database") << Foreign << int(InvalidDataFile) << int(InvalidDataFile);
    QTest::newRow("newer layout") << NewerLayout << int(LayoutChanged) << int(LayoutChanged);
    QTest::newRow("album file under the song file's name") << OtherLayout << int(InvalidDataFile)
                                                          << int(InvalidDataFile);
}

void TestDamagedFiles::untrustedFilesAreRefusedAndKept()
{
    QFETCH(Damage, damage);
    QFETCH(int, openCode);
    QFETCH(int, upgradeCode);
    Catalogue cat;
    const QString path = cat.path("crxdata.tps");
    if (damage == Garbage) {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(QByteArray(5000, 'x'));
    } else if (damage == Foreign) {
        runSql(path, "CREATE TABLE invoices(n); INSERT INTO invoices VALUES(1)");
    } else if (damage == OtherLayout) {
        DataFile albums(fileDef(FileId::Album), cat.dir.path());
        albums.setDiskName("crxdata.tps");
        QCOMPARE(albums.create(), int(NoError));
    } else {
        DataFile &songs = cat.open(FileId::Cantorix);
        songs.stream();
        for (int i = 1; i <= 3000; ++i)
            addSong(songs, i, "Artist", QString::number(i));
        songs.flush();
        songs.close();
        if (damage == NewerLayout) {
            runSql(path, QByteArray("UPDATE file_info SET layout = ")
                              .append(QByteArray::number(fileDef(FileId::Cantorix).layoutVersion + 1))
                              .constData());
        } else {
            QFile f(path);
            QVERIFY(f.resize(f.size() / 2));
        }
    }
    const QByteArray before = fileContents(path);

    DataFile songs(fileDef(FileId::Cantorix), cat.dir.path());
    QCOMPARE(songs.open(), openCode);
    QVERIFY(!songs.isOpen());
    if (openCode == DriverError)
        QCOMPARE(lastResult().driverCode, SQLITE_NOTADB);
    // A truncated file passes the upgrader's first look but cannot be opened afterwards either.
    const int upgraded = songs.upgradeLayout();
    if (damage == Truncated)
        QVERIFY(upgraded != NoError || songs.open() != NoError);
    else
        QCOMPARE(upgraded, upgradeCode);
    QCOMPARE(songs.create(), int(DriverError));
    QCOMPARE(fileContents(path), before);
}

void TestDamagedFiles::olderLayoutIsUpgradedKeepingEveryRecord()
{
    Catalogue cat;
    const QString path = cat.path("crxdata.tps");
    {
        DataFile &songs = cat.open(FileId::Cantorix);
        for (int i = 1; i <= 50; ++i)
            addSong(songs, i, i % 2 ? "Motörhead" : "abba", QStringLiteral("Song %1").arg(i));
        songs.close();
    }
    // The layout before the audio-file field was added: one field short, version 7.
    runSql(path, "ALTER TABLE records DROP COLUMN AssociatedWAVFile; UPDATE file_info SET layout = 7;"
              "DROP INDEX SongsByArtist");
    DataFile songs(fileDef(FileId::Cantorix), cat.dir.path());
    QCOMPARE(songs.open(), int(LayoutChanged));
    QCOMPARE(songs.upgradeLayout(), int(NoError));
    QCOMPARE(songs.open(), int(NoError));
    QCOMPARE(songs.records(), 50);
    songs.buffer().clear();
    songs.buffer().set("Artist", "MOTÖRHEAD");
    QCOMPARE(songs.set(songs.def().keyIndex("SongsByArtist")), int(NoError));
    QCOMPARE(songs.next(), int(NoError));
    QCOMPARE(songs.buffer().get("Artist").toString(), QString("Motörhead"));
    QCOMPARE(songs.buffer().get("AssociatedWAVFile").toString(), QString());
    songs.buffer().set("AssociatedWAVFile", "/music/ace.wav");
    QCOMPARE(songs.put(), int(NoError));
}

void TestDamagedFiles::emptyFileIsGivenItsLayout()
{
    Catalogue cat;
    QFile(cat.path("crxmedia.tps")).open(QIODevice::WriteOnly);
    DataFile media(fileDef(FileId::Media), cat.dir.path());
    QCOMPARE(media.open(), int(InvalidDataFile));
    QCOMPARE(media.upgradeLayout(), int(NoError));
    QCOMPARE(media.open(), int(NoError));
    QCOMPARE(media.records(), 0);
}

void TestDamagedFiles::missingKeyIsReportedAndRebuilt()
{
    Catalogue cat;
    DataFile &albums = cat.open(FileId::Album);
    addAlbum(albums, 1, "Queen", "Jazz");
    albums.close();
    runSql(cat.path("crxalbum.tps"), "DROP INDEX KeyArtist; UPDATE records SET k_Artist = 'garbage'");
    QCOMPARE(albums.open(), int(KeysMustBeRebuilt));
    QCOMPARE(albums.rebuildKeys(), int(NoError));
    QCOMPARE(albums.open(), int(NoError));
    albums.buffer().clear();
    albums.buffer().set("Artist", "queen");
    albums.buffer().set("Album", "jazz");
    QCOMPARE(albums.get(albums.def().keyIndex("KeyArtist")), int(NoError));
}

void TestDamagedFiles::rebuildFailsOnDuplicateValues()
{
    Catalogue cat;
    DataFile &albums = cat.open(FileId::Album);
    addAlbum(albums, 1, "Queen", "Jazz");
    addAlbum(albums, 2, "Queen", "Innuendo");
    albums.close();
    runSql(cat.path("crxalbum.tps"), "DROP INDEX KeyArtist; UPDATE records SET Album = 'Jazz'");
    QCOMPARE(albums.open(), int(KeysMustBeRebuilt));
    QVERIFY(albums.rebuildKeys() != NoError);
    QCOMPARE(albums.open(), int(KeysMustBeRebuilt));
}

void TestDamagedFiles::directoryInTheFilesPlace()
{
    Catalogue cat;
    QVERIFY(QDir(cat.dir.path()).mkdir("crxdata.tps"));
    DataFile songs(fileDef(FileId::Cantorix), cat.dir.path());
    QCOMPARE(songs.open(), int(DriverError));
    QCOMPARE(songs.upgradeLayout(), int(FileNotFound));
    QCOMPARE(songs.create(), int(DriverError));
    QVERIFY(QFileInfo(cat.path("crxdata.tps")).isDir());
}

QTEST_GUILESS_MAIN(TestDamagedFiles)
#include "tst_damaged_files.moc"
