// The drive layer: disc descriptions read by the virtual drive (tables of
// contents and cue sheets, good and malformed), the MCI command strings the
// device answers, SendMciCommand's replies, and the event log it writes.
#include "cdaudio.h"
#include "cdiodrive.h"
#include "eventlog.h"
#include "settings.h"
#include "virtualdrive.h"

#include "profile.h"
#include "scriptedsound.h"
#include "virtualdisc.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

using namespace crx;
using namespace crx::test;

namespace {

// A WAV file of CD audio holding so many frames of silence.
void writeWav(const QString &path, int frames)
{
    writeFile(path, cdWav(QByteArray(qsizetype(frames) * 2352, '\0')));
}

const char nineTracks[] = "# the published test disc\n"
                          "TRACK 1 150\nTRACK 2 15239\nTRACK 3 29625\nTRACK 4 45763\nTRACK 5 61420\n"
                          "TRACK 6 75807\nTRACK 7 92450\nTRACK 8 108142\nTRACK 9 121237\nLEADOUT 138352\n";

} // namespace

class DriveLayer : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        QVERIFY(dir.isValid());
        settings() = Settings();
        eventLog().setDirectory(dir.path());
        QFile::remove(dir.filePath("CRXEvent.LOG"));
        QFile::remove(dir.filePath("CRXPro98.INI"));
    }

    void descriptions_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("starts");
        QTest::addColumn<int>("leadOut");
        QTest::addColumn<QString>("error");
        QTest::newRow("table") << "TRACK 1 150\n  track 2 15239  # second\nLEADOUT 30000\n" << QList<int>{150, 15239}
                               << 30000 << "";
        QTest::newRow("empty") << "" << QList<int>{} << 0 << "";
        QTest::newRow("comments only") << "# nothing in the drive\n\n" << QList<int>{} << 0 << "";
        QTest::newRow("cue sheet from its wav")
            << "REM a rip\nPERFORMER \"ABBA\"\nFILE \"one side.wav\" WAVE\n  TRACK 01 AUDIO\n    TITLE \"A\"\n"
               "    INDEX 01 00:00:00\n  TRACK 02 AUDIO\n    INDEX 00 00:05:00\n    INDEX 01 00:06:00\n"
            << QList<int>{150, 600} << 1150 << "";
        QTest::newRow("cue sheet over two files")
            << "FILE \"one side.wav\" WAVE\nTRACK 01 AUDIO\nINDEX 01 00:00:00\nTRACK 02 AUDIO\n"
               "INDEX 00 00:10:00\nFILE \"b.wav\" WAVE\nINDEX 01 00:00:00\n"
            << QList<int>{150, 1150} << 1650 << "";
        QTest::newRow("cue sheet with its lead-out")
            << "FILE \"missing.bin\" BINARY\nTRACK 01 AUDIO\nINDEX 01 00:02:00\nREM LEADOUT 9000\n" << QList<int>{300}
            << 9000 << "";
        QTest::newRow("track numbers skip") << "TRACK 1 150\nTRACK 3 5000\nLEADOUT 9000\n" << QList<int>{} << 0
                                            << "line 2: expected TRACK 2";
        QTest::newRow("no lead-out") << "TRACK 1 150\n" << QList<int>{} << 0 << "no LEADOUT line";
        QTest::newRow("starts fall") << "TRACK 1 150\nTRACK 2 100\nLEADOUT 9000\n" << QList<int>{} << 0
                                     << "track 2 does not start after track 1";
        QTest::newRow("lead-out before the end") << "TRACK 1 150\nTRACK 2 5000\nLEADOUT 4000\n" << QList<int>{} << 0
                                                 << "the lead-out does not come after the last track";
        QTest::newRow("foreign text") << "<html>not a disc</html>\n" << QList<int>{} << 0
                                      << "line 1: not a TRACK or LEADOUT line";
        QTest::newRow("track without its index")
            << "FILE \"one side.wav\" WAVE\nTRACK 01 AUDIO\nTRACK 02 AUDIO\nINDEX 01 00:00:00\n" << QList<int>{} << 0
            << "line 3: the track before has no INDEX 01";
        QTest::newRow("seconds past 59") << "FILE \"one side.wav\" WAVE\nTRACK 01 AUDIO\nINDEX 01 00:61:00\n"
                                         << QList<int>{} << 0 << "line 3: expected INDEX nn mm:ss:ff";
        QTest::newRow("file not there") << "FILE \"gone.wav\" WAVE\nTRACK 01 AUDIO\nINDEX 01 00:00:00\n"
                                        << QList<int>{} << 0 << "line 1: cannot read";
        QTest::newRow("not CD audio") << "FILE \"dat.wav\" WAVE\nTRACK 01 AUDIO\nINDEX 01 00:00:00\n"
                                      << QList<int>{} << 0 << "line 1: " + dir.filePath("dat.wav") + " is not CD audio";
        QTest::newRow("a hundred tracks") << [] {
            QString text;
            for (int t = 1; t <= 100; ++t)
                text += QStringLiteral("TRACK %1 %2\n").arg(t).arg(150 + t * 1000);
            return text + QStringLiteral("LEADOUT 200000\n");
        }() << QList<int>{} << 0 << "line 100: expected TRACK 100";
    }
    void descriptions()
    {
        QFETCH(QString, text);
        QFETCH(QString, error);
        writeWav(dir.filePath("one side.wav"), 1000);
        writeWav(dir.filePath("b.wav"), 500);
        QByteArray dat = cdWav(QByteArray(2352 * 10, '\0'));
        qToLittleEndian<quint32>(48000, dat.data() + 24); // a DAT recording's rate
        writeFile(dir.filePath("dat.wav"), dat);
        const ParsedDisc disc = parseDiscDescription(text, dir.path());
        if (error.isEmpty()) {
            QCOMPARE(disc.error, QString());
            const QList<int> found(disc.toc.starts.begin(), disc.toc.starts.end());
            QTEST(found, "starts");
            QTEST(int(disc.toc.leadOut), "leadOut");
        } else {
            QVERIFY2(disc.error.startsWith(error), qPrintable(disc.error));
        }
    }

    // What a virtual disc sounds like at a frame: the frame number its image file gave it, or
    // 0 for silence.
    void sound_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("frame");
        QTest::addColumn<int>("heard");
        const QString one = QStringLiteral("FILE \"a.wav\" WAVE\nTRACK 01 AUDIO\nINDEX 01 00:00:00\n");
        QTest::newRow("the first frame") << one << 150 << 1;
        QTest::newRow("within the file") << one << 249 << 100;
        QTest::newRow("past the file") << one + "REM LEADOUT 400\n" << 250 << 0;
        const QString two = one + "TRACK 02 AUDIO\nINDEX 00 00:01:00\nFILE \"b.wav\" WAVE\nINDEX 01 00:00:00\n";
        QTest::newRow("second file") << two << 250 << 1001;
        QTest::newRow("end of the second") << two << 299 << 1050;
        // 50 frames of track 1, a second of silence, then the file goes on with frame 50.
        const QString pregap = QStringLiteral("FILE \"a.wav\" WAVE\nTRACK 01 AUDIO\nINDEX 01 00:00:00\n"
                                              "TRACK 02 AUDIO\nPREGAP 00:01:00\nINDEX 01 00:00:50\n");
        QTest::newRow("before a pregap") << pregap << 199 << 50;
        QTest::newRow("in the pregap") << pregap << 200 << 0;
        QTest::newRow("end of the pregap") << pregap << 274 << 0;
        QTest::newRow("after the pregap") << pregap << 275 << 51;
        QTest::newRow("a table of contents") << QString::fromLatin1(nineTracks) << 5000 << 0;
        QTest::newRow("no file, a lead-out")
            << "FILE \"gone.wav\" WAVE\nTRACK 01 AUDIO\nINDEX 01 00:00:00\nREM LEADOUT 9000\n" << 200 << 0;
    }
    void sound()
    {
        QFETCH(QString, text);
        QFETCH(int, frame);
        writeFile(dir.filePath("a.wav"), numberedWav(100));
        writeFile(dir.filePath("b.wav"), numberedWav(50, 1001));
        writeFile(dir.filePath("sound.cue"), text.toUtf8());
        VirtualDrive drive(QStringLiteral("sound.cue"), dir.path());
        drive.refresh();
        QCOMPARE(drive.state(), DriveState::Ready);
        QByteArray samples;
        QString error;
        QVERIFY2(drive.audio()->read(frame, 2, samples, error), qPrintable(error));
        QCOMPARE(samples.size(), 2 * 2352);
        QTEST(frameOf(samples, 0), "heard");
    }

    void driveStates()
    {
        VirtualDrive drive(QStringLiteral("disc.toc"), dir.path());
        drive.refresh();
        QCOMPARE(drive.state(), DriveState::NoDisc);
        writeFile(dir.filePath("disc.toc"), nineTracks);
        drive.refresh();
        QCOMPARE(drive.state(), DriveState::Ready);
        QCOMPARE(int(drive.toc().starts.size()), 9);
        QVERIFY(writeProfile(dir.filePath("CRXPro98.INI"), "Settings", "VirtualDiscDoor", "Open"));
        drive.refresh();
        QCOMPARE(drive.state(), DriveState::DoorOpen);
        QVERIFY2(!drive.setDoor(false), "the settings hold the door open");
        QVERIFY(writeProfile(dir.filePath("CRXPro98.INI"), "Settings", "VirtualDiscDoor", ""));
        QVERIFY(drive.setDoor(true));
        drive.refresh();
        QCOMPARE(drive.state(), DriveState::DoorOpen);
        QVERIFY(drive.setDoor(false));
        drive.refresh();
        QCOMPARE(drive.state(), DriveState::Ready);
        writeFile(dir.filePath("disc.toc"), "TRACK 1 150\nTRACK 2 100\nLEADOUT 9000\n");
        drive.refresh();
        QCOMPARE(drive.state(), DriveState::NotReady);
        QCOMPARE(drive.reason(), QStringLiteral("disc.toc: track 2 does not start after track 1"));
    }

    void commands_data()
    {
        QTest::addColumn<QStringList>("commands");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("reply");
        const QStringList open{"open cdaudio shareable"};
        QTest::newRow("open") << QStringList{} << 0 << "1";
        QTest::newRow("open twice") << open << mci::DeviceOpen << "";
        QTest::newRow("ready") << QStringList{"status cdaudio ready"} << 0 << "true";
        QTest::newRow("mode") << QStringList{"STATUS CDAUDIO MODE"} << 0 << "stopped";
        QTest::newRow("tracks") << QStringList{"status cdaudio number of tracks"} << 0 << "9";
        QTest::newRow("position msf") << QStringList{"status cdaudio position track 2"} << 0 << "03:23:14";
        QTest::newRow("position tmsf") << QStringList{"set cdaudio time format tmsf", "status cdaudio position track 2"}
                                       << 0 << "02:00:00:00";
        QTest::newRow("position ms") << QStringList{"set cdaudio time format ms", "status cdaudio position track 2"}
                                     << 0 << "203186";
        QTest::newRow("length of a track") << QStringList{"status cdaudio length track 1"} << 0 << "03:21:14";
        QTest::newRow("length in tmsf is msf")
            << QStringList{"set cdaudio time format tmsf", "status cdaudio length track 1"} << 0 << "03:21:14";
        // 138352 - 121237 - 1 frames: the last track one frame short of the lead-out.
        QTest::newRow("length of the last track") << QStringList{"status cdaudio length track 9"} << 0 << "03:48:14";
        QTest::newRow("length of the disc") << QStringList{"status cdaudio length"} << 0 << "30:42:51";
        QTest::newRow("current track") << QStringList{"status cdaudio current track"} << 0 << "1";
        QTest::newRow("time format") << QStringList{"set cdaudio time format tmsf", "status cdaudio time format"} << 0
                                     << "tmsf";
        QTest::newRow("track out of range") << QStringList{"status cdaudio length track 10"} << mci::OutOfRange << "";
        QTest::newRow("track not a number") << QStringList{"status cdaudio length track x"} << mci::BadInteger << "";
        QTest::newRow("unknown status") << QStringList{"status cdaudio colour"} << mci::UnrecognizedKeyword << "";
        QTest::newRow("unknown format") << QStringList{"set cdaudio time format smpte"} << mci::BadTimeFormat << "";
        QTest::newRow("other device") << QStringList{"status waveaudio ready"} << mci::InvalidDeviceName << "";
        QTest::newRow("unknown command") << QStringList{"rewind cdaudio"} << mci::UnrecognizedCommand << "";
        const QString tmsf = QStringLiteral("set cdaudio time format tmsf");
        QTest::newRow("playing") << QStringList{tmsf, "play cdaudio from 2", "status cdaudio mode"} << 0 << "playing";
        QTest::newRow("paused")
            << QStringList{tmsf, "play cdaudio from 2", "pause cdaudio", "status cdaudio mode"} << 0 << "paused";
        QTest::newRow("stopped")
            << QStringList{tmsf, "play cdaudio from 2", "stop cdaudio", "status cdaudio mode"} << 0 << "stopped";
        QTest::newRow("closed") << QStringList{tmsf, "play cdaudio from 2", "close cdaudio",
                                               "open cdaudio shareable", "status cdaudio mode"}
                                << 0 << "stopped";
        QTest::newRow("play past the last track") << QStringList{tmsf, "play cdaudio from 10"} << mci::OutOfRange << "";
        QTest::newRow("play before the first track") << QStringList{"set cdaudio time format ms", "play cdaudio from 1980"}
                                                     << mci::OutOfRange << "";
        QTest::newRow("play to before from")
            << QStringList{tmsf, "play cdaudio from 3 to 2"} << mci::OutOfRange << "";
        QTest::newRow("play from nowhere") << QStringList{"play cdaudio from"} << mci::MissingParameter << "";
        QTest::newRow("play how") << QStringList{"play cdaudio slowly"} << mci::UnrecognizedKeyword << "";
        QTest::newRow("position at the start")
            << QStringList{tmsf, "status cdaudio position"} << 0 << "01:00:00:00";
        QTest::newRow("seek within a track")
            << QStringList{tmsf, "seek cdaudio to 3:00:10:05", "status cdaudio position"} << 0 << "03:00:10:05";
        QTest::newRow("seek sets the current track")
            << QStringList{tmsf, "seek cdaudio to 3:00:10:05", "status cdaudio current track"} << 0 << "3";
        // 10000 ms is frame 750; a millisecond position read back is the same frame.
        QTest::newRow("seek in milliseconds")
            << QStringList{"set cdaudio time format ms", "seek cdaudio to 10000", "set cdaudio time format msf",
                           "status cdaudio position"}
            << 0 << "00:10:00";
        QTest::newRow("milliseconds round trip")
            << QStringList{"set cdaudio time format ms", "seek cdaudio to 203493", "status cdaudio position"} << 0
            << "203493";
        QTest::newRow("seek to the end") << QStringList{tmsf, "seek cdaudio to end", "status cdaudio current track"}
                                         << 0 << "9";
        QTest::newRow("close") << QStringList{"close cdaudio"} << 0 << "";
        QTest::newRow("close twice") << QStringList{"close cdaudio", "close cdaudio"} << mci::InvalidDeviceName << "";
        QTest::newRow("door open") << QStringList{"set cdaudio door open", "status cdaudio mode"} << 0 << "open";
        QTest::newRow("no disc while the door is open")
            << QStringList{"set cdaudio door open", "status cdaudio number of tracks"} << mci::DeviceNotReady << "";
        QTest::newRow("door closed again")
            << QStringList{"set cdaudio door open", "set cdaudio door closed", "status cdaudio ready"} << 0 << "true";
    }
    void commands()
    {
        QFETCH(QStringList, commands);
        writeFile(dir.filePath("disc.toc"), nineTracks);
        CdAudio device(std::make_unique<VirtualDrive>(QStringLiteral("disc.toc"), dir.path()));
        QString reply;
        QCOMPARE(device.send(QStringLiteral("open cdaudio shareable"), reply), 0);
        int code = 0;
        for (const QString &command : commands)
            code = device.send(command, reply);
        QTEST(code, "code");
        QTEST(reply, "reply");
    }

    void noDiscIsNotReady()
    {
        CdAudio device(std::make_unique<VirtualDrive>(QStringLiteral("empty.toc"), dir.path()));
        QString reply;
        QCOMPARE(device.send(QStringLiteral("open cdaudio"), reply), 0);
        QCOMPARE(device.send(QStringLiteral("status cdaudio ready"), reply), 0);
        QCOMPARE(reply, QStringLiteral("false"));
        QCOMPARE(device.send(QStringLiteral("status cdaudio mode"), reply), 0);
        QCOMPARE(reply, QStringLiteral("not ready"));
        QCOMPARE(device.send(QStringLiteral("status cdaudio length"), reply), mci::DeviceNotReady);
    }

    // The drive is chosen from the settings at each open; the environment goes before them.
    void theSettingsChooseTheDrive()
    {
        writeFile(dir.filePath("disc.toc"), nineTracks);
        writeFile(dir.filePath("one.toc"), "TRACK 1 150\nLEADOUT 22650\n");
        QVERIFY(writeProfile(dir.filePath("CRXPro98.INI"), "Settings", "VirtualDisc", "disc.toc"));
        CdAudio device(dir.path());
        QString reply;
        device.send(QStringLiteral("open cdaudio"), reply);
        device.send(QStringLiteral("status cdaudio number of tracks"), reply);
        QCOMPARE(reply, QStringLiteral("9"));
        device.send(QStringLiteral("close cdaudio"), reply);
        qputenv("CANTORIX_VIRTUAL_DISC", dir.filePath("one.toc").toUtf8());
        device.send(QStringLiteral("open cdaudio"), reply);
        device.send(QStringLiteral("status cdaudio number of tracks"), reply);
        qunsetenv("CANTORIX_VIRTUAL_DISC");
        QCOMPARE(reply, QStringLiteral("1"));
    }

    void replies_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("askMode");
        QTest::addColumn<bool>("doorOpen");
        QTest::addColumn<QString>("reply");
        QTest::newRow("true") << "status cdaudio ready" << false << false << "1";
        QTest::newRow("false") << "status cdaudio media present" << false << true << "";
        QTest::newRow("ask mode ignores the command") << "status cdaudio ready" << true << true << "open";
        QTest::newRow("a word") << "status cdaudio mode" << false << false << "stopped";
        QTest::newRow("open twice") << "open cdaudio" << false << false << "Error:1";
        QTest::newRow("error") << "status cdaudio number of tracks" << false << true << "Error:276";
        QTest::newRow("cut at 99 characters")
            << "status cdaudio ready" + QString(79, ' ') + "junk" << false << false << "1";
    }
    void replies()
    {
        QFETCH(QString, command);
        QFETCH(bool, askMode);
        QFETCH(bool, doorOpen);
        writeFile(dir.filePath("disc.toc"), nineTracks);
        QVERIFY(writeProfile(dir.filePath("CRXPro98.INI"), "Settings", "VirtualDiscDoor", doorOpen ? "open" : ""));
        CdAudio device(std::make_unique<VirtualDrive>(QStringLiteral("disc.toc"), dir.path()));
        setCdAudio(&device);
        SendMciCommand(QStringLiteral("open cdaudio"));
        QTEST(SendMciCommand(command, askMode), "reply");
        setCdAudio(nullptr);
    }

    void errorsReachTheEventLog_data()
    {
        QTest::addColumn<bool>("useLog");
        QTest::newRow("logging on") << true;
        QTest::newRow("logging off") << false;
    }
    void errorsReachTheEventLog()
    {
        QFETCH(bool, useLog);
        settings().useLog = useLog;
        writeFile(dir.filePath("disc.toc"), "TRACK 1 150\nTRACK 2 100\nLEADOUT 9000\n");
        CdAudio device(std::make_unique<VirtualDrive>(QStringLiteral("disc.toc"), dir.path()));
        setCdAudio(&device);
        QCOMPARE(SendMciCommand(QStringLiteral("open cdaudio")), QStringLiteral("1"));
        QCOMPARE(SendMciCommand(QStringLiteral("open cdaudio")), QStringLiteral("Error:1"));
        QCOMPARE(SendMciCommand(QStringLiteral("status cdaudio length track 1")), QStringLiteral("Error:276"));
        setCdAudio(nullptr);
        eventLog().setDirectory(dir.path()); // closes the log
        QFile log(dir.filePath("CRXEvent.LOG"));
        if (!useLog) {
            QVERIFY(!log.exists());
            return;
        }
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 4); // the drive's reason, then request, reply and code; the second open is quiet
        QCOMPARE(lines[0].mid(22).trimmed(),
                 QStringLiteral("CD Drive Not Ready            disc.toc: track 2 does not start after track 1"));
        QCOMPARE(lines[1].mid(22, 30).trimmed(), QStringLiteral("MCI Request"));
        QCOMPARE(lines[1].mid(52).trimmed(), QStringLiteral("status cdaudio length track 1"));
        QCOMPARE(lines[2].mid(22, 30).trimmed(), QStringLiteral("MCI Return"));
        QCOMPARE(lines[3].mid(22).trimmed(), QStringLiteral("MCI Error                     276"));
        for (const QString &line : lines)
            QCOMPARE(line.size(), 102);
    }

    void theLogIsReopenedAfterAHundredLines()
    {
        settings().useLog = true;
        for (int i = 0; i < 150; ++i)
            WriteEventLog(QStringLiteral("Test"), QString::number(i));
        // The first hundred are closed out; the rest are on their way through the open file.
        QFile log(dir.filePath("CRXEvent.LOG"));
        QVERIFY(log.open(QIODevice::ReadOnly));
        QCOMPARE(log.readAll().count('\n'), qsizetype(150));
        QFile::remove(dir.filePath("CRXEvent.LOG"));
        for (int i = 150; i < 200; ++i)
            WriteEventLog(QStringLiteral("Test"), QString::number(i));
        QVERIFY2(!QFile::exists(dir.filePath("CRXEvent.LOG")), "the log stays open until its hundredth line");
        WriteEventLog(QStringLiteral("Test"), QStringLiteral("200"));
        QVERIFY(QFile::exists(dir.filePath("CRXEvent.LOG")));
        eventLog().setDirectory(dir.path());
    }

    // The computer's drive, where there is one; a device that is not there is a missing drive.
    void computersDrive()
    {
        CdioDrive missing(dir.filePath("no-such-drive"));
        missing.refresh();
        QCOMPARE(missing.state(), DriveState::Missing);
        CdAudio device(std::make_unique<CdioDrive>(dir.filePath("no-such-drive")));
        QString reply;
        QCOMPARE(device.send(QStringLiteral("open cdaudio"), reply), mci::DeviceNotInstalled);

        CdioDrive first{QString()};
        first.refresh();
        if (first.state() == DriveState::Missing)
            QSKIP("This computer has no CD drive");
        QVERIFY(!first.device().isEmpty());
        if (first.state() == DriveState::Ready) {
            QVERIFY(!first.toc().starts.empty());
            QVERIFY(first.toc().leadOut > first.toc().starts.back());
        }
    }

private:
    QTemporaryDir dir;
};

QTEST_GUILESS_MAIN(DriveLayer)
#include "tst_drive_layer.moc"
