// Settings files: reading and writing keys without disturbing the rest of the
// file, the preferences with their defaults, window placement, list formats
// and the last tab.
#include "filehelpers.h"
#include "placement.h"
#include "profile.h"
#include "settings.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace crx;
using namespace crx::test;

namespace {

// A window as placement sees it.
class FakeWindow : public PlacedWindow
{
public:
    bool maximized = false, minimized = false, resizable = true;
    QRect normal{10, 20, 300, 200};
    bool isMaximized() const override { return maximized; }
    bool isMinimized() const override { return minimized; }
    bool isResizable() const override { return resizable; }
    void showNormal() override { maximized = minimized = false; }
    void showMaximized() override { maximized = true; }
    QRect normalGeometry() const override { return normal; }
    void move(int x, int y) override { normal.moveTo(x, y); }
    void setGeometry(const QRect &g) override { normal = g; }
};

} // namespace

class TestSettings : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void keysMatchWithoutCase();
    void writingKeepsEverythingElse_data();
    void writingKeepsEverythingElse();
    void numbersAndFlagsReadLeniently_data();
    void numbersAndFlagsReadLeniently();
    void filesAreFoundAsTheProgramNamesThem();
    void missingPreferencesGiveEveryDefault();
    void preferencesAreReadAndCut();
    void placementRoundTrips();
    void maximisedWindowReopensMaximised();
    void minimisedWindowKeepsItsPlacement();
    void fixedSizeWindowIsOnlyMoved();
    void noPlacementLeavesTheDesign();
    void listFormatsFollowTheDesign();
    void lastTabOnlyWhenWanted();
};

void TestSettings::keysMatchWithoutCase()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("CRXPro98.INI");
    writeFileContents(path, "[settings]\ninterface = Explorer \nGLO:Delimiter=-\nSRCF?Browse:1=20L(2)|M~Artist~\n");
    QCOMPARE(readProfile(path, "Settings", "INTERFACE"), QString("Explorer"));
    QCOMPARE(readProfile(path, "SETTINGS", "glo:delimiter"), QString("-"));
    QCOMPARE(readProfile(path, "Settings", "SRCF?Browse:1"), QString("20L(2)|M~Artist~"));
    QCOMPARE(readProfile(path, "Settings", "Missing", "fallback"), QString("fallback"));
    QCOMPARE(readProfile(dir.filePath("none.ini"), "Settings", "Interface", "Standard"), QString("Standard"));
}

void TestSettings::writingKeepsEverythingElse_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QByteArray>("after");
    const QByteArray file = "; Cantorix settings\r\n[Settings]\r\nUDKPrompt=Crate\r\n\r\n# odd keys\r\n[Main]\r\n"
                            "XploreFont-?Browse=Arial\r\nXPosit=5\r\n";
    QTest::newRow("rewrite a value") << file << "main" << "xposit"
        << QByteArray("; Cantorix settings\r\n[Settings]\r\nUDKPrompt=Crate\r\n\r\n# odd keys\r\n[Main]\r\n"
                      "XploreFont-?Browse=Arial\r\nXPosit=99\r\n");
    QTest::newRow("add to a section") << file << "Settings" << "Tip"
        << QByteArray("; Cantorix settings\r\n[Settings]\r\nUDKPrompt=Crate\r\nTip=99\r\n\r\n# odd keys\r\n[Main]\r\n"
                      "XploreFont-?Browse=Arial\r\nXPosit=5\r\n");
    QTest::newRow("add a section") << file << "Global Settings" << "Version"
        << QByteArray(file + "\r\n[Global Settings]\r\nVersion=99\r\n");
    QTest::newRow("Latin-1 lines stay as they were") << QByteArray("[Settings]\nUDKPrompt=Caf\xe9\nTip=1\n") << "Settings" << "Tip"
        << QByteArray("[Settings]\nUDKPrompt=Caf\xe9\nTip=99\n");
    QTest::newRow("new file") << QByteArray() << "Settings" << "Tip" << QByteArray("[Settings]\nTip=99\n");
}

void TestSettings::writingKeepsEverythingElse()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QByteArray, after);
    QTemporaryDir dir;
    const QString path = dir.filePath("POSITION.INI");
    if (!before.isEmpty())
        writeFileContents(path, before);
    QVERIFY(writeProfile(path, section, key, "99"));
    QCOMPARE(fileContents(path), after);
    QCOMPARE(readProfile(path, section, key), QString("99"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList({"POSITION.INI"})); // no temporary file left
}

void TestSettings::numbersAndFlagsReadLeniently_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("number");
    QTest::newRow("number") << "150" << 150;
    QTest::newRow("negative") << "-3" << -3;
    QTest::newRow("digits then text") << "12abc" << 12;
    QTest::newRow("text") << "Yes" << 0;
    QTest::newRow("empty") << "" << 0;
}

void TestSettings::numbersAndFlagsReadLeniently()
{
    QFETCH(QString, text);
    QFETCH(int, number);
    QCOMPARE(profileNumber(text), number);
}

void TestSettings::filesAreFoundAsTheProgramNamesThem()
{
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("catalogue");
    const QString work = dir.filePath("catalogue");
    QCOMPARE(profilePath(work, settingsfile::Positions), QDir(work).filePath("POSITION.INI"));
    QCOMPARE(profilePath(work, settingsfile::Deleted), dir.filePath("DELETE.INI"));
    writeFileContents(QDir(work).filePath("crxpro98.ini"), "[Settings]\nInterface=Explorer\n");
    QCOMPARE(profilePath(work, settingsfile::Preferences), QDir(work).filePath("crxpro98.ini"));
    QCOMPARE(loadSettings(work).interface, QString("Explorer"));
}

void TestSettings::missingPreferencesGiveEveryDefault()
{
    QTemporaryDir dir;
    const Settings s = loadSettings(dir.path());
    QCOMPARE(s.autoAddToAlbums, QString("1")); // songs are linked to albums
    QVERIFY(s.autoComplete);
    QVERIFY(s.showTips);
    QCOMPARE(s.interface, QString("Standard"));
    QVERIFY(!s.setupWizardComplete);
    QVERIFY(s.saveLastTab);
    QVERIFY(!s.useLog);
    QVERIFY(!s.openAlbumsAtStart);
    QCOMPARE(s.cdTimer, 150);
    QCOMPARE(s.udkPrompt, QString("Custom"));
    QCOMPARE(s.notesLabel, QString("Notes"));
    QCOMPARE(s.delimiter, QString("."));
    QCOMPARE(s.dateFormat, QString());
    QCOMPARE(readOtherSetting(dir.path(), "Tip"), QString("1"));
    QCOMPARE(readOtherSetting(dir.path(), "CDDBCategory"), QString("rock"));
    QCOMPARE(readOtherSetting(dir.path(), "LastDirectory"), QDir(dir.path()).absolutePath());
}

void TestSettings::preferencesAreReadAndCut()
{
    QTemporaryDir dir;
    writeFileContents(dir.filePath("CRXPro98.INI"), "[Settings]\nUDKPrompt=A prompt much longer than twenty-four\n"
                                        "GLO:Delimiter=)-\nShowTips=0\nSU_Songs=1\nCDTimer=abc\nDateFormat=d4\n"
                                        "[Global Settings]\nVersion=2.05\n");
    reloadSettings(dir.path());
    const Settings &s = settings();
    QCOMPARE(s.udkPrompt, QString("A prompt much longer tha"));
    QCOMPARE(s.delimiter, QString(")"));
    QVERIFY(!s.showTips);
    QVERIFY(s.openSongsAtStart);
    QCOMPARE(s.cdTimer, 0);
    QCOMPARE(s.dateFormat, QString("d4"));
    QCOMPARE(readOtherSetting(dir.path(), "Version"), QString("2.05"));
}

void TestSettings::placementRoundTrips()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("POSITION.INI");
    FakeWindow closing;
    closing.normal = QRect(40, 50, 640, 480);
    SaveWindowPlacement(path, "UpdateSong", closing);
    FakeWindow opening;
    RestoreWindowPlacement(path, "UpdateSong", opening);
    QCOMPARE(opening.normal, QRect(40, 50, 640, 480));
    QVERIFY(!opening.maximized);
    QCOMPARE(readProfile(path, "UpdateSong", "Maximize"), QString("No"));
}

void TestSettings::maximisedWindowReopensMaximised()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("POSITION.INI");
    FakeWindow closing;
    closing.normal = QRect(40, 50, 640, 480); // its size before it was maximised
    closing.maximized = true;
    SaveWindowPlacement(path, "Main", closing);
    QCOMPARE(readProfile(path, "Main", "Maximize"), QString("Yes"));
    FakeWindow opening;
    RestoreWindowPlacement(path, "Main", opening);
    QVERIFY(opening.maximized);
    opening.showNormal();
    QCOMPARE(opening.normal, QRect(40, 50, 640, 480));
}

void TestSettings::minimisedWindowKeepsItsPlacement()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("POSITION.INI");
    FakeWindow window;
    window.normal = QRect(40, 50, 640, 480);
    SaveWindowPlacement(path, "BrowseSongs", window);
    const QByteArray saved = fileContents(path);
    window.normal = QRect(1, 1, 10, 10);
    window.minimized = true;
    SaveWindowPlacement(path, "BrowseSongs", window);
    QCOMPARE(fileContents(path), saved);
}

void TestSettings::fixedSizeWindowIsOnlyMoved()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("POSITION.INI");
    writeFileContents(path, "[CompileDate]\nXPosit=70\nYPosit=80\nWidth=900\nHeight=900\nMaximize=No\n");
    FakeWindow window;
    window.resizable = false;
    RestoreWindowPlacement(path, "CompileDate", window);
    QCOMPARE(window.normal, QRect(70, 80, 300, 200));
}

void TestSettings::noPlacementLeavesTheDesign()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("POSITION.INI");
    FakeWindow window;
    RestoreWindowPlacement(path, "BrowseAlbums", window);
    QCOMPARE(window.normal, QRect(10, 20, 300, 200));
    writeFileContents(path, "[BrowseAlbums]\nXPosit=0\nYPosit=80\nWidth=900\nHeight=900\nMaximize=Yes\n");
    RestoreWindowPlacement(path, "BrowseAlbums", window);
    QCOMPARE(window.normal, QRect(10, 20, 300, 200));
    QVERIFY(!window.maximized);
}

void TestSettings::listFormatsFollowTheDesign()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("POSITION.INI");
    const QString designed = "80L(2)|M~Artist~@s50@";
    QCOMPARE(restoreListFormat(path, "BrowseSongs", "?Browse:1", designed), designed);
    QCOMPARE(readProfile(path, "BrowseSongs", "SRCFOriginal?Browse:1"), designed);
    saveListFormat(path, "BrowseSongs", "?Browse:1", "120L(2)|M~Artist~@s50@");
    QCOMPARE(restoreListFormat(path, "BrowseSongs", "?Browse:1", designed), QString("120L(2)|M~Artist~@s50@"));
    // The program's design changed: the user's old format gives way.
    const QString redesigned = "90L(2)|M~Artist~@s50@";
    QCOMPARE(restoreListFormat(path, "BrowseSongs", "?Browse:1", redesigned), redesigned);
    QCOMPARE(readProfile(path, "BrowseSongs", "SRCFOriginal?Browse:1"), redesigned);
}

void TestSettings::lastTabOnlyWhenWanted()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("CRXPro98.INI");
    QCOMPARE(restoreLastTab(path, "SongTab", 1, true), 1);
    saveLastTab(path, "SongTab", 4);
    QCOMPARE(restoreLastTab(path, "SongTab", 1, true), 4);
    QCOMPARE(restoreLastTab(path, "SongTab", 1, false), 1);
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
