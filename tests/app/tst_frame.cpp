// The run as a whole: start-up, the frame's files created in an empty
// directory without a message, the orderly close, and how a halt ends.
#include "fileset.h"
#include "globals.h"
#include "mainframe.h"
#include "qtinteraction.h"
#include "scriptedinteraction.h"
#include "startup.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
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

} // namespace

class TestFrame : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void emptyDirectoryRunsAndEndsInOrder();
    void childWindowThatRefusesKeepsTheFrameOpen();
    void sessionEndClosesTheFrame();
    void haltWritesItsTextAndEndsWithAFailure();
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
    QCOMPARE(files.upgrader().registeredVersion("IS"), 8);
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

QTEST_MAIN(TestFrame)
#include "tst_frame.moc"
