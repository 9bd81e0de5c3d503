// Record buffers: values normalised to their field types, access by name,
// and the shape of the record layouts.
#include "record.h"
#include "schema.h"

#include <QtTest>

using namespace crx;

class TestRecords : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void numbersWrapToTheirType_data();
    void numbersWrapToTheirType();
    void textIsCutAtItsWidthWithoutTrailingBlanks_data();
    void textIsCutAtItsWidthWithoutTrailingBlanks();
    void fieldsAreReachedByName();
    void layoutsMatchTheFileSet();
};

void TestRecords::numbersWrapToTheirType_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<qlonglong>("stored");
    QTest::addColumn<qlonglong>("read");
    QTest::newRow("byte 255 + 1 is 0") << "MUS:ChartNumber" << 256LL << 0LL;
    QTest::newRow("byte below zero wraps") << "MUS:Rating" << -1LL << 255LL;
    QTest::newRow("long keeps 32 bits") << "MUS:ID" << 4294967297LL << 1LL;
    QTest::newRow("long negative") << "MUS:BeatsPerMinute" << -120LL << -120LL;
    QTest::newRow("time 3:45") << "MUS:Time" << (3 * 6000 + 45 * 100 + 1LL) << 22501LL;
    QTest::newRow("date 1 January 1801") << "MUS:LastPlayed" << 4LL << 4LL;
    QTest::newRow("decimal6 holds 11 digits") << "ALB:CategoryID" << 123456789012LL << 23456789012LL;
}

void TestRecords::numbersWrapToTheirType()
{
    QFETCH(QString, field);
    QFETCH(qlonglong, stored);
    QFETCH(qlonglong, read);
    Record r(fileDef(field.startsWith("ALB") ? FileId::Album : FileId::Cantorix));
    QVERIFY(r.set(field, stored));
    QCOMPARE(r.get(field).toLongLong(), read);
}

void TestRecords::textIsCutAtItsWidthWithoutTrailingBlanks_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::newRow("trailing blanks dropped") << "Abba   " << "Abba";
    QTest::newRow("leading blanks kept") << "  Abba" << "  Abba";
    QTest::newRow("cut at 6 characters") << "Abruptly" << "Abrupt";
    QTest::newRow("width counts characters, not bytes") << "ééééééé" << "éééééé";
    QTest::newRow("blanks before the cut dropped") << "Slow  xx" << "Slow";
}

void TestRecords::textIsCutAtItsWidthWithoutTrailingBlanks()
{
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    Record r(fileDef(FileId::Cantorix));
    r.set("MUS:EndType", typed);
    QCOMPARE(r.get("MUS:EndType").toString(), kept);
}

void TestRecords::fieldsAreReachedByName()
{
    Record r(fileDef(FileId::Album));
    QVERIFY(r.set("alb:artist", "Motörhead"));
    QCOMPARE(r.get("ALB:Artist").toString(), QString("Motörhead"));
    QCOMPARE(r.get("Artist").toString(), QString("Motörhead"));
    QVERIFY(!r.set("MUS:Artist", "x"));
    QVERIFY(!r.get("ALB:Nothing").isValid());
}

void TestRecords::layoutsMatchTheFileSet()
{
    QCOMPARE(int(allFiles().size()), FileCount);
    for (const FileDef *def : allFiles()) {
        QVERIFY2(def->primaryKey() >= 0 || def->id == FileId::Media || def->id == FileId::Configuration,
                 qPrintable(def->label));
        QCOMPARE(&fileDef(def->id), def);
    }
    const FileDef &songs = fileDef(FileId::Cantorix);
    QCOMPARE(int(songs.fields.size()), 33);
    QCOMPARE(songs.fieldName(26), QString("MUS:ID"));
    QCOMPARE(songs.keyName(songs.keyIndex("SongsByAlbum")), QString("MUS:SongsByAlbum"));
    QCOMPARE(fileDef(FileId::ImportSongs).layout, QString("Cantorix"));
    QCOMPARE(fileDef(FileId::ImportSongs).fieldName(0), QString("IS:Artist"));
    QCOMPARE(fileByLabel("PlaylistDetails")->diskName, QString("crxpldet"));
}

QTEST_APPLESS_MAIN(TestRecords)
#include "tst_records.moc"
