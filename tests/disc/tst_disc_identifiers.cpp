// The disc identifiers worked out from a table of contents: the published
// CDDB disc id on tables of our own and the published test vector, and the
// frame and time conversions with their edge cases.
#include "discid.h"

#include <QtTest>

using namespace crx;

namespace {

// The table as the drive reports it: each track up to the next, the last one frame short.
TrackTable tableOf(const QList<int> &starts, int leadOut)
{
    TrackTable table;
    for (qsizetype i = 0; i < starts.size(); ++i)
        table.push_back({starts[i], (i + 1 < starts.size() ? starts[i + 1] : leadOut - 1) - starts[i]});
    return table;
}

} // namespace

class DiscIdentifiers : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void discId_data()
    {
        QTest::addColumn<QList<int>>("starts");
        QTest::addColumn<int>("leadOut");
        QTest::addColumn<QString>("id");
        QTest::addColumn<int>("playingTime");
        QTest::addColumn<qint64>("leadOutSeconds");
        QTest::newRow("published nine tracks")
            << QList<int>{150, 15239, 29625, 45763, 61420, 75807, 92450, 108142, 121237} << 138352
            << "52073209" << 184200 << qint64(1844);
        QTest::newRow("three tracks") << QList<int>{150, 60000, 120000} << 200000 << "110a6803" << 266400
                                      << qint64(2666);
        // n = digit sum of 2 s; T = 302 - 2.
        QTest::newRow("one track of five minutes") << QList<int>{150} << 22650 << "02012c01" << 30000 << qint64(302);
        // The last track starts 74 frames past 100 s and its length + 1 ends 74 frames past 50 s
        // more: the lead-out at 11398 frames is 151 whole seconds, one more than 100 + 50 + 1 - 2.
        QTest::newRow("74 frames past the seconds") << QList<int>{150, 7574} << 11398 << "03009502" << 14900
                                                    << qint64(151);
        // A hidden first track start (182 frames, 2 s) and a start at 266 s (digit sum 14).
        QTest::newRow("first track not at the lead-in") << QList<int>{182, 20000} << 40000 << "10021302" << 53100
                                                        << qint64(533);
    }
    void discId()
    {
        QFETCH(QList<int>, starts);
        QFETCH(int, leadOut);
        const DiscId disc = ComputeDiscId(tableOf(starts, leadOut));
        QTEST(disc.id, "id");
        QTEST(disc.playingTime, "playingTime");
        QTEST(disc.leadOutSeconds, "leadOutSeconds");
    }

    void emptyTableHasNoId()
    {
        const DiscId disc = ComputeDiscId({});
        QVERIFY(disc.id.isEmpty());
        QCOMPARE(disc.playingTime, 0);
    }

    void msfToTime_data()
    {
        QTest::addColumn<QString>("msf");
        QTest::addColumn<int>("time");
        QTest::newRow("99 frames round up") << "03:59:99" << 4 * 6000 + 1;
        QTest::newRow("74 frames dropped") << "03:59:74" << 3 * 6000 + 59 * 100 + 1;
        QTest::newRow("nothing") << "00:00:00" << 1;
        QTest::newRow("an hour carried") << "59:59:99" << 360000 + 1;
        QTest::newRow("past an hour") << "75:10:00" << 360000 + 15 * 6000 + 10 * 100 + 1;
        QTest::newRow("an error reply is no time") << "Error:276" << 1;
    }
    void msfToTime()
    {
        QFETCH(QString, msf);
        QTEST(MsfToTime(msf), "time");
    }

    void framesAndMsf()
    {
        QCOMPARE(MsfToFrames("01:02:03"), qint64(4500 + 150 + 3));
        const Msf m = FramesToMsf(138351);
        QCOMPARE(m.minutes, 30);
        QCOMPARE(m.seconds, 44);
        QCOMPARE(m.frames, 51);
        const Msf edge = FramesToMsf(4499);
        QCOMPARE(edge.minutes, 0);
        QCOMPARE(edge.seconds, 59);
        QCOMPARE(edge.frames, 74);
    }

    void digitsAndHex()
    {
        QCOMPARE(DigitSum(0), 0);
        QCOMPARE(DigitSum(1999), 28);
        QCOMPARE(HexDigits(0x02012c01, 8), QStringLiteral("02012C01"));
        QCOMPARE(HexDigits(0xFFFFFFFFu, 8), QStringLiteral("FFFFFFFF"));
        QCOMPARE(HexDigits(0, 4), QStringLiteral("0000"));
    }
};

QTEST_GUILESS_MAIN(DiscIdentifiers)
#include "tst_disc_identifiers.moc"
