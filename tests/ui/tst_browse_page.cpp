// The page of a list: filling forwards and backwards from its edge rows,
// every scroll action, locate and the step locator, with another process
// changing the file between two reads.
#include "datafile.h"
#include "fileset.h"
#include "scriptedinteraction.h"
#include "view.h"
#include "browsepage.h"
#include "locator.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace crx;
using namespace crx::test;

namespace {

struct Songs {
    explicit Songs(int count, int rows = 10) : files(dir.path()), songs(files.use(FileId::Cantorix)), view(songs)
    {
        songs.stream();
        for (int i = 1; i <= count; ++i)
            add(i, QStringLiteral("Title %1").arg(i, 4, 10, QChar('0')));
        songs.flush();
        view.setOrder(songs.def().keyIndex("SongsByTitle"));
        view.open();
        page = std::make_unique<BrowsePage>(songs, view, rows);
    }
    void add(int id, const QString &title, const QString &artist = "Artist")
    {
        songs.buffer().clear();
        songs.buffer().set("ID", id);
        songs.buffer().set("Title", title);
        songs.buffer().set("Artist", artist);
        QCOMPARE(songs.add(), int(NoError));
    }
    QStringList shown() const
    {
        QStringList out;
        for (const BrowseRow &row : page->rows())
            out << row.record.get("ID").toString();
        return out;
    }
    int selectedId() const { return songs.buffer().get("ID").toInt(); }

    QTemporaryDir dir;
    FileSet files;
    DataFile &songs;
    View view;
    std::unique_ptr<BrowsePage> page;
};

QStringList ids(int from, int to)
{
    QStringList out;
    for (int i = from; i <= to; ++i)
        out << QString::number(i);
    return out;
}

} // namespace

class TestBrowsePage : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void pagesWalkTheWholeFileOnce();
    void linesMoveTheSelectionThenThePage();
    void fewerRecordsThanRows();
    void locateShowsAPageAroundTheRecord_data();
    void locateShowsAPageAroundTheRecord();
    void equalKeysAcrossAPageEdgeAreEachShownOnce();
    void changesBetweenTwoReadsAreSeen();
    void stepLocatorWalksTheRecordsOfALetter();
    void emptyFileGivesAnEmptyPage();
    void thumbInTheMiddleFindsTheMiddleOfTheAlphabet();
    void numericStepsRunFromLowToHigh();
    void incrementalLocatorFollowsTheTyping();
};

void TestBrowsePage::pagesWalkTheWholeFileOnce()
{
    ScriptedInteraction person;
    Songs s(95);
    QVERIFY(s.page->top());
    QCOMPARE(s.shown(), ids(1, 10));
    QCOMPARE(s.selectedId(), 1);
    for (int k = 1; k <= 8; ++k) {
        QVERIFY(s.page->pageDown());
        QCOMPARE(s.shown(), ids(10 * k + 1, 10 * k + 10));
    }
    QVERIFY(s.page->pageDown());
    QCOMPARE(s.shown(), ids(86, 95)); // the last page, full
    QCOMPARE(s.selectedId(), 91);     // moved down page by page, the last page short of a full step
    QVERIFY(s.page->pageDown());
    QCOMPARE(s.selectedId(), 95);     // not past the last row
    for (int i = 0; i < 10; ++i)
        QVERIFY(s.page->pageUp());
    QCOMPARE(s.shown(), ids(1, 10));
    QCOMPARE(s.selectedId(), 1);
    QVERIFY(s.page->bottom());
    QCOMPARE(s.shown(), ids(86, 95));
    QCOMPARE(s.selectedId(), 95);
    QVERIFY(person.shown.isEmpty());
}

void TestBrowsePage::linesMoveTheSelectionThenThePage()
{
    ScriptedInteraction person;
    Songs s(30);
    QVERIFY(s.page->top());
    for (int i = 0; i < 9; ++i)
        QVERIFY(s.page->lineDown());
    QCOMPARE(s.selectedId(), 10);
    QCOMPARE(s.shown(), ids(1, 10));
    QVERIFY(s.page->lineDown()); // at the last row: one more record is read
    QCOMPARE(s.shown(), ids(2, 11));
    QCOMPARE(s.selectedId(), 11);
    for (int i = 0; i < 10; ++i)
        QVERIFY(s.page->lineUp());
    QCOMPARE(s.shown(), ids(1, 10));
    QCOMPARE(s.selectedId(), 1);
    QVERIFY(s.page->lineUp()); // nothing before the first record
    QCOMPARE(s.selectedId(), 1);
}

void TestBrowsePage::fewerRecordsThanRows()
{
    ScriptedInteraction person;
    Songs s(4);
    QVERIFY(s.page->top());
    QVERIFY(!s.page->full());
    QVERIFY(s.page->pageDown());
    QCOMPARE(s.selectedId(), 4);
    QVERIFY(s.page->top());
    QVERIFY(s.page->bottom());
    QCOMPARE(s.shown(), ids(1, 4));
    QCOMPARE(s.selectedId(), 4);
}

void TestBrowsePage::locateShowsAPageAroundTheRecord_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QStringList>("page");
    QTest::newRow("in the middle") << "Title 0050" << 50 << ids(46, 55);
    QTest::newRow("between two records") << "Title 0050x" << 51 << ids(47, 56);
    QTest::newRow("near the start") << "Title 0002" << 2 << ids(1, 10);
    QTest::newRow("near the end") << "Title 0099" << 99 << ids(91, 100);
    QTest::newRow("after the last") << "Zz" << 100 << ids(91, 100);
}

void TestBrowsePage::locateShowsAPageAroundTheRecord()
{
    QFETCH(QString, title);
    QFETCH(int, selected);
    QFETCH(QStringList, page);
    ScriptedInteraction person;
    Songs s(100);
    s.songs.buffer().clear();
    s.songs.buffer().set("Title", title);
    QVERIFY(s.page->locate());
    QCOMPARE(s.selectedId(), selected);
    QCOMPARE(s.shown(), page);
}

void TestBrowsePage::equalKeysAcrossAPageEdgeAreEachShownOnce()
{
    ScriptedInteraction person;
    Songs s(0, 4);
    for (int i = 1; i <= 9; ++i)
        s.add(i, "Same Title", "Same Artist");
    QVERIFY(s.page->top());
    QStringList seen = s.shown();
    QVERIFY(s.page->pageDown());
    seen += s.shown();
    QVERIFY(s.page->pageDown());
    seen += s.shown().mid(3);
    QCOMPARE(seen, ids(1, 9));
    QVERIFY(s.page->pageUp());
    QCOMPARE(s.shown(), ids(2, 5));
}

void TestBrowsePage::changesBetweenTwoReadsAreSeen()
{
    ScriptedInteraction person;
    Songs s(40);
    QVERIFY(s.page->top());
    // Another process adds a record after the page and deletes the next one.
    FileSet other(s.dir.path());
    DataFile &theirs = other.use(FileId::Cantorix);
    theirs.buffer().set("ID", 500);
    theirs.buffer().set("Title", "Title 0010a");
    QCOMPARE(theirs.add(), int(NoError));
    theirs.buffer().set("ID", 11);
    QCOMPARE(theirs.get(theirs.def().keyIndex("KeyID")), int(NoError));
    QCOMPARE(theirs.remove(), int(NoError));
    QVERIFY(s.page->pageDown());
    QCOMPARE(s.shown(), QStringList({"500", "12", "13", "14", "15", "16", "17", "18", "19", "20"}));
}

void TestBrowsePage::stepLocatorWalksTheRecordsOfALetter()
{
    ScriptedInteraction person;
    QTemporaryDir dir;
    FileSet files(dir.path());
    DataFile &categories = files.use(FileId::Categories);
    int id = 0;
    for (const char *name : {"Ambient", "Blues", "Bluegrass", "Country", "Rock", "Soul"}) {
        categories.buffer().clear();
        categories.buffer().set("CategoryID", ++id);
        categories.buffer().set("Category", name);
        categories.add();
    }
    View view(categories);
    view.setOrder(categories.def().keyIndex("KeyCategory"));
    QCOMPARE(view.open(), int(NoError));
    BrowsePage page(categories, view, 10);
    QVERIFY(page.top());
    const auto name = [&] { return categories.buffer().get("Category").toString(); };
    QVERIFY(page.stepLocate('b'));
    QCOMPARE(name(), QString("Bluegrass"));
    QVERIFY(page.stepLocate('B'));
    QCOMPARE(name(), QString("Blues"));
    QVERIFY(page.stepLocate('Z'));
    QCOMPARE(name(), QString("Soul")); // none starts with Z: the last one below it
    QVERIFY(page.stepLocate('c'));
    QCOMPARE(name(), QString("Country"));
}

void TestBrowsePage::emptyFileGivesAnEmptyPage()
{
    ScriptedInteraction person;
    Songs s(1);
    QVERIFY(s.page->top());
    QCOMPARE(s.page->selected(), 0);
    QCOMPARE(s.songs.remove(), int(NoError));
    s.songs.buffer().clear();
    QVERIFY(s.page->locate());
    QCOMPARE(s.page->selected(), -1);
    QVERIFY(s.page->rows().empty());
    QVERIFY(s.page->pageDown());
    QVERIFY(s.page->lineUp());
    QCOMPARE(s.page->selected(), -1);
}

void TestBrowsePage::thumbInTheMiddleFindsTheMiddleOfTheAlphabet()
{
    ScriptedInteraction person;
    Songs s(0);
    int id = 0;
    for (char a = 'A'; a <= 'Z'; ++a)
        for (char b = 'a'; b <= 'z'; ++b)
            s.add(++id, QStringLiteral("%1%2 song").arg(a).arg(b));
    QVERIFY(s.page->buildSteps(Alphabet::Letters));
    QVERIFY(s.page->top());
    QCOMPARE(s.page->thumb(), 0); // at the top the thumb shows 0
    QVERIFY(s.page->dragThumb(50));
    const QString title = s.songs.buffer().get("Title").toString();
    QVERIFY2(title.startsWith('M') || title.startsWith('N'), qPrintable(title));
    QVERIFY(qAbs(s.page->thumb() - 50) <= 1);
    QVERIFY(s.page->dragThumb(100));
    QCOMPARE(s.songs.buffer().get("Title").toString(), QString("Zz song"));
    QCOMPARE(s.page->thumb(), 100);
    QVERIFY(s.page->dragThumb(1));
    QCOMPARE(s.songs.buffer().get("Title").toString(), QString("Aa song"));
}

void TestBrowsePage::numericStepsRunFromLowToHigh()
{
    StepTable steps;
    steps.build(10, 1000, false, Alphabet::Letters);
    QCOMPARE(steps.step(1).toInt(), 10);
    QCOMPARE(steps.step(100).toInt(), 1000);
    QCOMPARE(steps.step(51).toInt(), 510);
    QCOMPARE(steps.thumb(510), 51);
    QCOMPARE(steps.thumb(10), 0);
    StepTable text;
    text.build("Abba", "Zappa", true, Alphabet::LettersDigitsPunctuation);
    QCOMPARE(text.step(1).toString(), QString("ABBA"));
    QCOMPARE(text.step(100).toString(), QString("ZAPPA"));
    QVERIFY(text.step(50).toString() > "ABBA" && text.step(50).toString() < "ZAPPA");
}

void TestBrowsePage::incrementalLocatorFollowsTheTyping()
{
    ScriptedInteraction person;
    Songs s(0);
    int id = 0;
    for (const char *title : {"Help", "Hello", "Hey Jude", "Here Comes the Sun", "Yesterday"})
        s.add(++id, title);
    IncrementalLocator locator;
    QVERIFY(!locator.backspace());
    const auto typed = [&](const QString &keys) {
        for (QChar c : keys)
            if (c == '\b' ? locator.backspace() : locator.type(c))
                s.page->locateOn(locator.text());
        return s.songs.buffer().get("Title").toString();
    };
    QCOMPARE(typed("he"), QString("Hello"));
    QCOMPARE(typed("y "), QString("Hey Jude"));
    QCOMPARE(typed("\b\br"), QString("Here Comes the Sun"));
    QCOMPARE(typed("zzz"), QString("Hey Jude"));   // "herzzz" lies before "hey jude"
    locator.clear();                                 // as a change of tab does
    QCOMPARE(typed("zzz"), QString("Yesterday"));  // nothing from there on: the last record
    for (int i = 0; i < 40; ++i)
        locator.type('x');
    QCOMPARE(locator.text().size(), IncrementalLocator::MaxLength);
}

QTEST_GUILESS_MAIN(TestBrowsePage)
#include "tst_browse_page.moc"
