// The run as a whole: start-up, the frame's files created in an empty
// directory without a message, the orderly close, and how a halt ends.
#include "filehelpers.h"
#include "commands.h"
#include "fileset.h"
#include "firstrun.h"
#include "globals.h"
#include "help.h"
#include "launchers.h"
#include "profile.h"
#include "mainframe.h"
#include "qtinteraction.h"
#include "scriptedinteraction.h"
#include "scriptedprinter.h"
#include "startup.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QLabel>
#include <QMenuBar>
#include <QToolBar>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/wait.h>
#include <unistd.h>

using namespace crx;
using namespace crx::test;

namespace {

// A child window that will not close while it holds unsaved work.
class StubbornWindow : public QWidget
{
public:
    bool mayClose = false;

protected:
    void closeEvent(QCloseEvent *event) override { mayClose ? event->accept() : event->ignore(); }
};

const FileId frameFiles[] = {FileId::Album, FileId::Artists, FileId::Media, FileId::Cantorix, FileId::Configuration};

// Stands in for the windows and processes of later parts: records what was started.
struct Recorder {
    QStringList started;
    QStringList names;
    void add(const QString &name)
    {
        names << name;
        launchers().add(name, [this, name](MainFrame &) { started << name; });
    }
    ~Recorder()
    {
        for (const QString &name : names)
            launchers().remove(name);
    }
};

QStringList mediaNames(DataFile &media)
{
    QStringList out;
    media.setToStart(-1);
    while (media.next() == NoError)
        out << media.buffer().get("Media").toString();
    return out;
}

QAction *toolbarButton(MainFrame &frame, const QString &text)
{
    for (QAction *a : frame.findChild<QToolBar *>("toolbar")->actions())
        if (a->text() == text)
            return a;
    return nullptr;
}

} // namespace

class TestFrame : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void emptyDirectoryRunsAndEndsInOrder();
    void childWindowThatRefusesKeepsTheFrameOpen();
    void sessionEndClosesTheFrame();
    void haltWritesItsTextAndEndsWithAFailure();
    void firstRunInAnEmptyDirectory();
    void songsWithoutAlbumsAreOfferedACopyEveryStart();
    void menusFollowTheCommandTable();
    void explorerInterfaceRoutesMenuAndToolbar();
    void integrityTestAsksFirst_data();
    void integrityTestAsksFirst();
    void outsidePrograms();
    void startUpListsAndTips();
    void framePlacementIsKept();
    void hotKeysAreReadAsTheMenuShowsThem_data();
    void hotKeysAreReadAsTheMenuShowsThem();
    void shippedPicturesLoad();
    void printSetupAndHelp();
    void helpPagesFallBackToTheContents();
    void windowCommandsArrangeTheChildren();
};

void TestFrame::emptyDirectoryRunsAndEndsInOrder()
{
    ScriptedInteraction person;
    QTemporaryDir dir;
    FileSet files(dir.path());
    globals().side = 3;
    startUp(files);
    QCOMPARE(globals().side, 0);
    QCOMPARE(globals().helpFile, QDir(dir.path()).absoluteFilePath("CRX.HLP"));
    QVERIFY(files.upgrader().isRegistered("MUS"));
    QCOMPARE(files.upgrader().registeredVersion("IS"), 9);
    {
        MainFrame frame(files);
        frame.show();
        QCOMPARE(frame.windowTitle(), QString("Cantorix Pro"));
        for (FileId id : frameFiles) {
            QCOMPARE(files.useCount(id), 1);
            QVERIFY(QFile::exists(files.file(id).path()));
        }
        QTimer::singleShot(0, &frame, &QWidget::close);
        QCOMPARE(QApplication::exec(), 0);
        for (FileId id : frameFiles) {
            QCOMPARE(files.useCount(id), 0);
            QVERIFY(!files.file(id).isOpen());
        }
    }
    QVERIFY(person.shown.isEmpty());
    QVERIFY(!QFile::exists(dir.filePath("CRXCAT.tps"))); // opened only when a window needs it
}

void TestFrame::childWindowThatRefusesKeepsTheFrameOpen()
{
    ScriptedInteraction person;
    QTemporaryDir dir;
    FileSet files(dir.path());
    MainFrame frame(files);
    frame.show();
    auto *child = new StubbornWindow;
    frame.workspace()->addSubWindow(child)->show();
    QVERIFY(!frame.close());
    QCOMPARE(files.useCount(FileId::Album), 1);
    child->mayClose = true;
    QVERIFY(frame.close());
    QCOMPARE(files.useCount(FileId::Album), 0);
}

void TestFrame::sessionEndClosesTheFrame()
{
    ScriptedInteraction person;
    QTemporaryDir dir;
    FileSet files(dir.path());
    MainFrame frame(files);
    frame.show();
    frame.sessionEnding();
    QVERIFY(frame.isVisible()); // the request is answered first
    QTRY_VERIFY(!frame.isVisible());
    QCOMPARE(files.useCount(FileId::Cantorix), 0);
}

void TestFrame::haltWritesItsTextAndEndsWithAFailure()
{
    int fds[2];
    QCOMPARE(pipe(fds), 0);
    const pid_t child = fork();
    if (child == 0) {
        dup2(fds[1], STDERR_FILENO);
        QtInteraction().halt("Disk Error");
    }
    close(fds[1]);
    char buffer[64] = {};
    const ssize_t n = read(fds[0], buffer, sizeof buffer - 1);
    close(fds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    QCOMPARE(QByteArray(buffer, int(std::max<ssize_t>(n, 0))), QByteArray("Disk Error\n"));
    QVERIFY(WIFEXITED(status));
    QVERIFY(WEXITSTATUS(status) != 0);
}

void TestFrame::firstRunInAnEmptyDirectory()
{
    ScriptedInteraction person;
    Recorder windows;
    windows.add("BuildArtists");
    windows.add("SetupWizard");
    windows.add("UpdateCRXTips");
    QTemporaryDir dir;
    FileSet files(dir.path());
    MainFrame frame(files);
    frame.show();
    QStringList stored;
    for (const QString &name : defaultMediaFormats())
        stored << name.left(20); // "Cassette (Prerecorded)" is longer than the media field
    QCOMPARE(mediaNames(files.file(FileId::Media)), stored);
    QCOMPARE(mediaNames(files.file(FileId::Media))[3], QString("7\" Single"));
    QCOMPARE(windows.started, QStringList({"BuildArtists"})); // the artist file was empty
    QVERIFY(person.shown.isEmpty());                          // no songs: no album copy offer
    QCOMPARE(frame.previousVersion(), QString());
    QCOMPARE(readProfile(frame.preferencesFile(), "Global Settings", "Version"), QString("2.07"));

    frame.showStartScreen();
    QVERIFY(frame.startScreen());
    QCOMPARE(frame.startScreen()->findChild<QLabel *>("version")->text(), QString("Version 2.07"));
    QTRY_VERIFY(!frame.startScreen()); // closes at its timer
    QTRY_COMPARE(windows.started, QStringList({"BuildArtists", "SetupWizard", "UpdateCRXTips"}));
}

void TestFrame::songsWithoutAlbumsAreOfferedACopyEveryStart()
{
    ScriptedInteraction person;
    Recorder windows;
    windows.add("BuildAlbums");
    QTemporaryDir dir;
    {
        FileSet files(dir.path());
        DataFile &songs = files.use(FileId::Cantorix);
        songs.buffer().set("ID", 1);
        songs.buffer().set("Artist", "Queen");
        songs.add();
        files.release(FileId::Cantorix);
    }
    for (int start = 0; start < 2; ++start) {
        person.answer({No});
        FileSet files(dir.path());
        MainFrame frame(files);
        QCOMPARE(person.shown.size(), start + 1);
        QCOMPARE(person.shown.last().title, QString("Album Database Empty"));
        QCOMPARE(person.shown.last().text, QString("Do you want to copy your album information from the general music "
                                                   "database into the album database? (Recommended)"));
        QCOMPARE(person.shown.last().buttons, Yes | No);
    }
    QVERIFY(windows.started.isEmpty());
    writeFileContents(dir.filePath("CRXPro98.INI"), "[Settings]\nAutoAddToAlbums=0\n");
    person.answer({Yes});
    FileSet files(dir.path());
    MainFrame frame(files);
    QCOMPARE(windows.started, QStringList({"BuildAlbums"}));
    QCOMPARE(readProfile(frame.preferencesFile(), "Settings", "AutoAddToAlbums"), QString("1"));
}

void TestFrame::menusFollowTheCommandTable()
{
    ScriptedInteraction person;
    Recorder windows;
    windows.add("BrowseCategories");
    QTemporaryDir dir;
    FileSet files(dir.path());
    MainFrame frame(files);
    QStringList titles;
    for (QAction *menu : frame.menuBar()->actions())
        titles << menu->text();
    QCOMPARE(titles, QStringList({"&File", "&Edit", "&Browse", "&Reports", "&Window", "&Help"}));
    QAction *categories = frame.action("&Browse", "&Categories");
    QVERIFY(categories && categories->isEnabled());
    QAction *both = frame.action("&Browse", "&Both");
    QVERIFY(both);
    QCOMPARE(both->shortcut(), QKeySequence("Ctrl+B"));
    QCOMPARE(both->statusTip(), QString("Browse albums and linked songs"));
    QVERIFY(!both->isEnabled()); // its window is not there yet
    QVERIFY(frame.action("&Window", "T&ile")->isEnabled());
    QVERIFY(frame.action("&File/&Tools/Database", "&Test Album Database Integrity"));
    categories->trigger();
    QCOMPARE(windows.started, QStringList({"BrowseCategories"}));
    QStringList buttons;
    for (QAction *a : frame.findChild<QToolBar *>("toolbar")->actions())
        if (!a->text().isEmpty())
            buttons << a->text();
    QCOMPARE(buttons, QStringList({"Albums", "Songs", "Labels", "Playlists", "Play CD"}));
}

void TestFrame::explorerInterfaceRoutesMenuAndToolbar()
{
    ScriptedInteraction person;
    Recorder windows;
    windows.add("XploreSongs");
    windows.add("XploreAlbums");
    windows.add("BrowseSongs");
    QTemporaryDir dir;
    writeFileContents(dir.filePath("CRXPro98.INI"), "[Settings]\nInterface=Explorer\n");
    FileSet files(dir.path());
    MainFrame frame(files);
    frame.action("&Browse", "&Songs")->trigger();
    toolbarButton(frame, "Songs")->trigger();
    toolbarButton(frame, "Albums")->trigger();
    QCOMPARE(windows.started, QStringList({"XploreSongs", "XploreSongs", "XploreAlbums"}));
}

void TestFrame::integrityTestAsksFirst_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("started");
    QTest::newRow("no starts nothing") << int(No) << QStringList();
    QTest::newRow("yes starts the test") << int(Yes) << QStringList({"TestAlbumLinks"});
}

void TestFrame::integrityTestAsksFirst()
{
    QFETCH(int, answer);
    QFETCH(QStringList, started);
    ScriptedInteraction person;
    Recorder windows;
    windows.add("TestAlbumLinks");
    QTemporaryDir dir;
    FileSet files(dir.path());
    MainFrame frame(files);
    frame.show();
    person.answer({Button(answer)});
    frame.action("&File/&Tools/Database", "&Test Album Database Integrity")->trigger();
    QCOMPARE(person.shown.size(), 1);
    QCOMPARE(person.shown[0].title, QString("Housekeeping"));
    QVERIFY(person.shown[0].text.startsWith("This function will test (and fix where possible) the links"));
    QCOMPARE(person.shown[0].defaultButton, No);
    QCOMPARE(windows.started, started);
    QVERIFY(frame.isVisible());
}

void TestFrame::outsidePrograms()
{
    ScriptedInteraction person;
    QTemporaryDir dir;
    FileSet files(dir.path());
    MainFrame frame(files);
    person.programsStart = false;
    frame.action("&File/&Tools", "Backup/Restore")->trigger();
    QVERIFY(person.shown.isEmpty()); // the backup program is not checked
    QCOMPARE(person.started, QStringList({"crxback crxdata.tps, crxalbum.tps, crxconf.tps, crxcat.tps, etc."}));
    frame.action("&Reports", "&Report Designer")->trigger();
    QCOMPARE(person.shown.size(), 1);
    QCOMPARE(person.shown[0].title, QString("Error"));
    QCOMPARE(person.shown[0].text, QString("Report designer not found.  If you have purchased this add-on, please "
                                           "ensure that it has been installed into the same directory as Cantorix Pro"));
}

void TestFrame::startUpListsAndTips()
{
    ScriptedInteraction person;
    Recorder windows;
    for (const char *name : {"SetupWizard", "BrowseCRXTips", "UpdateCRXTips", "BrowseSongs", "BrowseAlbums",
                             "BrowsePlayLists", "BrowseLabels"})
        windows.add(name);
    QTemporaryDir dir;
    writeFileContents(dir.filePath("CRXPro98.INI"), "[Settings]\nSetupWizardComplete=1\nDbgMode=1\nSU_Labels=1\n"
                                            "SU_Albums=1\nSU_Songs=1\n");
    FileSet files(dir.path());
    MainFrame frame(files);
    frame.show();
    frame.showStartScreen();
    QTest::mouseClick(frame.startScreen(), Qt::LeftButton);
    QTRY_COMPARE(windows.started, QStringList({"BrowseCRXTips", "BrowseSongs", "BrowseAlbums", "BrowseLabels"}));
    QCOMPARE(person.shown.size(), 1);
    QCOMPARE(person.shown[0].title, QString("Introduction"));
    QCOMPARE(person.shown[0].text, QString("Add Tips"));
}

void TestFrame::framePlacementIsKept()
{
    ScriptedInteraction person;
    QTemporaryDir dir;
    QRect placed;
    {
        FileSet files(dir.path());
        MainFrame frame(files);
        frame.show();
        frame.setGeometry(QRect(60, 70, 800, 600));
        placed = frame.geometry();
        QVERIFY(frame.close());
    }
    QCOMPARE(readProfile(dir.filePath("POSITION.INI"), "Main", "Maximize"), QString("No"));
    {
        FileSet files(dir.path());
        MainFrame frame(files);
        QCOMPARE(frame.geometry(), placed);
        // Closed maximised: it opens maximised and goes back to the size it had before.
        frame.show();
        frame.showMaximized();
        QVERIFY(frame.close());
    }
    QCOMPARE(readProfile(dir.filePath("POSITION.INI"), "Main", "Maximize"), QString("Yes"));
    QCOMPARE(readProfileNumber(dir.filePath("POSITION.INI"), "Main", "Width"), placed.width());
    FileSet files(dir.path());
    MainFrame frame(files);
    frame.show();
    QVERIFY(frame.isMaximized());
    frame.showNormal();
    QCOMPARE(frame.size(), placed.size());
}

void TestFrame::hotKeysAreReadAsTheMenuShowsThem_data()
{
    QTest::addColumn<QString>("hotKey");
    QTest::addColumn<QString>("sequence");
    QTest::newRow("Ctrl-A") << "Ctrl-A" << "Ctrl+A";
    QTest::newRow("Ctrl-Shift-B") << "Ctrl-Shift-B" << "Ctrl+Shift+B";
    QTest::newRow("CtrlShiftL") << "CtrlShiftL" << "Ctrl+Shift+L";
    QTest::newRow("F10") << "F10" << "F10";
}

void TestFrame::hotKeysAreReadAsTheMenuShowsThem()
{
    QFETCH(QString, hotKey);
    QFETCH(QString, sequence);
    QCOMPARE(keySequenceText(hotKey), sequence);
}

void TestFrame::shippedPicturesLoad()
{
    QCOMPARE(QImage(CRX_IMAGES "/crxtoolb.gif").size(), QSize(160, 28));
    QCOMPARE(QImage(CRX_IMAGES "/crx2000a.gif").size(), QSize(420, 220));
}

void TestFrame::printSetupAndHelp()
{
    ScriptedInteraction person;
    ScriptedPrinter printer;
    QTemporaryDir dir;
    FileSet files(dir.path());
    MainFrame frame(files);
    frame.show();
    frame.action("&File", "&Print Setup ...")->trigger();
    QCOMPARE(printer.setups, 1);
    frame.action("&Help", "&Contents")->trigger();
    frame.action("&Help", "&How to Use Help")->trigger();
    frame.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    QTest::keyClick(&frame, Qt::Key_F1);
    QCOMPARE(person.documents.size(), 3);
    QVERIFY(person.documents[0].endsWith("help/index.html"));
    QVERIFY(person.documents[1].endsWith("help/howtouse.html"));
    QVERIFY(person.documents[2].endsWith("help/Main.html")); // F1 on the frame itself
    QVERIFY(person.shown.isEmpty());
    // Without a browser that opens the page, the person is told.
    person.documentsOpen = false;
    frame.action("&Help", "&Contents")->trigger();
    QCOMPARE(person.shown.size(), 1);
    QCOMPARE(person.shown[0].title, QString("Help"));
    QVERIFY(person.shown[0].text.endsWith("index.html"));
}

void TestFrame::helpPagesFallBackToTheContents()
{
    QTemporaryDir dir;
    writeFileContents(dir.filePath("index.html"), "contents");
    writeFileContents(dir.filePath("BrowseSongs.html"), "songs");
    QCOMPARE(helpPage(dir.path(), "BrowseSongs"), dir.filePath("BrowseSongs.html"));
    QCOMPARE(helpPage(dir.path(), "UpdateSong"), dir.filePath("index.html"));
    QCOMPARE(helpPage(dir.path(), ""), dir.filePath("index.html"));
}

void TestFrame::windowCommandsArrangeTheChildren()
{
    ScriptedInteraction person;
    QTemporaryDir dir;
    FileSet files(dir.path());
    MainFrame frame(files);
    frame.resize(900, 700);
    frame.show();
    for (int i = 0; i < 2; ++i) {
        QMdiSubWindow *w = frame.workspace()->addSubWindow(new QWidget);
        w->setGeometry(0, 0, 200, 150);
        w->show();
    }
    frame.action("&Window", "T&ile")->trigger();
    const auto windows = frame.workspace()->subWindowList();
    QVERIFY(windows[0]->geometry() != windows[1]->geometry());
    QVERIFY(!windows[0]->geometry().intersects(windows[1]->geometry()));
    frame.action("&Window", "&Cascade")->trigger();
    QVERIFY(windows[0]->geometry().intersects(windows[1]->geometry()));
}

QTEST_MAIN(TestFrame)
#include "tst_frame.moc"
