// Views: a key order limited by a key range and a filter expression with
// bound names, optionally joined to the parent file; and the filter grammar.
#include "filter.h"
#include "storagefixture.h"
#include "view.h"

using namespace crx;
using namespace crx::test;

class TestViews : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup() { cat.reset(); }
    void filterSelectsRecords_data();
    void filterSelectsRecords();
    void badFiltersFailToOpen_data();
    void badFiltersFailToOpen();
    void filterTextNeverReachesTheSql();
    void rangeLimitsTheKey();
    void joinReadsTheParentToo();
    void viewReadsBackwards();
    void orderOnAFieldWithoutAKey_data();
    void orderOnAFieldWithoutAKey();

private:
    QStringList titles(View &view);
    std::unique_ptr<Catalogue> cat;
};

void TestViews::init()
{
    cat = std::make_unique<Catalogue>();
    DataFile &albums = cat->open(FileId::Album);
    DataFile &songs = cat->open(FileId::Cantorix);
    addAlbum(albums, 1, "Queen", "Jazz");
    addAlbum(albums, 2, "Björk", "Homogenic");
    addSong(songs, 1, "Queen", "Mustapha", 1, 1);
    addSong(songs, 2, "Queen", "Fat Bottomed Girls", 1, 2);
    addSong(songs, 3, "Björk", "Jóga", 2, 2);
    addSong(songs, 4, "Björk", "Hunter", 2, 1);
    addSong(songs, 5, "Nobody", "Loose 'Single'", 0, 0);
    songs.setToStart(-1);
    while (songs.next() == NoError) {
        songs.buffer().set("Live", songs.buffer().get("ID").toInt() == 2);
        songs.buffer().set("BeatsPerMinute", songs.buffer().get("ID").toInt() * 30);
        songs.put();
    }
}

QStringList TestViews::titles(View &view)
{
    QStringList out;
    DataFile &songs = cat->file(FileId::Cantorix);
    view.setToStart();
    while (view.next() == NoError)
        out << songs.buffer().get("Title").toString();
    return out;
}

void TestViews::filterSelectsRecords_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("titles");
    QTest::newRow("field equals bound name") << "MUS:AlbumID = ALB:AlbumID" << QStringList({"Fat Bottomed Girls", "Mustapha"});
    QTest::newRow("number and AND") << "MUS:BeatsPerMinute >= 60 AND MUS:BeatsPerMinute < 120" << QStringList({"Jóga", "Fat Bottomed Girls"});
    QTest::newRow("OR with parentheses") << "(MUS:ID = 1 OR MUS:ID = 5) AND NOT MUS:Live" << QStringList({"Loose 'Single'", "Mustapha"});
    QTest::newRow("is checked") << "MUS:Live IS CHECKED" << QStringList({"Fat Bottomed Girls"});
    QTest::newRow("is not checked") << "MUS:AlbumID IS NOT CHECKED" << QStringList({"Loose 'Single'"});
    QTest::newRow("upper compares without case") << "UPPER(MUS:Artist) = 'BJÖRK'" << QStringList({"Hunter", "Jóga"});
    QTest::newRow("plain compare keeps case") << "MUS:Artist = 'björk'" << QStringList();
    QTest::newRow("trailing blanks never count") << "MUS:Artist = 'Queen   '" << QStringList({"Fat Bottomed Girls", "Mustapha"});
    QTest::newRow("begins with") << "MUS:Title BEGINS WITH 'f'" << QStringList({"Fat Bottomed Girls"});
    QTest::newRow("contains, quotes doubled") << "MUS:Title contains \"'sin\"" << QStringList({"Loose 'Single'"});
    QTest::newRow("long bound name") << "MUS:Side = BRW1::Sort4:Reset:CAT:CategoryID" << QStringList({"Hunter", "Jóga", "Loose 'Single'", "Fat Bottomed Girls", "Mustapha"});
    QTest::newRow("negative number") << "MUS:ID > -1 AND MUS:ID <> 3" << QStringList({"Hunter", "Loose 'Single'", "Fat Bottomed Girls", "Mustapha"});
}

void TestViews::filterSelectsRecords()
{
    QFETCH(QString, filter);
    QFETCH(QStringList, titles);
    DataFile &songs = cat->file(FileId::Cantorix);
    View view(songs);
    view.setOrder(songs.def().keyIndex("SongsByArtist"));
    view.setFilter(filter);
    view.bind("ALB:AlbumID", 1);
    view.bind("BRW1::Sort4:Reset:CAT:CategoryID", 0);
    QCOMPARE(view.open(), int(NoError));
    QCOMPARE(this->titles(view), titles);
}

void TestViews::badFiltersFailToOpen_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("reason");
    QTest::newRow("unknown field") << "MUS:Nothing = 1" << "unknown name \"MUS:Nothing\" at position 1";
    QTest::newRow("unbound name") << "MUS:Side = GLO:Side" << "unknown name \"GLO:Side\" at position 12";
    QTest::newRow("missing value") << "MUS:ID =" << "a value is missing at the end at position 9";
    QTest::newRow("open quote") << "MUS:Title = 'abc" << "a quoted text is not closed at position 13";
    QTest::newRow("unbalanced") << "(MUS:ID = 1" << "a closing parenthesis is missing at position 12";
    QTest::newRow("stray character") << "MUS:ID ; 1" << "unexpected \";\" at position 8";
    QTest::newRow("dangling AND") << "MUS:ID = 1 AND" << "a value is missing at the end at position 15";
    QTest::newRow("BEGINS without WITH") << "MUS:Title BEGINS 'a'" << "BEGINS must be followed by WITH at position 18";
}

void TestViews::badFiltersFailToOpen()
{
    QFETCH(QString, filter);
    QFETCH(QString, reason);
    DataFile &songs = cat->file(FileId::Cantorix);
    View view(songs);
    view.setFilter(filter);
    QCOMPARE(view.open(), int(InvalidFilter));
    QCOMPARE(view.filterError(), reason);
    QCOMPARE(lastResult().text, "Invalid Filter Expression: " + reason);
    QVERIFY(!view.isOpen());
    QCOMPARE(view.next(), int(FileNotOpen));
}

void TestViews::filterTextNeverReachesTheSql()
{
    const auto columns = [](const QString &name) {
        return FilterColumn{name == "MUS:Title", "c.\"Title\"", true};
    };
    const CompiledFilter f = compileFilter("MUS:Title = 'x''); DROP TABLE records; --'", columns, {});
    QVERIFY(f.ok);
    QCOMPARE(f.sql, QString("(c.\"Title\" = ?)"));
    QCOMPARE(f.params.size(), size_t(1));
    QCOMPARE(f.params[0].toString(), QString("x'); DROP TABLE records; --"));
}

void TestViews::rangeLimitsTheKey()
{
    DataFile &songs = cat->file(FileId::Cantorix);
    View view(songs);
    view.setOrder(songs.def().keyIndex("KeyAlbumID"));
    view.setRange({2}, {2});
    QCOMPARE(view.open(), int(NoError));
    QCOMPARE(titles(view), QStringList({"Hunter", "Jóga"}));
    View byArtist(songs);
    byArtist.setOrder(songs.def().keyIndex("SongsByArtist"));
    byArtist.setRange({"queen"}, {"queen"});
    byArtist.setFilter("MUS:TrackNumber = 2");
    QCOMPARE(byArtist.open(), int(NoError));
    QCOMPARE(titles(byArtist), QStringList({"Fat Bottomed Girls"}));
}

void TestViews::joinReadsTheParentToo()
{
    DataFile &songs = cat->file(FileId::Cantorix);
    DataFile &albums = cat->file(FileId::Album);
    View view(songs);
    view.setOrder(songs.def().keyIndex("KeyID"));
    view.joinParent(albums);
    view.setFilter("ALB:Album = 'Homogenic' OR MUS:AlbumID = 0");
    QCOMPARE(view.open(), int(NoError));
    QStringList seen;
    while (view.next() == NoError)
        seen << songs.buffer().get("Title").toString() + "/" + albums.buffer().get("Album").toString();
    QCOMPARE(seen, QStringList({"Jóga/Homogenic", "Hunter/Homogenic", "Loose 'Single'/"}));
}

void TestViews::viewReadsBackwards()
{
    DataFile &songs = cat->file(FileId::Cantorix);
    View view(songs);
    view.setOrder(songs.def().keyIndex("SongsByTitle"));
    view.setFilter("MUS:AlbumID <> 0");
    QCOMPARE(view.open(), int(NoError));
    QCOMPARE(view.setToEnd(), int(NoError));
    QStringList seen;
    while (view.previous() == NoError)
        seen << songs.buffer().get("Title").toString();
    QCOMPARE(seen, QStringList({"Mustapha", "Jóga", "Hunter", "Fat Bottomed Girls"}));
    songs.buffer().set("Title", "I");
    view.set();
    QCOMPARE(view.next(), int(NoError));
    QCOMPARE(songs.buffer().get("Title").toString(), QString("Jóga"));
}

void TestViews::orderOnAFieldWithoutAKey_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("descending");
    QTest::addColumn<QStringList>("expected");
    // Artists "Queen", "Queen", "björk" (see below), "Björk", "Nobody": letter case does not
    // count, equal values keep the order they were added in, whichever way the list is read.
    QTest::newRow("text up") << "Artist" << false
                             << QStringList{"Jóga", "Hunter", "Loose 'Single'", "Mustapha", "Fat Bottomed Girls"};
    QTest::newRow("text down") << "Artist" << true
                               << QStringList{"Fat Bottomed Girls", "Mustapha", "Loose 'Single'", "Hunter", "Jóga"};
    QTest::newRow("number down") << "BeatsPerMinute" << true
                                 << QStringList{"Loose 'Single'", "Hunter", "Jóga", "Fat Bottomed Girls", "Mustapha"};
}

void TestViews::orderOnAFieldWithoutAKey()
{
    QFETCH(QString, field);
    QFETCH(bool, descending);
    QFETCH(QStringList, expected);
    DataFile &songs = cat->file(FileId::Cantorix);
    songs.setToStart(songs.def().keyIndex("KeyID"));
    songs.next();
    songs.next();
    songs.next();
    songs.buffer().set("Artist", "björk");
    QCOMPARE(songs.put(), int(NoError));
    View view(songs);
    view.setFieldOrder(songs.def().fieldIndex(field), descending);
    QCOMPARE(view.open(), int(NoError));
    view.setReadAhead(1); // a page of one row: every read goes on from the row before
    QCOMPARE(titles(view), expected);
    QStringList back;
    view.setToEnd();
    while (view.previous() == NoError)
        back.prepend(songs.buffer().get("Title").toString());
    QCOMPARE(back, expected);
    // Located on the value of the middle row, the view reads on from there.
    view.setToStart();
    for (int i = 0; i < 3; ++i)
        view.next();
    const Record middle = songs.buffer();
    view.setAfter(middle);
    QCOMPARE(view.next(), int(NoError));
    QCOMPARE(songs.buffer().get("Title").toString(), expected[3]);
}

QTEST_GUILESS_MAIN(TestViews)
#include "tst_views.moc"
