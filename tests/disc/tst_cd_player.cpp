// The CD player as a person uses it, on the virtual drive with a short
// numbered WAV image and a scripted sound device: the title and songs of a
// known disc, the new-disc offer and its answers, the buttons, the progress
// bar, "Do Not Check", and where playing is as the sound is heard.
#include "albumform.h"
#include "albumwizards.h"
#include "cataloguefill.h"
#include "cdplayerwindow.h"
#include "datafile.h"
#include "eventlog.h"
#include "mainframe.h"
#include "profile.h"
#include "readcd.h"
#include "scriptedinteraction.h"
#include "scriptedsound.h"
#include "songform.h"
#include "tracklist.h"
#include "virtualdisc.h"
#include "windowsteps.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace crx;
using namespace crx::test;

namespace {

// Three tracks of 3, 3 and 4 seconds in one numbered image: frame n of the disc (lead-in
// included) sounds as n - 149.
const QByteArray ShortDisc = "FILE \"short.wav\" WAVE\n"
                             "  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
                             "  TRACK 02 AUDIO\n    INDEX 01 00:03:00\n"
                             "  TRACK 03 AUDIO\n    INDEX 01 00:06:00\n";
constexpr int DiscFrames = 750;
constexpr int PollEvery = 11; // CDTimer, hundredths: the quickest the player polls

struct Player : VirtualDiscCatalogue {
    Player()
    {
        settings().cdTimer = PollEvery;
        settings().useLog = true;
        addMediaFormats(files, {"CD"});
        writeFile(dir.filePath("short.wav"), numberedWav(DiscFrames));
        frame.show();
    }
    ~Player() { closePlayer(); }

    void insertShortDisc() { insertDisc(ShortDisc); }
    // The short disc is in the catalogue as "Short Waves" with its three songs.
    void catalogueShortDisc()
    {
        insertShortDisc();
        SendMciCommand("open cdaudio shareable");
        const QString signature = discSignature(3);
        SendMciCommand("close cdaudio");
        DataFile &albums = files.use(FileId::Album);
        albums.buffer().clear();
        albums.buffer().set("AlbumID", 7);
        albums.buffer().set("Album", "Short Waves");
        albums.buffer().set("CDIdentifier", signature);
        QCOMPARE(albums.add(), int(NoError));
        files.release(FileId::Album);
        DataFile &songs = files.use(FileId::Cantorix);
        const char *titles[] = {"Sine", "Square", "Saw"};
        for (int t = 1; t <= 3; ++t) {
            songs.buffer().clear();
            songs.buffer().set("ID", t);
            songs.buffer().set("AlbumID", 7);
            songs.buffer().set("Side", 1);
            songs.buffer().set("TrackNumber", t);
            songs.buffer().set("Title", titles[t - 1]);
            songs.buffer().set("Artist", "Oscillators");
            QCOMPARE(songs.add(), int(NoError));
        }
        files.release(FileId::Cantorix);
    }

    // Opens the player as "&CD Player" in the File menu does.
    IntegratedCDPlayer *openPlayer()
    {
        frame.action("&File", "&CD Player")->trigger();
        for (QMdiSubWindow *child : frame.workspace()->subWindowList())
            if (auto *p = qobject_cast<IntegratedCDPlayer *>(child->widget()))
                return p;
        return nullptr;
    }
    void closePlayer()
    {
        for (QMdiSubWindow *child : frame.workspace()->subWindowList())
            if (auto *p = qobject_cast<IntegratedCDPlayer *>(child->widget()))
                QTest::mouseClick(p->findChild<QPushButton *>("close"), Qt::LeftButton);
        QTRY_VERIFY(frame.workspace()->subWindowList().isEmpty());
    }
    static QString shows(IntegratedCDPlayer *player, const char *label)
    {
        return player->findChild<QLabel *>(label)->text();
    }
    static void press(IntegratedCDPlayer *player, const char *button)
    {
        QTest::mouseClick(player->findChild<QPushButton *>(button), Qt::LeftButton);
    }
    int offers() const
    {
        int n = 0;
        for (const ShownMessage &m : person.shown)
            n += m.title == QLatin1String("New CD Found");
        return n;
    }
    // The first frame of the disc the sound device was given since its stream started.
    int firstFrameHeard() const
    {
        const QByteArray written = sound.written();
        return written.isEmpty() ? -1 : frameOf(written, 0) + 149;
    }
    QString eventLogText() const
    {
        QFile log(dir.filePath("CRXEvent.LOG"));
        return log.open(QIODevice::ReadOnly) ? QString::fromLatin1(log.readAll()) : QString();
    }

    ScriptedInteraction person;
    ScriptedSound sound;
    MainFrame frame{files};
};

} // namespace

class CdPlayerTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // As the program does at start, before the frame makes its menus.
    void initTestCase() { registerCdPlayer(); }

    void noDiscNoOffer()
    {
        Player p;
        IntegratedCDPlayer *player = p.openPlayer();
        QVERIFY(player);
        QTRY_COMPARE(Player::shows(player, "mode"), QStringLiteral("not ready"));
        QCOMPARE(player->windowTitle(), QStringLiteral("CD Player"));
        QCOMPARE(Player::shows(player, "trackCount"), QStringLiteral("0"));
        QCOMPARE(Player::shows(player, "deviceState"), QStringLiteral("(shared mode)"));
        QCOMPARE(player->trackList()->topLevelItemCount(), 0);
        QTest::qWait(PollEvery * 30);
        QCOMPARE(p.offers(), 0);
        // It opens at its design or larger.
        QVERIFY(player->width() >= 560 && player->height() >= 430);
    }

    // The door opened and closed again on a catalogued disc: the album's title and songs.
    void aKnownDiscAfterTheDoor()
    {
        Player p;
        p.catalogueShortDisc();
        SendMciCommand("set cdaudio door open");
        IntegratedCDPlayer *player = p.openPlayer();
        QTRY_COMPARE(Player::shows(player, "mode"), QStringLiteral("open"));
        QCOMPARE(player->windowTitle(), QStringLiteral("CD Player"));
        SendMciCommand("set cdaudio door closed");
        QTRY_COMPARE(player->windowTitle(), QStringLiteral("CD Player - Short Waves"));
        QCOMPARE(columnTexts(*player->trackList(), 2), (QStringList{"Sine", "Square", "Saw"}));
        QCOMPARE(columnTexts(*player->trackList(), 0), (QStringList{"1", "2", "3"}));
        QCOMPARE(Player::shows(player, "trackCount"), QStringLiteral("3"));
        QCOMPARE(Player::shows(player, "discLength"), QStringLiteral("0:09"));
        QCOMPARE(Player::shows(player, "trackLength"), QStringLiteral("0:03"));
        QCOMPARE(p.offers(), 0);
    }

    // An unknown disc is offered once; No stops the offers until the player closes.
    void anUnknownDiscIsOfferedOnce()
    {
        Player p;
        p.insertShortDisc();
        p.person.choices.enqueue(2); // &No
        IntegratedCDPlayer *player = p.openPlayer();
        QTRY_COMPARE(p.offers(), 1);
        const ShownMessage &offer = p.person.shown.front();
        QCOMPARE(offer.text, QStringLiteral("Add this CD to the database?"));
        QCOMPARE(offer.labels, (QStringList{"&Yes", "&CDDB", "&No"}));
        QTRY_COMPARE(Player::shows(player, "deviceState"), QStringLiteral("(no detection)"));
        SendMciCommand("set cdaudio door open");
        QTRY_COMPARE(Player::shows(player, "mode"), QStringLiteral("open"));
        SendMciCommand("set cdaudio door closed");
        QTRY_COMPARE(Player::shows(player, "mode"), QStringLiteral("stopped"));
        QTest::qWait(PollEvery * 30);
        QCOMPARE(p.offers(), 1);
        QCOMPARE(player->windowTitle(), QStringLiteral("CD Player"));

        p.closePlayer();
        p.person.choices.enqueue(2);
        p.openPlayer();
        QTRY_COMPARE(p.offers(), 2);
    }

    // Yes: the album wizard runs with the device given back and the one-shot request set; the
    // album it adds from the disc names the player.
    void yesAddsTheDiscThroughTheAlbumWizard()
    {
        Player p;
        p.insertShortDisc();
        p.person.choices.enqueue(0); // &Yes
        // The first poll, queued as the player opens, finds the disc and makes the offer.
        IntegratedCDPlayer *player = p.openPlayer();
        QString stateDuringWizard;
        bool requestDuringWizard = false;
        onModals({[&](QWidget *modal) {
            auto *wizard = qobject_cast<AlbumWizard *>(modal);
            QVERIFY(wizard);
            auto *player = qobject_cast<IntegratedCDPlayer *>(wizard->parentWidget());
            QVERIFY(player);
            stateDuringWizard = Player::shows(player, "deviceState");
            requestDuringWizard = globals().readDiscInAddWizard;
            QTest::mouseClick(wizard->nextButton(), Qt::LeftButton);
            typeInto(*wizard, "ALB:Artist", "Oscillators");
            typeInto(*wizard, "ALB:Album", "Short Waves");
            wizard->findChild<QComboBox *>("ALB:Media")->setCurrentText("CD");
            QTest::mouseClick(wizard->nextButton(), Qt::LeftButton);
            QCOMPARE(wizard->trackList()->topLevelItemCount(), 3);
            QTest::mouseClick(wizard->finishButton(), Qt::LeftButton);
        }});
        QTRY_COMPARE(player->windowTitle(), QStringLiteral("CD Player - Short Waves"));
        QCOMPARE(stateDuringWizard, QStringLiteral("(closed)"));
        QVERIFY(requestDuringWizard);
        QVERIFY2(!globals().readDiscInAddWizard, "the request is not left for a later wizard");
        QCOMPARE(Player::shows(player, "deviceState"), QStringLiteral("(shared mode)"));
        QCOMPARE(player->trackList()->topLevelItemCount(), 3);
        QCOMPARE(p.offers(), 1);
    }

    // CDDB: the CDDB wizard opens on the request and looks the disc up by itself.
    void cddbLooksTheDiscUp()
    {
        Player p;
        p.insertShortDisc();
        p.person.runner = [&p](const QString &, const QStringList &, const QString &) {
            writeFile(p.dir.filePath("CDDB_LOG.TXT"),
                      "DTITLE=Oscillators / Short Waves\nTTITLE0=Sine\nTTITLE1=Square\nTTITLE2=Saw\n");
            writeProfile(p.dir.filePath("DISCTALK.INI"), "CDDB", "Category", "misc");
            return 0;
        };
        p.person.choices.enqueue(1); // &CDDB
        p.person.answer({Yes});
        IntegratedCDPlayer *player = p.openPlayer();
        int stepShown = -1;
        QString albumFound;
        onModals({[&](QWidget *modal) {
            auto *wizard = qobject_cast<CDDBWizard *>(modal);
            QVERIFY(wizard);
            QTRY_COMPARE(wizard->step(), 1);
            stepShown = wizard->step();
            albumFound = wizard->findChild<QLineEdit *>("ALB:Album")->text();
            QTest::mouseClick(wizard->finishButton(), Qt::LeftButton);
            QTest::mouseClick(wizard->findChild<QPushButton *>("cancel"), Qt::LeftButton);
        }});
        QTRY_COMPARE(player->windowTitle(), QStringLiteral("CD Player - Short Waves"));
        QCOMPARE(stepShown, 1);
        QCOMPARE(albumFound, QStringLiteral("Short Waves"));
        QCOMPARE(p.person.ran.size(), 1);
        QVERIFY(!globals().readDiscInAddWizard);
        QCOMPARE(columnTexts(*player->trackList(), 2), (QStringList{"Sine", "Square", "Saw"}));
    }

    // Play, pause and resume move the position only as the sound is heard.
    void thePositionFollowsTheSound()
    {
        Player p;
        p.catalogueShortDisc();
        IntegratedCDPlayer *player = p.openPlayer();
        QTRY_COMPARE(player->windowTitle(), QStringLiteral("CD Player - Short Waves"));
        Player::press(player, "play");
        QTRY_COMPARE(Player::shows(player, "mode"), QStringLiteral("playing"));
        QTRY_COMPARE(p.firstFrameHeard(), 150);
        p.sound.hear(75);
        QTRY_COMPARE(Player::shows(player, "trackPosition"), QStringLiteral("0:01"));
        QCOMPARE(Player::shows(player, "discPosition"), QStringLiteral("0:03"));
        QCOMPARE(player->progressBar()->value(), 33);

        Player::press(player, "pause");
        QTRY_COMPARE(Player::shows(player, "mode"), QStringLiteral("paused"));
        QTRY_VERIFY(p.sound.paused());
        p.sound.hear(75);
        QTest::qWait(PollEvery * 30);
        QCOMPARE(Player::shows(player, "trackPosition"), QStringLiteral("0:01"));

        Player::press(player, "pause");
        QTRY_COMPARE(Player::shows(player, "mode"), QStringLiteral("playing"));
        QTRY_VERIFY(!p.sound.paused());
        p.sound.hear(150);
        QTRY_COMPARE(Player::shows(player, "track"), QStringLiteral("2"));
        QCOMPARE(player->trackList()->currentItem()->text(2), QStringLiteral("Square"));

        Player::press(player, "stop");
        QTRY_COMPARE(Player::shows(player, "mode"), QStringLiteral("stopped"));
        const QString stoppedAt = Player::shows(player, "discPosition");
        p.sound.hear(75);
        QTest::qWait(PollEvery * 30);
        QCOMPARE(Player::shows(player, "discPosition"), stoppedAt);
    }

    // A click on the progress bar plays from that share of the track.
    void aClickOnTheBarLocates()
    {
        Player p;
        p.catalogueShortDisc();
        IntegratedCDPlayer *player = p.openPlayer();
        QTRY_COMPARE(Player::shows(player, "trackLength"), QStringLiteral("0:03"));
        QProgressBar *bar = player->progressBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, bar->height() / 2));
        QTRY_COMPARE(p.sound.streams(), 1);
        // Half of track 1's three seconds is frame 150 + 112 or so.
        QTRY_VERIFY(p.firstFrameHeard() > 0);
        QVERIFY2(qAbs(p.firstFrameHeard() - 262) <= 3, qPrintable(QString::number(p.firstFrameHeard())));
        QTRY_COMPARE(Player::shows(player, "trackPosition"), QStringLiteral("0:01"));
        QTRY_VERIFY(player->progressBar()->value() >= 49 && player->progressBar()->value() <= 51);
    }

    void previousAndNextAtTheEnds()
    {
        Player p;
        p.catalogueShortDisc();
        IntegratedCDPlayer *player = p.openPlayer();
        QTRY_COMPARE(player->windowTitle(), QStringLiteral("CD Player - Short Waves"));
        Player::press(player, "play");
        QTRY_COMPARE(p.firstFrameHeard(), 150);
        p.sound.hear(75);
        QTRY_COMPARE(Player::shows(player, "trackPosition"), QStringLiteral("0:01"));
        // Within the first 3 seconds of track 1: track 1 again from its start.
        Player::press(player, "previous");
        QTRY_COMPARE(p.sound.streams(), 2);
        QTRY_COMPARE(p.firstFrameHeard(), 150);
        QCOMPARE(Player::shows(player, "track"), QStringLiteral("1"));

        // The last track: Next asks for track 4, which the disc has not, and changes nothing.
        player->trackList()->setCurrentItem(player->trackList()->topLevelItem(2));
        QTest::keyClick(player->trackList(), Qt::Key_Return);
        QTRY_COMPARE(p.sound.streams(), 3);
        QTRY_COMPARE(p.firstFrameHeard(), 600);
        QTRY_COMPARE(Player::shows(player, "track"), QStringLiteral("3"));
        p.sound.hear(75);
        QTRY_COMPARE(Player::shows(player, "trackPosition"), QStringLiteral("0:01"));
        Player::press(player, "next");
        QTest::qWait(PollEvery * 30);
        QCOMPARE(p.sound.streams(), 3);
        QCOMPARE(Player::shows(player, "track"), QStringLiteral("3"));
        QCOMPARE(Player::shows(player, "mode"), QStringLiteral("playing"));
        QCOMPARE(Player::shows(player, "trackPosition"), QStringLiteral("0:01"));
        QVERIFY2(p.eventLogText().contains("play cdaudio from 4"), qPrintable(p.eventLogText()));
    }

    // "Do Not Check" in CD Player Preferences stops the displays of the open player at once.
    void doNotCheckStopsTheDisplays()
    {
        Player p;
        p.catalogueShortDisc();
        IntegratedCDPlayer *player = p.openPlayer();
        QTRY_COMPARE(player->windowTitle(), QStringLiteral("CD Player - Short Waves"));
        onModals({[](QWidget *modal) {
            auto *setup = qobject_cast<CDSetup *>(modal);
            QVERIFY(setup);
            QCOMPARE(setup->windowTitle(), QStringLiteral("CD Player Preferences"));
            setup->findChild<QRadioButton *>("every0")->click();
            QTest::mouseClick(setup->findChild<QPushButton *>("ok"), Qt::LeftButton);
        }});
        Player::press(player, "setUp");
        QCOMPARE(readProfile(p.dir.filePath("CRXPro98.INI"), "Settings", "CDTimer"), QStringLiteral("0"));
        Player::press(player, "play");
        p.sound.hear(150);
        QTRY_COMPARE(p.firstFrameHeard(), 150);
        QTest::qWait(PollEvery * 30);
        QCOMPARE(Player::shows(player, "mode"), QStringLiteral("stopped"));
        QCOMPARE(Player::shows(player, "trackPosition"), QStringLiteral("0:00"));
    }

    // The song form on the highlighted song, the album form on the disc's album; on closing,
    // the list's format and the window's place are kept.
    void theEditButtonsAndTheClose()
    {
        Player p;
        p.catalogueShortDisc();
        IntegratedCDPlayer *player = p.openPlayer();
        QTRY_COMPARE(player->trackList()->topLevelItemCount(), 3);
        player->trackList()->setCurrentItem(player->trackList()->topLevelItem(1));
        QString song, album;
        onModals({[&song](QWidget *modal) {
            auto *form = qobject_cast<UpdateSong *>(modal);
            QVERIFY(form);
            song = form->findChild<QLineEdit *>("MUS:Title")->text();
            QTest::mouseClick(form->findChild<QPushButton *>("cancel"), Qt::LeftButton);
        }});
        Player::press(player, "editSong");
        QCOMPARE(song, QStringLiteral("Square"));
        onModals({[&album](QWidget *modal) {
            auto *form = qobject_cast<UpdateAlbum *>(modal);
            QVERIFY(form);
            album = form->findChild<QLineEdit *>("ALB:Album")->text();
            typeInto(*form, "ALB:Album", "Long Waves");
            QTest::mouseClick(form->findChild<QPushButton *>("ok"), Qt::LeftButton);
        }});
        Player::press(player, "editAlbum");
        QCOMPARE(album, QStringLiteral("Short Waves"));
        QCOMPARE(player->windowTitle(), QStringLiteral("CD Player - Long Waves"));

        p.closePlayer();
        const QString positions = p.dir.filePath("POSITION.INI");
        QVERIFY(!readProfile(positions, "IntegratedCDPlayer", "SRCF?List").isEmpty());
        QVERIFY(!readProfile(positions, "IntegratedCDPlayer", "Width").isEmpty());
    }

    // The device held elsewhere and IgnoreMCIError on: the player does not open, and the
    // event log tells the incident.
    void aDeviceInUse()
    {
        Player p;
        p.insertShortDisc();
        QVERIFY(writeProfile(p.dir.filePath("CRXPro98.INI"), "Settings", "IgnoreMCIError", "1"));
        QCOMPARE(SendMciCommand("open cdaudio shareable"), QStringLiteral("1"));
        QVERIFY(!p.openPlayer());
        QCOMPARE(p.person.shown.size(), 1);
        QCOMPARE(p.person.shown.front().title, QStringLiteral("Error"));
        QCOMPARE(p.person.shown.front().text,
                 QStringLiteral("CD player not available.  Ensure that no other program is using the CD-ROM drive."));
        const QString log = p.eventLogText();
        for (const char *entry : {"CDPlayer", "open cdaudio shareable:  Error:1", "CDPlayerError",
                                  "open cdaudio:  Error:1", "Open Windows", "Cantorix Pro", "Version", "AppDate",
                                  "AppTime", "EndIncident"})
            QVERIFY2(log.contains(QLatin1String(entry)), entry);
        QVERIFY(log.contains(QString(47, QLatin1Char('-'))));
    }

    // Cancel in CD Player Preferences keeps what the file says.
    void cancelKeepsTheInterval()
    {
        Player p;
        QVERIFY(writeProfile(p.dir.filePath("CRXPro98.INI"), "Settings", "CDTimer", "250"));
        reloadSettings(p.dir.path());
        CDSetup setup(p.dir.path());
        QVERIFY(setup.findChild<QRadioButton *>("every250")->isChecked());
        setup.findChild<QRadioButton *>("every1000")->click();
        QTest::mouseClick(setup.findChild<QPushButton *>("cancel"), Qt::LeftButton);
        QCOMPARE(settings().cdTimer, 250);
        QCOMPARE(readProfile(p.dir.filePath("CRXPro98.INI"), "Settings", "CDTimer"), QStringLiteral("250"));
    }

    // The sound cannot be read any more (the image is gone, a disc too scratched): playing
    // stops, and the mode line says why.
    void soundThatCannotBeRead()
    {
        Player p;
        // The lead-out given: the disc stays the same without its image.
        p.insertDisc(ShortDisc + "REM LEADOUT 900\n");
        p.person.choices.enqueue(2);
        IntegratedCDPlayer *player = p.openPlayer();
        QTRY_COMPARE(p.offers(), 1);
        Player::press(player, "play");
        QTRY_COMPARE(p.firstFrameHeard(), 150);
        QVERIFY(QFile::remove(p.dir.filePath("short.wav")));
        p.sound.hear(75);
        QTRY_VERIFY2(Player::shows(player, "mode").startsWith("stopped (cannot read "),
                     qPrintable(Player::shows(player, "mode")));
        QVERIFY(p.eventLogText().contains("CD Sound"));
    }

    // Reading the disc (an album form's Read) while the player holds the device and plays: the
    // read leaves the device and the sound to the player.
    void aReadWhilePlaying()
    {
        Player p;
        p.catalogueShortDisc();
        IntegratedCDPlayer *player = p.openPlayer();
        QTRY_COMPARE(player->windowTitle(), QStringLiteral("CD Player - Short Waves"));
        Player::press(player, "play");
        QTRY_COMPARE(p.firstFrameHeard(), 150);
        struct Quiet : ReadingProgress {
            void start(int) override {}
            void setLine(const QString &) override {}
            void advance() override {}
            void finish() override {}
        } progress;
        QVERIFY(ReadCompactDisc(p.files, ReadMode::IdentifyQuietly, false, progress));
        QCOMPARE(SendMciCommand("status cdaudio mode"), QStringLiteral("playing"));
        QCOMPARE(SendMciCommand("open cdaudio shareable"), QStringLiteral("Error:1"));
    }

    // No sound device: the player goes on, its position moving, and says why nothing is heard.
    void withoutASoundDevice()
    {
        Player p;
        p.catalogueShortDisc();
        p.sound.failWith("no sound device");
        IntegratedCDPlayer *player = p.openPlayer();
        QTRY_COMPARE(player->windowTitle(), QStringLiteral("CD Player - Short Waves"));
        Player::press(player, "play");
        QTRY_COMPARE(Player::shows(player, "mode"), QStringLiteral("playing (no sound: no sound device)"));
        QTRY_COMPARE(Player::shows(player, "trackPosition"), QStringLiteral("0:01"));
        QVERIFY2(p.eventLogText().contains("no sound device"), qPrintable(p.eventLogText()));
    }
};

QTEST_MAIN(CdPlayerTest)
#include "tst_cd_player.moc"
