// The category list driven as a person would: keys, the step locator,
// insert through the form, delete, select mode, and opening from the frame.
#include "browsecategories.h"
#include "datafile.h"
#include "fileset.h"
#include "formwindow.h"
#include "launchers.h"
#include "mainframe.h"
#include "scriptedinteraction.h"
#include "windows.h"

#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

using namespace crx;
using namespace crx::test;

namespace {

struct Categories {
    explicit Categories(QStringList names) : files(dir.path())
    {
        DataFile &file = files.use(FileId::Categories);
        int id = 0;
        for (const QString &name : names) {
            file.buffer().clear();
            file.buffer().set("CategoryID", ++id);
            file.buffer().set("Category", name);
            file.add();
        }
        files.release(FileId::Categories);
    }
    QTemporaryDir dir;
    FileSet files;
};

QString current(BrowseCategories &list)
{
    QTreeWidgetItem *item = list.listBox()->currentItem();
    return item ? item->text(0) : QString();
}

QStringList shown(BrowseCategories &list)
{
    QStringList out;
    for (int i = 0; i < list.listBox()->topLevelItemCount(); ++i)
        out << list.listBox()->topLevelItem(i)->text(0);
    return out;
}

// Answers the next form that opens: types the name and presses OK.
void answerForm(const QString &name)
{
    QTimer::singleShot(0, [name] {
        auto *form = qobject_cast<FormWindow *>(QApplication::activeModalWidget());
        QVERIFY(form);
        auto *entry = form->findChild<QLineEdit *>("CAT:Category");
        entry->setText(name);
        QTest::mouseClick(form->okButton(), Qt::LeftButton);
    });
}

QStringList many()
{
    QStringList names;
    for (char c = 'A'; c <= 'Y'; ++c)
        names << QStringLiteral("%1 category").arg(c);
    return names;
}

} // namespace

class TestBrowseCategories : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void opensInCategoryOrder();
    void stepLocatorAndKeys();
    void insertThatSortsOffThePageIsShownSelected();
    void deletingTheOnlyRecordLeavesAnEmptyList();
    void selectModeReturnsTheChosenCategory();
    void frameOpensTheList();
};

void TestBrowseCategories::opensInCategoryOrder()
{
    ScriptedInteraction person;
    Categories cat({"Soul", "Blues", "Ambient"});
    BrowseCategories list(cat.files);
    QVERIFY(list.start());
    list.show();
    QCOMPARE(list.windowTitle(), QString("Categories"));
    QCOMPARE(shown(list), QStringList({"Ambient", "Blues", "Soul"}));
    QCOMPARE(current(list), QString("Ambient"));
    QVERIFY(!list.button("select")->isVisible());
    QVERIFY(!list.scrollBar()->isVisible()); // everything fits
    QCOMPARE(list.listBox()->headerItem()->text(0), QString("Category"));
}

void TestBrowseCategories::stepLocatorAndKeys()
{
    ScriptedInteraction person;
    Categories cat({"Ambient", "Blues", "Bluegrass", "Country", "Rock"});
    BrowseCategories list(cat.files);
    QVERIFY(list.start());
    list.show();
    QTest::keyClick(list.listBox(), Qt::Key_B);
    QCOMPARE(current(list), QString("Bluegrass"));
    QTest::keyClick(list.listBox(), Qt::Key_B);
    QCOMPARE(current(list), QString("Blues"));
    QTest::keyClick(list.listBox(), Qt::Key_Z);
    QCOMPARE(current(list), QString("Rock"));
    QTest::keyClick(list.listBox(), Qt::Key_Home);
    QCOMPARE(current(list), QString("Ambient"));
    QTest::keyClick(list.listBox(), Qt::Key_Down);
    QCOMPARE(current(list), QString("Bluegrass"));
    QTest::keyClick(list.listBox(), Qt::Key_End);
    QCOMPARE(current(list), QString("Rock"));
}

void TestBrowseCategories::insertThatSortsOffThePageIsShownSelected()
{
    ScriptedInteraction person;
    Categories cat(many());
    BrowseCategories list(cat.files);
    QVERIFY(list.start());
    list.show();
    QVERIFY(list.page().full());
    QVERIFY(list.scrollBar()->isVisible());
    // The page is what the list box shows: its last row is in view, and not much room is left over.
    QTreeWidget *box = list.listBox();
    const QRect last = box->visualItemRect(box->topLevelItem(box->topLevelItemCount() - 1));
    QVERIFY(last.bottom() <= box->viewport()->height());
    QVERIFY(box->viewport()->height() - last.bottom() < 2 * last.height());
    answerForm("Zydeco");
    QTest::keyClick(list.listBox(), Qt::Key_Insert);
    QCOMPARE(current(list), QString("Zydeco"));
    QCOMPARE(shown(list).last(), QString("Zydeco"));
    QCOMPARE(cat.files.useCount(FileId::Categories), 1); // the form let go of the file
}

void TestBrowseCategories::deletingTheOnlyRecordLeavesAnEmptyList()
{
    ScriptedInteraction person;
    Categories cat({"Polka"});
    BrowseCategories list(cat.files);
    QVERIFY(list.start());
    list.show();
    person.answer({OK});
    QTest::keyClick(list.listBox(), Qt::Key_Delete);
    QCOMPARE(person.shown.size(), 1);
    QCOMPARE(person.shown[0].title, QString("Confirm Delete"));
    QVERIFY(shown(list).isEmpty());
    QVERIFY(!list.button("change")->isEnabled());
    QVERIFY(!list.button("delete")->isEnabled());
    QVERIFY(list.button("insert")->isEnabled());
}

void TestBrowseCategories::selectModeReturnsTheChosenCategory()
{
    ScriptedInteraction person;
    Categories cat(many());
    DataFile &file = cat.files.use(FileId::Categories);
    file.buffer().clear();
    file.buffer().set("Category", "M category"); // the caller's current choice
    BrowseCategories list(cat.files);
    list.setSelectMode(true);
    QVERIFY(list.start());
    list.show();
    QCOMPARE(current(list), QString("M category"));
    QVERIFY(list.button("select")->isVisible());
    QTest::keyClick(list.listBox(), Qt::Key_Down);
    QTest::mouseClick(list.button("select"), Qt::LeftButton);
    QCOMPARE(list.response(), Response::Completed);
    QCOMPARE(file.buffer().get("Category").toString(), QString("N category"));
    cat.files.release(FileId::Categories);
}

void TestBrowseCategories::frameOpensTheList()
{
    ScriptedInteraction person;
    Categories cat({"Jazz"});
    registerCatalogueWindows();
    MainFrame frame(cat.files);
    frame.show();
    QAction *categories = frame.action("&Browse", "&Categories");
    QVERIFY(categories->isEnabled());
    categories->trigger();
    categories->trigger(); // two lists of the same kind side by side
    QCOMPARE(frame.workspace()->subWindowList().size(), 2);
    QVERIFY(frame.close());
    QCOMPARE(cat.files.useCount(FileId::Categories), 0);
    launchers().remove("BrowseCategories");
}

QTEST_MAIN(TestBrowseCategories)
#include "tst_browse_categories.moc"
