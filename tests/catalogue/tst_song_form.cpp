// The song form: preparing a new song, the add-mode choice, filling from an
// album, the swaps, the time rule, the range, media and category checks, the
// album link on OK, the associated file and what lands in the files.
#include "datafile.h"
#include "fileset.h"
#include "globals.h"
#include "numberspin.h"
#include "picture.h"
#include "cataloguefill.h"
#include "scriptedinteraction.h"
#include "selectaddmode.h"
#include "albumlists.h"
#include "settings.h"
#include "songentry.h"
#include "songform.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTabWidget>
#include <QtTest>

using namespace crx;
using namespace crx::test;

namespace {

struct Catalogue {
    Catalogue() : files(dir.path())
    {
        songs = &files.use(FileId::Cantorix);
        albums = &files.use(FileId::Album);
        addMediaFormats(files, {"CD", "Vinyl", "Cassette"});
        addCategories(files, {{1, "Rock"}, {2, "Jazz"}, {3, "Pop"}});
    }
    ~Catalogue()
    {
        for (FileId id : {FileId::Cantorix, FileId::Album})
            files.release(id);
    }
    void addAlbum(int id, const QString &artist, const QString &album)
    {
        Record &a = albums->buffer();
        a.clear();
        a.set("AlbumID", id);
        a.set("Artist", artist);
        a.set("Album", album);
        a.set("Media", "Vinyl");
        a.set("FileNumber", QStringLiteral("LP-%1").arg(id));
        a.set("ReleaseDate", 1979);
        a.set("CategoryID", 3);
        a.set("Notes", "Gatefold sleeve");
        QCOMPARE(albums->add(), int(NoError));
    }
    void addSong(int id, const QString &artist, const QString &title, int albumId = 0, int side = 1, int track = 1)
    {
        Record &s = songs->buffer();
        s.clear();
        s.set("ID", id);
        s.set("Artist", artist);
        s.set("Title", title);
        s.set("AlbumID", albumId);
        s.set("Side", side);
        s.set("TrackNumber", track);
        s.set("Media", "CD");
        QCOMPARE(songs->add(), int(NoError));
    }
    // Reads song id into the song file's buffer.
    bool song(int id)
    {
        songs->buffer().clear();
        songs->buffer().set("ID", id);
        return songs->get(songs->def().keyIndex("KeyID")) == NoError;
    }
    QVariant field(int id, const char *name) { return song(id) ? songs->buffer().get(name) : QVariant(); }

    QTemporaryDir dir;
    FileSet files;
    DataFile *songs, *albums;
};

// Opens the form on the request, as a caller does, and shows it without waiting for it.
std::unique_ptr<UpdateSong> open(Catalogue &cat, Request request)
{
    formRequest() = request;
    auto form = std::make_unique<UpdateSong>(cat.files);
    if (!form->prepare())
        return nullptr;
    form->show();
    return form;
}

template <typename T>
T *find(UpdateSong &form, const QString &name)
{
    auto *w = qobject_cast<T *>(form.control(name));
    if (!w)
        qFatal("no control %s", qPrintable(name));
    return w;
}

void type(QLineEdit *entry, const QString &text)
{
    entry->setText(text);
    entry->setModified(true);
}

void pressOk(UpdateSong &form)
{
    QTest::mouseClick(form.okButton(), Qt::LeftButton);
}

} // namespace

class TestSongForm : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void swapArtistOrder_data();
    void swapArtistOrder();
    void timeRule_data();
    void timeRule();
    void leavingAFieldRunsItsRule();
    void rangeChecks_data();
    void rangeChecks();
    void newSongStartingValues();
    void trackNumberFollowsTheLastOfAlbumAndSide();
    void cancelledInsertLeavesNoRecord();
    void addModeAsksOnlyForABlankSong_data();
    void addModeAsksOnlyForABlankSong();
    void insertFromAnAlbumForm_data();
    void insertFromAnAlbumForm();
    void copyKeepsEverythingButTheIdentifier();
    void swapButtons();
    void mediaMustExist();
    void newCategoryIsAddedOnYes();
    void autoAddToAlbumsCreatesOneAlbum();
    void autoAddToAlbumsLinksAnExistingAlbum();
    void defaultWithAlbumOnAChange();
    void unchangedChangeWritesNothing();
    void lastFormButton();
    void associatedFile();
    void relabelledPromptAndArtistDefault();
    void duplicateIdentifierIsNamed();
    void pageControlsGrowWithTheWindow();
};

void TestSongForm::init()
{
    clearGlobals();
    settings() = Settings{};
    formRequest() = Request::None;
}

void TestSongForm::swapArtistOrder_data()
{
    QTest::addColumn<QString>("artist");
    QTest::addColumn<QString>("swapped");
    QTest::newRow("comma") << "Beatles, The" << "The Beatles";
    QTest::newRow("comma back") << "John, Elton" << "Elton John";
    QTest::newRow("two words") << "Elton John" << "John, Elton";
    QTest::newRow("one word") << "Madonna" << ", Madonna";
    QTest::newRow("blank") << "" << ", ";
    QTest::newRow("full field") << QString(50, 'x') << QString(50, 'x');
}

void TestSongForm::swapArtistOrder()
{
    QFETCH(QString, artist);
    QFETCH(QString, swapped);
    QCOMPARE(crx::swapArtistOrder(artist), swapped);
}

void TestSongForm::timeRule_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("hours and minutes stay") << "1:30" << "1:30:00";
    QTest::newRow("over two hours is minutes") << "3:45" << "0:03:45";
    QTest::newRow("two hours stay") << "2:00:00" << "2:00:00";
    QTest::newRow("just over") << "2:00:01" << "0:02:00";
    QTest::newRow("blank") << "" << "";
}

void TestSongForm::timeRule()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    ScriptedInteraction person;
    Catalogue cat;
    auto form = open(cat, Request::Insert);
    QVERIFY(form);
    type(find<QLineEdit>(*form, "MUS:Time"), typed);
    pressOk(*form);
    QVERIFY(person.shown.isEmpty());
    QCOMPARE(form->session().response(), Response::Completed);
    QCOMPARE(formatValue("@t4", cat.field(1, "Time")), shown);
}

void TestSongForm::leavingAFieldRunsItsRule()
{
    ScriptedInteraction person;
    Catalogue cat;
    auto form = open(cat, Request::Insert);
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    auto *time = find<QLineEdit>(*form, "MUS:Time");
    time->setFocus();
    QTest::keyClicks(time, "3:45");
    QTest::keyClick(time, Qt::Key_Tab);
    QCOMPARE(time->text(), QString("0:03:45"));
    // A category that is not there is asked about as the field is left; No keeps the focus there.
    auto *category = find<QComboBox>(*form, "category");
    category->setFocus();
    QTest::keyClicks(category->lineEdit(), "Ska");
    person.answer({No});
    find<QLineEdit>(*form, "MUS:Title")->setFocus();
    QCOMPARE(person.shown.size(), 1);
    QCOMPARE(person.shown.first().title, QString("Category not found"));
    QVERIFY(category->hasFocus());
    // Cancel does not check the field it leaves.
    QTest::mouseClick(form->cancelButton(), Qt::LeftButton);
    QCOMPARE(person.shown.size(), 1);
}

void TestSongForm::rangeChecks_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("neighbour"); // a field on the same page
    QTest::newRow("chart") << "MUS:ChartNumber" << 101 << "Chart|0 and 100" << "MUS:Mix";
    QTest::newRow("rating") << "MUS:Rating" << 11 << "MUS:Rating|0 and 10" << "MUS:Mix";
    QTest::newRow("track") << "MUS:TrackNumber" << 100 << "Track|0 and 99" << "MUS:Title";
    QTest::newRow("chart at the top") << "MUS:ChartNumber" << 100 << "" << "MUS:Mix";
    QTest::newRow("rating at the top") << "MUS:Rating" << 10 << "" << "MUS:Mix";
}

void TestSongForm::rangeChecks()
{
    QFETCH(QString, field);
    QFETCH(int, value);
    QFETCH(QString, message);
    QFETCH(QString, neighbour);
    ScriptedInteraction person;
    Catalogue cat;
    auto form = open(cat, Request::Insert);
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    auto *sheet = form->findChild<QTabWidget *>();
    auto *spin = find<NumberSpin>(*form, field);
    spin->setValue(value);
    sheet->setCurrentIndex(sheet->count() - 1); // another page in front
    pressOk(*form);
    if (message.isEmpty()) {
        QVERIFY(person.shown.isEmpty());
        QCOMPARE(cat.field(1, qPrintable(field)).toInt(), value);
        return;
    }
    QCOMPARE(person.shown.size(), 1);
    QCOMPARE(person.shown.first().title, QString("Range Error"));
    for (const QString &part : message.split('|'))
        QVERIFY2(person.shown.first().text.contains(part), qPrintable(person.shown.first().text));
    QVERIFY(form->isVisible()); // the form stays open on the field
    QVERIFY(cat.field(1, qPrintable(field)).toInt() != value);
    // The field is shown again: its page in front, the focus in it.
    QVERIFY(sheet->currentWidget()->isAncestorOf(spin));
    QVERIFY(spin->hasFocus());
    // Leaving the field checks it at once.
    find<QLineEdit>(*form, neighbour)->setFocus();
    QCOMPARE(person.shown.size(), 2);
    QCOMPARE(person.shown.last().title, QString("Range Error"));
    QVERIFY(spin->hasFocus());
    // Left for OK, which checks every field itself, the refusal is said once.
    QTest::mouseClick(form->okButton(), Qt::LeftButton);
    QCOMPARE(person.shown.size(), 3);
}

void TestSongForm::newSongStartingValues()
{
    ScriptedInteraction person;
    Catalogue cat;
    auto form = open(cat, Request::Insert);
    QCOMPARE(form->windowTitle(), QString("Adding Information"));
    QCOMPARE(find<QComboBox>(*form, "MUS:Media")->currentText(), QString("CD"));
    QCOMPARE(find<QLineEdit>(*form, "MUS:ReleaseDate")->text(), QString::number(QDate::currentDate().year()));
    QCOMPARE(find<NumberSpin>(*form, "MUS:Side")->value(), 1);
    QCOMPARE(find<NumberSpin>(*form, "MUS:TrackNumber")->value(), 1);
    QCOMPARE(find<QLabel>(*form, "sideAndTrack")->text(), QString("1-  1"));
    QVERIFY(form->findChild<QPushButton *>("withAlbum")->isVisibleTo(form.get()));
    // The song is in the file from the start, numbered.
    QVERIFY(cat.song(1));
}

void TestSongForm::trackNumberFollowsTheLastOfAlbumAndSide()
{
    ScriptedInteraction person;
    Catalogue cat;
    cat.addSong(1, "A", "One", 7, 1, 4);
    cat.addSong(2, "A", "Two", 7, 1, 9);
    cat.addSong(3, "A", "Three", 7, 2, 30);
    cat.addSong(4, "B", "Loose", 0, 1, 12);
    cat.addSong(5, "C", "Last", 8, 1, 255);
    QCOMPARE(nextTrackNumber(cat.files, 7, 1), 10);
    QCOMPARE(nextTrackNumber(cat.files, 7, 2), 31);
    QCOMPARE(nextTrackNumber(cat.files, 7, 3), 1);
    QCOMPARE(nextTrackNumber(cat.files, 0, 1), 13); // after the other songs without album
    QCOMPARE(nextTrackNumber(cat.files, 8, 1), 0);  // a byte: 255 is followed by 0
}

void TestSongForm::cancelledInsertLeavesNoRecord()
{
    ScriptedInteraction person;
    Catalogue cat;
    {
        auto form = open(cat, Request::Insert);
        QVERIFY(cat.song(1));
        type(find<QLineEdit>(*form, "MUS:Title"), "Gone");
        QTest::mouseClick(form->cancelButton(), Qt::LeftButton);
        QCOMPARE(form->session().response(), Response::Cancelled);
    }
    QCOMPARE(cat.songs->records(), 0);
    auto form = open(cat, Request::Insert);
    type(find<QLineEdit>(*form, "MUS:Title"), "Kept");
    pressOk(*form);
    QCOMPARE(cat.songs->records(), 1);
    QCOMPARE(cat.field(1, "Title").toString(), QString("Kept")); // the identifier is used again
}

void TestSongForm::addModeAsksOnlyForABlankSong_data()
{
    QTest::addColumn<QString>("addMode");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("asked");
    QTest::newRow("A, blank song") << "A" << "" << true;
    QTest::newRow("A, with a title") << "A" << "Waterloo" << false;
    QTest::newRow("normal") << "N" << "" << false;
    QTest::newRow("compilation") << "C" << "" << false; // goes on with the form until the wizards exist
}

void TestSongForm::addModeAsksOnlyForABlankSong()
{
    QFETCH(QString, addMode);
    QFETCH(QString, title);
    QFETCH(bool, asked);
    ScriptedInteraction person;
    Catalogue cat;
    settings().addMode = addMode;
    cat.songs->buffer().clear();
    cat.songs->buffer().set("Title", title);
    bool shown = false;
    QTimer::singleShot(0, [&] {
        if (auto *ask = qobject_cast<SelectAddMode *>(QApplication::activeModalWidget())) {
            shown = true;
            QCOMPARE(ask->windowTitle(), QString("Select Add Mode"));
            QVERIFY(ask->mode("Compilation")->isChecked());
            ask->mode("Normal")->setChecked(true);
            QTest::mouseClick(ask->findChild<QPushButton *>("ok"), Qt::LeftButton);
        }
    });
    auto form = open(cat, Request::Insert);
    QCoreApplication::processEvents();
    QVERIFY(form);
    QCOMPARE(shown, asked);
    QCOMPARE(find<QLineEdit>(*form, "MUS:Title")->text(), title);
}

void TestSongForm::insertFromAnAlbumForm_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("artistEnabled");
    QTest::newRow("album form") << 1 << true;
    QTest::newRow("single-artist album") << 2 << false;
    QTest::newRow("compilation") << 3 << true;
}

void TestSongForm::insertFromAnAlbumForm()
{
    QFETCH(int, mode);
    QFETCH(bool, artistEnabled);
    ScriptedInteraction person;
    Catalogue cat;
    cat.addAlbum(5, "Various", "Summer Hits");
    cat.addSong(1, "ABBA", "Waterloo", 5, 2, 3);
    currentAlbum() = cat.albums->buffer();
    globals().songEntryMode = mode;
    globals().side = 2;
    auto form = open(cat, Request::Insert);
    QCOMPARE(find<QLineEdit>(*form, "MUS:Artist")->isEnabled(), artistEnabled);
    QVERIFY(!find<QLineEdit>(*form, "MUS:Album")->isEnabled());
    QVERIFY(!find<QComboBox>(*form, "MUS:Media")->isEnabled());
    QVERIFY(!form->findChild<QPushButton *>("withAlbum")->isVisibleTo(form.get()));
    type(find<QLineEdit>(*form, "MUS:Title"), "Chiquitita");
    pressOk(*form);
    QVERIFY(person.shown.isEmpty());
    QVERIFY(cat.song(2));
    const Record &song = cat.songs->buffer();
    QCOMPARE(song.get("Artist").toString(), QString("Various"));
    QCOMPARE(song.get("Album").toString(), QString("Summer Hits"));
    QCOMPARE(song.get("Notes").toString(), QString("Gatefold sleeve"));
    QCOMPARE(song.get("FileNumber").toString(), QString("LP-5"));
    QCOMPARE(song.get("ReleaseDate").toInt(), 1979);
    QCOMPARE(song.get("CategoryID").toInt(), 3);
    QCOMPARE(song.get("Media").toString(), QString("Vinyl"));
    QCOMPARE(song.get("AlbumID").toInt(), 5);
    QCOMPARE(song.get("Side").toInt(), 2);
    QCOMPARE(song.get("TrackNumber").toInt(), 4);
}

void TestSongForm::copyKeepsEverythingButTheIdentifier()
{
    ScriptedInteraction person;
    Catalogue cat;
    cat.addSong(1, "ABBA", "Waterloo", 0, 1, 6);
    QVERIFY(cat.song(1));
    cat.songs->buffer().set("Notes", "Eurovision 1974");
    QCOMPARE(cat.songs->put(), int(NoError));
    auto form = open(cat, Request::Copy);
    QCOMPARE(form->windowTitle(), QString("Adding Information"));
    QCOMPARE(find<QLineEdit>(*form, "MUS:Title")->text(), QString("Waterloo"));
    QCOMPARE(find<QPlainTextEdit>(*form, "MUS:Notes")->toPlainText(), QString("Eurovision 1974"));
    pressOk(*form);
    QCOMPARE(cat.songs->records(), 2);
    QCOMPARE(cat.field(2, "Title").toString(), QString("Waterloo"));
    QCOMPARE(cat.field(2, "TrackNumber").toInt(), 6);
    QCOMPARE(cat.field(2, "Notes").toString(), QString("Eurovision 1974"));
}

void TestSongForm::swapButtons()
{
    ScriptedInteraction person;
    Catalogue cat;
    auto form = open(cat, Request::Insert);
    auto *artist = find<QLineEdit>(*form, "MUS:Artist");
    auto *title = find<QLineEdit>(*form, "MUS:Title");
    type(artist, "Madonna");
    type(title, "Vogue");
    QPushButton *swapOrder = nullptr, *swapTitle = nullptr;
    for (QPushButton *b : form->findChildren<QPushButton *>()) {
        if (b->toolTip() == "Swap order of artist name")
            swapOrder = b;
        if (b->toolTip() == "Swap artist and title")
            swapTitle = b;
    }
    QVERIFY(swapOrder && swapTitle);
    QTest::mouseClick(swapOrder, Qt::LeftButton);
    QCOMPARE(artist->text(), QString(", Madonna"));
    QTest::mouseClick(swapTitle, Qt::LeftButton);
    QCOMPARE(artist->text(), QString("Vogue"));
    QCOMPARE(title->text(), QString(", Madonna"));
    pressOk(*form);
    QCOMPARE(cat.field(1, "Artist").toString(), QString("Vogue"));
}

void TestSongForm::mediaMustExist()
{
    ScriptedInteraction person;
    Catalogue cat;
    auto form = open(cat, Request::Insert);
    auto *media = find<QComboBox>(*form, "MUS:Media");
    QCOMPARE(media->itemText(0), QString("Cassette")); // sorted by name
    media->setCurrentText("Floppy");
    pressOk(*form);
    QCOMPARE(person.shown.size(), 1);
    QCOMPARE(person.shown.first().title, QString("Field Contents Error"));
    QVERIFY(person.shown.first().text.contains("Media"));
    QVERIFY(form->isVisible());
    media->setCurrentText("vinyl");
    pressOk(*form);
    QCOMPARE(form->session().response(), Response::Completed);
    QCOMPARE(cat.field(1, "Media").toString(), QString("Vinyl")); // as the media file spells it
}

void TestSongForm::newCategoryIsAddedOnYes()
{
    ScriptedInteraction person;
    Catalogue cat;
    auto form = open(cat, Request::Insert);
    auto *category = find<QComboBox>(*form, "category");
    QCOMPARE(category->count(), 3);
    QCOMPARE(category->itemText(0), QString("Jazz"));
    category->setCurrentText("Reggae");
    person.answer({No});
    pressOk(*form);
    QCOMPARE(person.shown.size(), 1);
    QCOMPARE(person.shown.first().title, QString("Category not found"));
    QCOMPARE(person.shown.first().text, QString("Add new category?"));
    QVERIFY(form->isVisible());
    // Added as the field is left: the media chosen before stays.
    auto *media = find<QComboBox>(*form, "MUS:Media");
    media->setCurrentText("Vinyl");
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    category->setFocus();
    category->lineEdit()->clear();
    QTest::keyClicks(category->lineEdit(), "Reggae");
    person.answer({Yes});
    find<QLineEdit>(*form, "MUS:Title")->setFocus();
    QCOMPARE(person.shown.size(), 2);
    QCOMPARE(media->currentText(), QString("Vinyl"));
    pressOk(*form);
    QCOMPARE(form->session().response(), Response::Completed);
    QCOMPARE(cat.field(1, "CategoryID").toInt(), 4);
    QCOMPARE(cat.field(1, "Media").toString(), QString("Vinyl"));
    DataFile &categories = cat.files.file(FileId::Categories);
    categories.buffer().clear();
    categories.buffer().set("CategoryID", 4);
    QCOMPARE(categories.get(categories.def().keyIndex("KeyCategoryID")), int(NoError));
    QCOMPARE(categories.buffer().get("Category").toString(), QString("Reggae"));
}

void TestSongForm::autoAddToAlbumsCreatesOneAlbum()
{
    ScriptedInteraction person;
    Catalogue cat;
    cat.addAlbum(3, "Queen", "Jazz");
    settings().autoAddToAlbums = QStringLiteral("1");
    auto form = open(cat, Request::Insert);
    type(find<QLineEdit>(*form, "MUS:Artist"), "ABBA");
    type(find<QLineEdit>(*form, "MUS:Album"), "Arrival");
    find<NumberSpin>(*form, "MUS:Rating")->setValue(11);
    pressOk(*form); // refused by the rating, after the album was made
    QCOMPARE(person.shown.size(), 1);
    find<NumberSpin>(*form, "MUS:Rating")->setValue(8);
    pressOk(*form);
    QCOMPARE(form->session().response(), Response::Completed);
    QCOMPARE(cat.albums->records(), 2);
    QCOMPARE(cat.field(1, "AlbumID").toInt(), 4);
    cat.albums->buffer().clear();
    cat.albums->buffer().set("AlbumID", 4);
    QCOMPARE(cat.albums->get(cat.albums->def().keyIndex("KeyAlbumID")), int(NoError));
    QCOMPARE(cat.albums->buffer().get("Album").toString(), QString("Arrival"));
    QCOMPARE(cat.albums->buffer().get("Artist").toString(), QString("ABBA"));
    QCOMPARE(cat.albums->buffer().get("Media").toString(), QString("CD"));
}

void TestSongForm::autoAddToAlbumsLinksAnExistingAlbum()
{
    ScriptedInteraction person;
    Catalogue cat;
    cat.addAlbum(3, "Queen", "Jazz");
    settings().autoAddToAlbums = QStringLiteral("1");
    auto form = open(cat, Request::Insert);
    type(find<QLineEdit>(*form, "MUS:Artist"), "queen");
    type(find<QLineEdit>(*form, "MUS:Album"), "JAZZ");
    pressOk(*form);
    QCOMPARE(cat.albums->records(), 1);
    QCOMPARE(cat.field(1, "AlbumID").toInt(), 3);
}

void TestSongForm::defaultWithAlbumOnAChange()
{
    ScriptedInteraction person;
    Catalogue cat;
    cat.addAlbum(5, "ABBA", "Arrival");
    cat.addSong(1, "", "Dancing Queen", 0, 1, 2);
    QVERIFY(cat.song(1));
    cat.songs->buffer().set("FileNumber", "MY-1");
    cat.songs->buffer().set("Album", "Singles");
    QCOMPARE(cat.songs->put(), int(NoError));
    globals().side = 2;
    QVERIFY(cat.song(1));
    auto form = open(cat, Request::Change);
    QCOMPARE(form->windowTitle(), QString("Changing Information"));
    form->move(150, 120);
    bool selected = false;
    QPoint centreOffset;
    QTimer::singleShot(0, [&] {
        auto *list = qobject_cast<SelectAlbum *>(QApplication::activeModalWidget());
        QVERIFY(list);
        QCOMPARE(list->windowTitle(), QString("Select Album - 1 entries"));
        // The lookup opens centred over the form that called it.
        centreOffset = list->frameGeometry().center() - form->frameGeometry().center();
        QTest::mouseClick(list->button("select"), Qt::LeftButton);
        selected = true;
    });
    QTest::mouseClick(form->findChild<QPushButton *>("withAlbum"), Qt::LeftButton);
    QVERIFY(selected);
    // (Across, the screen's edge may hold a wide lookup back by a few pixels.)
    QVERIFY2(std::abs(centreOffset.x()) <= 40 && std::abs(centreOffset.y()) <= 4,
             qPrintable(QString("%1,%2").arg(centreOffset.x()).arg(centreOffset.y())));
    QCOMPARE(find<QLineEdit>(*form, "MUS:Artist")->text(), QString("ABBA")); // was blank
    QCOMPARE(find<QLineEdit>(*form, "MUS:FileNumber")->text(), QString("MY-1")); // kept
    QCOMPARE(find<QLineEdit>(*form, "MUS:Album")->text(), QString("Arrival")); // always replaced
    QCOMPARE(find<QComboBox>(*form, "MUS:Media")->currentText(), QString("Vinyl"));
    QCOMPARE(find<QComboBox>(*form, "category")->currentText(), QString("Pop")); // was 0
    pressOk(*form);
    QCOMPARE(cat.field(1, "AlbumID").toInt(), 5);
    QCOMPARE(cat.field(1, "Side").toInt(), 2);
    QCOMPARE(cat.field(1, "Notes").toString(), QString("Gatefold sleeve"));
}

void TestSongForm::unchangedChangeWritesNothing()
{
    ScriptedInteraction person;
    Catalogue cat;
    cat.addSong(1, "ABBA", "Waterloo");
    QVERIFY(cat.song(1));
    const QByteArray before = cat.songs->position();
    {
        auto form = open(cat, Request::Change);
        pressOk(*form);
        QCOMPARE(form->session().response(), Response::Completed);
    }
    QVERIFY(cat.song(1));
    QCOMPARE(cat.songs->buffer().version, qint64(1));
    // A memo alone is a change.
    auto form = open(cat, Request::Change);
    find<QPlainTextEdit>(*form, "MUS:PerformanceNotes")->setPlainText("Live at Wembley");
    pressOk(*form);
    QVERIFY(cat.song(1));
    QCOMPARE(cat.songs->buffer().get("PerformanceNotes").toString(), QString("Live at Wembley"));
    QCOMPARE(cat.songs->buffer().version, qint64(2));
}

void TestSongForm::lastFormButton()
{
    ScriptedInteraction person;
    Catalogue cat;
    {
        auto form = open(cat, Request::Insert);
        pressOk(*form);
        QCOMPARE(globals().lastFormButton, QString("OK"));
    }
    {
        auto form = open(cat, Request::Insert);
        QTest::mouseClick(form->cancelButton(), Qt::LeftButton);
        QCOMPARE(globals().lastFormButton, QString("Cancel"));
    }
    globals().lastFormButton = "OK";
    auto form = open(cat, Request::Insert);
    QTest::keyClick(form.get(), Qt::Key_Escape);
    QVERIFY(!form->isVisible());
    QCOMPARE(globals().lastFormButton, QString("OK")); // Esc leaves it as it was
    QCOMPARE(cat.songs->records(), 1);
}

void TestSongForm::associatedFile()
{
    ScriptedInteraction person;
    Catalogue cat;
    auto form = open(cat, Request::Insert);
    auto *play = form->findChild<QPushButton *>("playFile");
    QVERIFY(!play->isEnabled());
    QVERIFY(!form->findChild<QPushButton *>("openFile")->isEnabled());
    person.paths << "/music/waterloo.mp3";
    QTest::mouseClick(form->findChild<QPushButton *>("browseFile"), Qt::LeftButton);
    QCOMPARE(person.dialogs.size(), 1);
    QCOMPARE(person.dialogs.first().first(), QString("Select WAV File"));
    QVERIFY(person.dialogs.first().last().contains("*.WAV"));
    QVERIFY(person.dialogs.first().last().contains("*.mp3"));
    QCOMPARE(find<QLineEdit>(*form, "MUS:AssociatedWAVFile")->text(), QString("/music/waterloo.mp3"));
    QVERIFY(play->isEnabled());
    QTest::mouseClick(play, Qt::LeftButton);
    QCOMPARE(person.played, QStringList{"/music/waterloo.mp3"});
    QVERIFY(person.shown.isEmpty());
    person.soundsPlay = false;
    QTest::mouseClick(play, Qt::LeftButton);
    QCOMPARE(person.shown.size(), 1);
    QCOMPARE(person.shown.first().title, QString("Error"));
    QCOMPARE(person.shown.first().text, QString("Could not play /music/waterloo.mp3."));
    QTest::mouseClick(form->findChild<QPushButton *>("openFile"), Qt::LeftButton);
    QCOMPARE(person.documents, QStringList{"/music/waterloo.mp3"});
    // A path longer than the field is refused rather than cut.
    person.paths << "/" + QString(200, 'x') + ".wav";
    QTest::mouseClick(form->findChild<QPushButton *>("browseFile"), Qt::LeftButton);
    QCOMPARE(find<QLineEdit>(*form, "MUS:AssociatedWAVFile")->text(), QString("/music/waterloo.mp3"));
    pressOk(*form);
    QCOMPARE(cat.field(1, "AssociatedWAVFile").toString(), QString("/music/waterloo.mp3"));
}

void TestSongForm::relabelledPromptAndArtistDefault()
{
    ScriptedInteraction person;
    Catalogue cat;
    settings().udkPrompt = QStringLiteral("Label   ");
    auto form = open(cat, Request::Insert);
    QLabel *prompt = nullptr;
    for (QLabel *label : form->findChildren<QLabel *>())
        if (label->buddy() == form->control("MUS:UserDefinedKeyField"))
            prompt = label;
    QVERIFY(prompt);
    QCOMPARE(prompt->text(), QString("Label:"));
    type(find<QLineEdit>(*form, "MUS:Artist"), "Björk");
    find<QComboBox>(*form, "category")->setCurrentText("Jazz");
    pressOk(*form);
    DataFile &artists = cat.files.use(FileId::Artists);
    artists.buffer().clear();
    artists.buffer().set("Artist", "BJÖRK");
    QCOMPARE(artists.get(artists.def().keyIndex("K_ARTIST")), int(NoError));
    QCOMPARE(artists.buffer().get("CategoryID").toInt(), 2);
    cat.files.release(FileId::Artists);
}

void TestSongForm::duplicateIdentifierIsNamed()
{
    ScriptedInteraction person;
    Catalogue cat;
    cat.addSong(2, "ABBA", "Waterloo");
    auto form = open(cat, Request::Insert);
    QCOMPARE(cat.songs->buffer().get("ID").toInt(), 3);
    cat.songs->buffer().set("ID", 2); // another station's number
    pressOk(*form);
    QCOMPARE(person.shown.size(), 1);
    QCOMPARE(person.shown.first().title, QString("Duplicate Key Error"));
    QVERIFY2(person.shown.first().text.contains("Unique Song ID"), qPrintable(person.shown.first().text));
    QVERIFY(form->isVisible());
}

void TestSongForm::pageControlsGrowWithTheWindow()
{
    ScriptedInteraction person;
    Catalogue cat;
    auto form = open(cat, Request::Insert);
    auto *artist = find<QLineEdit>(*form, "MUS:Artist");
    const QRect before = artist->geometry();
    form->resize(form->width() * 3 / 2, form->height() * 3 / 2);
    QCoreApplication::processEvents();
    QVERIFY(artist->width() > before.width() * 4 / 3);
    QCOMPARE(artist->height(), before.height()); // entries keep their height
}

QTEST_MAIN(TestSongForm)
#include "tst_song_form.moc"
