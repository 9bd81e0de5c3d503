// The album lists as a person uses them: the count, the category tabs with
// their own choices, adding on a category tab, copy, the shared last tab,
// the album lookup, and the albums with their songs below.
#include "albumform.h"
#include "albumlists.h"
#include "datafile.h"
#include "fileset.h"
#include "globals.h"
#include "profile.h"
#include "cataloguefill.h"
#include "scriptedinteraction.h"
#include "windowsteps.h"
#include "settings.h"
#include "songform.h"
#include "tracklist.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>
#include <functional>

using namespace crx;
using namespace crx::test;

namespace {

struct Catalogue {
    Catalogue() : files(dir.path())
    {
        albums = &files.use(FileId::Album);
        songs = &files.use(FileId::Cantorix);
        addCategories(files, {{3, "Pop"}, {5, "Rock"}});
        addMediaFormats(files, {"CD"});
    }
    ~Catalogue()
    {
        files.release(FileId::Album);
        files.release(FileId::Cantorix);
    }
    void addAlbum(int id, const QString &artist, const QString &album, int category = 0)
    {
        Record &a = albums->buffer();
        a.clear();
        a.set("AlbumID", id);
        a.set("Artist", artist);
        a.set("Album", album);
        a.set("CategoryID", category);
        QCOMPARE(albums->add(), int(NoError));
    }
    void addSong(int id, int album, int track, const QString &title, int category = 0)
    {
        Record &s = songs->buffer();
        s.clear();
        s.set("ID", id);
        s.set("AlbumID", album);
        s.set("Side", 1);
        s.set("TrackNumber", track);
        s.set("Title", title);
        s.set("CategoryID", category);
        s.set("Media", "CD");
        QCOMPARE(songs->add(), int(NoError));
    }
    QTemporaryDir dir;
    FileSet files;
    DataFile *albums, *songs;
};

// A song form step: OK, or Cancel; the title shown is noted.
std::function<void(QWidget *)> songForm(QStringList &titles, bool ok)
{
    return [&titles, ok](QWidget *modal) {
        auto *form = qobject_cast<UpdateSong *>(modal);
        QVERIFY(form);
        titles << qobject_cast<QLineEdit *>(form->control("MUS:Title"))->text();
        QTest::mouseClick(ok ? form->okButton() : form->cancelButton(), Qt::LeftButton);
    };
}

} // namespace

class TestAlbumLists : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void columnsTitleAndPopup();
    void categoryTabsKeepTheirOwnChoice();
    void addOnACategoryTabGivesThatCategory_data();
    void addOnACategoryTabGivesThatCategory();
    void copyOpensTheFormOnACopy();
    void albumTabIsSharedByTheLists();
    void selectAlbumChangesAndSelects();
    void albumsWithTheirSongs();
    void editAllSongsStopsAtTheFirstCancel();
    void editAllSongsStopsWhenARefusedFormIsClosed();
};

void TestAlbumLists::init()
{
    clearGlobals();
    settings() = Settings{};
    formRequest() = Request::None;
}

void TestAlbumLists::columnsTitleAndPopup()
{
    ScriptedInteraction person;
    Catalogue cat;
    BrowseAlbums list(cat.files);
    QVERIFY(list.start());
    QStringList empty = {"&Add", "~&Change", "~&Delete", "~Cop&y", "-", "Album Wi&zard", "~&Print",
                         "~Create Label...", "~Quick CD Cover"};
    QCOMPARE(menuTexts(*list.popupMenu()), empty);
    cat.addAlbum(1, "ABBA", "Arrival", 3);
    cat.addAlbum(2, "Blondie", "Parallel Lines");
    list.refresh();
    QCOMPARE(list.windowTitle(), QString("Albums - 2 entries"));
    QCOMPARE(columnTexts(*list.listBox(), 1), (QStringList{"Arrival", "Parallel Lines"}));
    QCOMPARE(columnTexts(*list.listBox(), 5), (QStringList{"Pop", ""}));
    QCOMPARE(menuTexts(*list.popupMenu()).mid(1, 3), (QStringList{"&Change", "&Delete", "Cop&y"}));
    list.tabs()->setCurrentIndex(1);
    QTest::keyClicks(list.listBox(), "b");
    QCOMPARE(list.listBox()->currentItem()->text(0), QString("Blondie"));
}

void TestAlbumLists::categoryTabsKeepTheirOwnChoice()
{
    ScriptedInteraction person;
    Catalogue cat;
    cat.addAlbum(1, "ABBA", "Arrival", 3);
    cat.addAlbum(2, "Blondie", "Parallel Lines", 5);
    cat.addAlbum(3, "Cher", "Believe", 3);
    BrowseAlbums list(cat.files);
    QVERIFY(list.start());
    QVERIFY(!list.button("selectCategory")->isVisibleTo(&list)); // only on the category tabs
    list.tabs()->setCurrentIndex(3);
    QVERIFY(list.button("selectCategory")->isVisibleTo(&list));
    onModals({selectRow("Rock")});
    click(list, "selectCategory");
    QCOMPARE(columnTexts(*list.listBox(), 1), QStringList{"Parallel Lines"});
    QCOMPARE(list.windowTitle(), QString("Albums - 3 entries")); // every album, whatever the filter
    list.tabs()->setCurrentIndex(4);
    QCOMPARE(list.listBox()->topLevelItemCount(), 0); // nothing chosen for this tab yet
    onModals({selectRow("Pop")});
    click(list, "selectCategory");
    QCOMPARE(columnTexts(*list.listBox(), 0), (QStringList{"ABBA", "Cher"}));
    list.tabs()->setCurrentIndex(3);
    QCOMPARE(columnTexts(*list.listBox(), 1), QStringList{"Parallel Lines"});
}

void TestAlbumLists::addOnACategoryTabGivesThatCategory_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<qint64>("category");
    QTest::newRow("Cat/Art showing 3") << 4 << qint64(3);
    QTest::newRow("Category showing 3") << 3 << qint64(3);
    QTest::newRow("Artist") << 1 << qint64(0);
}

void TestAlbumLists::addOnACategoryTabGivesThatCategory()
{
    QFETCH(int, tab);
    QFETCH(qint64, category);
    ScriptedInteraction person;
    Catalogue cat;
    cat.addAlbum(1, "ABBA", "Arrival", 3);
    BrowseAlbums list(cat.files);
    QVERIFY(list.start());
    list.tabs()->setCurrentIndex(tab);
    if (category) {
        onModals({selectRow("Pop")});
        click(list, "selectCategory");
    }
    qint64 started = -1;
    QString shown;
    onModals({[&](QWidget *modal) {
        auto *form = qobject_cast<UpdateAlbum *>(modal);
        QVERIFY(form);
        started = cat.albums->buffer().get("ALB:CategoryID").toLongLong();
        shown = form->findChild<QComboBox *>("category")->currentText();
        QTest::mouseClick(form->cancelButton(), Qt::LeftButton);
    }});
    click(list, "insert");
    QCOMPARE(started, category);
    QCOMPARE(shown, category ? QString("Pop") : QString());
    QCOMPARE(cat.albums->records(), 1);
}

void TestAlbumLists::copyOpensTheFormOnACopy()
{
    ScriptedInteraction person;
    Catalogue cat;
    cat.addAlbum(1, "ABBA", "Arrival");
    BrowseAlbums list(cat.files);
    QVERIFY(list.start());
    QString title;
    onModals({[&](QWidget *modal) {
        auto *form = qobject_cast<UpdateAlbum *>(modal);
        QVERIFY(form);
        title = form->windowTitle() + '|' + qobject_cast<QLineEdit *>(form->control("ALB:Album"))->text();
        QTest::mouseClick(form->cancelButton(), Qt::LeftButton);
    }});
    click(list, "copy");
    QCOMPARE(title, QString("Adding an Album Record|Arrival - Copy"));
    QCOMPARE(cat.albums->records(), 1);
}

void TestAlbumLists::albumTabIsSharedByTheLists()
{
    ScriptedInteraction person;
    Catalogue cat;
    settings().saveLastTab = true;
    {
        BrowseAlbums list(cat.files);
        QVERIFY(list.start());
        list.tabs()->setCurrentIndex(2);
        list.reject();
    }
    SelectAlbum select(cat.files);
    QVERIFY(select.start());
    QCOMPARE(select.tabs()->currentIndex(), 2);
    QCOMPARE(select.tabs()->tabText(2), QString("File #"));
}

void TestAlbumLists::selectAlbumChangesAndSelects()
{
    ScriptedInteraction person;
    Catalogue cat;
    cat.addAlbum(1, "ABBA", "Arrival");
    cat.addAlbum(2, "Blondie", "Parallel Lines");
    SelectAlbum list(cat.files);
    list.setSelectMode(true);
    QVERIFY(list.start());
    QCOMPARE(list.windowTitle(), QString("Select Album - 2 entries"));
    QCOMPARE(list.listBox()->columnCount(), 6); // no category column
    list.listBox()->setCurrentItem(list.listBox()->topLevelItem(1));
    QString changing;
    onModals({[&](QWidget *modal) {
        auto *form = qobject_cast<UpdateAlbum *>(modal);
        QVERIFY(form);
        changing = qobject_cast<QLineEdit *>(form->control("ALB:Album"))->text();
        QTest::mouseClick(form->cancelButton(), Qt::LeftButton);
    }});
    click(list, "changeAlbum");
    QCOMPARE(changing, QString("Parallel Lines"));
    QCOMPARE(list.listBox()->currentItem()->text(1), QString("Parallel Lines"));
    click(list, "select");
    QCOMPARE(list.response(), Response::Completed);
    QCOMPARE(cat.albums->buffer().get("ALB:AlbumID").toInt(), 2);
}

void TestAlbumLists::albumsWithTheirSongs()
{
    ScriptedInteraction person;
    Catalogue cat;
    cat.addAlbum(1, "ABBA", "Arrival");
    cat.addAlbum(2, "Blondie", "Parallel Lines");
    cat.addSong(1, 1, 1, "Dancing Queen", 3);
    cat.addSong(2, 2, 1, "Hanging on the Telephone");
    cat.addSong(3, 2, 2, "Heart of Glass", 5);
    cat.addSong(4, 0, 1, "No album");
    BrowseAlbumsAndSongs list(cat.files);
    QVERIFY(list.start());
    QCOMPARE(list.windowTitle(), QString("Albums (2) and Songs (4)"));
    QCOMPARE(columnTexts(list.songs(), 2), QStringList{"Dancing Queen"});
    QCOMPARE(columnTexts(list.songs(), 9), QStringList{"Pop"});
    QTest::keyClick(list.listBox(), Qt::Key_Down);
    QCOMPARE(columnTexts(list.songs(), 2), (QStringList{"Hanging on the Telephone", "Heart of Glass"}));
    QCOMPARE(columnTexts(list.songs(), 9), (QStringList{"", "Rock"}));
    QCOMPARE(menuTexts(*list.songPopupMenu()), (QStringList{"Album Wi&zard", "~Create Label...", "~Quick CD Insert"}));
    // With no album the list below shows nothing, not the songs without an album.
    list.tabs()->setCurrentIndex(3);
    onModals({selectRow("Rock")});
    click(list, "selectCategory");
    QCOMPARE(list.listBox()->topLevelItemCount(), 0);
    QCOMPARE(list.songs().topLevelItemCount(), 0);
}

void TestAlbumLists::editAllSongsStopsAtTheFirstCancel()
{
    ScriptedInteraction person;
    Catalogue cat;
    cat.addAlbum(1, "ABBA", "Arrival");
    for (int t = 1; t <= 3; ++t)
        cat.addSong(t, 1, t, QStringLiteral("t%1").arg(t));
    BrowseAlbumsAndSongs list(cat.files);
    QVERIFY(list.start());
    QStringList titles;
    onModals({songForm(titles, true), songForm(titles, false)});
    click(list, "editAllSongs");
    QCOMPARE(titles, (QStringList{"t1", "t2"})); // OK on an unchanged song goes on to the next
    QCOMPARE(list.listBox()->currentItem()->text(1), QString("Arrival"));
}

void TestAlbumLists::editAllSongsStopsWhenARefusedFormIsClosed()
{
    ScriptedInteraction person;
    Catalogue cat;
    cat.addAlbum(1, "ABBA", "Arrival");
    for (int t = 1; t <= 2; ++t)
        cat.addSong(t, 1, t, QStringLiteral("t%1").arg(t));
    cat.songs->buffer().set("Media", "Tape"); // not a media format: OK is refused
    QCOMPARE(cat.songs->put(), int(NoError));
    cat.songs->setToStart(cat.songs->def().keyIndex("KeyAlbumID"));
    cat.songs->next();
    cat.songs->buffer().set("Media", "Tape");
    QCOMPARE(cat.songs->put(), int(NoError));
    BrowseAlbumsAndSongs list(cat.files);
    QVERIFY(list.start());
    int opened = 0;
    onModals({[&opened](QWidget *modal) {
        ++opened;
        auto *form = qobject_cast<UpdateSong *>(modal);
        QVERIFY(form);
        QTest::mouseClick(form->okButton(), Qt::LeftButton);
        QVERIFY(form->isVisible()); // refused
        QTest::keyClick(form, Qt::Key_Escape);
    }});
    click(list, "editAllSongs");
    QCOMPARE(opened, 1);
    QVERIFY(!person.shown.isEmpty());
}

QTEST_MAIN(TestAlbumLists)
#include "tst_album_lists.moc"
