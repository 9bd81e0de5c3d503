// The update and delete routines: cascades, restrictions in their order,
// records changed by another station, and failures that leave every file
// as it was.
#include "filehelpers.h"
#include "fileset.h"
#include "integrity.h"
#include "scriptedinteraction.h"
#include "transaction.h"

#include <QTemporaryDir>
#include <QtTest>
#include <sqlite3.h>

using namespace crx;
using namespace crx::test;

namespace {

void add(DataFile &file, std::initializer_list<std::pair<const char *, QVariant>> values)
{
    file.buffer().clear();
    for (const auto &[name, value] : values)
        file.buffer().set(name, value);
    QCOMPARE(file.add(), int(NoError));
}

// Reads the record whose key equals the values into the buffer, watched as a form reads it.
bool read(DataFile &file, const char *key, std::initializer_list<std::pair<const char *, QVariant>> values)
{
    file.buffer().clear();
    for (const auto &[name, value] : values)
        file.buffer().set(name, value);
    file.watch();
    return file.get(file.def().keyIndex(key)) == NoError;
}

QStringList all(DataFile &file, const char *field)
{
    QStringList out;
    file.setToStart(-1);
    while (file.next() == NoError)
        out << file.buffer().get(field).toString();
    return out;
}

// A catalogue: two albums with three songs each, categories Rock (1) and Jazz (2),
// media CD and LP, and a playlist holding song 4.
struct Catalogue {
    Catalogue() : files(dir.path())
    {
        albums = &files.use(FileId::Album);
        songs = &files.use(FileId::Cantorix);
        categories = &files.use(FileId::Categories);
        media = &files.use(FileId::Media);
        playlists = &files.use(FileId::PlaylistMaster);
        entries = &files.use(FileId::PlaylistDetails);
        add(*categories, {{"CategoryID", 1}, {"Category", "Rock"}});
        add(*categories, {{"CategoryID", 2}, {"Category", "Jazz"}});
        add(*categories, {{"CategoryID", 3}, {"Category", "Unused"}});
        add(*media, {{"Media", "CD"}});
        add(*media, {{"Media", "LP"}});
        add(*albums, {{"AlbumID", 1}, {"Artist", "Queen"}, {"Album", "Jazz"}, {"Media", "CD"}, {"CategoryID", 1}});
        add(*albums, {{"AlbumID", 2}, {"Artist", "Miles Davis"}, {"Album", "Kind of Blue"}, {"Media", "LP"}});
        for (int id = 1; id <= 6; ++id)
            add(*songs, {{"ID", id}, {"Title", QStringLiteral("Song %1").arg(id)}, {"AlbumID", id <= 3 ? 1 : 2},
                         {"TrackNumber", id}, {"Media", id <= 3 ? "CD" : "LP"}, {"CategoryID", id <= 3 ? 1 : 2}});
        add(*playlists, {{"PlaylistID", 1}, {"PlaylistDescription", "Favourites"}});
        add(*entries, {{"PlaylistID", 1}, {"PlaylistSeq", 1}, {"ID", 4}});
    }

    QTemporaryDir dir;
    FileSet files;
    DataFile *albums, *songs, *categories, *media, *playlists, *entries;
};

} // namespace

class TestIntegrity : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void deletingAnAlbumDeletesItsSongs();
    void songOnAPlaylistKeepsItsAlbum();
    void renamedMediaFormatRenamesTheSongsOnly_data();
    void renamedMediaFormatRenamesTheSongsOnly();
    void aLinkedFileIsNotWrittenWithoutItsOriginalLink();
    void refusalsAreShownAfterTheTransaction_data();
    void refusalsAreShownAfterTheTransaction();
    void deletingAPlaylistDeletesItsEntries();
    void categoryDeleteChecksAlbumsFirst_data();
    void categoryDeleteChecksAlbumsFirst();
    void categoryUsedByAnAlbumKeepsItsIdentifier();
    void categoryIdentifierCascadesToSongs();
    void albumIdentifierCascadesToSongs();
    void secondStationGetsTheFirstStationsText_data();
    void secondStationGetsTheFirstStationsText();
    void failedCascadeLeavesEveryFileAsItWas();
    void lockedFilesCancelTheTransaction();
};

void TestIntegrity::deletingAnAlbumDeletesItsSongs()
{
    ScriptedInteraction person;
    Catalogue cat;
    QVERIFY(read(*cat.albums, "KeyAlbumID", {{"AlbumID", 1}}));
    QVERIFY(deleteRecord(cat.files, FileId::Album));
    QCOMPARE(all(*cat.albums, "AlbumID"), QStringList({"2"}));
    QCOMPARE(all(*cat.songs, "ID"), QStringList({"4", "5", "6"}));
    QVERIFY(person.shown.isEmpty());
}

void TestIntegrity::songOnAPlaylistKeepsItsAlbum()
{
    ScriptedInteraction person;
    Catalogue cat;
    QVERIFY(read(*cat.albums, "KeyAlbumID", {{"AlbumID", 2}}));
    QVERIFY(!deleteRecord(cat.files, FileId::Album));
    QCOMPARE(person.shown.size(), 1);
    QCOMPARE(person.shown[0].title, QString("Referential Integrity Delete Error"));
    QVERIFY(person.shown[0].text.startsWith("This record is referenced from the file PlaylistDetails."));
    QCOMPARE(all(*cat.albums, "AlbumID"), QStringList({"1", "2"}));
    QCOMPARE(all(*cat.songs, "ID").size(), 6);
    QCOMPARE(cat.albums->buffer().get("Album").toString(), QString("Kind of Blue"));
}

void TestIntegrity::renamedMediaFormatRenamesTheSongsOnly_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("another name") << "Compact Disc";
    QTest::newRow("letter case only") << "cd";
}

void TestIntegrity::renamedMediaFormatRenamesTheSongsOnly()
{
    QFETCH(QString, name);
    ScriptedInteraction person;
    Catalogue cat;
    QVERIFY(read(*cat.media, "KeyMedia", {{"Media", "cd"}}));
    const QVariant original = cat.media->buffer().get("MED:Media");
    cat.media->buffer().set("Media", name);
    QCOMPARE(updateRecord(cat.files, FileId::Media, WriteMode::Form, original), Saved);
    QCOMPARE(all(*cat.songs, "Media"), QStringList({name, name, name, "LP", "LP", "LP"}));
    QCOMPARE(all(*cat.albums, "Media"), QStringList({"CD", "LP"}));
    QVERIFY(person.shown.isEmpty());
}

void TestIntegrity::aLinkedFileIsNotWrittenWithoutItsOriginalLink()
{
    ScriptedInteraction person;
    Catalogue cat;
    QVERIFY(read(*cat.media, "KeyMedia", {{"Media", "CD"}}));
    cat.media->buffer().set("Media", "Compact Disc");
    QCOMPARE(updateRecord(cat.files, FileId::Media, WriteMode::Form, QVariant()), NotSaved);
    QCOMPARE(person.shown.size(), 1);
    QCOMPARE(person.shown[0].title, QString("Update Operation Error"));
    QCOMPARE(all(*cat.media, "Media"), QStringList({"CD", "LP"}));
    QCOMPARE(all(*cat.songs, "Media"), QStringList({"CD", "CD", "CD", "LP", "LP", "LP"}));
}

void TestIntegrity::refusalsAreShownAfterTheTransaction_data()
{
    QTest::addColumn<bool>("deleting");
    QTest::newRow("change restricted (12)") << false;
    QTest::newRow("delete restricted (13)") << true;
}

void TestIntegrity::refusalsAreShownAfterTheTransaction()
{
    QFETCH(bool, deleting);
    Catalogue cat;
    // Another window adds a song while the refusal is on screen.
    const std::unique_ptr<FileSet> other = cat.files.newThread();
    struct Person : ScriptedInteraction {
        FileSet *other = nullptr;
        bool inTransactionMeanwhile = true;
        int written = -1;
        Button message(const QString &title, const QString &text, Icon icon, Buttons buttons,
                       Button defaultButton) override
        {
            inTransactionMeanwhile = inTransaction();
            add(other->file(FileId::Cantorix), {{"ID", 99}, {"Title", "Meanwhile"}});
            written = other->file(FileId::Cantorix).buffer().rowId > 0;
            return ScriptedInteraction::message(title, text, icon, buttons, defaultButton);
        }
    } person;
    person.other = other.get();
    other->use(FileId::Cantorix);
    QVERIFY(read(*cat.categories, "KeyCategoryID", {{"CategoryID", 1}}));
    if (deleting) {
        QVERIFY(!deleteRecord(cat.files, FileId::Categories));
    } else {
        cat.categories->buffer().set("CategoryID", 9);
        QCOMPARE(updateRecord(cat.files, FileId::Categories, WriteMode::Form, 1), NotSaved);
    }
    QCOMPARE(person.shown.size(), 1);
    QVERIFY(person.shown[0].text.startsWith("This record is referenced from the file Album."));
    QVERIFY(!person.inTransactionMeanwhile);
    QCOMPARE(person.written, 1);
    QCOMPARE(all(*cat.songs, "ID").size(), 7); // the other window's song stays
    other->release(FileId::Cantorix);
}

void TestIntegrity::deletingAPlaylistDeletesItsEntries()
{
    ScriptedInteraction person;
    Catalogue cat;
    QVERIFY(read(*cat.playlists, "KeyPlaylistID", {{"PlaylistID", 1}}));
    QVERIFY(deleteRecord(cat.files, FileId::PlaylistMaster));
    QCOMPARE(cat.playlists->records(), 0);
    QCOMPARE(cat.entries->records(), 0);
    QCOMPARE(cat.songs->records(), 6);
}

void TestIntegrity::categoryDeleteChecksAlbumsFirst_data()
{
    QTest::addColumn<int>("category");
    QTest::addColumn<QString>("child");
    QTest::newRow("used by an album and songs") << 1 << "Album";
    QTest::newRow("used by songs only") << 2 << "Cantorix";
    QTest::newRow("unused") << 3 << "";
}

void TestIntegrity::categoryDeleteChecksAlbumsFirst()
{
    QFETCH(int, category);
    QFETCH(QString, child);
    ScriptedInteraction person;
    Catalogue cat;
    QVERIFY(read(*cat.categories, "KeyCategoryID", {{"CategoryID", category}}));
    QCOMPARE(deleteRecord(cat.files, FileId::Categories), child.isEmpty());
    if (child.isEmpty()) {
        QVERIFY(person.shown.isEmpty());
        QCOMPARE(cat.categories->records(), 2);
    } else {
        QCOMPARE(person.shown.size(), 1);
        QCOMPARE(person.shown[0].text, "This record is referenced from the file " + child
                                           + ".  This record cannot be deleted while these references exist.");
        QCOMPARE(cat.categories->records(), 3);
    }
}

void TestIntegrity::categoryUsedByAnAlbumKeepsItsIdentifier()
{
    ScriptedInteraction person;
    Catalogue cat;
    QVERIFY(read(*cat.categories, "KeyCategoryID", {{"CategoryID", 1}}));
    cat.categories->buffer().set("CategoryID", 9);
    cat.categories->buffer().set("Category", "Rock & Roll");
    QCOMPARE(updateRecord(cat.files, FileId::Categories, WriteMode::Form, 1), NotSaved);
    QCOMPARE(person.shown.size(), 1);
    QCOMPARE(person.shown[0].title, QString("Referential Integrity Update Error"));
    QVERIFY(person.shown[0].text.startsWith("This record is referenced from the file Album."));
    QCOMPARE(cat.categories->buffer().get("CategoryID").toInt(), 1); // reset to its original value
    QCOMPARE(all(*cat.categories, "Category"), QStringList({"Rock", "Jazz", "Unused"}));
    QCOMPARE(all(*cat.songs, "CategoryID"), QStringList({"1", "1", "1", "2", "2", "2"}));
    // The buffer still stands for the stored record: a save without the new identifier goes through.
    QVERIFY(read(*cat.categories, "KeyCategoryID", {{"CategoryID", 1}}));
    cat.categories->buffer().set("Category", "Rock & Roll");
    QCOMPARE(updateRecord(cat.files, FileId::Categories, WriteMode::Form, 1), Saved);
}

void TestIntegrity::categoryIdentifierCascadesToSongs()
{
    ScriptedInteraction person;
    Catalogue cat;
    QVERIFY(read(*cat.categories, "KeyCategoryID", {{"CategoryID", 2}}));
    cat.categories->buffer().set("CategoryID", 7);
    QCOMPARE(updateRecord(cat.files, FileId::Categories, WriteMode::Form, 2), Saved);
    QCOMPARE(all(*cat.songs, "CategoryID"), QStringList({"1", "1", "1", "7", "7", "7"}));
    QVERIFY(person.shown.isEmpty());
}

void TestIntegrity::albumIdentifierCascadesToSongs()
{
    ScriptedInteraction person;
    Catalogue cat;
    QVERIFY(read(*cat.albums, "KeyAlbumID", {{"AlbumID", 1}}));
    cat.albums->buffer().set("AlbumID", 40);
    QCOMPARE(updateRecord(cat.files, FileId::Album, WriteMode::Quiet, 1), Saved);
    QCOMPARE(all(*cat.songs, "AlbumID"), QStringList({"40", "40", "40", "2", "2", "2"}));
}

void TestIntegrity::secondStationGetsTheFirstStationsText_data()
{
    QTest::addColumn<bool>("form");
    QTest::addColumn<QString>("message");
    QTest::newRow("form") << true << "This record was changed by another station. Those changes will now be displayed. "
                                     "Use the Ditto Button or Ctrl+' to recall your changes.";
    QTest::newRow("quiet") << false << "This record was changed by another station.";
}

void TestIntegrity::secondStationGetsTheFirstStationsText()
{
    QFETCH(bool, form);
    QFETCH(QString, message);
    ScriptedInteraction person;
    Catalogue cat;
    // The second station reads the category, then the first saves it from another process.
    QVERIFY(read(*cat.categories, "KeyCategoryID", {{"CategoryID", 2}}));
    FileSet other(cat.dir.path());
    DataFile &theirs = other.use(FileId::Categories);
    QVERIFY(read(theirs, "KeyCategoryID", {{"CategoryID", 2}}));
    theirs.buffer().set("Category", "Cool Jazz");
    QCOMPARE(updateRecord(other, FileId::Categories, WriteMode::Form, 2), Saved);

    cat.categories->buffer().set("Category", "Bebop");
    QCOMPARE(updateRecord(cat.files, FileId::Categories, form ? WriteMode::Form : WriteMode::Quiet, 2),
             ChangedElsewhere);
    QCOMPARE(person.shown.size(), 1);
    QCOMPARE(person.shown[0].text, message);
    QCOMPARE(cat.categories->buffer().get("Category").toString(), QString("Cool Jazz"));
    // Watched again: saving now goes through.
    cat.categories->buffer().set("Category", "Bebop");
    QCOMPARE(updateRecord(cat.files, FileId::Categories, WriteMode::Form, 2), Saved);
    QCOMPARE(all(*cat.categories, "Category"), QStringList({"Rock", "Bebop", "Unused"}));
}

void TestIntegrity::failedCascadeLeavesEveryFileAsItWas()
{
    ScriptedInteraction person;
    Catalogue cat;
    // A song that refuses to be rewritten, as a damaged record would.
    cat.files.release(FileId::Cantorix);
    runSql(cat.dir.filePath("crxdata.tps"),
        "CREATE TRIGGER refuse BEFORE UPDATE ON records WHEN OLD.ID = 6 BEGIN SELECT RAISE(ABORT, 'refused'); END");
    cat.songs = &cat.files.use(FileId::Cantorix);
    QVERIFY(read(*cat.categories, "KeyCategoryID", {{"CategoryID", 2}}));
    cat.categories->buffer().set("CategoryID", 8);
    QCOMPARE(updateRecord(cat.files, FileId::Categories, WriteMode::Form, 2), NotSaved);
    QCOMPARE(person.shown.size(), 1);
    QCOMPARE(person.shown[0].text, QString("An error (refused (1811)) was experienced when attempting to update a "
                                           "record from the file.  Probable Cause: Cantorix."));
    QCOMPARE(all(*cat.categories, "CategoryID"), QStringList({"1", "2", "3"}));
    QCOMPARE(all(*cat.songs, "CategoryID"), QStringList({"1", "1", "1", "2", "2", "2"}));
}

void TestIntegrity::lockedFilesCancelTheTransaction()
{
    ScriptedInteraction person;
    Catalogue cat;
    QVERIFY(read(*cat.playlists, "KeyPlaylistID", {{"PlaylistID", 1}}));
    sqlite3 *other = nullptr;
    sqlite3_open(cat.dir.filePath("crxpldet.tps").toUtf8().constData(), &other);
    QCOMPARE(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    QVERIFY(!deleteRecord(cat.files, FileId::PlaylistMaster));
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    QCOMPARE(person.shown.size(), 1);
    QCOMPARE(person.shown[0].text, QString("Error: (File Is Already Locked (32)) attempting to frame the delete "
                                           "transaction on PlaylistMaster.  Delete transaction cancelled."));
    QCOMPARE(cat.playlists->records(), 1);
    QCOMPARE(cat.entries->records(), 1);
}

QTEST_GUILESS_MAIN(TestIntegrity)
#include "tst_integrity.moc"
