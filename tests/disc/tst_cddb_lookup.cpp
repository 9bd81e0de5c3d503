// The CDDB look-up: the disc record DiscTalk leaves read as the program
// reads it (the first record, splits, Various discs, continued lines, notes),
// ProperCase, and the whole look-up from the album form's CDDB button with
// DiscTalk played by the test.
#include "albumform.h"
#include "albumwizards.h"
#include "cataloguefill.h"
#include "cddbserver.h"
#include "cddblookup.h"
#include "cdaudio.h"
#include "datafile.h"
#include "eventlog.h"
#include "fileset.h"
#include "formsession.h"
#include "globals.h"
#include "profile.h"
#include "readingcdwindow.h"
#include "scriptedinteraction.h"
#include "settings.h"
#include "tracklist.h"
#include "virtualdrive.h"
#include "virtualdisc.h"
#include "windowsteps.h"

#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace crx;
using namespace crx::test;

namespace {

struct Catalogue : VirtualDiscCatalogue {
    Catalogue()
    {
        addMediaFormats(files, {"CD"});
        addCategories(files, {{1, "Pop"}, {2, "Rock"}});
        songs = &files.use(FileId::Cantorix);
        albums = &files.use(FileId::Album);
        insertDisc("TRACK 1 150\nTRACK 2 15239\nTRACK 3 29625\nLEADOUT 45763\n");
    }
    ~Catalogue()
    {
        files.release(FileId::Album);
        files.release(FileId::Cantorix);
    }
    // DiscTalk, as the test plays it: the record it leaves and the category it names.
    void discTalkFinds(const QByteArray &record, const QString &category = QStringLiteral("rock"))
    {
        person.runner = [this, record, category](const QString &, const QStringList &, const QString &directory) {
            [&] { QCOMPARE(directory, dir.path()); }();
            writeFile(dir.filePath("CDDB_LOG.TXT"), record);
            writeProfile(dir.filePath("DISCTALK.INI"), "CDDB", "Category", category);
            return 0;
        };
    }
    // "track artist/title|notes" of album 5's songs.
    QStringList songList()
    {
        QStringList out;
        songs->setToStart(songs->def().keyIndex("KeyAlbumID"));
        while (songs->next() == NoError) {
            const Record &s = songs->buffer();
            out << QStringLiteral("%1 %2/%3|%4")
                       .arg(s.get("TrackNumber").toInt())
                       .arg(s.get("Artist").toString(), s.get("Title").toString(), s.get("Notes").toString());
        }
        return out;
    }

    ScriptedInteraction person;
    DataFile *songs, *albums;
};

QString trackText(const CddbDisc &disc, int track)
{
    const auto it = disc.tracks.find(track);
    return it == disc.tracks.end() ? QString() : it->second.title + '/' + it->second.artist + '|' + it->second.notes;
}

// A new album in the album form, as the album list's Add opens it.
std::unique_ptr<UpdateAlbum> newAlbumForm(Catalogue &cat)
{
    formRequest() = Request::Insert;
    auto form = std::make_unique<UpdateAlbum>(cat.files);
    if (!form->prepare())
        return nullptr;
    form->show();
    return form;
}

} // namespace

class CddbLookup : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void properCase_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("proper");
        QTest::newRow("words") << "dancing queen" << "Dancing Queen";
        QTest::newRow("ampersand and parentheses") << "  rock & roll (live version)" << "Rock & Roll (Live Version)";
        QTest::newRow("capitals lowered") << "MAMMA MIA" << "Mamma Mia";
        QTest::newRow("after - . /") << "jean-michel jarre/o.m.d." << "Jean-Michel Jarre/O.M.D.";
        QTest::newRow("a delimiter in the last two places") << QString(48, 'a') + " b"
                                                            << "A" + QString(47, 'a') + " b";
        QTest::newRow("empty") << "" << "";
    }
    void properCase()
    {
        QFETCH(QString, text);
        QTEST(ProperCase(text), "proper");
    }

    void records_data()
    {
        QTest::addColumn<QString>("record");
        QTest::addColumn<QString>("artist");
        QTest::addColumn<QString>("album");
        QTest::addColumn<QString>("notes");
        QTest::addColumn<QStringList>("tracks");
        QTest::newRow("artist / title") << "# xmcd\nDISCID=18026003\nDTITLE=ABBA / Gold\nTTITLE0=Dancing Queen\n"
                                           "TTITLE1=Waterloo\nEXTD=Greatest hits\n"
                                        << "ABBA" << "Gold" << "Greatest hits"
                                        << QStringList{"Dancing Queen/|", "Waterloo/|"};
        QTest::newRow("no slash: artist and album alike") << "DTITLE=Gold\nTTITLE0=One\n" << "Gold" << "Gold" << ""
                                                          << QStringList{"One/|"};
        QTest::newRow("only the first record") << "DTITLE=ABBA / Gold\nTTITLE0=One\nDTITLE=Other / Disc\nTTITLE0=Two\n"
                                               << "ABBA" << "Gold" << "" << QStringList{"One/|"};
        QTest::newRow("a title over two lines") << "DTITLE=ABBA / Gold: Greatest \nDTITLE=Hits\nTTITLE0=Knowing Me, \n"
                                                   "TTITLE0=Knowing You\n"
                                                << "ABBA" << "Gold: Greatest Hits" << ""
                                                << QStringList{"Knowing Me, Knowing You/|"};
        QTest::newRow("promo only, title - singer")
            << "DTITLE=promo only / Club Hits\nTTITLE3=dancing in the dark - kim wilde\n" << "Various" << "Club Hits" << ""
            << QStringList{"dancing in the dark/kim wilde|"};
        QTest::newRow("ERG, title / artist") << "DTITLE=ERG / Mix\nTTITLE0=Song / Singer\n" << "Various" << "Mix" << ""
                                             << QStringList{"Song/Singer|"};
        QTest::newRow("a dash on a single artist's disc") << "DTITLE=ABBA / Live\nTTITLE0=Medley - Part 1\n" << "ABBA"
                                                          << "Live" << "" << QStringList{"Medley - Part 1/|"};
        QTest::newRow("notes") << "DTITLE=A / B\nEXTD=First \nEXTD=second\\nline\nTTITLE0=x\nEXTT0=one\\ntwo\n" << "A"
                               << "B" << "First second\\nline" << QStringList{"x/|one\\ntwo"};
        QTest::newRow("a repeated line is read once") << "DTITLE=A / B\nTTITLE0=x\nTTITLE0=x\n" << "A" << "B" << ""
                                                      << QStringList{"x/|"};
    }
    void records()
    {
        QFETCH(QString, record);
        QFETCH(QStringList, tracks);
        const CddbDisc disc = readCddbRecord(record.split('\n'));
        QTEST(disc.artist, "artist");
        QTEST(disc.album, "album");
        QTEST(disc.notes, "notes");
        QStringList found;
        for (const auto &[track, t] : disc.tracks)
            found << trackText(disc, track);
        QCOMPARE(found, tracks);
    }

    // The CDDB button on a new album: read, DiscTalk, titles, category and notes.
    void theCddbButton()
    {
        Catalogue cat;
        cat.discTalkFinds("# xmcd\nDISCID=18026003\nDTITLE=abba / gold\nTTITLE0=dancing queen\n"
                          "TTITLE1=knowing me, knowing you\nTTITLE2=take a chance on me\nEXTD=1992\n"
                          "EXTT0=Recorded 1975\\nPolar Studios\n");
        const auto opened = newAlbumForm(cat);
        QVERIFY(opened);
        UpdateAlbum &form = *opened;
        QTest::mouseClick(form.findChild<QPushButton *>("cddb"), Qt::LeftButton);
        QVERIFY(cat.person.shown.isEmpty());
        QCOMPARE(cat.person.ran, QStringList{ownProgram("DiscTalk")});
        QCOMPARE(qobject_cast<QLineEdit *>(form.control("ALB:Artist"))->text(), QStringLiteral("Abba"));
        QCOMPARE(qobject_cast<QLineEdit *>(form.control("ALB:Album"))->text(), QStringLiteral("Gold"));
        QCOMPARE(qobject_cast<QLineEdit *>(form.control("ALB:XCCD"))->text(), QStringLiteral("18026003"));
        QCOMPARE(columnTexts(*form.trackList(), 2),
                 (QStringList{"Dancing Queen", "Knowing Me, Knowing You", "Take A Chance On Me"}));
        QTest::mouseClick(form.findChild<QPushButton *>("ok"), Qt::LeftButton);
        cat.albums->setToStart(-1);
        QCOMPARE(cat.albums->next(), int(NoError));
        const Record &album = cat.albums->buffer();
        QCOMPARE(album.get("CategoryID").toInt(), 2);
        QCOMPARE(album.get("Notes").toString(), QStringLiteral("1992"));
        cat.songs->setToStart(-1);
        QCOMPARE(cat.songs->next(), int(NoError));
        QCOMPARE(cat.songs->buffer().get("Artist").toString(), QStringLiteral("Abba"));
        QCOMPARE(cat.songs->buffer().get("Notes").toString(), QStringLiteral("Recorded 1975\r\nPolar Studios"));
        QCOMPARE(cat.songs->records(), qint64(3));
    }

    // Songs already on the album keep their place; a record with more tracks than the disc
    // adds songs under new ids.
    void songsFoundOrAdded()
    {
        Catalogue cat;
        Record &song = cat.songs->buffer();
        song.clear();
        song.set("ID", 40);
        song.set("AlbumID", 5);
        song.set("Side", 1);
        song.set("TrackNumber", 1);
        song.set("Title", "typed");
        song.set("Notes", "Mine: ");
        QCOMPARE(cat.songs->add(), int(NoError));
        cat.discTalkFinds("DTITLE=Various / Hits\nTTITLE0=one / ann\nEXTT0=a\\nb\nTTITLE3=four - bob\n"
                          "TTITLE4=five - carl\n",
                          "pop");
        Record &album = cat.albums->buffer();
        album.clear();
        album.set("AlbumID", 5);
        ReadingCdWindow progress;
        QVERIFY(LookUpCddb(cat.files, progress));
        QCOMPARE(cat.songList(), (QStringList{"1 Ann/One|Mine:a\r\nb", "2 /Track 2|", "3 /Track 3|",
                                              "4 Bob/Four|", "5 Carl/Five|"}));
        QCOMPARE(album.get("ALB:CategoryID").toInt(), 1);
        cat.songs->buffer().clear();
        cat.songs->buffer().set("ID", 43);
        QCOMPARE(cat.songs->get(cat.songs->def().keyIndex("KeyID")), int(NoError));
        QCOMPARE(cat.songs->buffer().get("TrackNumber").toInt(), 4); // the next id after the disc's songs
        QCOMPARE(cat.songs->buffer().get("CategoryID").toInt(), 1);
    }

    // The whole way: the virtual disc, the CDDB button, DiscTalk itself asking a CDDB server on
    // 127.0.0.1, and the album and its songs filled.
    void throughDiscTalkAndAServer()
    {
        Catalogue cat;
        CddbServer server;
        server.replies = {{"query", "200 rock 18026003 ABBA / Gold\r\n"},
                          {"read", "210 rock 18026003\r\n# xmcd\r\nDISCID=18026003\r\nDTITLE=ABBA / Gold\r\n"
                                   "TTITLE0=Dancing Queen\r\nTTITLE1=Waterloo\r\nTTITLE2=SOS\r\n.\r\n"}};
        const QString ini = cat.dir.filePath("DISCTALK.INI");
        writeProfile(ini, "Settings", "Server", "127.0.0.1");
        writeProfile(ini, "Settings", "Port", QString::number(server.port()));
        settings().cddbAutomaticMode = true;
        cat.person.runner = [](const QString &program, const QStringList &arguments, const QString &directory) {
            [&] { QVERIFY(program.endsWith("DiscTalk", Qt::CaseInsensitive)); }();
            QProcess discTalk;
            discTalk.setWorkingDirectory(directory);
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert("QT_QPA_PLATFORM", "offscreen");
            discTalk.setProcessEnvironment(env);
            QEventLoop wait;
            QObject::connect(&discTalk, &QProcess::finished, &wait, &QEventLoop::quit);
            discTalk.start(QStringLiteral(CRX_DISCTALK), arguments);
            if (!discTalk.waitForStarted())
                return -1;
            wait.exec(); // the server answers meanwhile
            return discTalk.exitCode();
        };
        const auto opened = newAlbumForm(cat);
        QVERIFY(opened);
        UpdateAlbum &form = *opened;
        QTest::mouseClick(form.findChild<QPushButton *>("cddb"), Qt::LeftButton);
        QVERIFY(cat.person.shown.isEmpty());
        QCOMPARE(server.commands, (QStringList{"cddb query 18026003 3 150 15239 29625 610", "cddb read rock 18026003"}));
        QCOMPARE(qobject_cast<QLineEdit *>(form.control("ALB:Album"))->text(), QStringLiteral("Gold"));
        QCOMPARE(columnTexts(*form.trackList(), 2), (QStringList{"Dancing Queen", "Waterloo", "Sos"}));
        QCOMPARE(readProfile(ini, "CDDB", "Category"), QStringLiteral("rock"));
    }

    // The CDDB wizard's first Next looks the disc up; its step 2 shows what was found.
    void theCddbWizardsFirstNext()
    {
        Catalogue cat;
        cat.discTalkFinds("DTITLE=ABBA / Arrival\nTTITLE0=When I Kissed The Teacher\nTTITLE1=Dancing Queen\n"
                          "TTITLE2=My Love, My Life\n");
        CDDBWizard wizard(cat.files);
        QVERIFY(wizard.prepare());
        wizard.show();
        QTest::mouseClick(wizard.nextButton(), Qt::LeftButton);
        QCOMPARE(wizard.step(), 1);
        QVERIFY(cat.person.shown.isEmpty());
        QCOMPARE(wizard.findChild<QLineEdit *>("ALB:Album")->text(), QStringLiteral("Arrival"));
        QCOMPARE(columnTexts(*wizard.trackList(), 2),
                 (QStringList{"When I Kissed The Teacher", "Dancing Queen", "My Love, My Life"}));
        // "Read CD Information" on the songs step asks again.
        QTest::mouseClick(wizard.nextButton(), Qt::LeftButton);
        QTest::mouseClick(wizard.findChild<QPushButton *>("readCd"), Qt::LeftButton);
        QCOMPARE(cat.person.ran.size(), 2);
    }

    void failures_data()
    {
        QTest::addColumn<bool>("starts");
        QTest::addColumn<QStringList>("titles");
        QTest::newRow("nothing found") << true << QStringList{"Error"};
        QTest::newRow("DiscTalk not found") << false << QStringList{"Critical Error Message", "Error"};
    }
    void failures()
    {
        QFETCH(bool, starts);
        Catalogue cat;
        cat.person.programsStart = starts;
        writeFile(cat.dir.filePath("CDDB_LOG.TXT"), "DTITLE=Old / Record\n"); // from an earlier look-up
        Record &album = cat.albums->buffer();
        album.clear();
        album.set("AlbumID", 5);
        album.set("Notes", "kept until now");
        ReadingCdWindow progress;
        QVERIFY(!LookUpCddb(cat.files, progress));
        QStringList titles;
        for (const ShownMessage &m : cat.person.shown)
            titles << m.title;
        QTEST(titles, "titles");
        QCOMPARE(cat.person.shown.last().text, QStringLiteral("No information retrieved."));
        if (!starts)
            QCOMPARE(cat.person.shown.first().text, QStringLiteral("EXE, Batch File or PIF File Not Found:DiscTalk"));
        QCOMPARE(album.get("ALB:Artist").toString(), QString());
        QCOMPARE(album.get("ALB:Notes").toString(), QString());
        QCOMPARE(cat.songList().size(), 3); // the read's own "Track n" songs
    }
};

QTEST_MAIN(CddbLookup)
#include "tst_cddb_lookup.moc"
