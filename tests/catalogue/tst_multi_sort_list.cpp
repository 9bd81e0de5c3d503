// A song list with several sort orders, as the song selection list has:
// incremental locators per tab, a tab change that stays on the record, a
// filter with a reset value, the count in the title, the navigation toolbar
// and the moves a form with navigation buttons asks for.
#include "browsewindow.h"
#include "datafile.h"
#include "fileset.h"
#include "formwindow.h"
#include "scriptedinteraction.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QWheelEvent>
#include <QScrollBar>
#include <QtTest>

using namespace crx;
using namespace crx::test;

namespace {

class SongForm : public FormWindow
{
public:
    explicit SongForm(FileSet &files)
        : FormWindow(files, FileId::Cantorix, "UpdateSong", {"Add Song", "Change Song"}, QSize(460, 100))
    {
        addField("&Title:", "MUS:Title", "@s50", QRect(10, 16, 70, 22), QRect(85, 16, 365, 22));
    }
};

struct SongList {
    SongList() : files(dir.path())
    {
        DataFile &songs = files.use(FileId::Cantorix);
        const std::tuple<int, const char *, const char *, int> rows[] = {
            {1, "Queen", "Bohemian Rhapsody", 1}, {2, "ABBA", "Waterloo", 2}, {3, "Queen", "Innuendo", 1},
            {4, "Björk", "Army of Me", 3},        {5, "ABBA", "Chiquitita", 2}, {6, "Cream", "Crossroads", 1}};
        for (const auto &[id, artist, title, category] : rows) {
            songs.buffer().clear();
            songs.buffer().set("ID", id);
            songs.buffer().set("Artist", artist);
            songs.buffer().set("Title", title);
            songs.buffer().set("CategoryID", category);
            songs.add();
        }
        files.release(FileId::Cantorix);
        list = std::make_unique<BrowseWindow>(
            files, FileId::Cantorix, "SelectFileNumber", "Browse Music Database",
            "120L(2)|M~Artist~@s30@120L(2)|M~Title~@s30@", QStringList{"MUS:Artist", "MUS:Title"},
            std::vector<SortOrder>{{"By Artist", "MUS:SongsByArtist", LocatorKind::Incremental, Alphabet::Letters, {}, {}},
                                   {"By Title", "MUS:SongsByTitle", LocatorKind::Incremental, Alphabet::Letters, {}, {}},
                                   {"By Category", "MUS:SongsByCategory", LocatorKind::None, Alphabet::Letters,
                                    "MUS:CategoryID = BRW1::Sort4:Reset:CAT:CategoryID", {}},
                                   {"Broken", "MUS:SongsByTitle", LocatorKind::None, Alphabet::Letters,
                                    "MUS:CategoryID = GLO:Unbound", {}},
                                   {"Range", "MUS:SongsByCategory", LocatorKind::None, Alphabet::Letters, {},
                                    {"BRW1::Sort4:Reset:CAT:CategoryID"}}},
            [](FileSet &set) { return std::make_unique<SongForm>(set); });
        list->setBindings([this] { return QHash<QString, QVariant>{{"BRW1::Sort4:Reset:CAT:CategoryID", category}}; });
        list->setCountTitle("Browse Music Database - ", " entries");
    }
    QString current() const
    {
        QTreeWidgetItem *item = list->listBox()->currentItem();
        return item ? item->text(1) : QString();
    }
    QStringList titles() const
    {
        QStringList out;
        for (int i = 0; i < list->listBox()->topLevelItemCount(); ++i)
            out << list->listBox()->topLevelItem(i)->text(1);
        return out;
    }

    QTemporaryDir dir;
    FileSet files;
    int category = 1;
    std::unique_ptr<BrowseWindow> list;
};

} // namespace

class TestMultiSortList : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void locatorsAndTabs();
    void filterFollowsItsResetValue();
    void countInTheTitle();
    void filterThatCannotOpenIsLeftOut();
    void navigationToolbar();
    void wheelAndBarMoveTheListAndClearTheLocator();
    void formAsksForTheNextRecord();
};

void TestMultiSortList::locatorsAndTabs()
{
    ScriptedInteraction person;
    SongList s;
    QVERIFY(s.list->start());
    s.list->show();
    QCOMPARE(s.current(), QString("Chiquitita")); // ABBA first
    QTest::keyClicks(s.list->listBox(), "qu");
    QCOMPARE(s.current(), QString("Bohemian Rhapsody"));
    s.list->tabs()->setCurrentIndex(1); // by title: stays on the same song
    QCOMPARE(s.current(), QString("Bohemian Rhapsody"));
    QTest::keyClicks(s.list->listBox(), "i");
    QCOMPARE(s.current(), QString("Innuendo")); // the locator of the new tab started empty
    QTest::keyClick(s.list->listBox(), Qt::Key_Backspace);
    QTest::keyClicks(s.list->listBox(), "w");
    QCOMPARE(s.current(), QString("Waterloo"));
}

void TestMultiSortList::filterFollowsItsResetValue()
{
    ScriptedInteraction person;
    SongList s;
    QVERIFY(s.list->start());
    s.list->tabs()->setCurrentIndex(2);
    QCOMPARE(s.titles(), QStringList({"Crossroads", "Bohemian Rhapsody", "Innuendo"}));
    s.category = 2;
    s.list->refresh();
    QCOMPARE(s.titles(), QStringList({"Chiquitita", "Waterloo"}));
    s.list->tabs()->setCurrentIndex(4); // the same songs by a range limit of the key
    QCOMPARE(s.titles(), QStringList({"Chiquitita", "Waterloo"}));
    QVERIFY(person.shown.isEmpty());
}

void TestMultiSortList::filterThatCannotOpenIsLeftOut()
{
    ScriptedInteraction person;
    SongList s;
    QVERIFY(s.list->start());
    s.list->tabs()->setCurrentIndex(3);
    QCOMPARE(person.shown.size(), 1);
    QCOMPARE(person.shown[0].title, QString("View Open Error"));
    QCOMPARE(person.shown[0].text, QString("Error: (Invalid Filter Expression: unknown name \"GLO:Unbound\" at "
                                           "position 18 (800)) attempting to open the current VIEW. Filter and Range "
                                           "Limits ignored."));
    QCOMPARE(s.titles().size(), 6);
}

void TestMultiSortList::countInTheTitle()
{
    ScriptedInteraction person;
    SongList s;
    QVERIFY(s.list->start());
    QCOMPARE(s.list->windowTitle(), QString("Browse Music Database - 6 entries"));
}

void TestMultiSortList::navigationToolbar()
{
    ScriptedInteraction person;
    SongList s;
    s.list->addNavigationToolbar(QRect(10, 295, 316, 28));
    QVERIFY(s.list->start());
    s.list->show();
    QStringList tips;
    QAction *last = nullptr;
    QAction *prior = nullptr;
    for (QAction *a : s.list->findChild<QToolBar *>("navigation")->actions()) {
        tips << a->toolTip();
        if (a->toolTip() == "Go to the Last Page")
            last = a;
        if (a->toolTip() == "Go to the Prior Record")
            prior = a;
    }
    QCOMPARE(tips, QStringList({"Insert a new Record", "Go to the Last Page", "Go to the First Page", "Go to the Next Page",
                                "Go to the Prior Page", "Go to the Next Record", "Go to the Prior Record"}));
    last->trigger();
    QCOMPARE(s.current(), s.titles().last());
    prior->trigger();
    QCOMPARE(s.current(), s.titles()[s.titles().size() - 2]);
}

void TestMultiSortList::wheelAndBarMoveTheListAndClearTheLocator()
{
    ScriptedInteraction person;
    SongList s;
    s.list->addLocatorField("Locate:", QRect(10, 300, 55, 22), QRect(65, 300, 250, 22));
    QVERIFY(s.list->start());
    s.list->show();
    const QStringList order = s.titles();
    QCOMPARE(s.current(), order[0]);
    QWidget *viewport = s.list->listBox()->viewport();
    const auto turn = [viewport](int delta) {
        QWheelEvent event(QPointF(5, 5), viewport->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(viewport, &event);
    };
    turn(-120); // a notch down: three rows
    QCOMPARE(s.current(), order[3]);
    turn(60); // half a notch moves nothing yet
    QCOMPARE(s.current(), order[3]);
    turn(60);
    QCOMPARE(s.current(), order[0]);
    QTest::keyClicks(s.list->listBox(), "q");
    QVERIFY(!s.list->locatorField()->text().isEmpty());
    s.list->scrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(s.list->locatorField()->text(), QString());
}

void TestMultiSortList::formAsksForTheNextRecord()
{
    ScriptedInteraction person;
    SongList s;
    QVERIFY(s.list->start());
    s.list->show();
    s.list->tabs()->setCurrentIndex(1); // by title, still on Chiquitita
    QStringList opened;
    // The first form asks for the next record; the second is cancelled.
    QTimer::singleShot(0, [&] {
        auto *form = qobject_cast<FormWindow *>(QApplication::activeModalWidget());
        opened << form->findChild<QLineEdit *>("MUS:Title")->text();
        form->navigate(Navigation::Next);
        QTimer::singleShot(0, [&] {
            auto *second = qobject_cast<FormWindow *>(QApplication::activeModalWidget());
            opened << second->findChild<QLineEdit *>("MUS:Title")->text();
            QTest::mouseClick(second->cancelButton(), Qt::LeftButton);
        });
    });
    s.list->changeRecord();
    QCOMPARE(opened, QStringList({"Chiquitita", "Crossroads"}));
    QCOMPARE(s.current(), QString("Crossroads"));
}

QTEST_MAIN(TestMultiSortList)
#include "tst_multi_sort_list.moc"
