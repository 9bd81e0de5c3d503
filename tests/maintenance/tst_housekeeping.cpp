// The housekeeping passes on small catalogues that show each rule: albums
// built from songs (the Hits by A, B, C case, six-digit file numbers, links to
// albums that are gone), identifiers given by the link test, side 0, padded
// file numbers, album times, dates to years, and a range of albums deleted
// with their songs, from the frame's menu as a person starts them.
#include "cataloguefill.h"
#include "datafile.h"
#include "filemanager.h"
#include "fileset.h"
#include "housekeeping.h"
#include "housekeepingwindows.h"
#include "mainframe.h"
#include "picture.h"
#include "profile.h"
#include "record.h"
#include "scriptedinteraction.h"
#include "settings.h"
#include "windowsteps.h"

#include <QLineEdit>
#include <QTreeWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace crx;
using namespace crx::test;

namespace {

struct Catalogue {
    Catalogue() : files(dir.path()) { settings() = Settings(); }
    void addSong(qint64 id, const QString &artist, const QString &album, qint64 albumId = 0,
                 const QString &fileNumber = QString())
    {
        DataFile &songs = files.use(FileId::Cantorix);
        songs.buffer().clear();
        songs.buffer().set("MUS:ID", id);
        songs.buffer().set("MUS:Artist", artist);
        songs.buffer().set("MUS:Album", album);
        songs.buffer().set("MUS:Title", QStringLiteral("Song %1").arg(id));
        songs.buffer().set("MUS:AlbumID", albumId);
        songs.buffer().set("MUS:FileNumber", fileNumber);
        QCOMPARE(songs.add(), int(NoError));
        files.release(FileId::Cantorix);
    }
    void addAlbum(qint64 id, const QString &title, const QString &fileNumber = QString(), qint64 time = 0)
    {
        DataFile &albums = files.use(FileId::Album);
        albums.buffer().clear();
        albums.buffer().set("ALB:AlbumID", id);
        albums.buffer().set("ALB:Album", title);
        albums.buffer().set("ALB:Artist", QStringLiteral("Artist %1").arg(id));
        albums.buffer().set("ALB:FileNumber", fileNumber);
        albums.buffer().set("ALB:TotalTime", time);
        QCOMPARE(albums.add(), int(NoError));
        files.release(FileId::Album);
    }
    // Every record of a file in the order of a key, as "field=value" of the fields asked for.
    QStringList records(FileId id, const char *key, QStringList fields)
    {
        QStringList out;
        DataFile &file = files.use(id);
        file.buffer().clear();
        file.set(file.def().keyIndex(QLatin1String(key)));
        while (file.next() == NoError) {
            QStringList values;
            for (const QString &f : fields)
                values << file.buffer().get(f).toString();
            out << values.join('|');
        }
        files.release(id);
        return out;
    }
    void run(std::unique_ptr<BatchProcess> process)
    {
        if (process->start())
            while (process->tick()) {
            }
    }
    QTemporaryDir dir;
    FileSet files;
    ScriptedInteraction person;
};

} // namespace

class TestHousekeeping : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { registerMaintenanceWindows(); }

    void hitsByThreeArtistsMakeOneVariousAlbum()
    {
        Catalogue cat;
        cat.addSong(1, "A", "Hits");
        cat.addSong(2, "B", "Hits");
        cat.addSong(3, "C", "Hits");
        cat.run(buildAlbumsProcess(cat.files));
        QCOMPARE(cat.records(FileId::Album, "ALB:KeyAlbumID", {"ALB:AlbumID", "ALB:Artist", "ALB:Album", "ALB:FileNumber"}),
                 QStringList{"2|Various|Hits|000002"});
        QCOMPARE(cat.records(FileId::Cantorix, "MUS:KeyID", {"MUS:ID", "MUS:AlbumID"}), (QStringList{"1|2", "2|2", "3|2"}));
    }

    void newAlbumNumbersAndLinks()
    {
        Catalogue cat;
        for (int id = 1; id <= 6; ++id)
            cat.addAlbum(id, QStringLiteral("Album %1").arg(id), QStringLiteral("F%1").arg(id));
        cat.addSong(1, "Artist 3", "Album 3", 3, "F3");     // joined: left alone
        cat.addSong(2, "Solo", "New One");                   // a new album 7, numbered 000007
        cat.addSong(3, "Artist 5", "Album 5", 99, "F5");    // joined to an album that is gone
        DataFile &songs = cat.files.use(FileId::Cantorix);
        songs.buffer().clear();
        songs.buffer().set("MUS:ID", 1);
        songs.get(songs.def().keyIndex("MUS:KeyID"));
        const qint64 version = songs.buffer().version;
        cat.files.release(FileId::Cantorix);
        cat.run(buildAlbumsProcess(cat.files));
        QCOMPARE(cat.records(FileId::Cantorix, "MUS:KeyID", {"MUS:ID", "MUS:AlbumID", "MUS:FileNumber"}),
                 (QStringList{"1|3|F3", "2|7|000007", "3|5|F5"}));
        QCOMPARE(cat.records(FileId::Album, "ALB:KeyAlbumID", {"ALB:AlbumID", "ALB:FileNumber"}).last(),
                 QStringLiteral("7|000007"));
        DataFile &after = cat.files.use(FileId::Cantorix);
        after.buffer().clear();
        after.buffer().set("MUS:ID", 1);
        after.get(after.def().keyIndex("MUS:KeyID"));
        QCOMPARE(after.buffer().version, version);
        cat.files.release(FileId::Cantorix);
    }

    void linkTestGivesIdentifiers()
    {
        Catalogue cat;
        cat.addAlbum(5, "Gold");
        for (int id = 1; id <= 41; id += 10)
            cat.addSong(id, "X", "Other", 9);
        cat.addSong(0, "Artist 5", "Gold");
        cat.addSong(0, "Nobody", "Nothing");
        cat.run(testAlbumLinksProcess(cat.files));
        QCOMPARE(cat.records(FileId::Cantorix, "MUS:KeyID", {"MUS:ID", "MUS:AlbumID"}).mid(5),
                 (QStringList{"43|5", "44|0"}));
    }

    void sideFileNumberTimeAndDate()
    {
        QCOMPARE(paddedFileNumber("42"), QStringLiteral("000042"));
        QCOMPARE(paddedFileNumber("  42"), QStringLiteral("000042"));
        QCOMPARE(paddedFileNumber("12345"), QStringLiteral("012345"));
        for (const char *kept : {"42A", "0", "-5", "123456", ""})
            QCOMPARE(paddedFileNumber(kept), QString::fromLatin1(kept));
        QCOMPARE(dateAsYear(0), 0);
        QCOMPARE(dateAsYear(1998), 1998);
        QCOMPARE(dateAsYear(dayNumber(1998, 3, 14)), 1998);

        Catalogue cat;
        cat.addSong(1, "A", "X", 0, "42");
        cat.addSong(2, "B", "X", 0, "7A");
        DataFile &songs = cat.files.use(FileId::Cantorix);
        songs.buffer().clear();
        songs.buffer().set("MUS:ID", 2);
        songs.get(songs.def().keyIndex("MUS:KeyID"));
        songs.buffer().set("MUS:Side", 2);
        songs.buffer().set("MUS:ReleaseDate", dayNumber(1998, 3, 14));
        songs.put();
        cat.files.release(FileId::Cantorix);
        cat.run(sideZeroToOneProcess(cat.files));
        cat.run(padFileNumbersProcess(cat.files, FileId::Cantorix));
        cat.run(datesToYearsProcess(cat.files, FileId::Cantorix));
        QCOMPARE(cat.records(FileId::Cantorix, "MUS:KeyID", {"MUS:Side", "MUS:FileNumber", "MUS:ReleaseDate"}),
                 (QStringList{"1|000042|0", "2|7A|1998"}));
    }

    void albumTimes()
    {
        Catalogue cat;
        cat.addAlbum(1, "Summed");
        cat.addAlbum(2, "No songs");
        cat.addAlbum(3, "Timed", "", 5000);
        for (const auto &[id, time] : {std::pair{1, 18001}, std::pair{2, 24001}}) {
            cat.addSong(id, "A", "Summed", 1);
            DataFile &songs = cat.files.use(FileId::Cantorix);
            songs.buffer().set("MUS:Time", time);
            songs.put();
            cat.files.release(FileId::Cantorix);
        }
        cat.addSong(3, "A", "Timed", 3);
        cat.run(albumTimesProcess(cat.files));
        QCOMPARE(cat.records(FileId::Album, "ALB:KeyAlbumID", {"ALB:AlbumID", "ALB:TotalTime"}),
                 (QStringList{"1|42002", "2|0", "3|5000"}));
    }

    void deleteRange_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("A10 to A20") << "A10" << "A20" << QStringList{"", "A3"};
        QTest::newRow("both empty") << "" << "" << QStringList{"A10", "A100", "a15", "A20", "A3"};
        QTest::newRow("start after end") << "A3" << "A10" << QStringList{"", "A10", "A100", "a15", "A20", "A3"};
    }
    void deleteRange()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QStringList, left);
        Catalogue cat;
        int id = 0;
        for (const char *number : {"A10", "A100", "a15", "A20", "A3", ""}) {
            ++id;
            cat.addAlbum(id, QStringLiteral("Album %1").arg(id), QString::fromLatin1(number));
            cat.addSong(id, "A", QStringLiteral("Album %1").arg(id), id);
        }
        // Through the window, as the menu opens it.
        MainFrame frame(cat.files);
        frame.show();
        frame.action("&File/&Tools/Database", "&Delete Range of Albums")->trigger();
        auto *window = child<DeleteAlbumsSelection>(frame);
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), QStringLiteral("Delete Albums and Related Songs"));
        window->findChild<QLineEdit *>("starting")->setText(from);
        window->findChild<QLineEdit *>("ending")->setText(to);
        QTest::mouseClick(window->findChild<QPushButton *>("ok"), Qt::LeftButton);
        QTRY_VERIFY(!child<DeleteAlbumsSelection>(frame));
        QStringList albums = cat.records(FileId::Album, "ALB:KeyAlbumID", {"ALB:FileNumber"});
        albums.sort(Qt::CaseInsensitive);
        QStringList wanted = left;
        wanted.sort(Qt::CaseInsensitive);
        QCOMPARE(albums, wanted);
        // Each deleted album took its song with it.
        QCOMPARE(cat.records(FileId::Cantorix, "MUS:KeyID", {"MUS:ID"}).size(), left.size());
        // The range stays for the next time.
        QCOMPARE(startingFileNumber(), from);
    }

    void fileManager()
    {
        Catalogue cat;
        addOneAlbum(cat.files);
        addCategories(cat.files, {{1, "Rock"}, {2, "Jazz"}});
        MainFrame frame(cat.files);
        frame.show();
        frame.action("&File/&Tools/Database", "File &Manager")->trigger();
        auto *window = child<FileManager>(frame);
        QVERIFY(window);
        QTreeWidget *list = window->list();
        QCOMPARE(columnTexts(*list, FileManager::Database),
                 (QStringList{"Add Wizard Temporary Files", "Albums", "Albums", "Artists", "Categories", "Fonts", "Labels",
                              "Media Tyes", "Playlist Details (Songs)", "Playlist Master (Descriptions)", "Songs", "Songs",
                              "Tips"}));
        QCOMPARE(columnTexts(*list, FileManager::Records), QStringList(13, "?"));
        const auto row = [list](const char *description) {
            return list->findItems(QString::fromLatin1(description), Qt::MatchExactly, FileManager::Database).front();
        };

        // Nothing tagged: Info on the highlighted entry only.
        list->setCurrentItem(row("Categories"));
        QTest::mouseClick(window->findChild<QPushButton *>("info"), Qt::LeftButton);
        QCOMPARE(row("Categories")->text(FileManager::Records), QStringLiteral("2"));
        QCOMPARE(row("Categories")->text(FileManager::File), QStringLiteral("CRXCAT.tps"));
        QCOMPARE(row("Artists")->text(FileManager::Records), QStringLiteral("?"));

        // Tag All, then Info: every entry, the other catalogue's files as errors.
        QTest::mouseClick(window->findChild<QPushButton *>("tagAll"), Qt::LeftButton);
        QCOMPARE(columnTexts(*list, FileManager::Tick), QStringList(13, QStringLiteral("\u2713")));
        QTest::mouseClick(window->findChild<QPushButton *>("info"), Qt::LeftButton);
        QCOMPARE(row("Artists")->text(FileManager::Records), QStringLiteral("0"));
        int errors = 0;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            if (list->topLevelItem(i)->text(FileManager::File).startsWith("Error : ")) {
                ++errors;
                QCOMPARE(list->topLevelItem(i)->text(FileManager::Records), QStringLiteral("?"));
            }
        QVERIFY(errors >= 2);
        QVERIFY(cat.person.shown.isEmpty());

        // Build on the albums the frame holds open: the box, then on with the categories.
        QTest::mouseClick(window->findChild<QPushButton *>("untagAll"), Qt::LeftButton);
        list->setCurrentItem(row("Categories"));
        QTest::keyClick(list, Qt::Key_Space);
        list->setCurrentItem(list->findItems("Albums", Qt::MatchExactly, FileManager::Database).front());
        QTest::keyClick(list, Qt::Key_Space);
        QTest::mouseClick(window->findChild<QPushButton *>("build"), Qt::LeftButton);
        QCOMPARE(cat.person.shown.size(), 1);
        QCOMPARE(cat.person.shown[0].title, QStringLiteral("File Access Error"));
        QVERIFY(cat.person.shown[0].text.startsWith("This option requires exclusive file access.|"));
        QCOMPARE(row("Categories")->text(FileManager::Records), QStringLiteral("2"));

        // Fix on the songs: the structure example, then crxfix without waiting.
        QTest::mouseClick(window->findChild<QPushButton *>("untagAll"), Qt::LeftButton);
        list->setCurrentItem(list->findItems("Songs", Qt::MatchExactly, FileManager::Database).back());
        QTest::mouseClick(window->findChild<QPushButton *>("fix"), Qt::LeftButton);
        QCOMPARE(cat.person.started.size(), 1);
        QVERIFY2(cat.person.started[0].endsWith("crxfix crxdata.tps? ? /E:crxdata.tpe? /K "), qPrintable(cat.person.started[0]));
        QVERIFY(QFile::exists(cat.dir.filePath("crxdata.tpe")));

        QTest::mouseClick(window->findChild<QPushButton *>("done"), Qt::LeftButton);
        QTRY_VERIFY(!child<FileManager>(frame));
        QVERIFY(!readProfile(profilePath(cat.dir.path(), settingsfile::Positions), "FileManager", "SRCF?ListQueue").isEmpty());
    }

    void buildFromTheMenuAsksFirst_data()
    {
        QTest::addColumn<int>("choice");
        QTest::addColumn<int>("albums");
        QTest::newRow("Proceed") << 0 << 1;
        QTest::newRow("Cancel") << 1 << 0;
    }
    void buildFromTheMenuAsksFirst()
    {
        QFETCH(int, choice);
        QFETCH(int, albums);
        Catalogue cat;
        addOneAlbum(cat.files);
        cat.addSong(1, "A", "Hits");
        cat.person.choices.enqueue(choice);
        MainFrame frame(cat.files);
        frame.show();
        frame.action("&File/&Tools/Database", "&Create Album Database from Song Database")->trigger();
        QCOMPARE(cat.person.shown.last().labels, (QStringList{"&Proceed", "Cancel"}));
        QCOMPARE(cat.records(FileId::Album, "ALB:KeyAlbumID", {"ALB:AlbumID"}).size(), 1 + albums);
    }
};

QTEST_MAIN(TestHousekeeping)
#include "tst_housekeeping.moc"
