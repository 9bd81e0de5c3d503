// Windows started from the frame as the menu starts them: side by side each
// keeps its own current records, so what one does to its record never lands
// on the record another has highlighted; the frame's hot keys reach it from
// any field.
#include "albumlists.h"
#include "albumwizards.h"
#include "browsesongs.h"
#include "cataloguefill.h"
#include "datafile.h"
#include "fileset.h"
#include "globals.h"
#include "mainframe.h"
#include "scriptedinteraction.h"
#include "settings.h"
#include "songform.h"
#include "windows.h"
#include "windowsteps.h"

#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTabBar>
#include <QTemporaryDir>
#include <QtTest>

using namespace crx;
using namespace crx::test;

namespace {

struct AlbumRow {
    const char *album;
    std::vector<const char *> songs;
};

// Two albums with their songs, and the frame over them.
struct Catalogue {
    Catalogue() : files(dir.path())
    {
        addMediaFormats(files, {"CD", "Vinyl"});
        addArtists(files, {"ABBA"});
        DataFile &albums = files.use(FileId::Album);
        DataFile &songs = files.use(FileId::Cantorix);
        qint64 id = 0;
        for (const AlbumRow &row : {AlbumRow{"Arrival", {"Dancing Queen", "Money, Money, Money"}},
                                    AlbumRow{"Gold", {"Waterloo"}}}) {
            albums.buffer().clear();
            albums.buffer().set("AlbumID", ++id);
            albums.buffer().set("Artist", "ABBA");
            albums.buffer().set("Album", row.album);
            albums.buffer().set("Media", "CD");
            albums.add();
            int track = 0;
            for (const char *title : row.songs) {
                songs.buffer().clear();
                songs.buffer().set("ID", id * 10 + ++track);
                songs.buffer().set("AlbumID", id);
                songs.buffer().set("TrackNumber", track);
                songs.buffer().set("Artist", "ABBA");
                songs.buffer().set("Title", title);
                songs.buffer().set("Album", row.album);
                songs.buffer().set("Media", "CD");
                songs.add();
            }
        }
        files.release(FileId::Cantorix);
        files.release(FileId::Album);
    }
    QTemporaryDir dir;
    FileSet files;
};

// Every album as "album: songs", read through a set of the test's own.
QStringList albumsWithSongs(FileSet &files)
{
    QStringList out;
    DataFile &albums = files.use(FileId::Album);
    DataFile &songs = files.use(FileId::Cantorix);
    albums.setToStart(-1);
    while (albums.next() == NoError) {
        QStringList titles;
        songs.setToStart(-1);
        while (songs.next() == NoError)
            if (songs.buffer().get("AlbumID") == albums.buffer().get("AlbumID"))
                titles << songs.buffer().get("Title").toString();
        out << albums.buffer().get("Album").toString() + ": " + titles.join(", ");
    }
    files.release(FileId::Cantorix);
    files.release(FileId::Album);
    return out;
}

void highlight(BrowseWindow &list, const QString &text)
{
    const QList<QTreeWidgetItem *> found = list.listBox()->findItems(text, Qt::MatchExactly | Qt::MatchRecursive, 1);
    QVERIFY2(!found.isEmpty(), qPrintable(text));
    list.listBox()->setCurrentItem(found.front());
}

} // namespace

class TestFrameWindows : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { registerCatalogueWindows(); }
    void init()
    {
        clearGlobals();
        settings() = Settings{};
        formRequest() = Request::None;
    }
    void wizardBesideAnAlbumList_data();
    void wizardBesideAnAlbumList();
    void songListsKeepTheirOwnRecord();
    void hotKeysOpenListsFromATextField_data();
    void hotKeysOpenListsFromATextField();
    void windowsOpenAtTheirDesignWhereTheyWereLeft_data();
    void windowsOpenAtTheirDesignWhereTheyWereLeft();
};

void TestFrameWindows::windowsOpenAtTheirDesignWhereTheyWereLeft_data()
{
    QTest::addColumn<QString>("window");
    for (const char *name : {"BrowseCategories", "BrowseMedia", "BrowseArtists", "BrowseSongs", "BrowseAlbums",
                             "BrowseAlbumsAndSongs", "XploreSongs", "XploreAlbums", "AlbumWizard", "CDDBWizard",
                             "ToolMultiCompilationWizard"})
        QTest::newRow(name) << QString(name);
}

void TestFrameWindows::windowsOpenAtTheirDesignWhereTheyWereLeft()
{
    QFETCH(QString, window);
    ScriptedInteraction person;
    Catalogue cat;
    MainFrame frame(cat.files);
    frame.resize(1200, 900);
    frame.show();
    const auto open = [&]() -> QMdiSubWindow * {
        frame.dispatch(window);
        for (QMdiSubWindow *sub : frame.workspace()->subWindowList())
            if (sub->widget()->objectName() == window)
                return sub;
        return nullptr;
    };
    QMdiSubWindow *child = open();
    QVERIFY(child);
    QWidget *inside = child->widget();
    // At least its design, which shows more than a caption, and inside the workspace.
    QVERIFY2(inside->minimumSize().width() >= 300 && inside->minimumSize().height() >= 200,
             qPrintable(QString("%1x%2").arg(inside->minimumWidth()).arg(inside->minimumHeight())));
    QVERIFY(inside->width() >= inside->minimumWidth() && inside->height() >= inside->minimumHeight());
    QVERIFY(frame.workspace()->rect().contains(child->geometry()));
    // A second one, placed beside the first by the workspace, lies inside it too.
    frame.dispatch(window);
    for (QMdiSubWindow *sub : frame.workspace()->subWindowList())
        QVERIFY(frame.workspace()->rect().contains(sub->geometry()));
    for (QMdiSubWindow *sub : frame.workspace()->subWindowList())
        if (sub != child)
            sub->close();
    QTRY_COMPARE(frame.workspace()->subWindowList().size(), 1);
    // Never smaller than the design.
    child->resize(50, 50);
    QVERIFY(inside->width() >= inside->minimumWidth() && inside->height() >= inside->minimumHeight());

    // Moved and closed, it opens where it was left.
    const QSize designed = child->size();
    child->move(37, 23);
    child->close();
    QTRY_VERIFY(frame.workspace()->subWindowList().isEmpty());
    child = open();
    QVERIFY(child);
    QCOMPARE(child->pos(), QPoint(37, 23));
    QCOMPARE(child->size(), designed);

    // Closed maximised, it opens maximised and goes back to where it was.
    child->showMaximized();
    child->close();
    QTRY_VERIFY(frame.workspace()->subWindowList().isEmpty());
    child = open();
    QVERIFY(child);
    QVERIFY(child->isMaximized());
    child->showNormal();
    QCOMPARE(child->geometry(), QRect(QPoint(37, 23), designed));
    child->close();
}

void TestFrameWindows::hotKeysOpenListsFromATextField_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("window");
    QTest::newRow("Ctrl+A") << int(Qt::Key_A) << "BrowseAlbums";
    QTest::newRow("Ctrl+S") << int(Qt::Key_S) << "BrowseSongs";
    QTest::newRow("Ctrl+B") << int(Qt::Key_B) << "BrowseAlbumsAndSongs";
}

void TestFrameWindows::hotKeysOpenListsFromATextField()
{
    QFETCH(int, key);
    QFETCH(QString, window);
    ScriptedInteraction person;
    Catalogue cat;
    MainFrame frame(cat.files);
    frame.show();
    frame.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    frame.dispatch("BrowseCategories");
    auto *categories = child<BrowseWindow>(frame);
    QVERIFY(categories);
    // A text field of another window has the focus.
    auto *field = new QLineEdit(categories);
    field->show();
    field->setFocus();
    QVERIFY(field->hasFocus());
    QTest::keyClick(field, Qt::Key(key), Qt::ControlModifier);
    QStringList open;
    for (QMdiSubWindow *sub : frame.workspace()->subWindowList())
        open << sub->widget()->objectName();
    QVERIFY2(open.contains(window), qPrintable(open.join(',')));
}

void TestFrameWindows::wizardBesideAnAlbumList_data()
{
    QTest::addColumn<QString>("listAction");
    QTest::addColumn<bool>("finish");
    for (const char *action : {"select another row", "tab change", "refresh"}) {
        QTest::addRow("%s, Finish", action) << QString(action) << true;
        QTest::addRow("%s, Cancel", action) << QString(action) << false;
    }
}

void TestFrameWindows::wizardBesideAnAlbumList()
{
    QFETCH(QString, listAction);
    QFETCH(bool, finish);
    ScriptedInteraction person;
    Catalogue cat;
    const QStringList before = albumsWithSongs(cat.files);
    MainFrame frame(cat.files);
    frame.dispatch("BrowseAlbums");
    auto *list = child<BrowseAlbums>(frame);
    QVERIFY(list);
    highlight(*list, "Arrival");

    frame.dispatch("AlbumWizard");
    auto *wizard = child<AlbumWizard>(frame);
    QVERIFY(wizard);
    QTest::mouseClick(wizard->nextButton(), Qt::LeftButton);
    typeInto(*wizard, "ALB:Artist", "ABBA");
    typeInto(*wizard, "ALB:Album", "Voulez-Vous");
    QTest::mouseClick(wizard->nextButton(), Qt::LeftButton);
    addSongTitled(*wizard, "Chiquitita");

    if (listAction == "select another row")
        highlight(*list, "Gold");
    else if (listAction == "tab change")
        list->tabs()->setCurrentIndex(1);
    else
        list->refresh();

    if (finish) {
        QTest::mouseClick(wizard->finishButton(), Qt::LeftButton);
        QCOMPARE(albumsWithSongs(cat.files), before + QStringList{"Voulez-Vous: Chiquitita"});
    } else {
        person.answer({Yes});
        QTest::mouseClick(wizard->cancelButton(), Qt::LeftButton);
        QCOMPARE(albumsWithSongs(cat.files), before);
    }
}

void TestFrameWindows::songListsKeepTheirOwnRecord()
{
    ScriptedInteraction person;
    Catalogue cat;
    MainFrame frame(cat.files);
    frame.dispatch("BrowseSongs");
    frame.dispatch("BrowseSongs");
    QList<BrowseSongs *> lists;
    for (QMdiSubWindow *sub : frame.workspace()->subWindowList())
        if (auto *l = qobject_cast<BrowseSongs *>(sub->widget()))
            lists << l;
    QCOMPARE(lists.size(), 2);
    const auto highlightedTitle = [](BrowseWindow &list) {
        QTreeWidgetItem *row = list.listBox()->currentItem();
        return row ? row->text(list.listBox()->columnCount() > 1 ? 1 : 0) : QString();
    };
    // The first list on the last song, the second on the first; a tab change in the second
    // re-positions it on its own record.
    QTreeWidget *first = lists[0]->listBox();
    first->setCurrentItem(first->topLevelItem(first->topLevelItemCount() - 1));
    const QString firstTitle = highlightedTitle(*lists[0]);
    lists[1]->listBox()->setCurrentItem(lists[1]->listBox()->topLevelItem(0));
    const QString secondTitle = highlightedTitle(*lists[1]);
    QVERIFY(firstTitle != secondTitle);
    lists[1]->tabs()->setCurrentIndex(1);
    lists[1]->tabs()->setCurrentIndex(0);
    QCOMPARE(highlightedTitle(*lists[1]), secondTitle);
    lists[0]->tabs()->setCurrentIndex(1);
    lists[0]->tabs()->setCurrentIndex(0);
    QCOMPARE(highlightedTitle(*lists[0]), firstTitle);
}

QTEST_MAIN(TestFrameWindows)
#include "tst_frame_windows.moc"
