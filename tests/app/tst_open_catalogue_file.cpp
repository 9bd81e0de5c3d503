// Opening catalogue files on demand: created when missing, upgraded, keys
// rebuilt on the person's word, locked files retried, and the standard
// message and halt where a file cannot be mended. Nothing is ever replaced.
#include "filehelpers.h"
#include "fileset.h"
#include "result.h"
#include "scriptedinteraction.h"

#include <QTemporaryDir>
#include <QtTest>
#include <sqlite3.h>
#include <thread>
#include <unistd.h>

using namespace crx;
using namespace crx::test;

class TestOpenCatalogueFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void freshDirectoryCreatesEveryFileSilently();
    void useCountsOpenOnceAndCloseLast();
    void olderLayoutIsUpgradedSilently();
    void upgradeSortsAccentedNamesWithTheirLetters();
    void damagedKeysAskOnce_data();
    void damagedKeysAskOnce();
    void failedRebuildEnds();
    void unmendableFilesEndWithTheirMessage_data();
    void unmendableFilesEndWithTheirMessage();
    void lockedFileIsRetriedOnce();
    void lockedFileThatStaysLockedEnds();
    void fileThatCannotBeCreatedEnds();
};

// Makes the named file hold three songs (or what the file holds), closed again.
static void prepare(const QString &dir, FileId id)
{
    FileSet files(dir);
    DataFile &f = files.use(id);
    if (id == FileId::Cantorix)
        for (int i = 1; i <= 3; ++i) {
            f.buffer().clear();
            f.buffer().set("ID", i);
            f.buffer().set("Artist", "Artist");
            f.add();
        }
    files.release(id);
}

void TestOpenCatalogueFile::freshDirectoryCreatesEveryFileSilently()
{
    ScriptedInteraction person;
    QTemporaryDir dir;
    FileSet files(dir.path());
    files.registerWithUpgrader();
    for (const FileDef *def : allFiles()) {
        if (def->diskName.isEmpty())
            continue; // the files of another directory are named at run time
        QVERIFY(files.use(def->id).isOpen());
        QVERIFY2(QFile::exists(dir.filePath(def->diskName + ".tps")), qPrintable(def->diskName));
    }
    QVERIFY(person.shown.isEmpty());
    QVERIFY(person.halts.isEmpty());
}

void TestOpenCatalogueFile::useCountsOpenOnceAndCloseLast()
{
    ScriptedInteraction person;
    QTemporaryDir dir;
    FileSet files(dir.path());
    DataFile &songs = files.use(FileId::Cantorix);
    songs.buffer().set("Artist", "kept in the shared buffer");
    QCOMPARE(&files.use(FileId::Cantorix), &songs);
    QCOMPARE(files.useCount(FileId::Cantorix), 2);
    QCOMPARE(songs.buffer().get("Artist").toString(), QString("kept in the shared buffer"));
    files.release(FileId::Cantorix);
    QVERIFY(songs.isOpen());
    files.release(FileId::Cantorix);
    QVERIFY(!songs.isOpen());
    files.release(FileId::Cantorix);
    QCOMPARE(files.useCount(FileId::Cantorix), 0);
}

void TestOpenCatalogueFile::olderLayoutIsUpgradedSilently()
{
    ScriptedInteraction person;
    QTemporaryDir dir;
    prepare(dir.path(), FileId::Cantorix);
    runSql(dir.filePath("crxdata.tps"), "ALTER TABLE records DROP COLUMN CDDBString; UPDATE file_info SET layout = 7");
    FileSet files(dir.path());
    files.registerWithUpgrader();
    QCOMPARE(files.use(FileId::Cantorix).records(), 3);
    QVERIFY(person.shown.isEmpty());
}

void TestOpenCatalogueFile::upgradeSortsAccentedNamesWithTheirLetters()
{
    ScriptedInteraction person;
    QTemporaryDir dir;
    {
        FileSet files(dir.path());
        DataFile &categories = files.use(FileId::Categories);
        for (const char *name : {"Zydeco", "Électro", "Eurobeat"}) {
            categories.buffer().clear();
            categories.buffer().set("Category", QString::fromUtf8(name));
            QCOMPARE(categories.add(), int(NoError));
        }
        files.release(FileId::Categories);
    }
    // As an older program left it: the key holds the plain upper case.
    runSql(dir.filePath("CRXCAT.tps"), "UPDATE records SET k_Category = 'ÉLECTRO' WHERE Category = 'Électro';"
                                       "UPDATE file_info SET layout = 1");
    FileSet files(dir.path());
    files.registerWithUpgrader();
    DataFile &categories = files.use(FileId::Categories);
    QVERIFY(person.shown.isEmpty());
    QStringList order;
    categories.setToStart(categories.def().keyIndex("KeyCategory"));
    while (categories.next() == NoError)
        order << categories.buffer().get("Category").toString();
    QCOMPARE(order, QStringList({"Électro", "Eurobeat", "Zydeco"}));
    files.release(FileId::Categories);
}

void TestOpenCatalogueFile::damagedKeysAskOnce_data()
{
    QTest::addColumn<int>("press");
    QTest::newRow("yes rebuilds") << int(Yes);
    QTest::newRow("no ends") << int(No);
}

void TestOpenCatalogueFile::damagedKeysAskOnce()
{
    QFETCH(int, press);
    ScriptedInteraction person;
    QTemporaryDir dir;
    prepare(dir.path(), FileId::Cantorix);
    runSql(dir.filePath("crxdata.tps"), "DROP INDEX SongsByTitle");
    FileSet files(dir.path());
    files.registerWithUpgrader();
    person.answer({Button(press)});
    try {
        QCOMPARE(files.use(FileId::Cantorix).records(), 3);
        QCOMPARE(press, int(Yes));
    } catch (const Halted &h) {
        QCOMPARE(press, int(No));
        QCOMPARE(h.text, QString("Invalid Key!"));
    }
    QCOMPARE(person.shown.size(), 1);
    QCOMPARE(person.shown[0].text, QString("crxdata.tps key file is invalid.  Do you want to rebuild the key?"));
}

void TestOpenCatalogueFile::failedRebuildEnds()
{
    ScriptedInteraction person;
    QTemporaryDir dir;
    {
        FileSet files(dir.path());
        DataFile &media = files.use(FileId::Media);
        for (const char *name : {"CD", "Vinyl"}) {
            media.buffer().set("Media", name);
            media.add();
        }
    }
    runSql(dir.filePath("crxmedia.tps"), "DROP INDEX KeyMedia; UPDATE records SET Media = 'CD'");
    FileSet files(dir.path());
    QVERIFY_THROWS_EXCEPTION(Halted, files.use(FileId::Media));
    QCOMPARE(person.halts, QStringList({"Error Rebuilding Key!"}));
    QCOMPARE(person.shown.size(), 2);
    QCOMPARE(person.shown[1].title, QString("Key Rebuild Error"));
    QCOMPARE(person.shown[1].text, QString("Error: (Creates Duplicate Key (40)) repairing key for crxmedia.tps.  Press OK to end this application."));
}

enum Damage { NotADatabase, Truncated, NewerLayout, Directory, NoPassword };
Q_DECLARE_METATYPE(Damage)

void TestOpenCatalogueFile::unmendableFilesEndWithTheirMessage_data()
{
    QTest::addColumn<Damage>("damage");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("halt");
    QTest::newRow("not a database") << NotADatabase << "crxdata.tps"
        << "File (crxdata.tps) could not be opened.  Error: file is not a database (26)." << "Disk Error";
    QTest::newRow("truncated") << Truncated << "crxdata.tps"
        << "File (crxdata.tps) could not be opened.  Error: Invalid Data File (36)." << "Disk Error";
    QTest::newRow("newer layout") << NewerLayout << "crxdata.tps"
        << "Error: (Invalid Record Declaration (47)) accessing crxdata.tps.  Press OK to end this application." << "Invalid File!";
    QTest::newRow("a directory") << Directory << "crxdata.tps"
        << "File (crxdata.tps) could not be opened.  Error: unable to open database file (14)." << "Disk Error";
    QTest::newRow("configuration without its password") << NoPassword << "CRXConf.tps"
        << "File (CRXConf.tps) could not be opened.  Error: the owner password does not match (23)." << "Disk Error";
}

void TestOpenCatalogueFile::unmendableFilesEndWithTheirMessage()
{
    QFETCH(Damage, damage);
    QFETCH(QString, file);
    QFETCH(QString, text);
    QFETCH(QString, halt);
    ScriptedInteraction person;
    QTemporaryDir dir;
    const QString path = dir.filePath(file);
    FileId id = FileId::Cantorix;
    switch (damage) {
    case NotADatabase: {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write("Cantorix 98 data, not SQLite at all, and long enough to be a header............");
        break;
    }
    case Truncated:
        prepare(dir.path(), FileId::Cantorix);
        {
            FileSet files(dir.path());
            DataFile &songs = files.use(FileId::Cantorix);
            songs.stream();
            for (int i = 10; i < 3000; ++i) {
                songs.buffer().set("ID", i);
                songs.add();
            }
            songs.flush();
        }
        QFile(path).resize(QFileInfo(path).size() / 3);
        break;
    case NewerLayout:
        prepare(dir.path(), FileId::Cantorix);
        runSql(path, "UPDATE file_info SET layout = 99");
        break;
    case Directory:
        QDir(dir.path()).mkdir(file);
        break;
    case NoPassword: {
        id = FileId::Configuration;
        DataFile bare(fileDef(FileId::Configuration), dir.path());
        QCOMPARE(bare.create(), int(NoError));
        break;
    }
    }
    const QByteArray before = fileContents(path);
    FileSet files(dir.path());
    files.registerWithUpgrader();
    QVERIFY_THROWS_EXCEPTION(Halted, files.use(id));
    QCOMPARE(person.halts, QStringList({halt}));
    QCOMPARE(person.shown.size(), 1);
    QCOMPARE(person.shown[0].text, text);
    QCOMPARE(fileContents(path), before);
}

void TestOpenCatalogueFile::lockedFileIsRetriedOnce()
{
    ScriptedInteraction person;
    QTemporaryDir dir;
    prepare(dir.path(), FileId::Cantorix);
    sqlite3 *other = nullptr;
    sqlite3_open(dir.filePath("crxdata.tps").toUtf8().constData(), &other);
    QCOMPARE(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    std::thread release([other] {
        sleep(2);
        sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    });
    FileSet files(dir.path());
    QCOMPARE(files.use(FileId::Cantorix).records(), 3);
    release.join();
    sqlite3_close(other);
    QVERIFY(person.shown.isEmpty());
}

void TestOpenCatalogueFile::lockedFileThatStaysLockedEnds()
{
    ScriptedInteraction person;
    QTemporaryDir dir;
    prepare(dir.path(), FileId::Album);
    sqlite3 *other = nullptr;
    sqlite3_open(dir.filePath("crxalbum.tps").toUtf8().constData(), &other);
    QCOMPARE(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    FileSet files(dir.path());
    QElapsedTimer timer;
    timer.start();
    QVERIFY_THROWS_EXCEPTION(Halted, files.use(FileId::Album));
    QVERIFY(timer.elapsed() >= 10000); // the recovery attempt waited ten seconds
    sqlite3_close(other);
    QCOMPARE(person.halts, QStringList({"Disk Error"}));
    QCOMPARE(person.shown.size(), 1);
    QCOMPARE(person.shown[0].text, QString("File (crxalbum.tps) could not be opened.  Error: File Is Already Locked (32)."));
}

void TestOpenCatalogueFile::fileThatCannotBeCreatedEnds()
{
    ScriptedInteraction person;
    QTemporaryDir dir;
    FileSet files(dir.filePath("gone")); // a working directory that does not exist (or cannot be written)
    QVERIFY_THROWS_EXCEPTION(Halted, files.use(FileId::Categories));
    QCOMPARE(person.halts, QStringList({"File Creation Error!"}));
    QCOMPARE(person.shown.size(), 1);
    QCOMPARE(person.shown[0].title, QString("File Creation Error"));
    QCOMPARE(person.shown[0].text, QString("Error: (unable to open database file (14)) creating CRXCAT.tps.  Press OK to end this application."));
}

QTEST_GUILESS_MAIN(TestOpenCatalogueFile)
#include "tst_open_catalogue_file.moc"
