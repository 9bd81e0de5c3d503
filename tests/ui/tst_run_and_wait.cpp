// Waiting for an outside program as the Qt interaction does: the window in
// use takes no input while the program runs and comes back afterwards; the
// exit code is handed back, -1 for a program that cannot be started.
#include "qtinteraction.h"

#include <QDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace crx;

class TestRunAndWait : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void theWindowWaitsForTheProgram()
    {
        QDialog window;
        auto *field = new QLineEdit(&window);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        field->setFocus();
        bool inertMeanwhile = false;
        QTimer look;
        connect(&look, &QTimer::timeout, this, [&] { inertMeanwhile = inertMeanwhile || !window.isEnabled(); });
        look.start(20);
        QtInteraction person;
        QTemporaryDir dir;
        QCOMPARE(person.runAndWait("sh", {"-c", "sleep 0.3; pwd > where; exit 3"}, dir.path()), 3);
        QVERIFY(inertMeanwhile);
        QVERIFY(window.isEnabled());
        QFile where(dir.filePath("where"));
        QVERIFY(where.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromLocal8Bit(where.readAll()).trimmed(), QFileInfo(dir.path()).canonicalFilePath());
        QCOMPARE(person.runAndWait("no-such-program-here", {}, dir.path()), -1);
        QVERIFY(window.isEnabled());
    }
};

QTEST_MAIN(TestRunAndWait)
#include "tst_run_and_wait.moc"
