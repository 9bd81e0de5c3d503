// The tip of the day's order (the last one shown, going round, gaps), its
// closing writes, an empty tips file, the tips of a first start, and the about
// box leading to "Compile Information", through the frame's Help menu.
#include "buildinfo.h"
#include "cataloguefill.h"
#include "datafile.h"
#include "fileset.h"
#include "firstrun.h"
#include "helpwindows.h"
#include "launchers.h"
#include "mainframe.h"
#include "profile.h"
#include "scriptedinteraction.h"
#include "settings.h"
#include "windowsteps.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTreeWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace crx;
using namespace crx::test;

namespace {

struct Catalogue {
    Catalogue() : files(dir.path()) { settings() = Settings(); }
    void addTips(std::initializer_list<int> ids)
    {
        DataFile &tips = files.use(FileId::CRXTips);
        for (int id : ids) {
            tips.buffer().clear();
            tips.buffer().set("TIP:ID", id);
            tips.buffer().set("TIP:Tip", QStringLiteral("Tip %1").arg(id));
            tips.add();
        }
        files.release(FileId::CRXTips);
    }
    QString preferences() const { return profilePath(dir.path(), settingsfile::Preferences); }
    QTemporaryDir dir;
    FileSet files;
    ScriptedInteraction person;
};

} // namespace

class TestHelpWindows : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { registerHelpWindows(); }

    void tipOrder_data()
    {
        QTest::addColumn<QList<int>>("ids");
        QTest::addColumn<int>("lastShown");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("three tips, Tip 3: 1, then Back to 3") << QList<int>{1, 2, 3} << 3 << "BN"
                                                             << QStringList{"Tip 1", "Tip 3", "Tip 1"};
        QTest::newRow("a gap: 2, Next 4, Next 1") << QList<int>{1, 2, 4} << 1 << "NN"
                                                  << QStringList{"Tip 2", "Tip 4", "Tip 1"};
        QTest::newRow("Back over a gap") << QList<int>{1, 2, 4} << 3 << "BB" << QStringList{"Tip 1", "Tip 2", "Tip 1"};
    }
    void tipOrder()
    {
        QFETCH(QList<int>, ids);
        QFETCH(int, lastShown);
        QFETCH(QString, steps);
        QFETCH(QStringList, shown);
        Catalogue cat;
        DataFile &tips = cat.files.use(FileId::CRXTips);
        for (int id : ids) {
            tips.buffer().clear();
            tips.buffer().set("TIP:ID", id);
            tips.buffer().set("TIP:Tip", QStringLiteral("Tip %1").arg(id));
            tips.add();
        }
        cat.files.release(FileId::CRXTips);
        writeProfile(cat.preferences(), "Settings", "Tip", QString::number(lastShown));
        UpdateCRXTips window(cat.files);
        QVERIFY(window.start());
        QStringList seen{window.tipText()->text()};
        for (QChar step : steps) {
            QTest::mouseClick(window.findChild<QPushButton *>(step == 'N' ? "next" : "back"), Qt::LeftButton);
            seen << window.tipText()->text();
        }
        QCOMPARE(seen, shown);
    }

    void closingKeepsThePlaceAndTheChoice()
    {
        Catalogue cat;
        cat.addTips({1, 2, 3});
        settings().showTips = true;
        UpdateCRXTips window(cat.files);
        QVERIFY(window.start());
        QVERIFY(window.findChild<QCheckBox *>("showTips")->isChecked());
        QTest::mouseClick(window.findChild<QPushButton *>("next"), Qt::LeftButton);
        window.findChild<QCheckBox *>("showTips")->click();
        QTest::mouseClick(window.findChild<QPushButton *>("close"), Qt::LeftButton);
        QCOMPARE(readProfile(cat.preferences(), "Settings", "Tip"), QStringLiteral("3"));
        QCOMPARE(readProfile(cat.preferences(), "Settings", "ShowTips"), QStringLiteral("0"));
        QVERIFY(!settings().showTips);
    }

    void emptyTipsFileShowsNothing()
    {
        Catalogue cat;
        UpdateCRXTips window(cat.files);
        QVERIFY(!window.start());
    }

    void firstStartTipsThroughTheHelpMenu()
    {
        Catalogue cat;
        addOneAlbum(cat.files);
        MainFrame frame(cat.files);
        frame.show();
        QCOMPARE(cat.files.use(FileId::CRXTips).records(), qint64(programTips().size()));
        cat.files.release(FileId::CRXTips);
        QVERIFY(programTips().size() >= 20);
        QString shown;
        onModals({[&shown](QWidget *modal) {
            auto *window = qobject_cast<UpdateCRXTips *>(modal);
            QVERIFY(window);
            QCOMPARE(window->findChild<QLabel *>("heading")->text(), QStringLiteral("Cantorix Pro Tip of the Day..."));
            shown = window->tipText()->text();
            QTest::mouseClick(window->findChild<QPushButton *>("close"), Qt::LeftButton);
        }});
        frame.action("&Help", "&Tips")->trigger();
        // Tip is 1 at first: the second tip comes first.
        QCOMPARE(shown, programTips()[1]);
    }

    void tipMaintenance()
    {
        Catalogue cat;
        cat.addTips({1, 2});
        addOneAlbum(cat.files);
        MainFrame frame(cat.files);
        frame.show();
        launchers().run(QStringLiteral("BrowseCRXTips"), frame);
        auto *list = child<BrowseCRXTips>(frame);
        QVERIFY(list);
        QCOMPARE(list->windowTitle().left(4), QStringLiteral("Tips"));
        QCOMPARE(columnTexts(*list->listBox(), 0), (QStringList{"Tip 1", "Tip 2"}));
        onModals({[](QWidget *modal) {
            auto *form = qobject_cast<UpdateTip *>(modal);
            QVERIFY(form);
            auto *memo = form->findChild<QPlainTextEdit *>();
            QVERIFY(memo);
            memo->setPlainText("A new tip");
            QTest::mouseClick(form->findChild<QPushButton *>("ok"), Qt::LeftButton);
        }});
        QTest::mouseClick(list->button("insert"), Qt::LeftButton);
        DataFile &tips = cat.files.use(FileId::CRXTips);
        tips.buffer().clear();
        tips.buffer().set("TIP:ID", 3);
        QCOMPARE(tips.get(tips.def().keyIndex("TIP:KeyID")), int(NoError));
        QCOMPARE(tips.buffer().get("TIP:Tip").toString(), QStringLiteral("A new tip"));
        cat.files.release(FileId::CRXTips);
    }

    void aboutLeadsToCompileInformation()
    {
        Catalogue cat;
        addOneAlbum(cat.files);
        MainFrame frame(cat.files);
        frame.show();
        frame.action("&Help", "&About")->trigger();
        auto *about = child<About>(frame);
        QVERIFY(about);
        QCOMPARE(about->findChild<QLabel *>("version")->text(), QStringLiteral("Cantorix Pro Version ") + programVersion());
        QStringList values;
        onModals({[&values](QWidget *modal) {
            QCOMPARE(modal->windowTitle(), QStringLiteral("Compile Information"));
            for (const char *name : {"version", "application", "32bit"})
                values << modal->findChild<QLineEdit *>(name)->text();
            QVERIFY(!modal->findChild<QLineEdit *>("creationdate")->text().isEmpty());
            QVERIFY(modal->findChild<QLineEdit *>("creationtime")->text().contains('M'));
            QTest::mouseClick(modal->findChild<QPushButton *>("close"), Qt::LeftButton);
        }});
        QTest::mouseClick(about->findChild<QLabel *>("logo"), Qt::LeftButton);
        QCOMPARE(values, (QStringList{"Cantorix Pro Version " + programVersion(), "CRXPRO", "0"}));
        QVERIFY(!readProfile(profilePath(cat.dir.path(), settingsfile::Positions), "CompileDate", "Width").isEmpty()
                || !readProfile(profilePath(cat.dir.path(), settingsfile::Positions), "CompileDate", "XPosit").isEmpty());
        QTest::mouseClick(about->findChild<QPushButton *>("return"), Qt::LeftButton);
        QTRY_VERIFY(!child<About>(frame));
    }
};

QTEST_MAIN(TestHelpWindows)
#include "tst_help_windows.moc"
