// Line files: lines read up to their width in UTF-8 or Latin-1, lines
// written, and the event log's layout.
#include "linefile.h"
#include "result.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace crx;

class TestLineFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void linesAreReadUpToTheirWidth();
    void missingFileIsReported();
    void eventLogEntriesArePaddedSideBySide();
};

void TestLineFile::linesAreReadUpToTheirWidth()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("CDDB_LOG.TXT");
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("DTITLE=Bj\xc3\xb6rk / Post\r\n");
        f.write("TTITLE0=Army of Me \xe9t\xe9\n"); // Latin-1
        f.write(QByteArray(2000, 'a') + "\n");
        f.write("last line without an end");
    }
    LineFile in(LineFile::ImportWidth);
    in.setName(path);
    QCOMPARE(in.open(), int(NoError));
    QString line;
    QCOMPARE(in.next(line), int(NoError));
    QCOMPARE(line, QString("DTITLE=Björk / Post"));
    QCOMPARE(in.next(line), int(NoError));
    QCOMPARE(line, QString("TTITLE0=Army of Me été"));
    QCOMPARE(in.next(line), int(NoError));
    QCOMPARE(line.size(), 1024);
    QCOMPARE(in.next(line), int(NoError));
    QCOMPARE(line, QString("last line without an end"));
    QCOMPARE(in.next(line), int(RecordNotAvailable));

    LineFile out(LineFile::ExportWidth);
    out.setName(dir.filePath("out.csv"));
    QCOMPARE(out.create(), int(NoError));
    QCOMPARE(out.add("\"Björk\",\"Post\""), int(NoError));
    out.close();
    QFile written(dir.filePath("out.csv"));
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), QByteArray("\"Bj\xc3\xb6rk\",\"Post\"\n"));
}

void TestLineFile::missingFileIsReported()
{
    LineFile in(LineFile::ImportWidth);
    in.setName("/nonexistent/CDDB_LOG.TXT");
    QCOMPARE(in.open(), int(FileNotFound));
    QString line;
    QCOMPARE(in.next(line), int(FileNotOpen));
}

void TestLineFile::eventLogEntriesArePaddedSideBySide()
{
    QTemporaryDir dir;
    const QDateTime when(QDate(2026, 12, 10), QTime(14, 5));
    QCOMPARE(appendEventLog(dir.path(), "Read CD", "Tracks: 12", when), int(NoError));
    QCOMPARE(appendEventLog(dir.path(), "Read CD", "Done", when), int(NoError));
    QFile log(dir.filePath("CRXEvent.LOG"));
    QVERIFY(log.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = log.readAll().split('\n');
    QCOMPARE(lines.size(), 3);
    const QString first = QString::fromUtf8(lines[0]);
    QCOMPARE(first.size(), 102);
    QCOMPARE(first.left(12), QString("DEC 10,2026 "));
    QCOMPARE(first.mid(22, 30).trimmed(), QString("Read CD"));
    QCOMPARE(first.mid(52).trimmed(), QString("Tracks: 12"));
}

QTEST_GUILESS_MAIN(TestLineFile)
#include "tst_linefile.moc"
