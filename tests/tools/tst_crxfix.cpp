// crxfix on files the test damages: a sound file left byte for byte, a page
// overwritten in the middle and a truncated file each repaired with every
// readable record (the damaged file kept as .bak, then .bak1), a file of
// another kind left alone; and the structure example the file manager writes.
#include "datafile.h"
#include "record.h"
#include "repair.h"
#include "schema.h"
#include "structureexample.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace crx;

namespace {

constexpr int Songs = 3000;

QByteArray contents(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

struct SongFile {
    SongFile()
    {
        DataFile songs(fileDef(FileId::Cantorix), dir.path());
        songs.create();
        songs.open();
        songs.stream();
        for (int n = 1; n <= Songs; ++n) {
            songs.buffer().clear();
            songs.buffer().set("MUS:ID", n);
            songs.buffer().set("MUS:Artist", QStringLiteral("Artist %1").arg(n % 97));
            songs.buffer().set("MUS:Title", QStringLiteral("Title number %1 of a long enough name").arg(n));
            songs.add();
        }
        songs.flush();
        path = songs.path();
        songs.close();
        example = QDir(dir.path()).filePath(exampleName(QFileInfo(path).fileName()));
        QString error;
        QCOMPARE(ds_MakeExample(fileDef(FileId::Cantorix), path, example, error), QChar('0'));
    }
    // The songs of the file as it now stands, checked by their key.
    qint64 readableSongs()
    {
        DataFile songs(fileDef(FileId::Cantorix), dir.path());
        if (songs.open() != NoError)
            return -1;
        qint64 count = 0;
        songs.buffer().clear();
        songs.set(songs.def().keyIndex("MUS:KeyID"));
        while (songs.next() == NoError) {
            const qint64 id = songs.buffer().get("MUS:ID").toLongLong();
            if (songs.buffer().get("MUS:Title").toString() != QStringLiteral("Title number %1 of a long enough name").arg(id))
                return -2;
            ++count;
        }
        return count == songs.records() ? count : -3;
    }
    QTemporaryDir dir;
    QString path, example;
};

} // namespace

class TestCrxfix : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void soundFileUnchanged()
    {
        SongFile file;
        const QByteArray before = contents(file.path);
        const RepairResult result = repairFile(file.path, file.example);
        QCOMPARE(result.outcome, RepairResult::Sound);
        QCOMPARE(contents(file.path), before);
        QVERIFY(!QFile::exists(file.path + ".bak"));
        QVERIFY(result.message.contains("sound"));
    }

    void damagedFilesRepaired_data()
    {
        QTest::addColumn<bool>("truncate");
        QTest::newRow("a page overwritten in the middle") << false;
        QTest::newRow("truncated") << true;
    }
    void damagedFilesRepaired()
    {
        QFETCH(bool, truncate);
        SongFile file;
        {
            QFile f(file.path);
            QVERIFY(f.open(QIODevice::ReadWrite));
            if (truncate) {
                QVERIFY(f.resize(f.size() * 2 / 3));
            } else {
                // A run of pages in the middle, table pages among them.
                f.seek(f.size() / 4096 / 3 * 4096);
                f.write(QByteArray(4096 * 8, '\x5a'));
            }
        }
        const QByteArray damaged = contents(file.path);
        const RepairResult result = repairFile(file.path, file.example);
        qInfo("%s", qPrintable(result.message));
        QCOMPARE(result.outcome, RepairResult::Repaired);
        QVERIFY(result.recovered > Songs / 3);
        QVERIFY(result.recovered < Songs);
        // Pages overwritten in the middle: the keys still know the records that were on them.
        if (!truncate)
            QCOMPARE(result.recovered + result.lost, qint64(Songs));
        QCOMPARE(file.readableSongs(), result.recovered);
        // The damaged file is kept as it was.
        QCOMPARE(result.backup, file.path + ".bak");
        QCOMPARE(contents(file.path + ".bak"), damaged);
        QVERIFY(QDir(file.dir.path()).entryList(QDir::Hidden | QDir::AllDirs).filter("crxfix").isEmpty());
        // A second repair of a sound file changes nothing; a second damage keeps .bak and adds .bak1.
        QCOMPARE(repairFile(file.path, file.example).outcome, RepairResult::Sound);
        {
            QFile f(file.path);
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.resize(f.size() / 2));
        }
        QCOMPARE(repairFile(file.path, QString()).backup, file.path + ".bak1"); // the layout from the file itself
        QCOMPARE(contents(file.path + ".bak"), damaged);
    }

    void foreignFileLeftAlone()
    {
        QTemporaryDir dir;
        const QString path = QDir(dir.path()).filePath("crxdata.tps");
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write("not a catalogue at all\n");
        f.close();
        const RepairResult result = repairFile(path, QString());
        QCOMPARE(result.outcome, RepairResult::LeftAlone);
        QVERIFY(result.message.contains("not a catalogue file"));
        QCOMPARE(contents(path), QByteArray("not a catalogue at all\n"));
        QString error;
        QCOMPARE(ds_MakeExample(fileDef(FileId::Cantorix), path, dir.filePath("x.tpe"), error), QChar('2'));
        QCOMPARE(ds_MakeExample(fileDef(FileId::Cantorix), dir.filePath("none.tps"), dir.filePath("x.tpe"), error),
                 QChar('1'));
        QCOMPARE(repairFile(dir.filePath("none.tps"), QString()).outcome, RepairResult::LeftAlone);
    }

    void structureExample()
    {
        SongFile file;
        const QString text = QString::fromUtf8(contents(file.example));
        QVERIFY(text.startsWith("label=Cantorix\nlayout="));
        QVERIFY(text.contains("field=Artist text 50\n"));
        QVERIFY(text.contains("key=SongsByArtist Artist,Title,Mix dup\n"));
        QCOMPARE(exampleLabel(file.example), QStringLiteral("Cantorix"));
        QCOMPARE(exampleName("crxdata.tps"), QStringLiteral("crxdata.tpe"));
        QCOMPARE(exampleName("crxdata"), QStringLiteral("crxdata.tpe"));
    }
};

QTEST_MAIN(TestCrxfix)
#include "tst_crxfix.moc"
