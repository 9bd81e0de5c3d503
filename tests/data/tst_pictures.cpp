// Pictures in both directions: a stored value shown as text, and a typed or
// imported text read back into the stored value.
#include "picture.h"

#include <QLocale>
#include <QtTest>

using namespace crx;

namespace {
constexpr qlonglong Oct31_1959 = 58015; // 31 October 1959 as a day number
constexpr qlonglong Time3m45s = 3 * 6000 + 45 * 100 + 1;
} // namespace

class TestPictures : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void bothWays_data();
    void bothWays();
    void readingAcceptsWhatPeopleType_data();
    void readingAcceptsWhatPeopleType();
    void textThatDoesNotFitIsRefused_data();
    void textThatDoesNotFitIsRefused();
    void systemDatesFollowTheLocale();
    void dateFormatSettingReplacesDatePictures_data();
    void dateFormatSettingReplacesDatePictures();
    void dayNumbersStartAt1801();
};

void TestPictures::bothWays_data()
{
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("text") << "@s30" << QVariant("Björk") << "Björk";
    QTest::newRow("long text") << "@S1000" << QVariant(QString(1000, 'x')) << QString(1000, 'x');
    QTest::newRow("n3") << "@n3" << QVariant(12LL) << "12";
    QTest::newRow("n3 zero shows") << "@n3" << QVariant(0LL) << "0";
    QTest::newRow("n2b zero is blank") << "@n2b" << QVariant(0LL) << "";
    QTest::newRow("n2b") << "@n2b" << QVariant(2LL) << "2";
    QTest::newRow("n4b year") << "@n4b" << QVariant(1998LL) << "1998";
    QTest::newRow("n4b zero is blank") << "@n4b" << QVariant(0LL) << "";
    QTest::newRow("n-13 grouped") << "@n-13" << QVariant(1234567LL) << "1,234,567";
    QTest::newRow("n-13 negative") << "@n-13" << QVariant(-42000LL) << "-42,000";
    QTest::newRow("n_4 padded, not grouped") << "@n_4" << QVariant(1998LL) << "1998";
    QTest::newRow("n_4 short value padded") << "@n_4" << QVariant(7LL) << "   7";
    QTest::newRow("n_4b zero is blank") << "@n_4b" << QVariant(0LL) << "";
    QTest::newRow("N30.9") << "@N30.9" << QVariant(12.5) << "12.500000000";
    QTest::newRow("n4 keeps a day number whole") << "@n4" << QVariant(Oct31_1959) << "58015";
    QTest::newRow("d1") << "@d1" << QVariant(Oct31_1959) << "10/31/59";
    QTest::newRow("d2") << "@d2" << QVariant(Oct31_1959) << "10/31/1959";
    QTest::newRow("d3") << "@d3" << QVariant(Oct31_1959) << "OCT 31,1959";
    QTest::newRow("d4") << "@d4" << QVariant(Oct31_1959) << "October 31, 1959";
    QTest::newRow("d5") << "@d5" << QVariant(Oct31_1959) << "31/10/59";
    QTest::newRow("d6") << "@d6" << QVariant(Oct31_1959) << "31/10/1959";
    QTest::newRow("d7") << "@d7" << QVariant(Oct31_1959) << "31 OCT 59";
    QTest::newRow("d8") << "@d8" << QVariant(Oct31_1959) << "31 OCT 1959";
    QTest::newRow("d9") << "@d9" << QVariant(Oct31_1959) << "59/10/31";
    QTest::newRow("d10") << "@d10" << QVariant(Oct31_1959) << "1959/10/31";
    QTest::newRow("d11") << "@d11" << QVariant(Oct31_1959) << "591031";
    QTest::newRow("d12") << "@d12" << QVariant(Oct31_1959) << "19591031";
    QTest::newRow("date zero is blank") << "@d6" << QVariant(0LL) << "";
    QTest::newRow("first day") << "@d6" << QVariant(4LL) << "01/01/1801";
    QTest::newRow("setting without @") << "d4" << QVariant(Oct31_1959) << "October 31, 1959";
    QTest::newRow("T4 3:45") << "@T4" << QVariant(Time3m45s) << "0:03:45";
    QTest::newRow("T4 hours") << "@T4" << QVariant(qlonglong((2 * 3600 + 5) * 100 + 1)) << "2:00:05";
    QTest::newRow("T4 zero is blank") << "@T4" << QVariant(0LL) << "";
    QTest::newRow("T1") << "@t1" << QVariant(qlonglong((17 * 3600 + 30 * 60) * 100 + 1)) << "17:30";
    QTest::newRow("T5") << "@t5" << QVariant(qlonglong((17 * 3600 + 30 * 60 + 9) * 100 + 1)) << "173009";
    QTest::newRow("T6") << "@t6" << QVariant(qlonglong((17 * 3600 + 30 * 60 + 9) * 100 + 1)) << "5:30:09PM";
}

void TestPictures::bothWays()
{
    QFETCH(QString, picture);
    QFETCH(QVariant, value);
    QFETCH(QString, text);
    QCOMPARE(formatValue(picture, value), text);
    bool ok = false;
    const QVariant read = readValue(picture, text, &ok);
    QVERIFY(ok);
    if (value.typeId() == QMetaType::Double)
        QCOMPARE(read.toDouble(), value.toDouble());
    else if (value.typeId() == QMetaType::QString)
        QCOMPARE(read.toString(), value.toString());
    else
        QCOMPARE(read.toLongLong(), value.toLongLong());
}

void TestPictures::readingAcceptsWhatPeopleType_data()
{
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("text");
    QTest::addColumn<qlonglong>("value");
    QTest::newRow("grouping and blanks") << "@n-13" << " 1,234 " << 1234LL;
    QTest::newRow("negative") << "@n-13" << "-17" << -17LL;
    QTest::newRow("empty number is zero") << "@n3" << "" << 0LL;
    QTest::newRow("decimals round") << "@n3" << "2.6" << 3LL;
    QTest::newRow("single-digit month and day") << "@d2" << "1/5/1960" << 58081LL;
    QTest::newRow("month name in any case") << "@d3" << "oct 31, 1959" << Oct31_1959;
    QTest::newRow("full month name for d4") << "@d4" << "october 31 1959" << Oct31_1959;
    QTest::newRow("empty date is none") << "@d6" << "  " << 0LL;
    QTest::newRow("month and year") << "@d14" << "10/1959" << 57985LL;
    QTest::newRow("time with blanks") << "@T4" << " 0:03:45 " << Time3m45s;
    QTest::newRow("hours and minutes only") << "@T4" << "1:30" << qlonglong(5400 * 100 + 1);
    QTest::newRow("twelve o'clock at night") << "@t6" << "12:00:00AM" << 1LL;
}

void TestPictures::readingAcceptsWhatPeopleType()
{
    QFETCH(QString, picture);
    QFETCH(QString, text);
    QFETCH(qlonglong, value);
    bool ok = false;
    QCOMPARE(readValue(picture, text, &ok).toLongLong(), value);
    QVERIFY(ok);
}

void TestPictures::textThatDoesNotFitIsRefused_data()
{
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("text");
    QTest::newRow("not a number") << "@n3" << "abc";
    QTest::newRow("number with letters") << "@n-13" << "12x";
    QTest::newRow("no such date") << "@d2" << "02/30/1999";
    QTest::newRow("not a date") << "@d4" << "soon";
    QTest::newRow("unknown month") << "@d8" << "31 ABC 1959";
    QTest::newRow("wrong length") << "@d12" << "1959103";
    QTest::newRow("minutes past 59") << "@T4" << "0:75:00";
    QTest::newRow("not a time") << "@T4" << "later";
}

void TestPictures::textThatDoesNotFitIsRefused()
{
    QFETCH(QString, picture);
    QFETCH(QString, text);
    bool ok = true;
    const QVariant value = readValue(picture, text, &ok);
    QVERIFY(!ok);
    QCOMPARE(value.toLongLong(), 0LL);
}

void TestPictures::systemDatesFollowTheLocale()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QDate oct31(1959, 10, 31);
    QCOMPARE(formatValue("@d17", Oct31_1959), QLocale::system().toString(oct31, QLocale::ShortFormat));
    QCOMPARE(formatValue("@d18", Oct31_1959), QLocale::system().toString(oct31, QLocale::LongFormat));
    bool ok = false;
    QCOMPARE(readValue("@d18", QLocale::system().toString(oct31, QLocale::LongFormat), &ok).toLongLong(), Oct31_1959);
    QVERIFY(ok);
}

void TestPictures::dateFormatSettingReplacesDatePictures_data()
{
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QString>("result");
    QTest::newRow("date picture") << "@d6" << "d4" << "@d4";
    QTest::newRow("upper-case D") << "@D17-" << "d1" << "@d1";
    QTest::newRow("year only") << "@d6" << "n4b" << "@n4b";
    QTest::newRow("empty setting is year only") << "@d6" << "" << "@n4b";
    QTest::newRow("without @") << "d2" << "d8" << "d8";
    QTest::newRow("other pictures stay") << "@n4" << "d4" << "@n4";
    QTest::newRow("text stays") << "@s30" << "d4" << "@s30";
}

void TestPictures::dateFormatSettingReplacesDatePictures()
{
    QFETCH(QString, picture);
    QFETCH(QString, setting);
    QFETCH(QString, result);
    QCOMPARE(withDateFormat(picture, setting), result);
}

void TestPictures::dayNumbersStartAt1801()
{
    QCOMPARE(dayNumber(1801, 1, 1), 4);
    QCOMPARE(dayNumber(1959, 10, 31), Oct31_1959);
    QCOMPARE(dayNumber(1959, 2, 30), 0);
    int y = 0, m = 0, d = 0;
    QVERIFY(dateOfDay(Oct31_1959, &y, &m, &d));
    QCOMPARE(QList<int>({y, m, d}), QList<int>({1959, 10, 31}));
    QVERIFY(!dateOfDay(0, &y, &m, &d));
}

QTEST_GUILESS_MAIN(TestPictures)
#include "tst_pictures.moc"
