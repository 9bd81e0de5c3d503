// DiscTalk against a CDDB server the test runs on 127.0.0.1 and against a
// local xmcd collection: what lands in CDDB_LOG.TXT and DISCTALK.INI for
// single, several and no matches, and that errors, slow and malformed
// replies change nothing.
#include "cddbserver.h"
#include "disctalk.h"
#include "profile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace crx::test;

namespace {

const QByteArray Query = "18026003 3 150 15239 29625 610";
const QByteArray Record = "# xmcd\nDISCID=18026003\nDTITLE=ABBA / Gold\nTTITLE0=Dancing Queen\nTTITLE1=Waterloo\n"
                          "TTITLE2=SOS\n";

class ScriptedAsker : public disctalk::Asker
{
public:
    int choose(const QList<disctalk::Match> &matches) override
    {
        offered = matches;
        return choice;
    }
    void tell(const QString &error) override { told << error; }
    int choice = -1;
    QList<disctalk::Match> offered;
    QStringList told;
};

} // namespace

class TestDiscTalk : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        dir = std::make_unique<QTemporaryDir>();
        server = std::make_unique<CddbServer>();
        ini = dir->filePath("DISCTALK.INI");
        crx::writeProfile(ini, "CDDB", "CDDB", QString::fromLatin1(Query));
        crx::writeProfile(ini, "CDDB", "Category", "before");
        crx::writeProfile(ini, "Default", "AutomaticMode", "Y");
        crx::writeProfile(ini, "Settings", "Server", "127.0.0.1");
        crx::writeProfile(ini, "Settings", "Port", QString::number(server->port()));
        crx::writeProfile(ini, "Settings", "Path", "/~cddb/cddb.cgi");
        crx::writeProfile(ini, "Settings", "EmailAddress", "anna@example.org");
    }

    void replies_data()
    {
        QTest::addColumn<QByteArray>("query");
        QTest::addColumn<QByteArray>("read");
        QTest::addColumn<bool>("automatic");
        QTest::addColumn<int>("choice");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("told");
        const QByteArray read = "210 rock 18026003\r\n" + Record + ".\r\n";
        QTest::newRow("one match") << QByteArray("200 rock 18026003 ABBA / Gold\r\n") << read << true << -1 << 0
                                   << "rock" << "";
        QTest::newRow("exact matches, automatic takes the first")
            << QByteArray("210 Found exact matches\r\nrock 18026003 ABBA / Gold\r\nmisc 18026003 Other\r\n.\r\n")
            << read << true << -1 << 0 << "rock" << "";
        QTest::newRow("inexact, the person chooses the second")
            << QByteArray("211 Found inexact matches\r\nmisc 18026003 Other\r\nrock 18026003 ABBA / Gold\r\n.\r\n")
            << read << false << 1 << 0 << "rock" << "";
        QTest::newRow("inexact, automatic takes none")
            << QByteArray("211 Found inexact matches\r\nrock 18026003 ABBA / Gold\r\n.\r\n") << read << true << -1 << 1
            << "before" << "";
        QTest::newRow("the person chooses none")
            << QByteArray("210 Found exact matches\r\nrock 18026003 ABBA / Gold\r\n.\r\n") << read << false << -1 << 1
            << "before" << "";
        QTest::newRow("no match") << QByteArray("202 No match found\r\n") << read << true << -1 << 1 << "before" << "";
        QTest::newRow("server error") << QByteArray("500 Command syntax error\r\n") << read << true << -1 << 2
                                      << "before" << "says: 500 Command syntax error";
        QTest::newRow("an HTML page") << QByteArray("<html><body>Gateway Timeout</body></html>") << read << true << -1
                                      << 2 << "before" << "not a CDDB reply";
        QTest::newRow("a list without its end")
            << QByteArray("210 Found exact matches\r\nrock 18026003 ABBA / Gold\r\n") << read << true << -1 << 2
            << "before" << "closing line";
        QTest::newRow("a record without its end") << QByteArray("200 rock 18026003 ABBA / Gold\r\n")
                                                  << QByteArray("210 rock 18026003\r\n" + Record) << true << -1 << 2
                                                  << "before" << "closing line";
        QTest::newRow("another disc's record") << QByteArray("200 rock 18026003 ABBA / Gold\r\n")
                                               << QByteArray("210 rock 99999999\r\n" + Record + ".\r\n") << true << -1
                                               << 2 << "before" << "not the disc asked for";
        QTest::newRow("an over-long line") << QByteArray("200 rock 18026003 ABBA / Gold\r\n")
                                           << QByteArray("210 rock 18026003\r\nTTITLE0=" + QByteArray(2000, 'x')
                                                         + "\r\n.\r\n")
                                           << true << -1 << 2 << "before" << "longer than 1024";
        QTest::newRow("a read error") << QByteArray("200 rock 18026003 ABBA / Gold\r\n")
                                      << QByteArray("401 rock 18026003 No such CD entry in database.\r\n") << true << -1
                                      << 2 << "before" << "401";
    }
    void replies()
    {
        QFETCH(QByteArray, query);
        QFETCH(QByteArray, read);
        QFETCH(bool, automatic);
        QFETCH(QString, told);
        server->replies = {{"query", query}, {"read", read}};
        crx::writeProfile(ini, "Default", "AutomaticMode", automatic ? "Y" : "N");
        QFETCH(int, choice);
        ScriptedAsker asker;
        asker.choice = choice;
        const int status = disctalk::run(dir->path(), asker);
        QTEST(status, "status");
        QTEST(crx::readProfile(ini, "CDDB", "Category"), "category");
        QCOMPARE(QFile::exists(dir->filePath("CDDB_LOG.TXT")), status == 0);
        if (told.isEmpty())
            QCOMPARE(asker.told, QStringList());
        else
            QVERIFY2(asker.told.size() == 1 && asker.told[0].contains(told), qPrintable(asker.told.join('|')));
        QCOMPARE(server->commands.value(0), QStringLiteral("cddb query ") + QString::fromLatin1(Query));
        QCOMPARE(server->hellos.value(0).section(' ', 0, 0), QStringLiteral("anna"));
        QVERIFY(server->hellos.value(0).endsWith(" Cantorix 2.07 proto=6"));
        if (status == 0) {
            QFile log(dir->filePath("CDDB_LOG.TXT"));
            QVERIFY(log.open(QIODevice::ReadOnly));
            QCOMPARE(log.readAll(), Record);
            QCOMPARE(server->commands.value(1), QStringLiteral("cddb read rock 18026003"));
        }
    }

    // A reply in Windows-1252 is read as such and written in UTF-8.
    void aWindows1252Reply()
    {
        server->replies = {{"query", "200 misc 18026003 Bj\xf6rk / Post\r\n"},
                           {"read", "210 misc 18026003\r\nDTITLE=Bj\xf6rk / Post \x96 Live\r\n.\r\n"}};
        ScriptedAsker asker;
        QCOMPARE(disctalk::run(dir->path(), asker), 0);
        QFile log(dir->filePath("CDDB_LOG.TXT"));
        QVERIFY(log.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(log.readAll()), QStringLiteral("DTITLE=Bj\u00f6rk / Post \u2013 Live\n"));
    }

    void aServerThatDoesNotAnswer()
    {
        server->slow = true;
        crx::writeProfile(ini, "Settings", "Timeout", "1");
        ScriptedAsker asker;
        QCOMPARE(disctalk::run(dir->path(), asker), 2);
        QVERIFY2(asker.told.value(0).contains("did not answer within 1 seconds"), qPrintable(asker.told.join('|')));
        QVERIFY(!QFile::exists(dir->filePath("CDDB_LOG.TXT")));
    }

    // The local collection is looked in first; without a server, only there.
    void aLocalCollection()
    {
        QDir(dir->path()).mkpath("xmcd/rock");
        QFile record(dir->filePath("xmcd/rock/18026003"));
        QVERIFY(record.open(QIODevice::WriteOnly));
        record.write(Record);
        record.close();
        crx::writeProfile(ini, "Settings", "LocalCddb", "xmcd");
        crx::writeProfile(ini, "Settings", "Server", "");
        ScriptedAsker asker;
        QCOMPARE(disctalk::run(dir->path(), asker), 0);
        QCOMPARE(crx::readProfile(ini, "CDDB", "Category"), QStringLiteral("rock"));
        QVERIFY(server->commands.isEmpty());
        crx::writeProfile(ini, "CDDB", "CDDB", "0a0b0c01 1 150 9000");
        QFile::remove(dir->filePath("CDDB_LOG.TXT"));
        QCOMPARE(disctalk::run(dir->path(), asker), 1);
        QVERIFY(!QFile::exists(dir->filePath("CDDB_LOG.TXT")));
    }

    void noQueryLine()
    {
        crx::writeProfile(ini, "CDDB", "CDDB", "");
        ScriptedAsker asker;
        QCOMPARE(disctalk::run(dir->path(), asker), 2);
        QVERIFY(server->commands.isEmpty());
    }

private:
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<CddbServer> server;
    QString ini;
};

QTEST_GUILESS_MAIN(TestDiscTalk)
#include "tst_disctalk.moc"
