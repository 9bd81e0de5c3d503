// The add wizard as a person uses it: opened from the frame's hot keys, the
// album explorer and the song form's add mode; tracks read from the virtual
// drive or typed in the track form, moved, edited one after another; OK's
// album and songs in the files, and the scratch rows it leaves (or not).
#include "addwizardwindow.h"
#include "cataloguefill.h"
#include "cdaudio.h"
#include "datafile.h"
#include "eventlog.h"
#include "explorerlists.h"
#include "fileset.h"
#include "formsession.h"
#include "globals.h"
#include "heldfile.h"
#include "mainframe.h"
#include "profile.h"
#include "runningorder.h"
#include "scriptedinteraction.h"
#include "selectaddmode.h"
#include "settings.h"
#include "songform.h"
#include "trackform.h"
#include "virtualdrive.h"
#include "windows.h"
#include "virtualdisc.h"
#include "windowsteps.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace crx;
using namespace crx::test;

namespace {

QByteArray discOf(int tracks)
{
    QByteArray toc;
    for (int t = 0; t < tracks; ++t)
        toc += "TRACK " + QByteArray::number(t + 1) + ' ' + QByteArray::number(150 + t * 15000) + '\n';
    return toc + "LEADOUT " + QByteArray::number(150 + tracks * 15000) + '\n';
}

struct Catalogue : VirtualDiscCatalogue {
    Catalogue()
    {
        settings().autoAddToAlbums = QStringLiteral("1");
        addMediaFormats(files, {"CD", "Vinyl"});
        addCategories(files, {{1, "Pop"}});
        songs = &files.use(FileId::Cantorix);
        albums = &files.use(FileId::Album);
        rows = &files.use(FileId::AddWizard);
    }
    ~Catalogue()
    {
        files.release(FileId::AddWizard);
        files.release(FileId::Album);
        files.release(FileId::Cantorix);
    }
    void insert(int tracks) { insertDisc(discOf(tracks)); }
    // "id artist/album" of every album.
    QStringList albumList()
    {
        QStringList out;
        albums->setToStart(-1);
        while (albums->next() == NoError)
            out << QStringLiteral("%1 %2/%3")
                       .arg(albums->buffer().get("AlbumID").toInt())
                       .arg(albums->buffer().get("Artist").toString(), albums->buffer().get("Album").toString());
        return out;
    }
    // "album track artist/title time info1" of every song, in the order added.
    QStringList songList()
    {
        QStringList out;
        songs->setToStart(-1);
        while (songs->next() == NoError) {
            const Record &s = songs->buffer();
            out << QStringLiteral("%1 %2 %3/%4 %5 %6")
                       .arg(s.get("AlbumID").toInt())
                       .arg(s.get("TrackNumber").toInt())
                       .arg(s.get("Artist").toString(), s.get("Title").toString())
                       .arg(s.get("Time").toInt())
                       .arg(s.get("AdditionalInformation1").toString());
        }
        return out;
    }
    qint64 scratchRows() { return rows->records(); }

    ScriptedInteraction person;
    DataFile *songs, *albums, *rows;
};


AddWizardWindow *openedWizard(MainFrame &frame)
{
    const QList<QMdiSubWindow *> children = frame.workspace()->subWindowList(QMdiArea::CreationOrder);
    for (auto it = children.rbegin(); it != children.rend(); ++it)
        if (auto *w = qobject_cast<AddWizardWindow *>((*it)->widget()))
            return w;
    return nullptr;
}

void press(QWidget &window, const char *button)
{
    auto *b = window.findChild<QPushButton *>(button);
    QVERIFY2(b, button);
    QTest::mouseClick(b, Qt::LeftButton);
}

QStringList rowTexts(AddWizardWindow &wizard)
{
    QStringList out;
    QTreeWidget *list = wizard.rowList();
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QStringList cells;
        for (int c = 0; c < list->columnCount(); ++c)
            cells << list->topLevelItem(i)->text(c).trimmed();
        out << cells.join('|');
    }
    return out;
}

// A track form step: types the title (and artist) and presses Ok, or presses Cancel.
std::function<void(QWidget *)> trackForm(const QString &title, const QString &artist = {}, bool ok = true)
{
    return [=](QWidget *modal) {
        auto *form = qobject_cast<TrackForm *>(modal);
        QVERIFY(form);
        if (!ok) {
            QTest::mouseClick(form->cancelButton(), Qt::LeftButton);
            return;
        }
        typeInto(*form, "AW:Title", title);
        if (!artist.isEmpty())
            typeInto(*form, "AW:Artist", artist);
        QTest::mouseClick(form->okButton(), Qt::LeftButton);
    };
}

} // namespace

class TestAddWizard : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        registerCatalogueWindows();
        registerDiscWindows();
    }
    void init() { formRequest() = Request::None; }

    void passedOver_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QList<int>>("passed");
        QTest::newRow("first up") << 1 << int(Move::UpOne) << QList<int>{};
        QTest::newRow("last down") << 4 << int(Move::DownOne) << QList<int>{};
        QTest::newRow("up one") << 3 << int(Move::UpOne) << QList<int>{1};
        QTest::newRow("to the top") << 3 << int(Move::ToTop) << QList<int>{1, 0};
        QTest::newRow("to the bottom") << 2 << int(Move::ToBottom) << QList<int>{2, 3};
        QTest::newRow("no such entry") << 7 << int(Move::ToTop) << QList<int>{};
    }
    void passedOver()
    {
        QFETCH(int, number);
        QFETCH(int, mode);
        const std::vector<size_t> passed = crx::passedOver({1, 2, 3, 4}, number, Move(mode));
        const QList<int> found(passed.begin(), passed.end());
        QTEST(found, "passed");
    }

    void instancesAreNeverShared()
    {
        QTemporaryDir dir;
        auto first = std::make_unique<WizardInstance>(dir.path());
        WizardInstance second(dir.path());
        QCOMPARE(first->number(), qint64(1));
        QCOMPARE(second.number(), qint64(2));
        first.reset();
        WizardInstance again(dir.path());
        QCOMPARE(again.number(), qint64(1)); // a wizard after a cancelled one finds its rows
    }

    // F6, the disc read into twelve rows, OK: one album and its twelve songs.
    void aTwelveTrackAlbumFromTheDisc()
    {
        Catalogue cat;
        cat.insert(12);
        MainFrame frame(cat.files);
        frame.show();
        frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        QTest::keyClick(&frame, Qt::Key_F6);
        AddWizardWindow *wizard = openedWizard(frame);
        QVERIFY(wizard);
        QCOMPARE(wizard->windowTitle(), QStringLiteral("Add Album by Single Artist"));
        QVERIFY(wizard->size().width() >= 730 * 0.9);
        QCOMPARE(qobject_cast<QComboBox *>(wizard->control("MUS:Media"))->currentText(), QStringLiteral("CD"));
        QVERIFY(qobject_cast<QCheckBox *>(wizard->control("addToAlbums"))->isChecked());
        typeInto(*wizard, "MUS:Artist", "ABBA");
        typeInto(*wizard, "MUS:Album", "Gold");
        typeInto(*wizard, "MUS:FileNumber", "CD-12");
        qobject_cast<QComboBox *>(wizard->control("category"))->setCurrentText("Pop");
        // Alt+R from the artist field is the wizard's, not the frame's Reports menu.
        wizard->control("MUS:Artist")->setFocus();
        QTest::keyClick(wizard->control("MUS:Artist"), Qt::Key_R, Qt::AltModifier);
        QTRY_COMPARE(wizard->rowList()->topLevelItemCount(), 12);
        QCOMPARE(rowTexts(*wizard).first(), QStringLiteral("1|Track 1|03:20"));
        QCOMPARE(cat.songList(), QStringList{"0 1 / 0 "}); // only the carrier so far, as it was added
        press(*wizard, "ok");
        QVERIFY(cat.person.shown.isEmpty());
        QCOMPARE(cat.albumList(), QStringList{"1 ABBA/Gold"});
        const QStringList songs = cat.songList();
        QCOMPARE(songs.size(), 12); // the carrier is gone
        QCOMPARE(songs.first(), QStringLiteral("1 1 ABBA/Track 1 20002 03:20"));
        QCOMPARE(songs.last(), QStringLiteral("1 12 ABBA/Track 12 19902 03:19"));
        QCOMPARE(cat.scratchRows(), qint64(0));
        cat.albums->setToStart(-1);
        QCOMPARE(cat.albums->next(), int(NoError));
        QCOMPARE(cat.albums->buffer().get("CDIdentifier").toString().left(2), QStringLiteral("12"));
        QCOMPARE(cat.albums->buffer().get("FileNumber").toString(), QStringLiteral("CD-12"));
        QCOMPARE(cat.albums->buffer().get("CategoryID").toInt(), 1);
        QCOMPARE(settings().autoAddToAlbums, QStringLiteral("1")); // from the setting again
    }

    // A second read only renews the times; a track added by hand follows the disc's last.
    void aSecondReadAndAHandAddedTrack()
    {
        Catalogue cat;
        cat.insert(3);
        AddSingleArtist wizard(cat.files);
        QVERIFY(wizard.prepare());
        wizard.show();
        press(wizard, "readCd");
        onModals({trackForm("Waterloo")});
        wizard.rowList()->setCurrentItem(wizard.rowList()->topLevelItem(1));
        press(wizard, "changeTrack");
        cat.insert(3);
        press(wizard, "readCd");
        QCOMPARE(rowTexts(wizard), (QStringList{"1|Track 1|03:20", "2|Waterloo|03:20", "3|Track 3|03:19"}));
        onModals({trackForm("Bonus")});
        press(wizard, "addTrack");
        QCOMPARE(rowTexts(wizard).last(), QStringLiteral("4|Bonus|"));
        QCOMPARE(wizard.rowList()->currentItem()->text(1), QStringLiteral("Bonus"));
        // A track form left with Cancel adds nothing.
        onModals({trackForm({}, {}, false)});
        press(wizard, "addTrack");
        QCOMPARE(wizard.rowList()->topLevelItemCount(), 4);
        QCOMPARE(cat.scratchRows(), qint64(4));
    }

    void moves_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("titles");
        const QStringList unchanged{"A", "B", "C", "D"};
        QTest::newRow("first up") << 0 << "moveUp" << unchanged;
        QTest::newRow("first to the top") << 0 << "moveTop" << unchanged;
        QTest::newRow("last down") << 3 << "moveDown" << unchanged;
        QTest::newRow("up one") << 2 << "moveUp" << QStringList{"A", "C", "B", "D"};
        QTest::newRow("to the top") << 2 << "moveTop" << QStringList{"C", "A", "B", "D"};
        QTest::newRow("down one") << 1 << "moveDown" << QStringList{"A", "C", "B", "D"};
        QTest::newRow("to the bottom") << 0 << "moveBottom" << QStringList{"B", "C", "D", "A"};
    }
    void moves()
    {
        QFETCH(int, row);
        QFETCH(QString, button);
        Catalogue cat;
        AddSingleArtist wizard(cat.files);
        QVERIFY(wizard.prepare());
        wizard.show();
        for (const char *title : {"A", "B", "C", "D"}) {
            onModals({trackForm(QString::fromLatin1(title))});
            press(wizard, "addTrack");
        }
        wizard.rowList()->setCurrentItem(wizard.rowList()->topLevelItem(row));
        const QString moved = wizard.rowList()->currentItem()->text(1);
        press(wizard, button.toLatin1().constData());
        QStringList titles, numbers;
        for (const QString &r : rowTexts(wizard)) {
            numbers << r.section('|', 0, 0);
            titles << r.section('|', 1, 1);
        }
        QTEST(titles, "titles");
        QCOMPARE(numbers, (QStringList{"1", "2", "3", "4"}));
        QCOMPARE(wizard.rowList()->currentItem()->text(1), moved); // the moved row stays highlighted
        QVERIFY(cat.person.shown.isEmpty());
    }

    // Another program holds the scratch file: the move is refused as a whole, with its message.
    void aMoveThatCannotBeWrittenChangesNothing()
    {
        Catalogue cat;
        AddSingleArtist wizard(cat.files);
        QVERIFY(wizard.prepare());
        wizard.show();
        for (const char *title : {"A", "B"}) {
            onModals({trackForm(QString::fromLatin1(title))});
            press(wizard, "addTrack");
        }
        {
            const HeldFile held(cat.dir.filePath("CRXAdWiz.tps"));
            QVERIFY(held.held());
            wizard.rowList()->setCurrentItem(wizard.rowList()->topLevelItem(0));
            press(wizard, "moveDown");
        }
        // The list cannot be read again while the file is held either; it keeps what it showed.
        QCOMPARE(cat.person.shown.size(), 2);
        QCOMPARE(cat.person.shown[1].title, QStringLiteral("Unexpected Error"));
        QCOMPARE(cat.person.shown[0].title, QStringLiteral("Error!"));
        QVERIFY2(cat.person.shown[0].text.startsWith("Record swap error: "), qPrintable(cat.person.shown[0].text));
        QVERIFY2(cat.person.shown[0].text.contains(
                     "|AddWizard, AW:KeyInstance|Key Field AW:Instance = 1|Key Field AW:Side = 1|Key Field AW:Track = "),
                 qPrintable(cat.person.shown[0].text));
        QCOMPARE(rowTexts(wizard), (QStringList{"1|A|", "2|B|"}));
    }

    // Another program holds the song file at OK: nothing lands, every row stays for another try.
    void anOkThatCannotBeWrittenKeepsTheRows()
    {
        Catalogue cat;
        AddSingleArtist wizard(cat.files);
        QVERIFY(wizard.prepare());
        wizard.show();
        typeInto(wizard, "MUS:Artist", "ABBA");
        typeInto(wizard, "MUS:Album", "Gold");
        onModals({trackForm("Waterloo")});
        press(wizard, "addTrack");
        {
            const HeldFile held(cat.dir.filePath("crxdata.tps"));
            QVERIFY(held.held());
            press(wizard, "ok");
        }
        QCOMPARE(cat.person.shown.size(), 1);
        QCOMPARE(cat.person.shown[0].title, QStringLiteral("Transaction Framing Error"));
        QVERIFY(wizard.isVisible());
        QCOMPARE(cat.albumList(), QStringList());
        QCOMPARE(cat.scratchRows(), qint64(1));
        press(wizard, "ok");
        QCOMPARE(cat.albumList(), QStringList{"1 ABBA/Gold"});
        QCOMPARE(cat.songList(), QStringList{"1 1 ABBA/Waterloo 0 "});
        QCOMPARE(cat.scratchRows(), qint64(0));
    }

    // The same album three times: stored, then as "Gold (Copy)", then the duplicate warning.
    void aDuplicateAlbum()
    {
        Catalogue cat;
        for (int round = 0; round < 3; ++round) {
            AddSingleArtist wizard(cat.files);
            QVERIFY(wizard.prepare());
            typeInto(wizard, "MUS:Artist", "ABBA");
            typeInto(wizard, "MUS:Album", "Gold");
            onModals({trackForm(QStringLiteral("Song %1").arg(round))});
            press(wizard, "addTrack");
            press(wizard, "ok");
        }
        QCOMPARE(cat.albumList(), (QStringList{"1 ABBA/Gold", "2 ABBA/Gold (Copy)"}));
        QCOMPARE(cat.person.shown.size(), 1);
        QCOMPARE(cat.person.shown[0].title, QStringLiteral("Warning"));
        QCOMPARE(cat.person.shown[0].text,
                 QStringLiteral("The artist and album information is a duplicate of information already in the database"));
        // The third album's song is written all the same, with no album.
        QCOMPARE(cat.songList(), (QStringList{"1 1 ABBA/Song 0 0 ", "2 1 ABBA/Song 1 0 ", "0 1 ABBA/Song 2 0 "}));
    }

    void theCheckBoxOff_data()
    {
        QTest::addColumn<bool>("albumThere");
        QTest::newRow("no such album") << false;
        QTest::newRow("the album is there") << true;
    }
    void theCheckBoxOff()
    {
        QFETCH(bool, albumThere);
        Catalogue cat;
        if (albumThere) {
            cat.albums->buffer().clear();
            cat.albums->buffer().set("AlbumID", 7);
            cat.albums->buffer().set("Artist", "ABBA");
            cat.albums->buffer().set("Album", "Gold");
            QCOMPARE(cat.albums->add(), int(NoError));
        }
        AddSingleArtist wizard(cat.files);
        QVERIFY(wizard.prepare());
        typeInto(wizard, "MUS:Artist", "ABBA");
        typeInto(wizard, "MUS:Album", "Gold");
        qobject_cast<QCheckBox *>(wizard.control("addToAlbums"))->setChecked(false);
        QCOMPARE(settings().autoAddToAlbums, QString()); // what the song form goes by meanwhile
        // A blank title and no time.
        onModals({trackForm({})});
        press(wizard, "addTrack");
        press(wizard, "ok");
        QCOMPARE(cat.albumList().size(), albumThere ? 1 : 0);
        QCOMPARE(cat.songList(), QStringList{QStringLiteral("%1 1 ABBA/Track 1 0 ").arg(albumThere ? 7 : 0)});
        QCOMPARE(settings().autoAddToAlbums, QStringLiteral("1"));
    }

    // The compilation: the album by "Various", each song by its track's artist.
    void aCompilation()
    {
        Catalogue cat;
        cat.insert(2);
        AddCompilation wizard(cat.files);
        QVERIFY(wizard.prepare());
        wizard.show();
        QCOMPARE(wizard.windowTitle(), QStringLiteral("Add Compilation"));
        QVERIFY(!wizard.control("MUS:Artist"));
        typeInto(wizard, "MUS:Album", "Hits 1977");
        press(wizard, "readCd");
        QCOMPARE(rowTexts(wizard), (QStringList{"1|Various|Track 1|03:20", "2|Various|Track 2|03:19"}));
        onModals({trackForm("Dancing Queen", "ABBA")});
        wizard.rowList()->setCurrentItem(wizard.rowList()->topLevelItem(0));
        press(wizard, "changeTrack");
        // A media name that is not in the list keeps the person in the field, without a message.
        auto *media = qobject_cast<QComboBox *>(wizard.control("MUS:Media"));
        media->setCurrentText("Wax cylinder");
        press(wizard, "ok");
        QVERIFY(cat.person.shown.isEmpty());
        QVERIFY(wizard.isVisible());
        media->setCurrentText("CD");
        press(wizard, "ok");
        QCOMPARE(cat.albumList(), QStringList{"1 Various/Hits 1977"});
        QCOMPARE(cat.songList(), (QStringList{"1 1 ABBA/Dancing Queen 20001 03:20", "1 2 Various/Track 2 19902 03:19"}));
    }

    // Cancel keeps the rows; the next wizard of the same instance shows them; another wizard
    // open beside it has rows of its own.
    void rowsBelongToTheirInstance()
    {
        Catalogue cat;
        {
            AddSingleArtist wizard(cat.files);
            QVERIFY(wizard.prepare());
            wizard.show();
            onModals({trackForm("Kept")});
            press(wizard, "addTrack");
            press(wizard, "cancel");
        }
        QCOMPARE(cat.songList(), QStringList()); // the carrier went with Cancel
        AddSingleArtist again(cat.files);
        QVERIFY(again.prepare());
        again.show();
        QCOMPARE(rowTexts(again), QStringList{"1|Kept|"});
        AddCompilation beside(cat.files);
        QVERIFY(beside.prepare());
        beside.show();
        QVERIFY(beside.instance() != again.instance());
        QCOMPARE(beside.rowList()->topLevelItemCount(), 0);
        onModals({trackForm("Other", "Someone")});
        press(beside, "addTrack");
        typeInto(again, "MUS:Artist", "ABBA");
        typeInto(again, "MUS:Album", "Gold");
        press(again, "ok");
        QCOMPARE(cat.songList().size(), 2); // Kept, and the carrier of the wizard still open
        QVERIFY(cat.songList().contains("1 1 ABBA/Kept 0 "));
        QCOMPARE(rowTexts(beside), QStringList{"1|Someone|Other|"});
        QCOMPARE(cat.scratchRows(), qint64(1));
    }

    void editAllSongs()
    {
        Catalogue cat;
        cat.insert(2);
        AddSingleArtist wizard(cat.files);
        QVERIFY(wizard.prepare());
        wizard.show();
        press(wizard, "readCd");
        onModals({trackForm("One"), trackForm("Two")});
        press(wizard, "editAllSongs");
        QCOMPARE(rowTexts(wizard), (QStringList{"1|One|03:20", "2|Two|03:19"}));
        QCOMPARE(cat.person.shown.size(), 1);
        QCOMPARE(cat.person.shown[0].title, QStringLiteral("Information"));
        QCOMPARE(cat.person.shown[0].text, QStringLiteral("End of songs on this album."));
        // Cancel on the first form stops, without the message.
        cat.person.shown.clear();
        onModals({trackForm({}, {}, false)});
        press(wizard, "editAllSongs");
        QVERIFY(cat.person.shown.isEmpty());
        QCOMPARE(rowTexts(wizard).first(), QStringLiteral("1|One|03:20"));
    }

    // The track form's captions, and its ditto key from the track saved last.
    void theTrackForm()
    {
        Catalogue cat;
        AddSingleArtist wizard(cat.files);
        QVERIFY(wizard.prepare());
        wizard.show();
        onModals({[](QWidget *modal) {
            QCOMPARE(modal->windowTitle(), QStringLiteral("Track Will Be Added  (New)"));
            trackForm("Mamma Mia")(modal);
        }});
        press(wizard, "addTrack");
        onModals({[](QWidget *modal) {
            auto *title = modal->findChild<QLineEdit *>("AW:Title");
            modal->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(modal));
            title->setFocus();
            QTest::keyClick(title, Qt::Key_QuoteLeft, Qt::ControlModifier);
            QCOMPARE(title->text(), QStringLiteral("Mamma Mia"));
            QTest::mouseClick(qobject_cast<TrackForm *>(modal)->okButton(), Qt::LeftButton);
        }});
        press(wizard, "addTrack");
        onModals({[](QWidget *modal) {
            QCOMPARE(modal->windowTitle(), QStringLiteral("Track Will Be Changed  (2)"));
            QTest::mouseClick(qobject_cast<TrackForm *>(modal)->cancelButton(), Qt::LeftButton);
        }});
        wizard.rowList()->setCurrentItem(wizard.rowList()->topLevelItem(1));
        press(wizard, "changeTrack");
        QCOMPARE(rowTexts(wizard), (QStringList{"1|Mamma Mia|", "2|Mamma Mia|"}));
    }

    // The song form's add mode: "A" asks while the new song is blank, "C" and "S" go straight
    // to a wizard; the song form then does not show itself.
    void theSongFormsAddMode_data()
    {
        QTest::addColumn<QString>("addMode");
        QTest::addColumn<QString>("filled");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("opened");
        QTest::newRow("ask, compilation") << "A" << "" << "Compilation" << "Add Compilation";
        QTest::newRow("ask, single artist") << "Ask" << "" << "Single Artist" << "Add Album by Single Artist";
        QTest::newRow("ask, normal") << "A" << "" << "Normal" << "song form";
        QTest::newRow("ask with a title typed") << "A" << "MUS:Title" << "" << "song form";
        QTest::newRow("ask with a file number") << "A" << "MUS:FileNumber" << "" << "song form";
        QTest::newRow("compilation") << "C" << "MUS:Artist" << "" << "Add Compilation";
        QTest::newRow("single artist") << "s" << "" << "" << "Add Album by Single Artist";
        QTest::newRow("normal") << "1" << "" << "" << "song form";
    }
    void theSongFormsAddMode()
    {
        QFETCH(QString, addMode);
        QFETCH(QString, filled);
        QFETCH(QString, chosen);
        QFETCH(QString, opened);
        Catalogue cat;
        settings().addMode = addMode;
        QList<std::function<void(QWidget *)>> steps;
        if (!chosen.isEmpty())
            steps << [chosen](QWidget *modal) {
                auto *ask = qobject_cast<SelectAddMode *>(modal);
                QVERIFY(ask);
                ask->mode(chosen)->setChecked(true);
                QTest::mouseClick(ask->findChild<QPushButton *>("ok"), Qt::LeftButton);
            };
        QString seen;
        if (opened != QLatin1String("song form"))
            steps << [&seen](QWidget *modal) {
                seen = modal->windowTitle();
                QTest::mouseClick(qobject_cast<FormWindow *>(modal)->cancelButton(), Qt::LeftButton);
            };
        onModals(steps);
        cat.songs->buffer().clear();
        if (!filled.isEmpty())
            cat.songs->buffer().set(filled, "x");
        formRequest() = Request::Insert;
        UpdateSong form(cat.files);
        const bool shown = form.prepare();
        QCOMPARE(shown, opened == QLatin1String("song form"));
        if (!shown)
            QCOMPARE(seen, opened);
    }

    // The album explorer's two buttons, and the CD player's request to read at once.
    void theExplorersButtonsAndTheReadRequest()
    {
        Catalogue cat;
        cat.insert(4);
        globals().readDiscInAddWizard = true;
        XploreAlbums explorer(cat.files);
        QVERIFY(explorer.start());
        explorer.show();
        int rows = -1;
        onModals({[&rows](QWidget *modal) {
            auto *wizard = qobject_cast<AddCompilation *>(modal);
            QVERIFY(wizard);
            QTRY_COMPARE(wizard->rowList()->topLevelItemCount(), 4);
            rows = wizard->rowList()->topLevelItemCount();
            typeInto(*wizard, "MUS:Album", "Read at once");
            QTest::mouseClick(wizard->okButton(), Qt::LeftButton);
        }});
        press(explorer, "compilationWizard");
        QCOMPARE(rows, 4);
        QVERIFY(!globals().readDiscInAddWizard); // one shot
        QCOMPARE(cat.albumList(), QStringList{"1 Various/Read at once"});
        QCOMPARE(explorer.listBox()->topLevelItemCount(), 1);
        onModals({[](QWidget *modal) {
            auto *wizard = qobject_cast<AddSingleArtist *>(modal);
            QVERIFY(wizard);
            QCOMPARE(wizard->rowList()->topLevelItemCount(), 0);
            QTest::mouseClick(wizard->cancelButton(), Qt::LeftButton);
        }});
        press(explorer, "singleArtistWizard");
    }
};

QTEST_MAIN(TestAddWizard)
#include "tst_add_wizard.moc"
