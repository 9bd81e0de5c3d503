// The media format and artist default lists and forms, and the popup menus
// of the lists.
#include "browsecategories.h"
#include "datafile.h"
#include "fileset.h"
#include "mediaandartists.h"
#include "scriptedinteraction.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

using namespace crx;
using namespace crx::test;

namespace {

QStringList menuTexts(BrowseWindow &list)
{
    QStringList out;
    const std::unique_ptr<QMenu> menu = list.popupMenu();
    for (QAction *a : menu->actions())
        out << (a->isSeparator() ? QString("-") : (a->isEnabled() ? "" : "~") + a->text());
    return out;
}

// Types into the next form that opens and presses OK; with cancelAfter, presses Cancel once it stays open.
void answerForm(const QString &field, const QString &text, bool cancelAfter = false)
{
    QTimer::singleShot(0, [=] {
        auto *form = qobject_cast<FormWindow *>(QApplication::activeModalWidget());
        QVERIFY(form);
        form->findChild<QLineEdit *>(field)->setText(text);
        QTest::mouseClick(form->okButton(), Qt::LeftButton);
        if (cancelAfter && form->isVisible())
            QTest::mouseClick(form->cancelButton(), Qt::LeftButton);
    });
}

} // namespace

class TestMediaAndArtists : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void popupMenusAsEachListWordsThem();
    void duplicateMediaFormatIsRefused();
    void renamingAMediaFormatRenamesItsSongs();
    void artistDefaults();
};

void TestMediaAndArtists::popupMenusAsEachListWordsThem()
{
    ScriptedInteraction person;
    QTemporaryDir dir;
    FileSet files(dir.path());
    BrowseCategories categories(files);
    QVERIFY(categories.start());
    QCOMPARE(menuTexts(categories), QStringList({"&Insert", "~&Change", "~&Delete", "-", "~&Select"}));
    DataFile &media = files.use(FileId::Media);
    media.buffer().set("Media", "CD");
    media.add();
    BrowseMedia list(files);
    QVERIFY(list.start());
    QCOMPARE(list.windowTitle(), QString("Browse Media Formats"));
    QCOMPARE(menuTexts(list), QStringList({"~&Select", "&Add", "&Change", "&Delete"}));
    list.setSelectMode(true);
    QCOMPARE(menuTexts(list), QStringList({"&Select", "&Add", "&Change", "&Delete"}));
    QCOMPARE(list.button("close")->text(), QString("E&xit"));
    files.release(FileId::Media);
}

void TestMediaAndArtists::duplicateMediaFormatIsRefused()
{
    ScriptedInteraction person;
    QTemporaryDir dir;
    FileSet files(dir.path());
    DataFile &media = files.use(FileId::Media);
    media.buffer().set("Media", "CD");
    media.add();
    BrowseMedia list(files);
    QVERIFY(list.start());
    list.show();
    answerForm("MED:Media", "cd", true);
    list.insertRecord();
    QCOMPARE(person.shown.size(), 1);
    QCOMPARE(person.shown[0].text, QString("Adding this record creates a duplicate entry for the key:MED:KeyMedia"));
    QCOMPARE(media.records(), 1);
    files.release(FileId::Media);
}

void TestMediaAndArtists::renamingAMediaFormatRenamesItsSongs()
{
    ScriptedInteraction person;
    QTemporaryDir dir;
    FileSet files(dir.path());
    DataFile &media = files.use(FileId::Media);
    DataFile &songs = files.use(FileId::Cantorix);
    media.buffer().set("Media", "LP");
    media.add();
    for (int id = 1; id <= 3; ++id) {
        songs.buffer().clear();
        songs.buffer().set("ID", id);
        songs.buffer().set("Media", "LP");
        songs.add();
    }
    BrowseMedia list(files);
    QVERIFY(list.start());
    list.show();
    answerForm("MED:Media", "Vinyl LP");
    list.changeRecord();
    QCOMPARE(list.listBox()->currentItem()->text(0), QString("Vinyl LP"));
    songs.setToStart(-1);
    QStringList names;
    while (songs.next() == NoError)
        names << songs.buffer().get("Media").toString();
    QCOMPARE(names, QStringList({"Vinyl LP", "Vinyl LP", "Vinyl LP"}));
    files.release(FileId::Media);
    files.release(FileId::Cantorix);
}

void TestMediaAndArtists::artistDefaults()
{
    ScriptedInteraction person;
    QTemporaryDir dir;
    FileSet files(dir.path());
    BrowseArtists list(files);
    QVERIFY(list.start());
    list.show();
    QCOMPARE(list.windowTitle(), QString("Artists (for Auto-Completion)"));
    QCOMPARE(list.button("insert")->text(), QString("&New"));
    answerForm("ART:Artist", "Björk");
    QTest::keyClick(list.listBox(), Qt::Key_Insert);
    QCOMPARE(list.listBox()->currentItem()->text(0), QString("Björk"));
    // Help opens the list's page, or the contents while it has none.
    QTest::mouseClick(list.button("help"), Qt::LeftButton);
    QCOMPARE(person.documents.size(), 1);
    QVERIFY(person.documents.first().endsWith("/help/BrowseArtists.html")
            || person.documents.first().endsWith("/help/index.html"));
}

QTEST_MAIN(TestMediaAndArtists)
#include "tst_media_and_artists.moc"
