// List column formats: parsed into the columns shown, written back unchanged
// but for the widths a person gave them, date pictures replaced by the
// DateFormat setting.
#include "listformat.h"

#include <QtTest>

using namespace crx;

class TestListFormat : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void columnsAreRead_data();
    void columnsAreRead();
    void datePicturesFollowTheSetting_data();
    void datePicturesFollowTheSetting();
    void widthsAreWrittenIntoTheFormat_data();
    void widthsAreWrittenIntoTheFormat();
};

void TestListFormat::widthsAreWrittenIntoTheFormat_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QList<int>>("widths");
    QTest::addColumn<QString>("written");
    QTest::newRow("every column") << "120L(2)|M~Artist~@s50@80R(2)|M~Release Date~C(0)@d6@" << QList<int>({95, 100})
                                  << "95L(2)|M~Artist~@s50@100R(2)|M~Release Date~C(0)@d6@";
    QTest::newRow("fewer widths") << "120L(2)|M~Artist~@s50@80R(2)~Time~@T4@" << QList<int>({7})
                                  << "7L(2)|M~Artist~@s50@80R(2)~Time~@T4@";
    QTest::newRow("not a format") << "Category" << QList<int>({50}) << "Category";
}

void TestListFormat::widthsAreWrittenIntoTheFormat()
{
    QFETCH(QString, format);
    QFETCH(QList<int>, widths);
    QFETCH(QString, written);
    QCOMPARE(listFormatWithWidths(format, std::vector<int>(widths.begin(), widths.end())), written);
}

void TestListFormat::columnsAreRead_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QStringList>("headers");
    QTest::addColumn<QStringList>("pictures");
    QTest::addColumn<QList<int>>("widths");
    QTest::newRow("categories") << "80L(2)|M~Category~L(2)@s30@" << QStringList({"Category"})
                                << QStringList({"@s30@"}) << QList<int>({80});
    QTest::newRow("three columns") << "120L(2)|M~Artist~@s50@80R(2)|M~Release Date~C(0)@d6@40L(2)~Time~@T4@"
                                   << QStringList({"Artist", "Release Date", "Time"})
                                   << QStringList({"@s50@", "@d6@", "@T4@"}) << QList<int>({120, 80, 40});
    QTest::newRow("not a format") << "Category" << QStringList() << QStringList() << QList<int>();
}

void TestListFormat::columnsAreRead()
{
    QFETCH(QString, format);
    QFETCH(QStringList, headers);
    QFETCH(QStringList, pictures);
    QFETCH(QList<int>, widths);
    const std::vector<ListColumn> columns = parseListFormat(format);
    QStringList h, p;
    QList<int> w;
    for (const ListColumn &c : columns) {
        h << c.header;
        p << c.picture;
        w << c.width;
    }
    QCOMPARE(h, headers);
    QCOMPARE(p, pictures);
    QCOMPARE(w, widths);
    if (!columns.empty()) {
        QCOMPARE(listFormatText(columns), format);
        QVERIFY(columns.front().resizable());
        QVERIFY(columns.front().rightBorder());
        QCOMPARE(columns.front().offset, 2);
    }
}

void TestListFormat::datePicturesFollowTheSetting_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QString>("result");
    QTest::newRow("date column") << "80R(2)|M~Released~@d6@" << "d4" << "80R(2)|M~Released~@d4@";
    QTest::newRow("year only") << "80R(2)|M~Released~@D17-@40L~Time~@T4@" << "" << "80R(2)|M~Released~@n4b@40L~Time~@T4@";
    QTest::newRow("no dates") << "80L(2)|M~Category~L(2)@s30@" << "d4" << "80L(2)|M~Category~L(2)@s30@";
}

void TestListFormat::datePicturesFollowTheSetting()
{
    QFETCH(QString, format);
    QFETCH(QString, setting);
    QFETCH(QString, result);
    QCOMPARE(listFormatWithDateFormat(format, setting), result);
}

QTEST_APPLESS_MAIN(TestListFormat)
#include "tst_list_format.moc"
