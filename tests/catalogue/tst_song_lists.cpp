// The song lists as a person uses them: the title's count, the tabs with
// their filters and locators, the buttons and the popup, the song and album
// forms behind them, and the song lookup of the album form.
#include "albumform.h"
#include "browsesongs.h"
#include "datafile.h"
#include "dialogunits.h"
#include "fileset.h"
#include "globals.h"
#include "mediaandartists.h"
#include "browsecategories.h"
#include "placement.h"
#include "profile.h"
#include "cataloguefill.h"
#include "scriptedinteraction.h"
#include "windowsteps.h"
#include "selectfilenumber.h"
#include "settings.h"
#include "songform.h"
#include "tracklist.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <QHeaderView>
#include <QToolBar>
#include <QtTest>
#include <functional>

using namespace crx;
using namespace crx::test;

namespace {

struct Catalogue {
    Catalogue() : files(dir.path())
    {
        songs = &files.use(FileId::Cantorix);
        addMediaFormats(files, {"CD", "Vinyl"});
        addCategories(files, {{3, "Pop"}, {5, "Rock"}});
    }
    ~Catalogue() { files.release(FileId::Cantorix); }
    Record &addSong(int id, const QString &artist, const QString &title, const QString &media = "CD",
                    int category = 0, int chart = 0)
    {
        Record &s = songs->buffer();
        s.clear();
        s.set("ID", id);
        s.set("Artist", artist);
        s.set("Title", title);
        s.set("Media", media);
        s.set("CategoryID", category);
        s.set("ChartNumber", chart);
        [&] { QCOMPARE(songs->add(), int(NoError)); }();
        return s;
    }
    QTemporaryDir dir;
    FileSet files;
    DataFile *songs;
};

QString highlighted(const BrowseWindow &list, int c = 1)
{
    QTreeWidgetItem *item = list.listBox()->currentItem();
    return item ? item->text(c) : QString("(none)");
}

} // namespace

class TestSongLists : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void columnsTitleAndTabs();
    void titleCountsEverySongWhileAFilterHidesSome();
    void byCategoryShowsTheChosenCategory();
    void locatorTypedOnEachTab_data();
    void locatorTypedOnEachTab();
    void insertThroughTheFormRereadsListAndCount();
    void formsReturnToTheSameSongAmongEqualKeys();
    void aSongAddedAfterAnAlbumFormIsAPlainSong();
    void copyStartsFromTheHighlightedSong();
    void albumButtonOpensTheSongsAlbum();
    void popupAndButtonsWithAndWithoutRows();
    void rowsDragTheirSongIds();
    void lastTabIsKept();
    void columnWidthsAreKept();
    void selectFileNumberReturnsTheSong();
};

void TestSongLists::init()
{
    clearGlobals();
    settings() = Settings{};
    formRequest() = Request::None;
}

void TestSongLists::columnsTitleAndTabs()
{
    ScriptedInteraction person;
    Catalogue cat;
    Record &s = cat.addSong(1, "ABBA", "Waterloo", "CD", 3);
    s.set("Side", 2);
    s.set("TrackNumber", 7);
    s.set("Time", 22501);
    QCOMPARE(cat.songs->put(), int(NoError));
    cat.addSong(2, "Blondie", "Atomic", "Vinyl", 0);
    settings().udkPrompt = "Label name and more";
    BrowseSongs list(cat.files);
    QVERIFY(list.start());
    QCOMPARE(list.windowTitle(), QString("Songs - 2 entries"));
    QCOMPARE(columnTexts(*list.listBox(), 0), (QStringList{"ABBA", "Blondie"}));
    QCOMPARE(columnTexts(*list.listBox(), 5), (QStringList{"Pop", ""}));      // the category's name
    QCOMPARE(columnTexts(*list.listBox(), 6), (QStringList{"0:03:45", ""})); // blank when no time
    QCOMPARE(columnTexts(*list.listBox(), 11), (QStringList{"(2)   7", ""}));
    QStringList tabs;
    for (int i = 0; i < list.tabs()->count(); ++i)
        tabs << list.tabs()->tabText(i);
    QCOMPARE(tabs, (QStringList{"By Artist", "By Title", "By Album", "By Media", "By Category", "By Chart #",
                                "By BPM", "By Label name"}));
    list.tabs()->setCurrentIndex(1);
    QCOMPARE(columnTexts(*list.listBox(), 1), (QStringList{"Atomic", "Waterloo"}));
}

void TestSongLists::titleCountsEverySongWhileAFilterHidesSome()
{
    ScriptedInteraction person;
    Catalogue cat;
    cat.addSong(1, "ABBA", "Waterloo", "CD");
    cat.addSong(2, "Blondie", "Atomic", "Vinyl");
    cat.addSong(3, "Cher", "Believe", "cd"); // letter case does not matter
    BrowseSongs list(cat.files);
    QVERIFY(list.start());
    list.tabs()->setCurrentIndex(3); // By Media, nothing chosen yet
    QCOMPARE(list.listBox()->topLevelItemCount(), 0);
    onModals({selectRow("Vinyl")});
    click(list, "selectMedia");
    QCOMPARE(list.media(), QString("Vinyl"));
    QCOMPARE(columnTexts(*list.listBox(), 1), QStringList{"Atomic"});
    QCOMPARE(list.windowTitle(), QString("Songs - 3 entries"));
    onModals({selectRow("CD")});
    click(list, "selectMedia");
    QCOMPARE(columnTexts(*list.listBox(), 1), (QStringList{"Believe", "Waterloo"}));
    QCOMPARE(list.windowTitle(), QString("Songs - 3 entries"));
}

void TestSongLists::byCategoryShowsTheChosenCategory()
{
    ScriptedInteraction person;
    Catalogue cat;
    cat.addSong(1, "ABBA", "Waterloo", "CD", 3);
    cat.addSong(2, "Blondie", "Atomic", "CD", 5);
    cat.addSong(3, "Cher", "Believe", "CD", 3);
    BrowseSongs list(cat.files);
    QVERIFY(list.start());
    onModals({selectRow("Rock")});
    click(list, "selectCategory");
    QCOMPARE(list.category(), qint64(5));
    list.tabs()->setCurrentIndex(4);
    QCOMPARE(columnTexts(*list.listBox(), 0), QStringList{"Blondie"});
    onModals({selectRow("Pop")});
    click(list, "selectCategory");
    QCOMPARE(columnTexts(*list.listBox(), 0), (QStringList{"ABBA", "Cher"}));
    // The locator works on the artist within the category.
    QTest::keyClicks(list.listBox(), "c");
    QCOMPARE(highlighted(list, 0), QString("Cher"));
    QCOMPARE(list.locatorField()->text(), QString("c"));
}

void TestSongLists::locatorTypedOnEachTab_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("title");
    // Chart numbers 2, 10 and 30: "5" is the number 5, so 10 is the first at or after it
    // (as text, "5" would come after "30").
    QTest::newRow("chart by number") << 5 << "5" << "Believe";
    QTest::newRow("chart two digits") << 5 << "30" << "Atomic";
    QTest::newRow("artist") << 0 << "bl" << "Atomic";
    QTest::newRow("title") << 1 << "w" << "Waterloo";
    QTest::newRow("backspace") << 1 << "wx\b" << "Waterloo";
}

void TestSongLists::locatorTypedOnEachTab()
{
    QFETCH(int, tab);
    QFETCH(QString, typed);
    QFETCH(QString, title);
    ScriptedInteraction person;
    Catalogue cat;
    cat.addSong(1, "ABBA", "Waterloo", "CD", 0, 2);
    cat.addSong(2, "Blondie", "Atomic", "CD", 0, 30);
    cat.addSong(3, "Cher", "Believe", "CD", 0, 10);
    BrowseSongs list(cat.files);
    QVERIFY(list.start());
    list.tabs()->setCurrentIndex(tab);
    for (QChar c : typed) {
        if (c == '\b')
            QTest::keyClick(list.listBox(), Qt::Key_Backspace);
        else
            QTest::keyClicks(list.listBox(), QString(c));
    }
    QCOMPARE(highlighted(list), title);
}

void TestSongLists::insertThroughTheFormRereadsListAndCount()
{
    ScriptedInteraction person;
    Catalogue cat;
    cat.addSong(1, "ABBA", "Waterloo");
    BrowseSongs list(cat.files);
    QVERIFY(list.start());
    onModals({[](QWidget *modal) {
        auto *form = qobject_cast<UpdateSong *>(modal);
        QVERIFY(form);
        for (const auto &[field, text] : {std::pair{"MUS:Artist", "Blondie"}, std::pair{"MUS:Title", "Atomic"}}) {
            auto *entry = qobject_cast<QLineEdit *>(form->control(field));
            entry->setText(text);
            entry->setModified(true);
        }
        QTest::mouseClick(form->okButton(), Qt::LeftButton);
    }});
    QTest::keyClick(list.listBox(), Qt::Key_Insert);
    QCOMPARE(list.windowTitle(), QString("Songs - 2 entries"));
    QCOMPARE(columnTexts(*list.listBox(), 1), (QStringList{"Waterloo", "Atomic"}));
    QCOMPARE(highlighted(list), QString("Atomic"));
}

void TestSongLists::formsReturnToTheSameSongAmongEqualKeys()
{
    ScriptedInteraction person;
    Catalogue cat;
    for (int id = 1; const char *album : {"Arrival", "Gold", "Hits"}) {
        cat.addSong(id++, "ABBA", "Waterloo").set("Album", album);
        QCOMPARE(cat.songs->put(), int(NoError));
    }
    BrowseSongs list(cat.files);
    QVERIFY(list.start());
    list.listBox()->setCurrentItem(list.listBox()->topLevelItem(2));
    QCOMPARE(highlighted(list, 2), QString("Hits"));
    const auto answerSongForm = [](bool ok) {
        onModals({[ok](QWidget *modal) {
            auto *form = qobject_cast<UpdateSong *>(modal);
            QVERIFY(form);
            QTest::mouseClick(ok ? form->okButton() : form->cancelButton(), Qt::LeftButton);
        }});
    };
    answerSongForm(false);
    click(list, "change");
    QCOMPARE(highlighted(list, 2), QString("Hits"));
    answerSongForm(true);
    click(list, "change");
    QCOMPARE(highlighted(list, 2), QString("Hits"));
    person.answer({Cancel});
    click(list, "delete");
    QCOMPARE(highlighted(list, 2), QString("Hits"));
    person.answer({OK});
    click(list, "delete");
    QCOMPARE(columnTexts(*list.listBox(), 2), (QStringList{"Arrival", "Gold"}));
}

void TestSongLists::aSongAddedAfterAnAlbumFormIsAPlainSong()
{
    ScriptedInteraction person;
    Catalogue cat;
    {
        formRequest() = Request::Insert;
        UpdateAlbum album(cat.files);
        QVERIFY(album.prepare());
        album.show();
        QTest::mouseClick(album.cancelButton(), Qt::LeftButton);
    }
    QCOMPARE(globals().songEntryMode, 0);
    BrowseSongs list(cat.files);
    QVERIFY(list.start());
    bool albumEnabled = false, mediaEnabled = false;
    onModals({[&](QWidget *modal) {
        auto *form = qobject_cast<UpdateSong *>(modal);
        QVERIFY(form);
        albumEnabled = form->control("MUS:Album")->isEnabled();
        mediaEnabled = form->control("MUS:Media")->isEnabled();
        for (const auto &[field, text] : {std::pair{"MUS:Artist", "ABBA"}, std::pair{"MUS:Title", "Waterloo"},
                                          std::pair{"MUS:Album", "Waterloo"}}) {
            auto *entry = qobject_cast<QLineEdit *>(form->control(field));
            entry->setText(text);
            entry->setModified(true);
        }
        QTest::mouseClick(form->okButton(), Qt::LeftButton);
    }});
    QTest::keyClick(list.listBox(), Qt::Key_Insert);
    QVERIFY(albumEnabled);
    QVERIFY(mediaEnabled);
    cat.songs->setToStart(-1);
    QCOMPARE(cat.songs->next(), int(NoError));
    QCOMPARE(cat.songs->buffer().get("Album").toString(), QString("Waterloo"));
    QCOMPARE(cat.songs->buffer().get("Media").toString(), QString("CD"));
}

void TestSongLists::copyStartsFromTheHighlightedSong()
{
    ScriptedInteraction person;
    Catalogue cat;
    cat.addSong(1, "ABBA", "Waterloo");
    BrowseSongs list(cat.files);
    QVERIFY(list.start());
    QString shown;
    onModals({[&shown](QWidget *modal) {
        auto *form = qobject_cast<UpdateSong *>(modal);
        QVERIFY(form);
        shown = form->windowTitle() + '|' + qobject_cast<QLineEdit *>(form->control("MUS:Artist"))->text();
        QTest::mouseClick(form->okButton(), Qt::LeftButton);
    }});
    click(list, "copy");
    QVERIFY2(shown.endsWith("|ABBA"), qPrintable(shown));
    QCOMPARE(list.windowTitle(), QString("Songs - 2 entries"));
    QCOMPARE(columnTexts(*list.listBox(), 1), (QStringList{"Waterloo", "Waterloo"}));
}

void TestSongLists::albumButtonOpensTheSongsAlbum()
{
    ScriptedInteraction person;
    Catalogue cat;
    DataFile &albums = cat.files.use(FileId::Album);
    albums.buffer().clear();
    albums.buffer().set("AlbumID", 4);
    albums.buffer().set("Artist", "ABBA");
    albums.buffer().set("Album", "Waterloo");
    QCOMPARE(albums.add(), int(NoError));
    cat.addSong(1, "ABBA", "Waterloo").set("AlbumID", 4);
    QCOMPARE(cat.songs->put(), int(NoError));
    cat.addSong(2, "Blondie", "Atomic");
    BrowseSongs list(cat.files);
    QVERIFY(list.start());
    QString album;
    onModals({[&album](QWidget *modal) {
        auto *form = qobject_cast<UpdateAlbum *>(modal);
        QVERIFY(form);
        album = qobject_cast<QLineEdit *>(form->control("ALB:Album"))->text();
        QTest::mouseClick(form->cancelButton(), Qt::LeftButton);
    }});
    click(list, "album");
    QCOMPARE(album, QString("Waterloo"));
    QCOMPARE(highlighted(list), QString("Waterloo")); // the list stands where it stood
    QTest::keyClick(list.listBox(), Qt::Key_Down);
    click(list, "album"); // a song without an album says so
    QCOMPARE(person.shown.size(), 1);
    QCOMPARE(person.shown.front().text, QString("This song is not on an album of the catalogue."));
    cat.files.release(FileId::Album);
}

void TestSongLists::popupAndButtonsWithAndWithoutRows()
{
    ScriptedInteraction person;
    Catalogue cat;
    BrowseSongs list(cat.files);
    QVERIFY(list.start());
    const QStringList empty = {"&Add", "~&Change", "~&Delete", "-", "~Cop&y", "~&Print", "~&Query", "~Reset",
                               "~&Import", "~&Export", "~Album", "Se&lect Media", "Select Category"};
    QCOMPARE(menuTexts(*list.popupMenu()), empty);
    QVERIFY(!list.button("copy")->isEnabled());
    cat.addSong(1, "ABBA", "Waterloo");
    list.refresh();
    QStringList full = empty;
    for (QString &item : full)
        if (item == "~&Change" || item == "~&Delete" || item == "~Cop&y" || item == "~Album")
            item.remove(0, 1);
    QCOMPARE(menuTexts(*list.popupMenu()), full);
    QVERIFY(list.button("copy")->isEnabled());
}

void TestSongLists::rowsDragTheirSongIds()
{
    ScriptedInteraction person;
    Catalogue cat;
    cat.addSong(17, "ABBA", "Waterloo");
    BrowseSongs list(cat.files);
    QVERIFY(list.start());
    QAbstractItemModel *model = list.listBox()->model();
    const std::unique_ptr<QMimeData> data(model->mimeData({model->index(0, 0)}));
    QCOMPARE(data->data(TrackList::dragFormat()), QByteArray("17"));
}

void TestSongLists::lastTabIsKept()
{
    ScriptedInteraction person;
    Catalogue cat;
    settings().saveLastTab = true;
    {
        BrowseSongs list(cat.files);
        QVERIFY(list.start());
        list.tabs()->setCurrentIndex(6);
        list.reject();
    }
    QCOMPARE(readProfileNumber(profilePath(cat.dir.path(), settingsfile::Preferences), "Settings", "SongTab", -1), 6);
    BrowseSongs again(cat.files);
    QVERIFY(again.start());
    QCOMPARE(again.tabs()->currentIndex(), 6);
}

void TestSongLists::columnWidthsAreKept()
{
    ScriptedInteraction person;
    Catalogue cat;
    cat.addSong(1, "ABBA", "Waterloo");
    {
        BrowseSongs list(cat.files);
        QVERIFY(list.start());
        list.show();
        list.listBox()->header()->resizeSection(1, 177);
        click(list, "close");
    }
    BrowseSongs list(cat.files);
    QVERIFY(list.start());
    list.show();
    const DialogUnits units(list.listBox()->font());
    QCOMPARE(list.listBox()->header()->sectionSize(1), units.x(units.unitsX(177)));
}

void TestSongLists::selectFileNumberReturnsTheSong()
{
    ScriptedInteraction person;
    Catalogue cat;
    cat.addSong(1, "ABBA", "Waterloo", "CD", 3);
    cat.addSong(2, "Blondie", "Atomic", "CD", 5);
    SelectFileNumber list(cat.files);
    list.setSelectMode(true);
    QVERIFY(list.start());
    QCOMPARE(list.windowTitle(), QString("Browse Music Database - 2 entries"));
    QCOMPARE(list.tabs()->count(), 6);
    QCOMPARE(columnTexts(*list.listBox(), 6), (QStringList{"Pop", "Rock"}));
    QCOMPARE(menuTexts(*list.popupMenu()), (QStringList{"&Select", "-", "&Select Category"}));
    // The navigation toolbar: its moves, Insert greyed in a list that only selects.
    auto *bar = list.findChild<QToolBar *>("navigation");
    QVERIFY(bar);
    QStringList tips;
    for (QAction *a : bar->actions())
        tips << (a->isEnabled() ? "" : "~") + a->toolTip();
    QCOMPARE(tips, QStringList({"~Insert a new Record", "Go to the Last Page", "Go to the First Page",
                                "Go to the Next Page", "Go to the Prior Page", "Go to the Next Record",
                                "Go to the Prior Record"}));
    bar->actions()[1]->trigger();
    QCOMPARE(highlighted(list, 0), QString("Blondie"));
    list.tabs()->setCurrentIndex(4);
    onModals({selectRow("Rock")});
    click(list, "selectCategory");
    QCOMPARE(columnTexts(*list.listBox(), 0), QStringList{"Blondie"});
    click(list, "select");
    QCOMPARE(list.response(), Response::Completed);
    QCOMPARE(cat.songs->buffer().get("MUS:Title").toString(), QString("Atomic"));
}

QTEST_MAIN(TestSongLists)
#include "tst_song_lists.moc"
