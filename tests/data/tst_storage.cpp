// The storage engine's main paths: creating and opening files, key orders
// with their rules, reading by key and position, writing with duplicate-key
// and changed-by-another-station checks, transactions and bulk mode.
#include "storagefixture.h"
#include "transaction.h"

#include <sqlite3.h>

using namespace crx;
using namespace crx::test;

class TestStorage : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void createdFileOpensAgainWithItsRecords();
    void createNeverReplacesAFile();
    void theStockShellReadsTheFile();
    void countFollowsWritesFromAnywhere();
    void handlesKeepTheirOwnRecordOnOneFile();
    void aStepReadsInOneTransactionThatWritesAndMessagesEnd();
    void keyOrderIgnoresCaseAndKeepsEqualKeysInOrder();
    void accentedNamesSortWithTheirLetters();
    void uniqueKeysTellAccentsApartButNotLetterCase_data();
    void uniqueKeysTellAccentsApartButNotLetterCase();
    void optKeysLeaveOutBlankRecords();
    void setPositionsAtTheFirstRecordNotLess_data();
    void setPositionsAtTheFirstRecordNotLess();
    void readingBackwardsAndPastTheEnds();
    void getByKeyFindsOrMisses();
    void uniqueKeysRefuseAndNameTheKey_data();
    void uniqueKeysRefuseAndNameTheKey();
    void blankUniqueValuesMayRepeat();
    void positionRereadsExactlyThatRecord();
    void watchedRecordChangedElsewhereIsNotOverwritten();
    void unwatchedRewriteAndDelete();
    void numberingWithinAParentReadsBackwards();
    void transactionRollsBackEveryFile();
    void transactionCommitsEveryFile();
    void transactionWaitsThenReportsALock();
    void bulkModeCommitsOnFlush();
    void readsLetOtherProcessesWrite();
    void ownerPasswordIsRequired();
    void driverOptions();
    void packAndRebuildKeepTheRecords();
};

void TestStorage::createdFileOpensAgainWithItsRecords()
{
    Catalogue cat;
    DataFile &songs = cat.file(FileId::Cantorix);
    QCOMPARE(songs.open(), int(FileNotFound));
    QCOMPARE(songs.create(), int(NoError));
    QVERIFY(QFile::exists(cat.path("crxdata.tps")));
    addSong(songs, 1, "Motörhead", "Ace of Spades");
    addSong(songs, 2, "Abba", "Waterloo");
    songs.close();
    QCOMPARE(songs.open(), int(NoError));
    QCOMPARE(songs.open(), int(FileAlreadyOpen));
    QCOMPARE(songs.records(), 2);
    songs.buffer().set("ID", 1);
    QCOMPARE(songs.get(fileDef(FileId::Cantorix).keyIndex("KeyID")), int(NoError));
    QCOMPARE(songs.buffer().get("Artist").toString(), QString("Motörhead"));
}

void TestStorage::createNeverReplacesAFile()
{
    Catalogue cat;
    QFile other(cat.path("CRXCAT.tps"));
    QVERIFY(other.open(QIODevice::WriteOnly));
    other.write("precious");
    other.close();
    QCOMPARE(cat.file(FileId::Categories).create(), int(DriverError));
    QVERIFY(other.open(QIODevice::ReadOnly));
    QCOMPARE(other.readAll(), QByteArray("precious"));
}

void TestStorage::theStockShellReadsTheFile()
{
    Catalogue cat;
    DataFile &songs = cat.open(FileId::Cantorix);
    addSong(songs, 7, "Björk", "Jóga");
    songs.close();
    sqlite3 *db = nullptr;
    QCOMPARE(sqlite3_open_v2(cat.path("crxdata.tps").toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr),
             SQLITE_OK);
    sqlite3_stmt *stmt = nullptr;
    QCOMPARE(sqlite3_prepare_v2(db, "SELECT Artist, Title, ID FROM records", -1, &stmt, nullptr), SQLITE_OK);
    QCOMPARE(sqlite3_step(stmt), SQLITE_ROW);
    QCOMPARE(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0))), QString("Björk"));
    QCOMPARE(sqlite3_column_int(stmt, 2), 7);
    sqlite3_finalize(stmt);
    sqlite3_close(db);
}

static QStringList readAll(DataFile &file, const QString &key, const QString &field)
{
    QStringList out;
    file.setToStart(file.def().keyIndex(key));
    while (file.next() == NoError)
        out << file.buffer().get(field).toString();
    return out;
}

void TestStorage::keyOrderIgnoresCaseAndKeepsEqualKeysInOrder()
{
    Catalogue cat;
    DataFile &songs = cat.open(FileId::Cantorix);
    addSong(songs, 1, "motörhead", "b");
    addSong(songs, 2, "ABBA", "a");
    addSong(songs, 3, "MOTÖRHEAD", "B");
    addSong(songs, 4, "abba", "A");
    addSong(songs, 5, "Zappa", "x");
    addSong(songs, 6, "", "no artist");
    // Upper-cased values in character-code order: "" < ABBA < MOTÖRHEAD < ZAPPA; equal keys in the order added.
    QCOMPARE(readAll(songs, "SongsByArtist", "ID"), QStringList({"6", "2", "4", "1", "3", "5"}));
    QCOMPARE(readAll(songs, "KeyID", "ID"), QStringList({"1", "2", "3", "4", "5", "6"}));
}

void TestStorage::optKeysLeaveOutBlankRecords()
{
    Catalogue cat;
    DataFile &songs = cat.open(FileId::Cantorix);
    addSong(songs, 1, "A", "one");
    songs.buffer().set("CategoryID", 3);
    songs.buffer().set("FileNumber", "CD-7");
    QCOMPARE(songs.put(), int(NoError));
    addSong(songs, 2, "", "");
    addSong(songs, 3, "B", "three");
    // Every component of the key blank or zero: left out; otherwise kept.
    QCOMPARE(readAll(songs, "SongsByCategory", "ID"), QStringList({"3", "1"}));
    QCOMPARE(readAll(songs, "KeyFileNumber", "ID"), QStringList({"1"}));
    QCOMPARE(readAll(songs, "SongsByArtist", "ID").size(), 3);
}

void TestStorage::setPositionsAtTheFirstRecordNotLess_data()
{
    QTest::addColumn<QString>("artist");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("read");
    QTest::newRow("exact") << "beatles" << "help" << QStringList({"2", "3", "4"});
    QTest::newRow("between") << "Beatles" << "Hello" << QStringList({"2", "3", "4"});
    QTest::newRow("before all") << "" << "" << QStringList({"1", "2", "3", "4"});
    QTest::newRow("after all") << "ZZ" << "" << QStringList();
}

void TestStorage::setPositionsAtTheFirstRecordNotLess()
{
    QFETCH(QString, artist);
    QFETCH(QString, title);
    QFETCH(QStringList, read);
    Catalogue cat;
    DataFile &songs = cat.open(FileId::Cantorix);
    addSong(songs, 1, "Abba", "SOS");
    addSong(songs, 2, "Beatles", "Help");
    addSong(songs, 3, "Beatles", "Yesterday");
    addSong(songs, 4, "Cream", "Crossroads");
    songs.buffer().clear();
    songs.buffer().set("Artist", artist);
    songs.buffer().set("Title", title);
    QCOMPARE(songs.set(songs.def().keyIndex("SongsByArtist")), int(NoError));
    QStringList got;
    while (songs.next() == NoError)
        got << songs.buffer().get("ID").toString();
    QCOMPARE(got, read);
    QCOMPARE(lastCode(), int(RecordNotAvailable));
}

void TestStorage::readingBackwardsAndPastTheEnds()
{
    Catalogue cat;
    DataFile &songs = cat.open(FileId::Cantorix);
    for (int i = 1; i <= 100; ++i)
        addSong(songs, i, QStringLiteral("Artist %1").arg(i, 3, 10, QChar('0')), "t");
    const int byArtist = songs.def().keyIndex("SongsByArtist");
    songs.setToEnd(byArtist);
    QCOMPARE(songs.previous(), int(NoError));
    QCOMPARE(songs.buffer().get("ID").toInt(), 100);
    QCOMPARE(songs.previous(), int(NoError));
    QCOMPARE(songs.buffer().get("ID").toInt(), 99);
    QCOMPARE(songs.next(), int(NoError)); // turning round reads the record after the current one
    QCOMPARE(songs.buffer().get("ID").toInt(), 100);
    QCOMPARE(songs.next(), int(RecordNotAvailable));
    songs.setToStart(byArtist);
    QCOMPARE(songs.previous(), int(RecordNotAvailable));
    int count = 0;
    songs.setToStart(byArtist);
    while (songs.next() == NoError)
        ++count;
    QCOMPARE(count, 100);
}

void TestStorage::getByKeyFindsOrMisses()
{
    Catalogue cat;
    DataFile &albums = cat.open(FileId::Album);
    addAlbum(albums, 1, "Queen", "Jazz");
    addAlbum(albums, 2, "Queen", "News of the World");
    albums.buffer().clear();
    albums.buffer().set("Artist", "QUEEN");
    albums.buffer().set("Album", "news of the world");
    QCOMPARE(albums.get(albums.def().keyIndex("KeyArtist")), int(NoError));
    QCOMPARE(albums.buffer().get("AlbumID").toInt(), 2);
    QCOMPARE(albums.buffer().get("Album").toString(), QString("News of the World"));
    albums.buffer().set("Album", "Innuendo");
    QCOMPARE(albums.get(albums.def().keyIndex("KeyArtist")), int(RecordNotFound));
}

void TestStorage::uniqueKeysRefuseAndNameTheKey_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("artist");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("cd");
    QTest::addColumn<QString>("key");
    QTest::newRow("same album, other case") << 2 << "QUEEN" << "JAZZ" << "" << "ALB:KeyAlbum";
    QTest::newRow("same identifier") << 1 << "Other" << "Other" << "" << "ALB:KeyAlbumID";
    QTest::newRow("same disc signature") << 3 << "Other" << "Other" << "0102030405" << "ALB:KeyCDIdentifier";
}

void TestStorage::uniqueKeysRefuseAndNameTheKey()
{
    QFETCH(int, id);
    QFETCH(QString, artist);
    QFETCH(QString, title);
    QFETCH(QString, cd);
    QFETCH(QString, key);
    Catalogue cat;
    DataFile &albums = cat.open(FileId::Album);
    addAlbum(albums, 1, "Queen", "Jazz", "0102030405");
    Record &r = albums.buffer();
    r.clear();
    r.set("AlbumID", id);
    r.set("Artist", artist);
    r.set("Album", title);
    r.set("CDIdentifier", cd);
    QCOMPARE(albums.add(), int(DuplicateKey));
    QCOMPARE(albums.duplicateKey(), key);
    QCOMPARE(albums.records(), 1);
    // A rewrite that would collide is refused the same way.
    addAlbum(albums, 5, "Queen", "Innuendo");
    albums.buffer().set("Album", "jazz");
    QCOMPARE(albums.put(), int(DuplicateKey));
    QCOMPARE(albums.duplicateKey(), QString("ALB:KeyAlbum"));
}

void TestStorage::blankUniqueValuesMayRepeat()
{
    Catalogue cat;
    DataFile &albums = cat.open(FileId::Album);
    addAlbum(albums, 1, "Queen", "Jazz");
    addAlbum(albums, 2, "Queen", "Innuendo");
    addAlbum(albums, 3, "Abba", "Jazz"); // same title by another artist
    QCOMPARE(albums.records(), 3);
}

void TestStorage::positionRereadsExactlyThatRecord()
{
    Catalogue cat;
    DataFile &songs = cat.open(FileId::Cantorix);
    addSong(songs, 1, "Same", "Same");
    addSong(songs, 2, "Same", "Same");
    songs.setToStart(songs.def().keyIndex("SongsByArtist"));
    songs.next();
    songs.next();
    const QByteArray position = songs.position();
    QVERIFY(position.size() <= 512);
    songs.setToStart(songs.def().keyIndex("SongsByArtist"));
    songs.next();
    QCOMPARE(songs.buffer().get("ID").toInt(), 1);
    QCOMPARE(songs.reget(position), int(NoError));
    QCOMPARE(songs.buffer().get("ID").toInt(), 2);
    QCOMPARE(songs.remove(), int(NoError));
    QCOMPARE(songs.reget(position), int(RecordNotFound));
}

void TestStorage::watchedRecordChangedElsewhereIsNotOverwritten()
{
    Catalogue cat;
    DataFile &mine = cat.open(FileId::Categories);
    mine.buffer().set("CategoryID", 1);
    mine.buffer().set("Category", "Rock");
    QCOMPARE(mine.add(), int(NoError));
    // Another process on the same directory.
    DataFile theirs(fileDef(FileId::Categories), cat.dir.path());
    QCOMPARE(theirs.open(), int(NoError));

    mine.setToStart(-1);
    mine.watch();
    QCOMPARE(mine.next(), int(NoError));
    const Record myCopy = mine.buffer();

    theirs.setToStart(-1);
    QCOMPARE(theirs.next(), int(NoError));
    theirs.buffer().set("Category", "Rock & Roll");
    QCOMPARE(theirs.put(), int(NoError));

    mine.buffer().set("Category", "Hard Rock");
    QCOMPARE(mine.put(), int(ChangedByAnotherStation));
    mine.buffer() = myCopy;
    QCOMPARE(mine.remove(), int(ChangedByAnotherStation));
    QCOMPARE(mine.reget(mine.position()), int(NoError));
    QCOMPARE(mine.buffer().get("Category").toString(), QString("Rock & Roll"));

    // Read again with a watch: now the rewrite goes through.
    mine.watch();
    QCOMPARE(mine.reget(mine.position()), int(NoError));
    mine.buffer().set("Category", "Hard Rock");
    QCOMPARE(mine.put(), int(NoError));
    QCOMPARE(mine.put(), int(NoError)); // the buffer follows its own rewrite
}

void TestStorage::unwatchedRewriteAndDelete()
{
    Catalogue cat;
    DataFile &songs = cat.open(FileId::Cantorix);
    addSong(songs, 1, "A", "x");
    addSong(songs, 2, "B", "y");
    addSong(songs, 3, "C", "z");
    songs.setToStart(songs.def().keyIndex("KeyID"));
    songs.next();
    songs.buffer().set("Title", "changed");
    QCOMPARE(songs.put(), int(NoError));
    QCOMPARE(songs.remove(), int(NoError));
    QCOMPARE(songs.next(), int(NoError)); // reading goes on after the deleted record
    QCOMPARE(songs.buffer().get("ID").toInt(), 2);
    QCOMPARE(readAll(songs, "KeyID", "Title"), QStringList({"y", "z"}));
}

void TestStorage::numberingWithinAParentReadsBackwards()
{
    Catalogue cat;
    DataFile &entries = cat.open(FileId::PlaylistDetails);
    for (const auto &[playlist, seq] : {std::pair{1, 1}, {1, 2}, {2, 1}, {2, 2}, {2, 3}, {4, 1}}) {
        entries.buffer().clear();
        entries.buffer().set("PlaylistID", playlist);
        entries.buffer().set("PlaylistSeq", seq);
        QCOMPARE(entries.add(), int(NoError));
    }
    const int key = entries.def().keyIndex("KeyPlaylistID");
    const auto highest = [&](int playlist) {
        entries.buffer().clear();
        entries.buffer().set("PlaylistID", playlist);
        entries.buffer().set("PlaylistSeq", 99999999999LL);
        entries.set(key);
        if (entries.previous() != NoError || entries.buffer().get("PlaylistID").toInt() != playlist)
            return 0;
        return entries.buffer().get("PlaylistSeq").toInt();
    };
    QCOMPARE(highest(2), 3);
    QCOMPARE(highest(1), 2);
    QCOMPARE(highest(3), 0);
    QCOMPARE(highest(5), 0);
}

void TestStorage::transactionRollsBackEveryFile()
{
    Catalogue cat;
    DataFile &albums = cat.open(FileId::Album);
    DataFile &songs = cat.open(FileId::Cantorix);
    addAlbum(albums, 1, "Queen", "Jazz");
    addSong(songs, 1, "Queen", "Mustapha", 1);
    QCOMPARE(beginTransaction({&albums, &songs}, 2), int(NoError));
    QVERIFY(inTransaction());
    songs.setToStart(-1);
    songs.next();
    QCOMPARE(songs.remove(), int(NoError));
    albums.setToStart(-1);
    albums.next();
    albums.buffer().set("Album", "Changed");
    QCOMPARE(albums.put(), int(NoError));
    addSong(songs, 2, "Queen", "New");
    rollbackTransaction();
    QVERIFY(!inTransaction());
    QCOMPARE(readAll(songs, "KeyID", "Title"), QStringList({"Mustapha"}));
    QCOMPARE(readAll(albums, "KeyAlbumID", "Album"), QStringList({"Jazz"}));
}

void TestStorage::transactionCommitsEveryFile()
{
    Catalogue cat;
    DataFile &albums = cat.open(FileId::Album);
    DataFile &songs = cat.open(FileId::Cantorix);
    QCOMPARE(beginTransaction({&albums, &songs}, 1), int(NoError));
    addAlbum(albums, 1, "Queen", "Jazz");
    addSong(songs, 1, "Queen", "Mustapha", 1);
    QCOMPARE(commitTransaction(), int(NoError));
    albums.close();
    songs.close();
    QCOMPARE(albums.open(), int(NoError));
    QCOMPARE(songs.open(), int(NoError));
    QCOMPARE(albums.records() + songs.records(), 2);

    // Files on different connections cannot share one transaction.
    DataFile &media = cat.open(FileId::Media);
    QCOMPARE(beginTransaction({&albums, &media}, 1), int(DriverError));
}

void TestStorage::transactionWaitsThenReportsALock()
{
    Catalogue cat;
    DataFile &albums = cat.open(FileId::Album);
    sqlite3 *other = nullptr;
    sqlite3_open(cat.path("crxalbum.tps").toUtf8().constData(), &other);
    QCOMPARE(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(beginTransaction({&albums}, 1), int(FileLocked));
    QVERIFY(timer.elapsed() >= 900);
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    QCOMPARE(beginTransaction({&albums}, 1), int(NoError));
    rollbackTransaction();
    // Opening a locked file reports the lock.
    albums.close();
    sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr);
    QCOMPARE(albums.open(), int(FileLocked));
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    QCOMPARE(albums.open(), int(NoError));
}

void TestStorage::bulkModeCommitsOnFlush()
{
    Catalogue cat;
    DataFile &songs = cat.open(FileId::Cantorix);
    QCOMPARE(songs.stream(), int(NoError));
    for (int i = 1; i <= 500; ++i)
        addSong(songs, i, "Bulk", QString::number(i));
    // Opening another file of the group in the middle of a stream does not disturb it.
    DataFile &albums = cat.open(FileId::Album);
    QVERIFY2(albums.isOpen(), qPrintable(lastResult().driverMessage));
    addSong(songs, 501, "Bulk", "last");
    QCOMPARE(songs.flush(), int(NoError));
    DataFile reader(fileDef(FileId::Cantorix), cat.dir.path());
    QCOMPARE(reader.open(), int(NoError));
    QCOMPARE(reader.records(), 501);
}

void TestStorage::countFollowsWritesFromAnywhere()
{
    Catalogue cat;
    DataFile &songs = cat.open(FileId::Cantorix);
    addSong(songs, 1, "A", "one");
    QCOMPARE(songs.records(), 1);
    QCOMPARE(songs.records(), 1); // asked again with nothing written
    addSong(songs, 2, "A", "two");
    QCOMPARE(songs.records(), 2); // written here
    DataFile other(fileDef(FileId::Cantorix), cat.dir.path());
    QCOMPARE(other.open(), int(NoError));
    QCOMPARE(other.records(), 2);
    addSong(other, 3, "B", "three");
    QCOMPARE(songs.records(), 3); // written by another station
    other.setToStart(other.def().keyIndex("KeyID"));
    QCOMPARE(other.next(), int(NoError));
    QCOMPARE(other.remove(), int(NoError));
    QCOMPARE(songs.records(), 2);
}

void TestStorage::accentedNamesSortWithTheirLetters()
{
    Catalogue cat;
    DataFile &songs = cat.open(FileId::Cantorix);
    int id = 0;
    for (const char *artist : {"Zappa", "Électro", "Ólafur Arnalds", "Ágætis byrjun", "Björk", "Bjork", "ABBA",
                               "Oasis", "Røyksopp", "Roxette", "Sigur Rós"})
        addSong(songs, ++id, QString::fromUtf8(artist), "Song");
    const int byArtist = songs.def().keyIndex("SongsByArtist");
    QStringList order;
    songs.setToStart(byArtist);
    while (songs.next() == NoError)
        order << songs.buffer().get("Artist").toString();
    QCOMPARE(order, QStringList({"ABBA", "Ágætis byrjun", "Bjork", "Björk", "Électro", "Oasis", "Ólafur Arnalds",
                                 "Roxette", "Røyksopp", "Sigur Rós", "Zappa"}));
    // A locator typed as plain letters finds the accented name.
    for (const auto &[typed, found] : {std::pair{"e", "Électro"}, std::pair{"ola", "Ólafur Arnalds"},
                                       std::pair{"roy", "Røyksopp"}}) {
        songs.buffer().clear();
        songs.buffer().set("Artist", QString::fromUtf8(typed));
        QCOMPARE(songs.set(byArtist), int(NoError));
        QCOMPARE(songs.next(), int(NoError));
        QCOMPARE(songs.buffer().get("Artist").toString(), QString::fromUtf8(found));
    }
}

void TestStorage::uniqueKeysTellAccentsApartButNotLetterCase_data()
{
    QTest::addColumn<QString>("second");
    QTest::addColumn<int>("code");
    QTest::newRow("without the accent") << "Bjork" << int(NoError);
    QTest::newRow("another accent") << "Bjôrk" << int(NoError);
    QTest::newRow("letter case only") << "BJÖRK" << int(DuplicateKey);
    QTest::newRow("the same") << "Björk" << int(DuplicateKey);
}

void TestStorage::uniqueKeysTellAccentsApartButNotLetterCase()
{
    QFETCH(QString, second);
    QFETCH(int, code);
    Catalogue cat;
    DataFile &media = cat.open(FileId::Media);
    media.buffer().clear();
    media.buffer().set("Media", QString("Björk"));
    QCOMPARE(media.add(), int(NoError));
    media.buffer().clear();
    media.buffer().set("Media", second);
    QCOMPARE(media.add(), code);
}

void TestStorage::handlesKeepTheirOwnRecordOnOneFile()
{
    Catalogue cat;
    DataFile &songs = cat.open(FileId::Cantorix);
    for (int i = 1; i <= 3; ++i)
        addSong(songs, i, "A", QString::number(i));
    const int byId = songs.def().keyIndex("KeyID");
    std::unique_ptr<DataFile> other = songs.newHandle();
    QVERIFY(other->isOpen());
    songs.setToStart(byId);
    QCOMPARE(songs.next(), int(NoError));
    other->setToEnd(byId);
    QCOMPARE(other->previous(), int(NoError));
    QCOMPARE(songs.buffer().get("Title").toString(), QString("1"));
    QCOMPARE(other->buffer().get("Title").toString(), QString("3"));
    // A write through one handle is what the other reads next, past rows it had read ahead.
    other->setToStart(byId);
    QCOMPARE(other->next(), int(NoError));
    songs.buffer().set("Title", "one");
    QCOMPARE(songs.put(), int(NoError));
    QCOMPARE(other->buffer().get("Title").toString(), QString("1"));
    QCOMPARE(other->next(), int(NoError));
    QCOMPARE(other->previous(), int(NoError));
    QCOMPARE(other->buffer().get("Title").toString(), QString("one"));
    QCOMPARE(other->records(), 3);
    addSong(*other, 4, "B", "4");
    QCOMPARE(songs.records(), 4);
    // Closing through one handle closes the file for both; a handle let go leaves it open.
    std::unique_ptr<DataFile> third = songs.newHandle();
    third->setToStart(byId);
    QCOMPARE(third->next(), int(NoError));
    third.reset();
    QVERIFY(songs.isOpen());
    QCOMPARE(songs.next(), int(NoError));
    other->close();
    QVERIFY(!songs.isOpen());
    QCOMPARE(songs.open(), int(NoError));
    QVERIFY(other->isOpen());
    QCOMPARE(other->setToStart(byId), int(NoError));
    QCOMPARE(other->next(), int(NoError));
}

void TestStorage::aStepReadsInOneTransactionThatWritesAndMessagesEnd()
{
    Catalogue cat;
    DataFile &songs = cat.open(FileId::Cantorix);
    addSong(songs, 1, "A", "one");
    sqlite3 *other = nullptr;
    sqlite3_open(cat.path("crxdata.tps").toUtf8().constData(), &other);
    sqlite3_busy_timeout(other, 0);
    const auto otherCanCommit = [other] {
        const bool locked = sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) == SQLITE_OK;
        sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
        return locked;
    };
    {
        const ReadTogether together(songs);
        songs.setToStart(-1);
        QCOMPARE(songs.next(), int(NoError));
        QVERIFY(!otherCanCommit()); // the step holds its read
        // A write ends the step's transaction first: it is in the file at once.
        songs.buffer().set("Title", "uno");
        QCOMPARE(songs.put(), int(NoError));
        QVERIFY(otherCanCommit());
        songs.setToStart(-1);
        QCOMPARE(songs.next(), int(NoError));
    }
    {
        const ReadTogether together(songs);
        songs.setToStart(-1);
        QCOMPARE(songs.next(), int(NoError));
        QVERIFY(!otherCanCommit());
        stopAllReading(); // as a message box does
        QVERIFY(otherCanCommit());
        QCOMPARE(songs.next(), int(RecordNotAvailable));
    }
    QVERIFY(otherCanCommit());
    sqlite3_close(other);
}

void TestStorage::readsLetOtherProcessesWrite()
{
    Catalogue cat;
    DataFile &songs = cat.open(FileId::Cantorix);
    for (int i = 1; i <= 200; ++i)
        addSong(songs, i, "A", QString::number(i));
    songs.setToStart(songs.def().keyIndex("SongsByArtist"));
    QCOMPARE(songs.next(), int(NoError));
    QCOMPARE(songs.next(), int(NoError));
    sqlite3 *other = nullptr;
    sqlite3_open(cat.path("crxdata.tps").toUtf8().constData(), &other);
    sqlite3_busy_timeout(other, 0);
    QCOMPARE(sqlite3_exec(other, "BEGIN EXCLUSIVE; DELETE FROM records WHERE ID > 100; COMMIT", nullptr, nullptr,
                          nullptr),
             SQLITE_OK);
    sqlite3_close(other);
    int more = 0;
    while (songs.next() == NoError)
        ++more;
    QVERIFY2(more < 198, "reading goes on over what the other process left");
}

void TestStorage::ownerPasswordIsRequired()
{
    Catalogue cat;
    DataFile &config = cat.file(FileId::Configuration);
    config.setOwner("Secret");
    QCOMPARE(config.create(), int(NoError));
    config.close();
    DataFile stranger(fileDef(FileId::Configuration), cat.dir.path());
    QCOMPARE(stranger.open(), int(DriverError));
    QCOMPARE(lastResult().driverCode, SQLITE_AUTH);
    QCOMPARE(config.open(), int(NoError));
}

void TestStorage::driverOptions()
{
    Catalogue cat;
    DataFile &songs = cat.open(FileId::Cantorix);
    QCOMPARE(songs.send("QUICKSCAN=on"), int(NoError));
    QCOMPARE(songs.send("QUICKSCAN=off"), int(NoError));
    QCOMPARE(songs.send("Recover=10"), int(NoError));
    QCOMPARE(songs.send("Nonsense=1"), int(DriverError));
}

void TestStorage::packAndRebuildKeepTheRecords()
{
    Catalogue cat;
    DataFile &songs = cat.open(FileId::Cantorix);
    songs.stream();
    for (int i = 1; i <= 2000; ++i)
        addSong(songs, i, QStringLiteral("Artist %1").arg(i % 50), "t");
    songs.flush();
    songs.setToStart(-1);
    for (int i = 0; i < 1500 && songs.next() == NoError; ++i)
        songs.remove();
    const qint64 before = QFileInfo(cat.path("crxdata.tps")).size();
    QCOMPARE(songs.pack(), int(NoError));
    QVERIFY(QFileInfo(cat.path("crxdata.tps")).size() < before);
    QCOMPARE(songs.rebuildKeys(), int(NoError));
    QCOMPARE(songs.records(), 500);
    QCOMPARE(readAll(songs, "SongsByArtist", "ID").size(), 500);
    songs.buffer().clear();
    songs.buffer().set("ID", 1750);
    QCOMPARE(songs.get(songs.def().keyIndex("KeyID")), int(NoError));
}

QTEST_GUILESS_MAIN(TestStorage)
#include "tst_storage.moc"
