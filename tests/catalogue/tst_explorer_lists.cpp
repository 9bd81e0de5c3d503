// The explorer-style lists: ordering by a click on a column header, the
// marks, the refusal for a column without a field, the header's popup back
// to the key order, and the columns always filling the list.
#include "datafile.h"
#include "dialogunits.h"
#include "explorerlists.h"
#include "fileset.h"
#include "globals.h"
#include "placement.h"
#include "profile.h"
#include "scriptedinteraction.h"
#include "windowsteps.h"
#include "settings.h"

#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

using namespace crx;
using namespace crx::test;

namespace {

struct Catalogue {
    Catalogue() : files(dir.path()) { songs = &files.use(FileId::Cantorix); }
    ~Catalogue() { files.release(FileId::Cantorix); }
    void addSong(int id, const QString &artist, const QString &title, int bpm)
    {
        Record &s = songs->buffer();
        s.clear();
        s.set("ID", id);
        s.set("Artist", artist);
        s.set("Title", title);
        s.set("BeatsPerMinute", bpm);
        QCOMPARE(songs->add(), int(NoError));
    }
    QTemporaryDir dir;
    FileSet files;
    DataFile *songs;
};

} // namespace

class TestExplorerLists : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void headerClicksOrderAndMark_data();
    void headerClicksOrderAndMark();
    void columnWithoutAFieldIsRefused();
    void keySequenceGoesBackToTheKeyOrder();
    void columnsFillTheList_data();
    void columnsFillTheList();
    void formatKeptUnderTheExplorerKeys();
};

void TestExplorerLists::init()
{
    clearGlobals();
    settings() = Settings{};
}

void TestExplorerLists::headerClicksOrderAndMark_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("clicks");
    QTest::addColumn<QString>("header");
    QTest::addColumn<QStringList>("titles");
    // Titles "b" (BPM 90), "A" (120), "c" (60): text without regard to case.
    QTest::newRow("title once") << 1 << 1 << ">Title" << QStringList{"A", "b", "c"};
    QTest::newRow("title twice") << 1 << 2 << "<Title" << QStringList{"c", "b", "A"};
    QTest::newRow("title three times") << 1 << 3 << ">Title" << QStringList{"A", "b", "c"};
    QTest::newRow("bpm twice") << 8 << 2 << "<BPM" << QStringList{"A", "b", "c"};
}

void TestExplorerLists::headerClicksOrderAndMark()
{
    QFETCH(int, column);
    QFETCH(int, clicks);
    QFETCH(QString, header);
    QFETCH(QStringList, titles);
    ScriptedInteraction person;
    Catalogue cat;
    cat.addSong(1, "Zappa", "b", 90);
    cat.addSong(2, "Abba", "A", 120);
    cat.addSong(3, "Muse", "c", 60);
    XploreSongs list(cat.files);
    QVERIFY(list.start());
    QVERIFY(list.tabs()->isHidden());
    QCOMPARE(columnTexts(*list.listBox(), 0), (QStringList{"Abba", "Muse", "Zappa"})); // the key order at first
    list.headerClicked(0); // another column first: its mark goes when this one is clicked
    for (int i = 0; i < clicks; ++i)
        list.headerClicked(column);
    QCOMPARE(list.listBox()->headerItem()->text(column), header);
    QCOMPARE(list.listBox()->headerItem()->text(0), QString("Artist"));
    QCOMPARE(columnTexts(*list.listBox(), 1), titles);
}

void TestExplorerLists::columnWithoutAFieldIsRefused()
{
    ScriptedInteraction person;
    Catalogue cat;
    cat.addSong(1, "Abba", "A", 0);
    XploreSongs list(cat.files);
    QVERIFY(list.start());
    list.headerClicked(5);
    QCOMPARE(person.shown.size(), 1);
    QCOMPARE(person.shown.front().title, QString("Xplore Template - Re-Order Option"));
    QCOMPARE(person.shown.front().text, QString("Data cannot be ordered on column: Category (MUS:CategoryID)"));
    QCOMPARE(list.sortColumn(), -1);
    QCOMPARE(list.listBox()->headerItem()->text(5), QString("Category"));
}

void TestExplorerLists::keySequenceGoesBackToTheKeyOrder()
{
    ScriptedInteraction person;
    Catalogue cat;
    cat.addSong(1, "Zappa", "b", 0);
    cat.addSong(2, "Abba", "c", 0);
    XploreSongs list(cat.files);
    QVERIFY(list.start());
    list.headerClicked(1);
    list.headerClicked(1);
    QCOMPARE(columnTexts(*list.listBox(), 1), (QStringList{"c", "b"}));
    const std::unique_ptr<QMenu> menu = list.headerMenu();
    QCOMPARE(menu->actions().size(), 2);
    menu->actions()[0]->trigger(); // Escape does nothing
    QCOMPARE(list.sortColumn(), 1);
    menu->actions()[1]->trigger(); // Key Sequence
    QCOMPARE(list.sortColumn(), -1);
    QCOMPARE(list.listBox()->headerItem()->text(1), QString("Title"));
    QCOMPARE(columnTexts(*list.listBox(), 0), (QStringList{"Abba", "Zappa"}));
}

void TestExplorerLists::columnsFillTheList_data()
{
    QTest::addColumn<int>("width");
    QTest::newRow("wide") << 2000;
    QTest::newRow("designed") << 730;
    QTest::newRow("narrow") << 300;
}

void TestExplorerLists::columnsFillTheList()
{
    QFETCH(int, width);
    ScriptedInteraction person;
    Catalogue cat;
    XploreAlbums list(cat.files);
    QVERIFY(list.start());
    list.show();
    list.resize(width, list.height());
    QTreeWidget *box = list.listBox();
    const int inside = box->width() - 2 * box->frameWidth();
    QHeaderView *header = box->header();
    int sum = 0;
    for (int i = 0; i < header->count(); ++i)
        sum += header->sectionSize(i);
    QCOMPARE(sum, inside);
    // Each column keeps its designed width (in dialog units) while it fits; the one that does not is cut.
    const QList<int> designed = {120, 120, 50, 60, 70, 80};
    const DialogUnits units(box->font());
    int left = inside;
    for (int i = 0; i + 1 < header->count(); ++i) {
        QCOMPARE(header->sectionSize(i), std::min(units.x(designed[i]), left));
        left -= header->sectionSize(i);
    }
    QCOMPARE(header->sectionSize(header->count() - 1), left);
}

void TestExplorerLists::formatKeptUnderTheExplorerKeys()
{
    ScriptedInteraction person;
    Catalogue cat;
    {
        XploreSongs list(cat.files);
        QVERIFY(list.start());
        list.reject();
    }
    const QString positions = profilePath(cat.dir.path(), settingsfile::Positions);
    QVERIFY(readProfile(positions, "XploreSongs", "XploreOrigFormatString-?Browse").startsWith("120L(2)|M~Artist~"));
    QVERIFY(!readProfile(positions, "XploreSongs", "?Browse").isEmpty());
}

QTEST_MAIN(TestExplorerLists)
#include "tst_explorer_lists.moc"
