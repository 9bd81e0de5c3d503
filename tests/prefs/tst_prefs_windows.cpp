// The preferences and the setup wizard as a person uses them through the
// frame's File > Setup (F10): the wizard until it has been finished once, its
// steps and what Finish stores, the date format list and its questions, Cancel
// undoing every change, and what OK writes.
#include "cataloguefill.h"
#include "fileset.h"
#include "mainframe.h"
#include "preferences.h"
#include "prefswindows.h"
#include "profile.h"
#include "scriptedinteraction.h"
#include "settings.h"
#include "windowsteps.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace crx;
using namespace crx::test;

namespace {

struct Catalogue {
    explicit Catalogue(bool wizardDone)
        : files(dir.path())
    {
        settings() = Settings();
        addOneAlbum(files);
        writeProfile(preferences(), "Settings", "SetupWizardComplete", wizardDone ? "1" : "0");
    }
    QString preferences() const { return profilePath(dir.path(), settingsfile::Preferences); }
    QString stored(const char *key) const { return readProfile(preferences(), "Settings", QLatin1String(key)); }
    QTemporaryDir dir;
    FileSet files;
    ScriptedInteraction person;
};

void pressF10(MainFrame &frame, std::function<void(QWidget *)> step)
{
    onModals({std::move(step)});
    frame.action("&File", "&Setup")->trigger();
}

void click(QWidget *window, const char *name)
{
    QPushButton *b = window->findChild<QPushButton *>(name);
    QVERIFY2(b, name);
    QTest::mouseClick(b, Qt::LeftButton);
}

} // namespace

class TestPrefsWindows : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { registerPrefsWindows(); }

    void dateFormatTable()
    {
        QCOMPARE(dateFormatText("d17"), QStringLiteral("Windows Default"));
        QCOMPARE(dateFormatText("n4b"), QStringLiteral("Year Only"));
        QCOMPARE(dateFormatText("d9"), QStringLiteral("d9"));
        QCOMPARE(dateFormatPicture("31/10/1959", "d2"), QStringLiteral("d6"));
        QCOMPARE(dateFormatPicture("", "d2"), QStringLiteral("d2"));
        QCOMPARE(dateFormatPicture("d9", "d2"), QStringLiteral("d2"));
        QCOMPARE(dateFormatTexts().size(), 15);
        QVERIFY(!asksYearConversion("n4b", "Year Only", false));
        QVERIFY(asksYearConversion("d2", "Year Only", false));
        QVERIFY(!asksYearConversion("", "Year Only", true));
        QVERIFY(asksYearConversion("", "Year Only", false));
    }

    void wizardUntilFinishedOnce()
    {
        Catalogue cat(false);
        MainFrame frame(cat.files);
        frame.show();
        // Cancel: the wizard again next time.
        pressF10(frame, [](QWidget *modal) {
            QCOMPARE(modal->windowTitle(), QStringLiteral("Setup Wizard"));
            click(modal, "cancel");
        });
        QCOMPARE(cat.stored("SetupWizardComplete"), QStringLiteral("0"));
        pressF10(frame, [](QWidget *modal) {
            auto *wizard = qobject_cast<SetupWizard *>(modal);
            QVERIFY(wizard);
            QCOMPARE(wizard->step(), 1);
            QVERIFY(!wizard->findChild<QPushButton *>("back")->isEnabled());
            QVERIFY(!wizard->findChild<QPushButton *>("finish")->isVisible());
            click(wizard, "next");
            QCOMPARE(wizard->findChild<QComboBox *>("dateFormat")->currentText(), QStringLiteral("Year Only"));
            click(wizard, "next");
            auto *udk = wizard->findChild<QLineEdit *>("udkPrompt");
            udk->clear();
            QTest::keyClicks(udk, "Label");
            click(wizard, "next");
            click(wizard, "next");
            QCOMPARE(wizard->step(), 5);
            QVERIFY(!wizard->findChild<QPushButton *>("next")->isEnabled());
            QVERIFY(wizard->findChild<QPushButton *>("finish")->isVisible());
            click(wizard, "finish");
        });
        QCOMPARE(cat.stored("SetupWizardComplete"), QStringLiteral("1"));
        QCOMPARE(cat.stored("DateFormat"), QStringLiteral("n4b"));
        QCOMPARE(cat.stored("UDKPrompt"), QStringLiteral("Label"));
        QVERIFY(cat.person.shown.isEmpty()); // no date question at a first start
        // Now F10 opens the preferences.
        pressF10(frame, [](QWidget *modal) {
            QCOMPARE(modal->windowTitle(), QStringLiteral("Preferences"));
            click(modal, "cancel");
        });
    }

    void preferencesDateFormat_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("after");
        QTest::newRow("Year Only already stored") << "n4b" << "Year Only" << QStringList{} << "n4b";
        QTest::newRow("unchanged Windows Default") << "d17" << "Windows Default" << QStringList{} << "d17";
        QTest::newRow("to Year Only") << "d2" << "Year Only" << QStringList{"Information", "Basic Format Changed"} << "n4b";
        QTest::newRow("to day/month/year") << "d2" << "31/10/1959" << QStringList{"Information"} << "d6";
        QTest::newRow("a picture not in the table kept") << "d9" << "d9" << QStringList{} << "d9";
    }
    void preferencesDateFormat()
    {
        QFETCH(QString, stored);
        QFETCH(QString, chosen);
        QFETCH(QStringList, messages);
        QFETCH(QString, after);
        Catalogue cat(true);
        writeProfile(cat.preferences(), "Settings", "DateFormat", stored);
        cat.person.answer({Button::No});
        MainFrame frame(cat.files);
        frame.show();
        pressF10(frame, [chosen](QWidget *modal) {
            auto *list = modal->findChild<QComboBox *>("dateFormat");
            list->setCurrentText(chosen);
            click(modal, "ok");
        });
        QStringList titles;
        for (const ShownMessage &m : cat.person.shown)
            titles << m.title;
        QCOMPARE(titles, messages);
        QCOMPARE(cat.stored("DateFormat"), after);
        QCOMPARE(settings().dateFormat, after);
    }

    void okWritesAndCancelUndoes()
    {
        Catalogue cat(true);
        cat.person.paths.enqueue(cat.dir.filePath("logo.gif"));
        MainFrame frame(cat.files);
        frame.show();
        const QString udkBefore = settings().udkPrompt;
        pressF10(frame, [](QWidget *modal) {
            modal->findChild<QLineEdit *>("udkPrompt")->setText("Mood");
            click(modal, "cancel");
        });
        QCOMPARE(settings().udkPrompt, udkBefore);
        QVERIFY(cat.stored("UDKPrompt").isEmpty() || cat.stored("UDKPrompt") == udkBefore);
        // Only the logo changed: no date message.
        pressF10(frame, [](QWidget *modal) {
            click(modal, "browse");
            modal->findChild<QCheckBox *>("CDDBAutomaticMode")->setChecked(true);
            click(modal, "ok");
        });
        QVERIFY(cat.person.shown.isEmpty());
        QCOMPARE(cat.stored("Logo"), cat.dir.filePath("logo.gif"));
        QCOMPARE(cat.stored("Setup"), QStringLiteral("1"));
        QCOMPARE(cat.stored("CDDBAutomaticMode"), QStringLiteral("1"));
        QCOMPARE(readProfile(profilePath(cat.dir.path(), settingsfile::DiscTalk), "Default", "AutomaticMode"),
                 QStringLiteral("Y"));
        QCOMPARE(cat.person.dialogs.last().value(0), QStringLiteral("Choose a File"));
    }
};

QTEST_MAIN(TestPrefsWindows)
#include "tst_prefs_windows.moc"
