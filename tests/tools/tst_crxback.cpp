// The backup program: consistent copies while the catalogue is written to,
// the list of backups, and a restore that keeps the state it replaces.
#include "backup.h"
#include "datafile.h"

#include <QTemporaryDir>
#include <QtTest>
#include <sqlite3.h>

using namespace crx;

namespace {

void addMedia(DataFile &media, const QString &name)
{
    media.buffer().clear();
    media.buffer().set("Media", name);
    QCOMPARE(media.add(), int(NoError));
}

QStringList names(const QString &dir)
{
    DataFile media(fileDef(FileId::Media), dir);
    QStringList out;
    if (media.open() != NoError)
        return {"cannot open"};
    media.setToStart(-1);
    while (media.next() == NoError)
        out << media.buffer().get("Media").toString();
    return out;
}

} // namespace

class TestCrxBack : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void backupIsConsistentWhileTheCatalogueIsWritten();
    void restorePutsTheBackupBackAndKeepsTheState();
    void restoreOfNothingChangesNothing();
};

void TestCrxBack::backupIsConsistentWhileTheCatalogueIsWritten()
{
    QTemporaryDir dir;
    DataFile media(fileDef(FileId::Media), dir.path());
    QCOMPARE(media.create(), int(NoError));
    addMedia(media, "CD");
    // Another program is in the middle of a change it has not committed.
    QCOMPARE(media.stream(), int(NoError));
    addMedia(media, "LP");

    QString error;
    const QString folder = crxback::backUp(dir.path(), &error);
    QVERIFY2(!folder.isEmpty(), qPrintable(error));
    QCOMPARE(names(folder), QStringList({"CD"}));
    QCOMPARE(media.flush(), int(NoError));
    QCOMPARE(crxback::backups(dir.path()).size(), 1);
    QCOMPARE(crxback::backups(dir.path()).first(), QFileInfo(folder).fileName());
}

void TestCrxBack::restorePutsTheBackupBackAndKeepsTheState()
{
    QTemporaryDir dir;
    {
        DataFile media(fileDef(FileId::Media), dir.path());
        QCOMPARE(media.create(), int(NoError));
        addMedia(media, "CD");
    }
    QString error;
    const QString first = QFileInfo(crxback::backUp(dir.path(), &error)).fileName();
    {
        DataFile media(fileDef(FileId::Media), dir.path());
        QCOMPARE(media.open(), int(NoError));
        addMedia(media, "Vinyl");
    }
    QVERIFY2(crxback::restore(dir.path(), first, &error), qPrintable(error));
    QCOMPARE(names(dir.path()), QStringList({"CD"}));
    // The state the restore replaced is a backup of its own.
    const QStringList all = crxback::backups(dir.path());
    QCOMPARE(all.size(), 2);
    QCOMPARE(names(QDir(dir.filePath("backups")).filePath(all.first())), QStringList({"CD", "Vinyl"}));
}

void TestCrxBack::restoreOfNothingChangesNothing()
{
    QTemporaryDir dir;
    {
        DataFile media(fileDef(FileId::Media), dir.path());
        QCOMPARE(media.create(), int(NoError));
        addMedia(media, "CD");
    }
    QString error;
    QVERIFY(!crxback::restore(dir.path(), "no such backup", &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(names(dir.path()), QStringList({"CD"}));
    QVERIFY(crxback::backups(dir.path()).isEmpty());
}

QTEST_GUILESS_MAIN(TestCrxBack)
#include "tst_crxback.moc"
