// The album wizard, the CDDB wizard and the compilations form: their steps
// and buttons, the songs of the current side, Finish and Cancel, and what
// stays in the files.
#include "albumwizards.h"
#include "datafile.h"
#include "fileset.h"
#include "globals.h"
#include "launchers.h"
#include "cataloguefill.h"
#include "scriptedinteraction.h"
#include "settings.h"
#include "songform.h"
#include "tracklist.h"
#include "windows.h"
#include "windowsteps.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
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
        addArtists(files, {"ABBA"});
    }
    ~Catalogue()
    {
        files.release(FileId::Cantorix);
        files.release(FileId::Album);
    }
    QTemporaryDir dir;
    FileSet files;
    DataFile *songs, *albums;
};

// Another media than CD, whose Next does not read the disc in the drive.
void chooseMedia(QWidget &wizard, const QString &media)
{
    wizard.findChild<QComboBox *>("ALB:Media")->setCurrentText(media);
}

template <typename Wizard>
std::unique_ptr<Wizard> open(Catalogue &cat)
{
    auto form = std::make_unique<Wizard>(cat.files);
    if (!form->prepare())
        return nullptr;
    form->show();
    return form;
}

} // namespace

class TestAlbumWizards : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void albumWizardSteps();
    void albumWizardSidesAndFinish();
    void cancelGivesUpTheAlbumAndItsSongs();
    void cancelOfAnUntouchedWizardAsksNothing();
    void finishShowsABlankRequiredFieldOnItsStep();
    void cddbWizardGoesOnWithTheNextAlbum();
    void compilationsFormStartsEachAlbumAsVarious();
    void popupMenus();
    void theFrameStartsThem();
};

void TestAlbumWizards::init()
{
    clearGlobals();
    settings() = Settings{};
    formRequest() = Request::None;
}

void TestAlbumWizards::albumWizardSteps()
{
    ScriptedInteraction person;
    Catalogue cat;
    settings().defaultWizardCompilation = true;
    auto wizard = open<AlbumWizard>(cat);
    QVERIFY(wizard);
    QCOMPARE(wizard->windowTitle(), QString("Album Wizard"));
    QCOMPARE(wizard->step(), 0);
    QVERIFY(!wizard->backButton()->isEnabled());
    QVERIFY(!wizard->finishButton()->isVisibleTo(wizard.get()));
    QVERIFY(wizard->option("Compilation")->isChecked());
    QVERIFY(wizard->option("One Disc or Side")->isChecked());
    QCOMPARE(cat.files.file(FileId::Categories).records(), 5); // the five default categories
    QTest::mouseClick(wizard->nextButton(), Qt::LeftButton);
    QCOMPARE(wizard->step(), 1);
    QCOMPARE(wizard->findChild<QLineEdit *>("ALB:Artist")->text(), QString("Various"));
    QCOMPARE(globals().songEntryMode, 3);
    QVERIFY(!wizard->findChild<QWidget *>("side")->isVisibleTo(wizard.get())); // one side only
    QTest::mouseClick(wizard->nextButton(), Qt::LeftButton);
    QCOMPARE(wizard->step(), 2);
    QVERIFY(!wizard->nextButton()->isEnabled());
    QVERIFY(wizard->finishButton()->isVisibleTo(wizard.get()));
    QTest::mouseClick(wizard->backButton(), Qt::LeftButton);
    QCOMPARE(wizard->step(), 1);
}

void TestAlbumWizards::albumWizardSidesAndFinish()
{
    ScriptedInteraction person;
    Catalogue cat;
    auto wizard = open<AlbumWizard>(cat);
    wizard->option("Multi-Disc CD")->setChecked(true);
    QTest::mouseClick(wizard->nextButton(), Qt::LeftButton);
    QCOMPARE(globals().songEntryMode, 2);
    QVERIFY(wizard->findChild<QWidget *>("side")->isVisibleTo(wizard.get()));
    typeInto(*wizard, "ALB:Artist", "ABBA");
    typeInto(*wizard, "ALB:Album", "Gold");
    chooseMedia(*wizard, "Vinyl");
    QTest::mouseClick(wizard->nextButton(), Qt::LeftButton);
    addSongTitled(*wizard, "Dancing Queen");
    QCOMPARE(wizard->trackList()->topLevelItemCount(), 1);
    // The next disc shows its own songs only.
    QTest::mouseClick(wizard->findChild<QPushButton *>("nextSide"), Qt::LeftButton);
    QCOMPARE(globals().side, 2);
    QCOMPARE(wizard->trackList()->topLevelItemCount(), 0);
    addSongTitled(*wizard, "Waterloo");
    QCOMPARE(wizard->trackList()->topLevelItemCount(), 1);
    QCOMPARE(wizard->trackList()->topLevelItem(0)->text(0), QString("(2)  1"));
    QCOMPARE(wizard->trackList()->topLevelItem(0)->text(1), QString("ABBA")); // a single artist's album
    QTest::mouseClick(wizard->finishButton(), Qt::LeftButton);
    QVERIFY(person.shown.isEmpty());
    QVERIFY(!wizard->isVisible()); // the album wizard closes after Finish
    QCOMPARE(cat.albums->records(), 1);
    QCOMPARE(cat.songs->records(), 2);
}

void TestAlbumWizards::cancelGivesUpTheAlbumAndItsSongs()
{
    ScriptedInteraction person;
    Catalogue cat;
    auto wizard = open<AlbumWizard>(cat);
    QTest::mouseClick(wizard->nextButton(), Qt::LeftButton);
    chooseMedia(*wizard, "Vinyl");
    QTest::mouseClick(wizard->nextButton(), Qt::LeftButton);
    addSongTitled(*wizard, "One");
    addSongTitled(*wizard, "Two");
    QCOMPARE(cat.songs->records(), 2);
    QCOMPARE(cat.albums->records(), 1);
    // Asked first: No keeps the wizard open with nothing given up.
    person.answer({No});
    QTest::mouseClick(wizard->cancelButton(), Qt::LeftButton);
    QCOMPARE(person.shown.size(), 1);
    QCOMPARE(person.shown.first().title, QString("Update Cancelled"));
    QVERIFY(wizard->isVisible());
    QCOMPARE(cat.songs->records(), 2);
    QCOMPARE(cat.albums->records(), 1);
    person.answer({Yes});
    QTest::mouseClick(wizard->cancelButton(), Qt::LeftButton);
    QVERIFY(!wizard->isVisible());
    QCOMPARE(cat.songs->records(), 0);
    QCOMPARE(cat.albums->records(), 0);
}

void TestAlbumWizards::cancelOfAnUntouchedWizardAsksNothing()
{
    ScriptedInteraction person;
    Catalogue cat;
    auto wizard = open<AlbumWizard>(cat);
    QTest::mouseClick(wizard->nextButton(), Qt::LeftButton);
    QTest::mouseClick(wizard->cancelButton(), Qt::LeftButton);
    QVERIFY(person.shown.isEmpty());
    QVERIFY(!wizard->isVisible());
    QCOMPARE(cat.albums->records(), 0);
}

void TestAlbumWizards::finishShowsABlankRequiredFieldOnItsStep()
{
    ScriptedInteraction person;
    Catalogue cat;
    auto wizard = open<AlbumWizard>(cat);
    wizard->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(wizard.get()));
    QTest::mouseClick(wizard->nextButton(), Qt::LeftButton);
    typeInto(*wizard, "ALB:Album", "Gold");
    chooseMedia(*wizard, "Vinyl");
    QTest::mouseClick(wizard->nextButton(), Qt::LeftButton);
    QTest::mouseClick(wizard->finishButton(), Qt::LeftButton);
    QCOMPARE(person.shown.size(), 1);
    QCOMPARE(person.shown.first().title, QString("Required Field"));
    QCOMPARE(person.shown.first().text, QString("Artist must be filled in."));
    QVERIFY(wizard->isVisible());
    QCOMPARE(wizard->step(), 1); // back on "General", with its own buttons
    QVERIFY(wizard->findChild<QLineEdit *>("ALB:Artist")->hasFocus());
    QVERIFY(!wizard->finishButton()->isVisibleTo(wizard.get()));
    QVERIFY(wizard->nextButton()->isEnabled());
    QCOMPARE(cat.albums->records(), 1); // the placeholder only
}

void TestAlbumWizards::cddbWizardGoesOnWithTheNextAlbum()
{
    ScriptedInteraction person;
    Catalogue cat;
    CDDBWizard wizard(cat.files);
    Response response = Response::Cancelled;
    QTimer::singleShot(0, [&] {
        QCOMPARE(wizard.windowTitle(), QString("CDDB Wizard"));
        QCOMPARE(wizard.findChild<QComboBox *>("ALB:Media")->currentText(), QString("CD"));
        QTest::mouseClick(wizard.nextButton(), Qt::LeftButton);
        typeInto(wizard, "ALB:Artist", "ABBA");
        typeInto(wizard, "ALB:Album", "Arrival");
        typeInto(wizard, "ALB:FileNumber", "CD-1");
        QTest::mouseClick(wizard.nextButton(), Qt::LeftButton);
        QCOMPARE(globals().songEntryMode, 3);
        addSongTitled(wizard, "Money, Money, Money");
        QTest::mouseClick(wizard.finishButton(), Qt::LeftButton);
        QVERIFY(wizard.isVisible()); // goes on with another album
        QCOMPARE(wizard.step(), 0);
        QCOMPARE(wizard.findChild<QLabel *>("firstLine")->text(), QString("Step 1:  Insert another CD and press Next."));
        QCOMPARE(wizard.findChild<QLineEdit *>("ALB:Album")->text(), QString());
        QCOMPARE(wizard.trackList()->topLevelItemCount(), 0);
        QCOMPARE(cat.albums->records(), 2); // the one written and the next one begun
        QTest::mouseClick(wizard.cancelButton(), Qt::LeftButton);
    });
    response = wizard.call();
    QCOMPARE(response, Response::Completed);
    QCOMPARE(wizard.albumsWritten(), 1);
    QCOMPARE(cat.albums->records(), 1);
    QCOMPARE(currentAlbum().get("ALB:Album").toString(), QString("Arrival"));
    QCOMPARE(cat.songs->records(), 1);
    cat.songs->setToStart(-1);
    QCOMPARE(cat.songs->next(), int(NoError));
    QCOMPARE(cat.songs->buffer().get("FileNumber").toString(), QString("CD-1"));
}

void TestAlbumWizards::compilationsFormStartsEachAlbumAsVarious()
{
    ScriptedInteraction person;
    Catalogue cat;
    auto form = open<MultiCompilationWizard>(cat);
    QCOMPARE(form->windowTitle(), QString("Compilations from Clipboard  (New)"));
    QCOMPARE(cat.files.use(FileId::Categories).records(), 0); // only the two wizards fill it
    cat.files.release(FileId::Categories);
    QVERIFY(form->okButton()->isVisibleTo(form.get()));
    QVERIFY(!form->nextButton()->isVisibleTo(form.get()));
    QVERIFY(!form->finishButton()->isVisibleTo(form.get()));
    QCOMPARE(form->findChild<QLineEdit *>("ALB:Artist")->text(), QString("Various"));
    QCOMPARE(globals().songEntryMode, 3);
    typeInto(*form, "ALB:Album", "Summer Hits");
    addSongTitled(*form, "Vogue");
    QTest::mouseClick(form->okButton(), Qt::LeftButton);
    QVERIFY(form->isVisible());
    QCOMPARE(form->findChild<QLineEdit *>("ALB:Artist")->text(), QString("Various"));
    QCOMPARE(form->findChild<QLineEdit *>("ALB:Album")->text(), QString());
    QCOMPARE(form->albumsWritten(), 1);
    QCOMPARE(cat.songs->records(), 1);
}

void TestAlbumWizards::popupMenus()
{
    ScriptedInteraction person;
    Catalogue cat;
    const auto texts = [](UpdateAlbum &form) {
        QStringList out;
        const std::unique_ptr<QMenu> menu = form.trackMenu();
        for (QAction *a : menu->actions())
            out << (a->isSeparator() ? QString("-") : (a->isEnabled() ? "" : "~") + a->text());
        return out;
    };
    {
        auto cddb = open<CDDBWizard>(cat);
        QCOMPARE(texts(*cddb), QStringList({"&Add", "~&Edit", "~&Delete", "~Edit All Son&gs", "-", "Swap Artist/Titles",
                                            "Cascade Album Changes to Songs"}));
    }
    auto multi = open<MultiCompilationWizard>(cat);
    QCOMPARE(texts(*multi), QStringList({"&Add", "~&Edit", "~&Delete", "-", "Replace..."}));
}

void TestAlbumWizards::theFrameStartsThem()
{
    registerCatalogueWindows();
    for (const char *name : {"AlbumWizard", "CDDBWizard", "ToolMultiCompilationWizard"})
        QVERIFY2(launchers().has(QString::fromLatin1(name)), name);
}

QTEST_MAIN(TestAlbumWizards)
#include "tst_album_wizards.moc"
