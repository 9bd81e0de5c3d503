// The album form: the copy of an album, the track list and its buttons as a
// person presses them, with the song form answered through the scripted
// person, and what lands in the song and album files.
#include "datafile.h"
#include "fileset.h"
#include "albumform.h"
#include "getreplacecommand.h"
#include "globals.h"
#include "cataloguefill.h"
#include "scriptedinteraction.h"
#include "dialogunits.h"
#include "formsession.h"
#include <QHeaderView>
#include "picture.h"
#include "profile.h"
#include "windowsteps.h"
#include "selectfilenumber.h"
#include "settings.h"
#include "songform.h"
#include "tracklist.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QtTest>
#include <functional>

using namespace crx;
using namespace crx::test;

namespace {

struct Catalogue {
    Catalogue() : files(dir.path())
    {
        songs = &files.use(FileId::Cantorix);
        albums = &files.use(FileId::Album);
        addMediaFormats(files, {"CD", "Vinyl"});
    }
    ~Catalogue()
    {
        files.release(FileId::Cantorix);
        files.release(FileId::Album);
    }
    void addAlbum(int id, const QString &album, const QString &fileNumber = {})
    {
        Record &a = albums->buffer();
        a.clear();
        a.set("AlbumID", id);
        a.set("Artist", "ABBA");
        a.set("Album", album);
        a.set("Media", "Vinyl");
        a.set("FileNumber", fileNumber);
        QCOMPARE(albums->add(), int(NoError));
    }
    void addSong(int id, int album, int side, int track, const QString &fileNumber = {})
    {
        Record &s = songs->buffer();
        s.clear();
        s.set("ID", id);
        s.set("Title", QStringLiteral("t%1").arg(track));
        s.set("AlbumID", album);
        s.set("Side", side);
        s.set("TrackNumber", track);
        s.set("Media", "Vinyl");
        s.set("FileNumber", fileNumber);
        QCOMPARE(songs->add(), int(NoError));
    }
    // Reads album id into the album buffer, as a list does before it calls the form.
    void select(int id)
    {
        albums->buffer().clear();
        albums->buffer().set("AlbumID", id);
        QCOMPARE(albums->get(albums->def().keyIndex("KeyAlbumID")), int(NoError));
    }
    // "title side/track" of the songs of the album, in running order.
    QStringList tracks(int album)
    {
        QStringList out;
        songs->setToStart(songs->def().keyIndex("KeyAlbumID"));
        while (songs->next() == NoError) {
            const Record &s = songs->buffer();
            if (s.get("AlbumID").toInt() == album)
                out << QStringLiteral("%1 %2/%3")
                           .arg(s.get("Title").toString())
                           .arg(s.get("Side").toInt())
                           .arg(s.get("TrackNumber").toInt());
        }
        return out;
    }
    QTemporaryDir dir;
    FileSet files;
    DataFile *songs, *albums;
};

std::unique_ptr<UpdateAlbum> open(Catalogue &cat, Request request)
{
    formRequest() = request;
    auto form = std::make_unique<UpdateAlbum>(cat.files);
    if (!form->prepare())
        return nullptr;
    form->show();
    return form;
}

// A song form step: types the title (when given) and presses OK, or presses Cancel.
std::function<void(QWidget *)> songForm(const QString &title, bool ok = true)
{
    return [title, ok](QWidget *modal) {
        auto *form = qobject_cast<UpdateSong *>(modal);
        QVERIFY(form);
        if (!title.isEmpty()) {
            auto *entry = qobject_cast<QLineEdit *>(form->control("MUS:Title"));
            entry->setText(title);
            entry->setModified(true);
        }
        QTest::mouseClick(ok ? form->okButton() : form->cancelButton(), Qt::LeftButton);
    };
}

void click(UpdateAlbum &form, const char *button)
{
    auto *b = form.findChild<QPushButton *>(button);
    QVERIFY2(b, button);
    QTest::mouseClick(b, Qt::LeftButton);
}

void highlight(UpdateAlbum &form, int row)
{
    form.trackList()->setCurrentItem(form.trackList()->topLevelItem(row));
}

QStringList menuTexts(UpdateAlbum &form)
{
    QStringList out;
    const std::unique_ptr<QMenu> menu = form.trackMenu();
    for (QAction *a : menu->actions())
        out << (a->isSeparator() ? QString("-") : (a->isEnabled() ? "" : "~") + a->text());
    return out;
}

} // namespace

class TestAlbumForm : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void dittoWorksInItsFieldsOnly();
    void trackListKeepsItsDesignAndThePersonsWidths();
    void copyOfAnAlbum();
    void trackListRowsAndMenu();
    void addPlacesTheSongAfterTheHighlightedOne();
    void deleteRenumbersTheSide();
    void moveButtons();
    void editAllSongsStopsAtTheFirstCancel();
    void cascade();
    void reassignWithoutFileNumberGoesToTheLookup();
    void reassignByFileNumber();
    void dropMakesALinkedCopy();
    void duplicateAlbumIsNamed();
    void typingASideJumps();
    void replaceTextFromTheSide();
};

void TestAlbumForm::init()
{
    clearGlobals();
    settings() = Settings{};
    formRequest() = Request::None;
}

void TestAlbumForm::trackListKeepsItsDesignAndThePersonsWidths()
{
    ScriptedInteraction person;
    Catalogue cat;
    cat.addAlbum(1, "Arrival");
    cat.addSong(1, 1, 1, 1);
    cat.songs->buffer().set("ReleaseDate", 1977);
    QCOMPARE(cat.songs->put(), int(NoError));
    constexpr int ReleaseDate = 6;
    settings().dateFormat = "n4b";
    cat.select(1);
    auto form = open(cat, Request::Change);
    QCOMPARE(form->trackList()->topLevelItem(0)->text(ReleaseDate), QString("1977"));
    form->trackList()->header()->resizeSection(1, 222);
    const DialogUnits units(form->trackList()->font());
    QTest::mouseClick(form->cancelButton(), Qt::LeftButton);
    form.reset();
    // Kept in dialog units, as the design is.
    const QString saved = readProfile(profilePath(cat.dir.path(), settingsfile::Positions), "UpdateAlbum", "SRCF?Browse:2");
    QVERIFY2(saved.contains(QString::number(units.unitsX(222)) + "L(2)|M~Artist~"), qPrintable(saved));
    QVERIFY2(saved.contains("~Release Date~L(2)@d2@"), qPrintable(saved));
    // Another date format shows in the list; the person's width stays.
    settings().dateFormat = "d6";
    cat.select(1);
    form = open(cat, Request::Change);
    QCOMPARE(form->trackList()->header()->sectionSize(1), units.x(units.unitsX(222)));
    QCOMPARE(form->trackList()->topLevelItem(0)->text(ReleaseDate), formatValue("@d6", 1977));
}

void TestAlbumForm::dittoWorksInItsFieldsOnly()
{
    ScriptedInteraction person;
    Catalogue cat;
    Record &last = historyRecord(FileId::Album);
    last.clear();
    last.set("ALB:Artist", "ABBA");
    last.set("ALB:Recording", "Polar Studios");
    auto form = open(cat, Request::Insert);
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    auto *recording = form->findChild<QPlainTextEdit *>("ALB:Recording");
    auto *sheet = form->findChild<QTabWidget *>();
    for (int i = 0; i < sheet->count(); ++i)
        if (sheet->widget(i)->isAncestorOf(recording))
            sheet->setCurrentIndex(i);
    recording->setFocus();
    QTest::keyClick(recording, Qt::Key_Apostrophe, Qt::ControlModifier);
    QCOMPARE(recording->toPlainText(), QString());
    sheet->setCurrentIndex(0);
    auto *artist = form->findChild<QLineEdit *>("ALB:Artist");
    artist->setFocus();
    QTest::keyClick(artist, Qt::Key_Apostrophe, Qt::ControlModifier);
    QCOMPARE(artist->text(), QString("ABBA"));
    last.clear();
}

void TestAlbumForm::copyOfAnAlbum()
{
    ScriptedInteraction person;
    Catalogue cat;
    cat.albums->buffer().clear();
    cat.albums->buffer().set("Album", "Greatest Hits   ");
    cat.albums->buffer().set("CDIdentifier", "12 345");
    auto form = open(cat, Request::Insert);
    QCOMPARE(form->windowTitle(), QString("Adding an Album Record"));
    QCOMPARE(qobject_cast<QLineEdit *>(form->control("ALB:Album"))->text(), QString("Greatest Hits - Copy"));
    QCOMPARE(qobject_cast<QLineEdit *>(form->control("ALB:CDIdentifier"))->text(), QString());
    QCOMPARE(globals().songEntryMode, 1);
    QCOMPARE(globals().side, 1);
    QTest::mouseClick(form->cancelButton(), Qt::LeftButton);
    QCOMPARE(cat.albums->records(), 0); // the cancelled insert leaves nothing
}

void TestAlbumForm::trackListRowsAndMenu()
{
    ScriptedInteraction person;
    Catalogue cat;
    cat.addAlbum(1, "Arrival");
    cat.addAlbum(2, "Empty");
    cat.addSong(1, 1, 2, 3);
    cat.songs->buffer().set("Time", 22501);
    cat.songs->buffer().set("Mix", "Remix");
    QCOMPARE(cat.songs->put(), int(NoError));
    cat.addSong(2, 2, 1, 1); // another album's
    cat.select(1);
    {
        auto form = open(cat, Request::Change);
        QCOMPARE(form->windowTitle(), QString("Changing an Album Record"));
        TrackList *list = form->trackList();
        QCOMPARE(list->topLevelItemCount(), 1);
        QTreeWidgetItem *row = list->topLevelItem(0);
        QCOMPARE(row->text(0), QString("(2)  3"));
        QCOMPARE(row->text(2), QString("t3 (Remix)"));
        QCOMPARE(row->text(3), QString(" 3:45"));
        QCOMPARE(menuTexts(*form), QStringList({"&Add", "&Change", "&Delete", "-", "Cop&y", "-", "Swap Artist/Titles",
                                                "Replace Text..."}));
        QVERIFY(form->findChild<QPushButton *>("copySong")->isEnabled());
    }
    cat.select(2);
    cat.songs->buffer().clear();
    DataFile &songs = *cat.songs;
    songs.buffer().set("ID", 2);
    songs.get(songs.def().keyIndex("KeyID"));
    songs.remove();
    auto form = open(cat, Request::Change);
    QCOMPARE(menuTexts(*form), QStringList({"&Add", "~&Change", "~&Delete", "-", "~Cop&y", "-", "Swap Artist/Titles",
                                            "Replace Text..."}));
    QVERIFY(!form->findChild<QPushButton *>("changeSong")->isEnabled());
}

void TestAlbumForm::addPlacesTheSongAfterTheHighlightedOne()
{
    ScriptedInteraction person;
    Catalogue cat;
    cat.addAlbum(1, "Arrival");
    for (int t = 1; t <= 5; ++t)
        cat.addSong(t, 1, 1, t);
    cat.select(1);
    auto form = open(cat, Request::Change);
    highlight(*form, 1);
    onModals({songForm("new")});
    click(*form, "addSong");
    QCOMPARE(cat.tracks(1), QStringList({"t1 1/1", "t2 1/2", "new 1/3", "t3 1/4", "t4 1/5", "t5 1/6"}));
    QCOMPARE(form->trackList()->currentItem()->text(2), QString("new"));
    QCOMPARE(form->trackList()->topLevelItemCount(), 6);
}

void TestAlbumForm::deleteRenumbersTheSide()
{
    ScriptedInteraction person;
    Catalogue cat;
    cat.addAlbum(1, "Arrival");
    for (int t = 1; t <= 6; ++t)
        cat.addSong(t, 1, 1, t);
    cat.addSong(7, 1, 2, 4);
    cat.select(1);
    auto form = open(cat, Request::Change);
    highlight(*form, 2);
    person.answer({OK}); // confirms the delete
    QTest::keyClick(form->trackList(), Qt::Key_Delete);
    QCOMPARE(cat.tracks(1), QStringList({"t1 1/1", "t2 1/2", "t4 1/3", "t5 1/4", "t6 1/5", "t4 2/4"}));
}

void TestAlbumForm::moveButtons()
{
    ScriptedInteraction person;
    Catalogue cat;
    cat.addAlbum(1, "Arrival");
    for (int t : {1, 2, 5, 7})
        cat.addSong(t, 1, 1, t);
    cat.select(1);
    auto form = open(cat, Request::Change);
    highlight(*form, 0);
    click(*form, "moveUp"); // the first song up: nothing
    QCOMPARE(cat.tracks(1), QStringList({"t1 1/1", "t2 1/2", "t5 1/5", "t7 1/7"}));
    highlight(*form, 3);
    click(*form, "moveTop");
    QCOMPARE(cat.tracks(1), QStringList({"t7 1/1", "t1 1/2", "t2 1/5", "t5 1/7"}));
    QCOMPARE(form->trackList()->currentItem()->text(2), QString("t7")); // the moved song stays highlighted
    click(*form, "moveDown");
    QCOMPARE(cat.tracks(1), QStringList({"t1 1/1", "t7 1/2", "t2 1/5", "t5 1/7"}));
}

void TestAlbumForm::editAllSongsStopsAtTheFirstCancel()
{
    ScriptedInteraction person;
    Catalogue cat;
    cat.addAlbum(1, "Arrival");
    for (int t = 1; t <= 4; ++t)
        cat.addSong(t, 1, 1, t);
    cat.select(1);
    auto form = open(cat, Request::Change);
    int opened = 0;
    const auto counted = [&opened](std::function<void(QWidget *)> step) {
        return [&opened, step](QWidget *w) {
            ++opened;
            step(w);
        };
    };
    onModals({counted(songForm("one")), counted(songForm("two")), counted(songForm("", false))});
    click(*form, "editAllSongs");
    QCOMPARE(opened, 3);
    QCOMPARE(cat.tracks(1), QStringList({"one 1/1", "two 1/2", "t3 1/3", "t4 1/4"}));
    QCOMPARE(globals().lastFormButton, QString("Cancel"));
}

void TestAlbumForm::cascade()
{
    ScriptedInteraction person;
    Catalogue cat;
    cat.addAlbum(1, "Arrival", "LP-1");
    cat.addSong(1, 1, 1, 1);
    cat.addSong(2, 1, 2, 1);
    cat.select(1);
    auto form = open(cat, Request::Change);
    person.choices << 2; // Cancel
    click(*form, "cascade");
    QCOMPARE(person.shown.last().title, QString("Cascade Album Changes to Songs"));
    QCOMPARE(person.shown.last().labels, QStringList({"&Single Artist", "&Compilation", "Cancel"}));
    QVERIFY(person.shown.last().text.startsWith("This process will copy (cascade) information"));
    person.choices << 0; // Single Artist
    click(*form, "cascade");
    QStringList seen;
    cat.songs->setToStart(cat.songs->def().keyIndex("KeyID"));
    while (cat.songs->next() == NoError)
        seen << cat.songs->buffer().get("Artist").toString() + "/" + cat.songs->buffer().get("Album").toString() + "/"
                    + cat.songs->buffer().get("FileNumber").toString();
    QCOMPARE(seen, QStringList({"ABBA/Arrival/LP-1", "ABBA/Arrival/LP-1"}));
}

void TestAlbumForm::reassignWithoutFileNumberGoesToTheLookup()
{
    ScriptedInteraction person;
    Catalogue cat;
    cat.addAlbum(1, "Arrival");
    cat.addSong(1, 0, 1, 1, "X-1");
    cat.select(1);
    auto form = open(cat, Request::Change);
    onModals({[](QWidget *modal) {
        auto *list = qobject_cast<SelectFileNumber *>(modal);
        QVERIFY(list);
        QCOMPARE(list->windowTitle(), QString("Browse Music Database - 1 entries"));
        QTest::mouseClick(list->button("select"), Qt::LeftButton);
    }});
    click(*form, "reassign");
    QVERIFY(person.shown.isEmpty()); // no question asked
    QCOMPARE(cat.tracks(1), QStringList{"t1 1/1"});
    QCOMPARE(form->trackList()->topLevelItemCount(), 1);
}

void TestAlbumForm::reassignByFileNumber()
{
    ScriptedInteraction person;
    Catalogue cat;
    cat.addAlbum(1, "Arrival", "LP-1");
    cat.addSong(1, 0, 1, 1, "lp-1");
    cat.addSong(2, 0, 1, 2, "LP-1");
    cat.addSong(3, 0, 1, 3, "LP-2");
    cat.select(1);
    auto form = open(cat, Request::Change);
    person.answer({Yes});
    click(*form, "reassign");
    QCOMPARE(person.shown.size(), 2);
    QCOMPARE(person.shown[0].title, QString("Assign Songs To Album"));
    QCOMPARE(person.shown[0].text, QString("Do you want to assign all songs with file number \"LP-1\" and media type "
                                           "\"Vinyl\" to this album?"));
    QCOMPARE(person.shown[0].defaultButton, No);
    QCOMPARE(person.shown[1].title, QString("Process complete."));
    QCOMPARE(person.shown[1].text, QString("2 songs assigned."));
    QCOMPARE(cat.tracks(1), QStringList({"t1 1/1", "t2 1/2"}));
    // Nothing more to assign for another file number.
    qobject_cast<QLineEdit *>(form->control("ALB:FileNumber"))->setText("LP-9");
    person.answer({Yes});
    click(*form, "reassign");
    QCOMPARE(person.shown.last().title, QString("Process failed."));
    QCOMPARE(person.shown.last().text, QString("No songs with that media type and file number were found."));
}

void TestAlbumForm::dropMakesALinkedCopy()
{
    ScriptedInteraction person;
    Catalogue cat;
    cat.addAlbum(1, "Arrival");
    cat.addAlbum(2, "Voulez-Vous");
    cat.addSong(1, 1, 1, 1);
    cat.addSong(2, 2, 1, 5);
    cat.select(1);
    auto form = open(cat, Request::Change);
    Q_EMIT form->trackList()->dropped(1); // its own song: nothing
    QCOMPARE(cat.songs->records(), 2);
    Q_EMIT form->trackList()->dropped(2);
    QCOMPARE(cat.songs->records(), 3);
    QCOMPARE(cat.tracks(1), QStringList({"t1 1/1", "t5 1/5"}));
    QCOMPARE(cat.tracks(2), QStringList({"t5 1/5"})); // the original stays
    QCOMPARE(form->trackList()->topLevelItemCount(), 2);
}

void TestAlbumForm::duplicateAlbumIsNamed()
{
    ScriptedInteraction person;
    Catalogue cat;
    cat.addAlbum(1, "Arrival");
    cat.albums->buffer().clear();
    auto form = open(cat, Request::Insert);
    auto *artist = qobject_cast<QLineEdit *>(form->control("ALB:Artist"));
    artist->setText("ABBA");
    artist->setModified(true);
    auto *album = qobject_cast<QLineEdit *>(form->control("ALB:Album"));
    album->setText("ARRIVAL");
    album->setModified(true);
    QTest::mouseClick(form->okButton(), Qt::LeftButton);
    QCOMPARE(person.shown.size(), 1);
    QCOMPARE(person.shown.first().title, QString("Duplicate Key Error"));
    QVERIFY2(person.shown.first().text.contains("Album"), qPrintable(person.shown.first().text));
    QVERIFY(form->isVisible());
}

void TestAlbumForm::typingASideJumps()
{
    ScriptedInteraction person;
    Catalogue cat;
    cat.addAlbum(1, "Arrival");
    cat.addSong(1, 1, 1, 1);
    cat.addSong(2, 1, 1, 2);
    cat.addSong(3, 1, 2, 1);
    cat.addSong(4, 1, 2, 2);
    cat.select(1);
    auto form = open(cat, Request::Change);
    TrackList *list = form->trackList();
    highlight(*form, 0);
    QTest::keyClicks(list, "2");
    QCOMPARE(list->currentIndex().row(), 2); // the first song of side 2
    QTest::keyClicks(list, "2");
    QCOMPARE(list->currentIndex().row(), 3); // the side's own digit steps down
    QTest::keyClicks(list, "1");
    QCOMPARE(list->currentIndex().row(), 0);
}

void TestAlbumForm::replaceTextFromTheSide()
{
    ScriptedInteraction person;
    Catalogue cat;
    cat.addAlbum(1, "Arrival");
    cat.addSong(1, 1, 1, 1);
    cat.addSong(2, 1, 2, 1);
    cat.select(1);
    auto form = open(cat, Request::Change);
    qobject_cast<QSpinBox *>(form->control("side"))->setValue(2);
    onModals({[](QWidget *modal) {
        auto *ask = qobject_cast<GetReplaceCommand *>(modal);
        QVERIFY(ask);
        QCOMPARE(ask->windowTitle(), QString("Replace..."));
        QCOMPARE(ask->within()->currentText(), QString()); // nothing chosen at first
        QCOMPARE(ask->findEntry()->maxLength(), 19);
        ask->within()->setCurrentText("Title");
        QTest::keyClicks(ask->findEntry(), "t1");
        QTest::keyClicks(ask->replacementEntry(), "Side two ");
        QTest::mouseClick(ask->findChild<QPushButton *>("ok"), Qt::LeftButton);
    }});
    form->replaceText();
    // Only the songs from side 2 on change.
    QCOMPARE(cat.tracks(1), QStringList({"t1 1/1", "Side two 2/1"}));
    form->swapArtistsAndTitles();
    cat.songs->buffer().clear();
    cat.songs->buffer().set("ID", 2);
    cat.songs->get(cat.songs->def().keyIndex("KeyID"));
    QCOMPARE(cat.songs->buffer().get("Artist").toString(), QString("Side two"));
}

QTEST_MAIN(TestAlbumForm)
#include "tst_album_form.moc"
