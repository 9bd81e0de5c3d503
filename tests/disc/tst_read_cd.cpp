// Reading the disc in the (virtual) drive into an album: what lands in the
// album buffer, the songs and the add wizard's rows for each kind of call,
// the drive's failures and their messages, the album form's two buttons as
// a person presses them, and "cantorix --disc-info".
#include "albumform.h"
#include "albumwizards.h"
#include "cataloguefill.h"
#include "cdaudio.h"
#include "datafile.h"
#include "eventlog.h"
#include "fileset.h"
#include "formsession.h"
#include "globals.h"
#include "profile.h"
#include "readcd.h"
#include "readingcdwindow.h"
#include "scriptedinteraction.h"
#include "songform.h"
#include "settings.h"
#include "tracklist.h"
#include "virtualdrive.h"
#include "virtualdisc.h"
#include "windowsteps.h"

#include <QComboBox>
#include <QDir>
#include <QRadioButton>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace crx;
using namespace crx::test;

namespace {

const QList<int> nineTracks{150, 15239, 29625, 45763, 61420, 75807, 92450, 108142, 121237};
constexpr int nineTracksLeadOut = 138352;

QByteArray tocText(const QList<int> &starts, int leadOut)
{
    QByteArray text;
    for (qsizetype i = 0; i < starts.size(); ++i)
        text += "TRACK " + QByteArray::number(i + 1) + ' ' + QByteArray::number(starts[i]) + '\n';
    return text + "LEADOUT " + QByteArray::number(leadOut) + '\n';
}

// The time value of a length in frames, as the reader takes it from the drive's mm:ss:ff.
int timeOf(int frames)
{
    return frames / 4500 * 6000 + frames / 75 % 60 * 100 + 1;
}

struct Catalogue : VirtualDiscCatalogue {
    Catalogue()
    {
        songs = &files.use(FileId::Cantorix);
        albums = &files.use(FileId::Album);
        addMediaFormats(files, {"CD", "Vinyl"});
    }
    ~Catalogue()
    {
        files.release(FileId::Cantorix);
        files.release(FileId::Album);
    }
    void insert(const QList<int> &starts, int leadOut) { insertDisc(tocText(starts, leadOut)); }
    // The album in the buffer, as an album form has it.
    void album(int id)
    {
        Record &a = albums->buffer();
        a.clear();
        a.set("AlbumID", id);
        a.set("Artist", "ABBA");
        a.set("Album", "Gold");
        a.set("Media", "CD");
        a.set("FileNumber", "CD-12");
        a.set("ReleaseDate", 1992);
        a.set("CategoryID", 4);
    }
    void addSong(int id, int track, const QString &title)
    {
        Record &s = songs->buffer();
        s.clear();
        s.set("ID", id);
        s.set("Title", title);
        s.set("AlbumID", 5);
        s.set("Side", 1);
        s.set("TrackNumber", track);
        QCOMPARE(songs->add(), int(NoError));
    }
    // "ID title time offset" of each song of album 5, in running order.
    QStringList songLines()
    {
        QStringList out;
        songs->setToStart(songs->def().keyIndex("KeyAlbumID"));
        while (songs->next() == NoError) {
            const Record &s = songs->buffer();
            if (s.get("AlbumID").toInt() == 5)
                out << QStringLiteral("%1 %2 %3 %4")
                           .arg(s.get("ID").toInt())
                           .arg(s.get("Title").toString())
                           .arg(s.get("Time").toInt())
                           .arg(s.get("CDDBString").toString());
        }
        return out;
    }
    qint64 songCount() { return songs->records(); }
    QString album(const char *field) const { return albums->buffer().get(field).toString(); }

    ScriptedInteraction person;
    DataFile *songs, *albums;
};

} // namespace

class ReadCd : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fullRead_data()
    {
        QTest::addColumn<QList<int>>("starts");
        QTest::addColumn<int>("leadOut");
        QTest::addColumn<QString>("signature");
        QTest::addColumn<QString>("discId");
        QTest::addColumn<QString>("queryLine");
        QTest::newRow("nine tracks") << nineTracks << nineTracksLeadOut << " 9184201201011910121501" << "52073209"
                                     << "52073209 9 150 15239 29625 45763 61420 75807 92450 108142 121237 1844";
        QTest::newRow("one track") << QList<int>{150} << 22650 << " 12990129901" << "02012c01"
                                   << "02012c01 1 150 302";
        QList<int> many;
        for (int t = 0; t < 36; ++t)
            many << 150 + t * 10000;
        QTest::newRow("36 tracks pass 255 characters") << many << 150 + 36 * 10000 << "36" << "" << QueryLineTooLong;
    }
    void fullRead()
    {
        QFETCH(QList<int>, starts);
        QFETCH(int, leadOut);
        QFETCH(QString, signature);
        QFETCH(QString, discId);
        Catalogue cat;
        cat.insert(starts, leadOut);
        cat.album(5);
        ReadingCdWindow progress;
        QVERIFY(ReadCompactDisc(cat.files, ReadMode::Full, false, progress));
        QVERIFY(cat.person.shown.isEmpty());
        QVERIFY(cat.album("CDIdentifier").startsWith(signature));
        QVERIFY(cat.album("CDIdentifier").size() <= 24);
        if (!discId.isEmpty())
            QCOMPARE(cat.album("XCCD"), discId);
        QTEST(cat.album("CDDBString"), "queryLine");
        QCOMPARE(cat.album("TotalTime").toInt(), timeOf(leadOut - starts.front() - 1));
        QCOMPARE(int(trackTable().size()), int(starts.size()));

        const QStringList songs = cat.songLines();
        QCOMPARE(songs.size(), starts.size());
        for (qsizetype t = 0; t < starts.size(); ++t) {
            const int end = t + 1 < starts.size() ? starts[t + 1] : leadOut - 1;
            QCOMPARE(songs[t], QStringLiteral("%1 Track %1 %2 %3").arg(t + 1).arg(timeOf(end - starts[t]) + 1).arg(starts[t]));
        }
        // Every song takes the album's fields.
        cat.songs->setToStart(-1);
        QCOMPARE(cat.songs->next(), int(NoError));
        const Record &song = cat.songs->buffer();
        QCOMPARE(song.get("Artist").toString(), QStringLiteral("ABBA"));
        QCOMPARE(song.get("Album").toString(), QStringLiteral("Gold"));
        QCOMPARE(song.get("Media").toString(), QStringLiteral("CD"));
        QCOMPARE(song.get("FileNumber").toString(), QStringLiteral("CD-12"));
        QCOMPARE(song.get("ReleaseDate").toInt(), 1992);
        QCOMPARE(song.get("CategoryID").toInt(), 4);

        // The bar counts a step between the passes and one per track, up to 25.
        QCOMPARE(progress.done(), qMin(int(starts.size()) + 1, 25));
        QCOMPARE(progress.line(), QStringLiteral("Track %1 of %1").arg(starts.size()));
        QVERIFY(!progress.isVisible());
        // The query line is handed to DiscTalk.
        const QString discTalk = profilePath(cat.dir.path(), settingsfile::DiscTalk);
        QTEST(readProfile(discTalk, "CDDB", "CDDB"), "queryLine");
        QCOMPARE(readProfile(discTalk, "Default", "AutomaticMode"), QStringLiteral("N"));
    }

    void aReReadUpdatesOnlyTimesAndOffsets()
    {
        Catalogue cat;
        cat.insert({150, 15239, 29625}, 45763);
        cat.addSong(7, 1, "Dancing Queen");
        cat.addSong(3, 3, "Waterloo");
        cat.album(5);
        settings().cddbAutomaticMode = true;
        ReadingCdWindow progress;
        QVERIFY(ReadCompactDisc(cat.files, ReadMode::Full, false, progress));
        QCOMPARE(cat.songLines(), (QStringList{QStringLiteral("7 Dancing Queen %1 150").arg(timeOf(15089) + 1),
                                               QStringLiteral("8 Track 2 %1 15239").arg(timeOf(14386) + 1),
                                               QStringLiteral("3 Waterloo %1 29625").arg(timeOf(16137) + 1)}));
        QCOMPARE(readProfile(profilePath(cat.dir.path(), settingsfile::DiscTalk), "Default", "AutomaticMode"),
                 QStringLiteral("Y"));
    }

    void identifyingWritesNoSongs_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("read") << int(ReadMode::Identify);
        QTest::newRow("quiet") << int(ReadMode::IdentifyQuietly);
    }
    void identifyingWritesNoSongs()
    {
        Catalogue cat;
        cat.insert(nineTracks, nineTracksLeadOut);
        cat.album(5);
        QFETCH(int, mode);
        ReadingCdWindow progress;
        QVERIFY(ReadCompactDisc(cat.files, ReadMode(mode), false, progress));
        QCOMPARE(cat.album("XCCD"), QStringLiteral("52073209"));
        QCOMPARE(cat.album("TotalTime").toInt(), 184200);
        QCOMPARE(cat.songCount(), qint64(0));
        QCOMPARE(progress.done(), 0);
        QString reply;
        QCOMPARE(cat.device.send(QStringLiteral("open cdaudio"), reply), 0); // it was closed
    }

    void theAddWizardGetsRowsAndNoSongs()
    {
        Catalogue cat;
        cat.insert({150, 15239, 29625}, 45763);
        cat.album(5);
        cat.albums->buffer().set("Artist", QString());
        DataFile &rows = cat.files.use(FileId::AddWizard);
        rows.buffer().clear();
        rows.buffer().set("Instance", 2);
        rows.buffer().set("Side", 1);
        rows.buffer().set("Track", 2);
        rows.buffer().set("Artist", "Agnetha");
        rows.buffer().set("Title", "Typed before");
        QCOMPARE(rows.add(), int(NoError));
        ReadingCdWindow progress;
        QVERIFY(ReadCompactDisc(cat.files, ReadMode::Full, true, progress, 2));
        QCOMPARE(cat.songCount(), qint64(0));
        QStringList found;
        rows.setToStart(rows.def().primaryKey());
        while (rows.next() == NoError) {
            const Record &r = rows.buffer();
            found << QStringLiteral("%1/%2 %3 %4 %5")
                         .arg(r.get("Instance").toInt())
                         .arg(r.get("Track").toInt())
                         .arg(r.get("Artist").toString(), r.get("Title").toString())
                         .arg(r.get("Time").toInt());
        }
        cat.files.release(FileId::AddWizard);
        QCOMPARE(found, (QStringList{QStringLiteral("2/1 Various Track 1 %1").arg(timeOf(15089) + 1),
                                     QStringLiteral("2/2 Agnetha Typed before %1").arg(timeOf(14386) + 1),
                                     QStringLiteral("2/3 Various Track 3 %1").arg(timeOf(16137) + 1)}));
    }

    // A 95-minute disc whose tracks add up to its length is not taken for an enhanced CD.
    void aLongDiscKeepsItsLengths()
    {
        Catalogue cat;
        cat.insert({150, 150 + 60 * 4500}, 150 + 95 * 4500);
        cat.album(5);
        ReadingCdWindow progress;
        QVERIFY(ReadCompactDisc(cat.files, ReadMode::Full, false, progress));
        QCOMPARE(cat.songLines(), (QStringList{QStringLiteral("1 Track 1 %1 150").arg(60 * 6000 + 2),
                                               QStringLiteral("2 Track 2 %1 270150").arg(timeOf(35 * 4500 - 1) + 1)}));
    }

    void failures_data()
    {
        QTest::addColumn<QByteArray>("disc");
        QTest::addColumn<QString>("door");
        QTest::addColumn<bool>("openElsewhere");
        QTest::addColumn<QString>("ignoreMciError");
        QTest::addColumn<QString>("message");
        const QByteArray disc = tocText(nineTracks, nineTracksLeadOut);
        QTest::newRow("no disc") << QByteArray() << "" << false << "" << "CD player not ready.";
        QTest::newRow("door open") << disc << "open" << false << "" << "CD player door open.";
        QTest::newRow("malformed description") << QByteArray("TRACK 2 150\n") << "" << false << ""
                                               << "CD player not ready.";
        QTest::newRow("drive in use, errors taken seriously")
            << disc << "" << true << "1" << "CD player not available.  Ensure that no other program is using the CD-ROM drive.";
    }
    void failures()
    {
        QFETCH(QByteArray, disc);
        QFETCH(QString, door);
        QFETCH(bool, openElsewhere);
        QFETCH(QString, ignoreMciError);
        QFETCH(QString, message);
        Catalogue cat;
        cat.insertDisc(disc);
        const QString ini = profilePath(cat.dir.path(), settingsfile::Preferences);
        QVERIFY(writeProfile(ini, "Settings", "VirtualDiscDoor", door));
        QVERIFY(writeProfile(ini, "Settings", "IgnoreMCIError", ignoreMciError));
        QString reply;
        cat.album(5);
        const Record before = cat.albums->buffer();
        for (const ReadMode mode : {ReadMode::Full, ReadMode::Identify, ReadMode::IdentifyQuietly}) {
            cat.person.shown.clear();
            if (openElsewhere) // a failed read closes the drive
                cat.device.send(QStringLiteral("open cdaudio"), reply);
            ReadingCdWindow progress;
            QVERIFY(!ReadCompactDisc(cat.files, mode, false, progress));
            QVERIFY(cat.albums->buffer().sameValues(before));
            QCOMPARE(cat.songCount(), qint64(0));
            QVERIFY(!progress.isVisible());
            if (mode == ReadMode::IdentifyQuietly) {
                QVERIFY(cat.person.shown.isEmpty());
                continue;
            }
            QCOMPARE(cat.person.shown.size(), 1);
            QCOMPARE(cat.person.shown[0].title, QStringLiteral("Error"));
            QCOMPARE(cat.person.shown[0].text, message);
        }
    }

    // With the default setting a drive another window holds open is read all the same.
    void aDriveOpenElsewhereIsReadByDefault()
    {
        Catalogue cat;
        cat.insert(nineTracks, nineTracksLeadOut);
        QString reply;
        cat.device.send(QStringLiteral("open cdaudio"), reply);
        cat.album(5);
        ReadingCdWindow progress;
        QVERIFY(ReadCompactDisc(cat.files, ReadMode::Identify, false, progress));
        QCOMPARE(cat.album("XCCD"), QStringLiteral("52073209"));
    }

    // The album form: "Read CD Information" fills the album and its track list, OK stores it.
    void theAlbumFormReadsTheDisc()
    {
        Catalogue cat;
        cat.insert({150, 15239, 29625}, 45763);
        formRequest() = Request::Insert;
        UpdateAlbum form(cat.files);
        QVERIFY(form.prepare());
        form.show();
        typeInto(form, "ALB:Artist", "ABBA");
        typeInto(form, "ALB:Album", "Gold");
        QTest::mouseClick(form.findChild<QPushButton *>("readCd"), Qt::LeftButton);
        QVERIFY(cat.person.shown.isEmpty());
        QCOMPARE(columnTexts(*form.trackList(), 2), (QStringList{"Track 1", "Track 2", "Track 3"}));
        QCOMPARE(qobject_cast<QLineEdit *>(form.control("ALB:XCCD"))->text(), QStringLiteral("18026003"));
        QCOMPARE(qobject_cast<QLineEdit *>(form.control("ALB:Artist"))->text(), QStringLiteral("ABBA"));
        QTest::mouseClick(form.findChild<QPushButton *>("ok"), Qt::LeftButton);
        QCOMPARE(form.result(), int(QDialog::Accepted));
        cat.albums->setToStart(-1);
        QCOMPARE(cat.albums->next(), int(NoError));
        QCOMPARE(cat.album("XCCD"), QStringLiteral("18026003"));
        QCOMPARE(cat.album("CDDBString"), QStringLiteral("18026003 3 150 15239 29625 610"));
        QCOMPARE(cat.album("TotalTime").toInt(), 60800); // the playing time, 608 s, as the disc id has it
        QCOMPARE(cat.album("Artist"), QStringLiteral("ABBA"));
        QCOMPARE(cat.songLines().size(), 0); // the new album's songs hang on its own id
        QCOMPARE(cat.songCount(), qint64(3));
    }

    void theReadButtonSaysWhetherTheSignatureChanged()
    {
        Catalogue cat;
        cat.insert(nineTracks, nineTracksLeadOut);
        formRequest() = Request::Insert;
        UpdateAlbum form(cat.files);
        QVERIFY(form.prepare());
        form.show();
        form.sheet()->setCurrentIndex(4);
        for (const char *said : {"CD Identification updated.", "CD Identification not updated."}) {
            QTest::mouseClick(form.findChild<QPushButton *>("readId"), Qt::LeftButton);
            QCOMPARE(cat.person.shown.size(), 1);
            QCOMPARE(cat.person.shown[0].title, QStringLiteral("Process complete"));
            QCOMPARE(cat.person.shown[0].text, QString::fromLatin1(said));
            QCOMPARE(qobject_cast<QLineEdit *>(form.control("ALB:CDIdentifier"))->text(),
                     QStringLiteral(" 9184201201011910121501"));
            cat.person.shown.clear();
        }
        QCOMPARE(cat.songCount(), qint64(0));
    }

    // Tabbing onto a blank disc id reads the disc; the message of an empty drive is shown once.
    void comingToABlankDiscIdReadsTheDisc()
    {
        Catalogue cat;
        formRequest() = Request::Insert;
        UpdateAlbum form(cat.files);
        QVERIFY(form.prepare());
        form.show();
        QApplication::setActiveWindow(&form);
        form.sheet()->setCurrentIndex(4);
        auto *serial = qobject_cast<QLineEdit *>(form.control("ALB:CDIdentifier"));
        serial->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); // to "Read"
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); // to the disc id
        QCOMPARE(QApplication::focusWidget(), form.control("ALB:XCCD"));
        QTRY_COMPARE(cat.person.shown.size(), 1);
        QCOMPARE(cat.person.shown[0].text, QStringLiteral("CD player not ready."));
        QTest::qWait(50);
        QCOMPARE(cat.person.shown.size(), 1);

        cat.insert({150}, 22650);
        form.control("ALB:CDIdentifier")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTRY_COMPARE(qobject_cast<QLineEdit *>(form.control("ALB:XCCD"))->text(), QStringLiteral("02012c01"));
    }

    // The album wizard reads a CD after its second step and again for each next disc.
    void theAlbumWizardReadsACompactDisc()
    {
        Catalogue cat;
        cat.insert({150, 15239, 29625}, 45763);
        addArtists(cat.files, {"ABBA"});
        AlbumWizard wizard(cat.files);
        QVERIFY(wizard.prepare());
        wizard.show();
        wizard.option("Multi-Disc CD")->setChecked(true);
        QTest::mouseClick(wizard.nextButton(), Qt::LeftButton);
        typeInto(wizard, "ALB:Artist", "ABBA");
        typeInto(wizard, "ALB:Album", "Gold");
        wizard.findChild<QComboBox *>("ALB:Media")->setCurrentText("CD");
        QTest::mouseClick(wizard.nextButton(), Qt::LeftButton);
        QVERIFY(cat.person.shown.isEmpty());
        QCOMPARE(columnTexts(*wizard.trackList(), 2), (QStringList{"Track 1", "Track 2", "Track 3"}));
        QCOMPARE(columnTexts(*wizard.trackList(), 1), (QStringList{"ABBA", "ABBA", "ABBA"}));
        // The next disc is read (its window lets events through) and then edited song by song:
        // Cancel on the first song's form.
        QTimer waitForTheSongForm;
        connect(&waitForTheSongForm, &QTimer::timeout, this, [] {
            if (auto *form = qobject_cast<UpdateSong *>(QApplication::activeModalWidget()))
                QTest::mouseClick(form->findChild<QPushButton *>("cancel"), Qt::LeftButton);
        });
        waitForTheSongForm.start(10);
        QTest::mouseClick(wizard.findChild<QPushButton *>("nextSide"), Qt::LeftButton);
        QCOMPARE(globals().side, 2);
        QCOMPARE(columnTexts(*wizard.trackList(), 0), (QStringList{"(2)  1", "(2)  2", "(2)  3"}));
        QCOMPARE(cat.songCount(), qint64(6));
        QTest::mouseClick(wizard.finishButton(), Qt::LeftButton);
        QVERIFY(cat.person.shown.isEmpty());
        cat.albums->setToStart(-1);
        QCOMPARE(cat.albums->next(), int(NoError));
        QCOMPARE(cat.album("XCCD"), QStringLiteral("18026003"));
        QCOMPARE(cat.album("Album"), QStringLiteral("Gold"));
    }

    void discInfo_data()
    {
        QTest::addColumn<QByteArray>("disc");
        QTest::addColumn<QString>("door");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::newRow("a disc") << tocText(nineTracks, nineTracksLeadOut) << "" << 0
                                << "52073209 9 150 15239 29625 45763 61420 75807 92450 108142 121237 1844\n"
                                   " 9184201201011910121501\n"
                                << "";
        QFile sample(QStringLiteral(CRX_SAMPLE_DISC));
        QVERIFY(sample.open(QIODevice::ReadOnly));
        QTest::newRow("the sample cue sheet") << sample.readAll() << "" << 0
                                              << "52073209 9 150 15239 29625 45763 61420 75807 92450 108142 121237 1844\n"
                                                 " 9184201201011910121501\n"
                                              << "";
        QTest::newRow("no disc") << QByteArray() << "" << 1 << "" << "CD player not ready.\n";
        QTest::newRow("door open") << tocText(nineTracks, nineTracksLeadOut) << "open" << 1 << ""
                                   << "CD player door open.\n";
        QTest::newRow("malformed") << QByteArray("TRACK 1 x\n") << "" << 1 << ""
                                   << "CD player not ready.\ndisc.toc: line 1: expected TRACK 1 and its start in frames\n";
    }
    void discInfo()
    {
        QFETCH(QByteArray, disc);
        QFETCH(QString, door);
        QTemporaryDir dir;
        writeFile(dir.filePath("disc.toc"), disc);
        QVERIFY(writeProfile(dir.filePath("CRXPro98.INI"), "Settings", "VirtualDiscDoor", door));
        QProcess program;
        program.setWorkingDirectory(dir.path());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("CANTORIX_VIRTUAL_DISC", "disc.toc");
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(CRX_PROGRAM), {QStringLiteral("--disc-info")});
        QVERIFY(program.waitForFinished(10000));
        QTEST(program.exitCode(), "status");
        QTEST(QString::fromUtf8(program.readAllStandardOutput()), "out");
        QTEST(QString::fromUtf8(program.readAllStandardError()), "err");
        QCOMPARE(QDir(dir.path()).entryList({"*.tps", "*.TPS"}, QDir::Files), QStringList());
    }
};

QTEST_MAIN(ReadCd)
#include "tst_read_cd.moc"
