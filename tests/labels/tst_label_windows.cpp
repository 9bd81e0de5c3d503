// The label windows as a person uses them: the label list's Add and Copy
// with the insert priming, the type's elements, the picture size, the fonts
// chosen for the sides, and the favourite fonts with their font dialog.
#include "datafile.h"
#include "fileset.h"
#include "albumlists.h"
#include "labelwindows.h"
#include "mainframe.h"
#include "scriptedinteraction.h"
#include "settings.h"
#include "windowsteps.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace crx;
using namespace crx::test;

namespace {

struct Catalogue {
    Catalogue() : files(dir.path())
    {
        settings() = Settings();
        labels = &files.use(FileId::Labels);
        fonts = &files.use(FileId::Fonts);
    }
    ~Catalogue()
    {
        files.release(FileId::Fonts);
        files.release(FileId::Labels);
    }
    void addFont(qint64 id, const char *face)
    {
        Record &f = fonts->buffer();
        f.clear();
        f.set("FON:FontID", id);
        f.set("FON:TypeFace", face);
        f.set("FON:Size", "12");
        f.set("FON:Colour", "255");
        f.set("FON:Style", "700");
        QCOMPARE(fonts->add(), int(NoError));
    }
    Record label(const QString &description)
    {
        labels->buffer().clear();
        labels->buffer().set("LAB:LabelDescription", description);
        [&] { QCOMPARE(labels->get(labels->def().keyIndex("LAB:KeyLabelDescription")), int(NoError)); }();
        return labels->buffer();
    }

    QTemporaryDir dir;
    FileSet files;
    DataFile *labels, *fonts;
    ScriptedInteraction person;
};

} // namespace

class TestLabelWindows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { registerLabelWindows(); }

    // A new CD label through the frame's "&Labels": primed, then typed, chosen and kept.
    void aNewLabel()
    {
        Catalogue cat;
        cat.addFont(1, "Arial");
        MainFrame frame(cat.files);
        frame.show();
        frame.action("&Browse", "&Labels")->trigger();
        auto *list = qobject_cast<BrowseLabels *>(frame.workspace()->activeSubWindow()->widget());
        QVERIFY(list);
        QCOMPARE(list->windowTitle(), QStringLiteral("Browse Labels"));
        QCOMPARE(list->button("insert")->toolTip(), QStringLiteral("Add a blank label"));
        QVERIFY(!list->button("print")->isEnabled());
        onModals({[&cat](QWidget *modal) {
            auto *form = qobject_cast<UpdateLabels *>(modal);
            QVERIFY(form);
            QCOMPARE(form->windowTitle(), QStringLiteral("Adding a Label"));
            QCOMPARE(form->findChild<QLineEdit *>("LAB:ImagePositionX")->text(), QStringLiteral("3,771"));
            QCOMPARE(form->findChild<QLineEdit *>("LAB:ImagePositionY")->text(), QStringLiteral("8,438"));
            // Cassette at first: its sides, not the CD's covers.
            QVERIFY(form->sheet()->isTabVisible(4));
            QVERIFY(!form->sheet()->isTabVisible(1));
            // Side A's font is side B's too.
            onModals({selectRow("Arial")});
            form->sheet()->setCurrentIndex(4);
            QTest::mouseClick(form->sheet()->widget(4)->findChild<QPushButton *>("LAB:CassetteContentsFontID"),
                              Qt::LeftButton);
            QCOMPARE(form->findChild<QLabel *>("fontOf:LAB:CassetteContentsB")->text(),
                     QStringLiteral("Arial 12  Colour:  255  Style:  700"));
            QCOMPARE(form->findChild<QPlainTextEdit *>("LAB:CassetteContentsB")->font().bold(), true);

            form->findChild<QGroupBox *>("LAB:LabelType")->findChildren<QRadioButton *>()[1]->click();
            QVERIFY(form->sheet()->isTabVisible(1));
            QVERIFY(!form->sheet()->isTabVisible(4));
            QVERIFY2(!form->findChild<QGroupBox *>("imagePosition")->isVisibleTo(form), "no picture yet");
            cat.person.paths.enqueue("/pictures/not there.jpg");
            QTest::mouseClick(form->findChild<QPushButton *>("selectFile"), Qt::LeftButton);
            QVERIFY(form->findChild<QGroupBox *>("imagePosition")->isVisibleTo(form));
            QCOMPARE(cat.person.dialogs.back()[0], QStringLiteral("Choose a File"));
            form->findChild<QGroupBox *>("LAB:ImageSize")->findChildren<QRadioButton *>()[0]->click();
            QVERIFY(!form->findChild<QLineEdit *>("LAB:ImageSizeX")->isVisibleTo(form));
            typeInto(*form, "LAB:LabelDescription", "Gold");
            typeInto(*form, "LAB:CDSpine", "ABBA - Gold");
            QTest::mouseClick(form->okButton(), Qt::LeftButton);
        }});
        QTest::mouseClick(list->button("insert"), Qt::LeftButton);
        const Record label = cat.label("Gold");
        QCOMPARE(label.get("LAB:LabelType").toString(), QStringLiteral("CD"));
        QCOMPARE(label.get("LAB:CDSpine").toString(), QStringLiteral("ABBA - Gold"));
        QCOMPARE(label.get("LAB:CassetteContentsFontID").toLongLong(), qint64(1));
        QCOMPARE(label.get("LAB:ImageName").toString(), QStringLiteral("/pictures/not there.jpg"));
        QCOMPARE(label.get("LAB:ImageSize").toString(), QStringLiteral("Actual"));
        QCOMPARE(label.get("LAB:ImageSizeX").toLongLong(), qint64(0));
        QCOMPARE(label.get("LAB:ImageSizeY").toString(), QStringLiteral("0"));
        QCOMPARE(label.get("LAB:ImagePositionX").toLongLong(), qint64(3771));
        QCOMPARE(columnTexts(*list->listBox(), 0), QStringList{"Gold"});
    }

    // A copied CD label starts as a Cassette with a blank description and a thumbnail picture,
    // keeping everything else of the label copied.
    void aCopiedLabel()
    {
        Catalogue cat;
        Record &l = cat.labels->buffer();
        l.clear();
        l.set("LAB:LabelID", 1);
        l.set("LAB:LabelDescription", "Original");
        l.set("LAB:LabelType", "CD");
        l.set("LAB:CDSpine", "Spine text");
        l.set("LAB:CDSpineFontID", 4);
        l.set("LAB:CDSpineJustification", "Right");
        l.set("LAB:ImageName", "/pictures/a.png");
        l.set("LAB:ImagePositionX", 500);
        l.set("LAB:ImageSize", "Other");
        l.set("LAB:ImageSizeX", 2000);
        l.set("LAB:ImageSizeY", "1500");
        QCOMPARE(cat.labels->add(), int(NoError));
        BrowseLabels list(cat.files);
        QVERIFY(list.start());
        onModals({[](QWidget *modal) {
            auto *form = qobject_cast<UpdateLabels *>(modal);
            QVERIFY(form);
            // A font that no longer exists is the default font.
            QCOMPARE(form->findChild<QLabel *>("fontOf:LAB:CDInsideText")->text(), QStringLiteral("Default Font"));
            typeInto(*form, "LAB:LabelDescription", "Copy");
            QTest::mouseClick(form->okButton(), Qt::LeftButton);
        }});
        QTest::mouseClick(list.button("copy"), Qt::LeftButton);
        const Record copy = cat.label("Copy");
        QCOMPARE(copy.get("LAB:LabelType").toString(), QStringLiteral("Cassette"));
        QCOMPARE(copy.get("LAB:ImageSize").toString(), QStringLiteral("Thumbnail"));
        QCOMPARE(copy.get("LAB:ImageSizeX").toLongLong(), qint64(1000));
        QCOMPARE(copy.get("LAB:ImageSizeY").toString(), QStringLiteral("1000"));
        QCOMPARE(copy.get("LAB:CDSpine").toString(), QStringLiteral("Spine text"));
        QCOMPARE(copy.get("LAB:CDSpineFontID").toLongLong(), qint64(4));
        QCOMPARE(copy.get("LAB:CDSpineJustification").toString(), QStringLiteral("Right"));
        QCOMPARE(copy.get("LAB:ImageName").toString(), QStringLiteral("/pictures/a.png"));
        QCOMPARE(copy.get("LAB:ImagePositionX").toLongLong(), qint64(500));
        QVERIFY(copy.get("LAB:LabelID").toLongLong() != 1);
    }

    // Adding a favourite goes to "Choose Font": cancelling adds nothing, confirming adds it; the
    // same font again is refused and the form stays open.
    void favouriteFonts()
    {
        Catalogue cat;
        SelectFont list(cat.files);
        QVERIFY(list.start());
        QCOMPARE(list.windowTitle(), QStringLiteral("Favorite Fonts"));
        QTest::mouseClick(list.button("insert"), Qt::LeftButton);
        QCOMPARE(cat.person.fontDialogs, QStringList{"Choose Font"});
        QCOMPARE(cat.fonts->records(), qint64(0));

        cat.person.fonts.enqueue({"Courier New", 11, 700, true, false, false, 0});
        QTest::mouseClick(list.button("insert"), Qt::LeftButton);
        QCOMPARE(columnTexts(*list.listBox(), 0), QStringList{"Courier New"});
        QCOMPARE(columnTexts(*list.listBox(), 3), QStringList{"1700"});

        // Changing opens the dialog preloaded with the font as stored.
        cat.person.fonts.enqueue({"Courier New", 12, 700, true, false, false, 0});
        QTest::mouseClick(list.button("change"), Qt::LeftButton);
        const FontChoice shown = cat.person.shownFonts.back();
        QCOMPARE(shown.face, QStringLiteral("Courier New"));
        QCOMPARE(shown.pointSize, 11);
        QVERIFY(shown.italic);
        QCOMPARE(columnTexts(*list.listBox(), 1), QStringList{"12"});

        cat.person.fonts.enqueue({"Courier New", 12, 700, true, false, false, 0});
        bool refused = false;
        onModals({[&refused](QWidget *modal) {
            auto *form = qobject_cast<UpdateFonts *>(modal);
            refused = form != nullptr;
            if (form)
                QTest::mouseClick(form->cancelButton(), Qt::LeftButton);
        }});
        QTest::mouseClick(list.button("insert"), Qt::LeftButton);
        QVERIFY2(refused, "the same favourite twice keeps its form open");
        QCOMPARE(cat.person.shown.back().title, QStringLiteral("Duplicate Key Error"));
        QCOMPARE(cat.fonts->records(), qint64(1));
    }

    // The wizard on an album (as the album lists call it): the label composed at once, the pages
    // of a CD walked to the back cover, Finish stores it and the list shows it.
    void theWizardOnAnAlbum()
    {
        Catalogue cat;
        DataFile &albums = cat.files.use(FileId::Album);
        DataFile &songs = cat.files.use(FileId::Cantorix);
        albums.buffer().clear();
        albums.buffer().set("ALB:AlbumID", 5);
        albums.buffer().set("ALB:Album", "Arrival");
        albums.buffer().set("ALB:Artist", "ABBA");
        QCOMPARE(albums.add(), int(NoError));
        const char *titles[] = {"When I Kissed the Teacher", "Dancing Queen"};
        for (int t = 1; t <= 2; ++t) {
            songs.buffer().clear();
            songs.buffer().set("MUS:ID", t);
            songs.buffer().set("MUS:AlbumID", 5);
            songs.buffer().set("MUS:Side", 1);
            songs.buffer().set("MUS:TrackNumber", t);
            songs.buffer().set("MUS:Title", titles[t - 1]);
            songs.buffer().set("MUS:Artist", "ABBA");
            songs.buffer().set("MUS:Time", (180 + t) * 100 + 1);
            QCOMPARE(songs.add(), int(NoError));
        }
        formRequest() = Request::Change;
        LabelWizard wizard(cat.files);
        QVERIFY(wizard.prepare());
        QCOMPARE(wizard.windowTitle(), QStringLiteral("Add Label Wizard"));
        QCOMPARE(cat.person.shown.back().title, QStringLiteral("Processing Complete"));
        QCOMPARE(wizard.page(), 1);
        QVERIFY(!wizard.backButton()->isEnabled());
        QVERIFY(!wizard.okButton()->isVisibleTo(&wizard));
        QCOMPARE(wizard.findChild<QLineEdit *>("LAB:ImagePositionX"), nullptr);
        wizard.findChild<QGroupBox *>("LAB:LabelType")->findChildren<QRadioButton *>()[1]->click();
        QTest::mouseClick(wizard.nextButton(), Qt::LeftButton);
        QCOMPARE(wizard.page(), 2);
        QCOMPARE(wizard.findChild<QLineEdit *>("LAB:CDSpine")->text(), QStringLiteral("Arrival - ABBA"));
        QTest::mouseClick(wizard.nextButton(), Qt::LeftButton);
        QCOMPARE(wizard.page(), 3);
        QCOMPARE(wizard.findChild<QPlainTextEdit *>("LAB:CDInsideText")->toPlainText(),
                 QStringLiteral("  1. When I Kissed the Teacher (3:01)\n  2. Dancing Queen (3:02)"));
        QTest::mouseClick(wizard.nextButton(), Qt::LeftButton);
        QCOMPARE(wizard.page(), 4);
        QVERIFY(wizard.okButton()->isVisibleTo(&wizard));
        QVERIFY(!wizard.nextButton()->isEnabled());
        QTest::mouseClick(wizard.okButton(), Qt::LeftButton);
        cat.files.release(FileId::Cantorix);
        cat.files.release(FileId::Album);
        const Record label = cat.label("Arrival - ABBA");
        QCOMPARE(label.get("LAB:LabelType").toString(), QStringLiteral("CD"));
        QCOMPARE(label.get("LAB:AlbumID").toLongLong(), qint64(5));
        QCOMPARE(label.get("LAB:ImagePositionX").toLongLong(), qint64(6792));
        QCOMPARE(label.get("LAB:ImagePositionY").toLongLong(), qint64(8052));
        QVERIFY(label.get("LAB:CDInsideText").toString().contains("Dancing Queen (3:02)"));
        BrowseLabels list(cat.files);
        QVERIFY(list.start());
        QCOMPARE(columnTexts(*list.listBox(), 0), QStringList{"Arrival - ABBA"});
    }

    // "Create Label..." in the album list's popup runs the wizard on the highlighted album.
    void createLabelFromTheAlbumList()
    {
        Catalogue cat;
        DataFile &albums = cat.files.use(FileId::Album);
        albums.buffer().clear();
        albums.buffer().set("ALB:AlbumID", 3);
        albums.buffer().set("ALB:Album", "Gold");
        albums.buffer().set("ALB:Artist", "ABBA");
        QCOMPARE(albums.add(), int(NoError));
        cat.files.release(FileId::Album);
        BrowseAlbums list(cat.files);
        QVERIFY(list.start());
        const std::unique_ptr<QMenu> menu = list.popupMenu();
        QAction *create = nullptr;
        for (QAction *a : menu->actions())
            if (a->text() == QLatin1String("Create Label..."))
                create = a;
        QVERIFY(create && create->isEnabled());
        QString spine;
        onModals({[&spine](QWidget *modal) {
            auto *wizard = qobject_cast<LabelWizard *>(modal);
            QVERIFY(wizard);
            spine = wizard->findChild<QLineEdit *>("LAB:CDSpine")->text();
            QTest::mouseClick(wizard->okButton(), Qt::LeftButton);
        }});
        create->trigger();
        QCOMPARE(spine, QStringLiteral("Gold - ABBA"));
        QCOMPARE(cat.label("Gold - ABBA").get("LAB:AlbumID").toLongLong(), qint64(3));
    }

    // A cassette label skips the CD's pages: General, Side A, Side B, and back again.
    void theWizardsCassettePages()
    {
        Catalogue cat;
        formRequest() = Request::Insert;
        LabelWizard wizard(cat.files);
        QVERIFY(wizard.prepare());
        QTest::mouseClick(wizard.nextButton(), Qt::LeftButton);
        QTest::mouseClick(wizard.nextButton(), Qt::LeftButton);
        QCOMPARE(wizard.page(), 5);
        QTest::mouseClick(wizard.nextButton(), Qt::LeftButton);
        QCOMPARE(wizard.page(), 6);
        QVERIFY(wizard.okButton()->isVisibleTo(&wizard));
        QTest::mouseClick(wizard.backButton(), Qt::LeftButton);
        QTest::mouseClick(wizard.backButton(), Qt::LeftButton);
        QCOMPARE(wizard.page(), 2);
        QTest::mouseClick(wizard.backButton(), Qt::LeftButton);
        QCOMPARE(wizard.page(), 1);
        QVERIFY(!wizard.backButton()->isEnabled());
    }

    // A letter typed in the list goes to the first face beginning with it, in either case.
    void aLetterFindsAFace()
    {
        Catalogue cat;
        cat.addFont(1, "Arial");
        cat.addFont(2, "courier");
        cat.addFont(3, "Tahoma");
        SelectFont list(cat.files);
        QVERIFY(list.start());
        QTest::keyClick(list.listBox(), Qt::Key_C, Qt::ShiftModifier);
        QCOMPARE(list.listBox()->currentItem()->text(0), QStringLiteral("courier"));
    }

    // Freeform: the colour dialog on the colour's number.
    void freeformColour()
    {
        Catalogue cat;
        cat.addFont(1, "Arial");
        cat.fonts->buffer().set("FON:FontID", 1);
        QCOMPARE(cat.fonts->get(cat.fonts->def().keyIndex("FON:KeyFontID")), int(NoError));
        cat.person.colours.enqueue(65280);
        formRequest() = Request::Change;
        UpdateFontFreeform form(cat.files);
        QVERIFY(form.prepare());
        QCOMPARE(form.windowTitle(), QStringLiteral("Update Font Information (Freeform)"));
        QTest::mouseClick(form.findChild<QPushButton *>("chooseColour"), Qt::LeftButton);
        QCOMPARE(cat.person.colourDialogs, QStringList{"Select Color 255"});
        QCOMPARE(form.findChild<QLineEdit *>("FON:Colour")->text(), QStringLiteral("65280"));
    }
};

QTEST_MAIN(TestLabelWindows)
#include "tst_label_windows.moc"
