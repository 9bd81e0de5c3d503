// The catalogue of standard messages, every number with its title, text,
// icon, buttons, default button and halt; and the error description.
#include "datafile.h"
#include "result.h"
#include "scriptedinteraction.h"
#include "standardmessages.h"
#include "transaction.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace crx;
using namespace crx::test;

Q_DECLARE_METATYPE(crx::Icon)

class TestStandardMessages : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void everyMessage_data();
    void everyMessage();
    void recordedErrorIsShownOnce();
    void driverErrorsShowTheDriversMessage();
    void savingAnErrorRollsBackTheTransaction();
    void unusedNumbersShowNothing();
};

void TestStandardMessages::everyMessage_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("text1");
    QTest::addColumn<QString>("text2");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::addColumn<Icon>("icon");
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("defaultButton");
    QTest::addColumn<int>("press");
    QTest::addColumn<QString>("halt");
    const Icon X = Icon::Exclamation, Q = Icon::Question;
    const QString E = "Record Not Found (35)";
    QTest::newRow("1") << 1 << "crxdata.tps" << "" << 35 << "Invalid File"
                       << "Error: (" + E + ") accessing crxdata.tps.  Press OK to end this application." << X << int(OK) << int(OK) << int(OK) << "Invalid File!";
    QTest::newRow("2 yes") << 2 << "crxdata.tps" << "" << 35 << "Invalid Key"
                           << "crxdata.tps key file is invalid.  Do you want to rebuild the key?" << Q << (Yes | No) << int(Yes) << int(Yes) << "";
    QTest::newRow("2 no") << 2 << "crxdata.tps" << "" << 35 << "Invalid Key"
                          << "crxdata.tps key file is invalid.  Do you want to rebuild the key?" << Q << (Yes | No) << int(Yes) << int(No) << "Invalid Key!";
    QTest::newRow("3") << 3 << "crxdata.tps" << "" << 35 << "Key Rebuild Error"
                       << "Error: (" + E + ") repairing key for crxdata.tps.  Press OK to end this application." << X << int(OK) << int(OK) << int(OK) << "Error Rebuilding Key!";
    QTest::newRow("4") << 4 << "crxdata.tps" << "" << 35 << "File Creation Error"
                       << "Error: (" + E + ") creating crxdata.tps.  Press OK to end this application." << X << int(OK) << int(OK) << int(OK) << "File Creation Error!";
    QTest::newRow("5") << 5 << "crxdata.tps" << "" << 35 << "File Creation Error"
                       << "Error: (" + E + ") opening created file:crxdata.tps.  Press OK to end this application." << X << int(OK) << int(OK) << int(OK) << "File Creation Error!";
    QTest::newRow("10") << 10 << "Track   " << "0 and 99" << 0 << "Range Error"
                        << "The value of Track must be between 0 and 99." << X << int(OK) << int(OK) << int(OK) << "";
    QTest::newRow("11") << 11 << "Media" << "Media" << 0 << "Field Contents Error"
                        << "The value for Media must be found in the Media file." << X << int(OK) << int(OK) << int(OK) << "";
    QTest::newRow("12") << 12 << "Album" << "" << 0 << "Referential Integrity Update Error"
                        << "This record is referenced from the file Album.  Linking field(s) have been restricted from change and have been reset to original values." << X << int(OK) << int(OK) << int(OK) << "";
    QTest::newRow("13") << 13 << "Cantorix" << "" << 0 << "Referential Integrity Delete Error"
                        << "This record is referenced from the file Cantorix.  This record cannot be deleted while these references exist." << X << int(OK) << int(OK) << int(OK) << "";
    QTest::newRow("14") << 14 << "" << "" << 35 << "Record Insert Error"
                        << "An error was experienced during the update of record.  Error: " + E + "." << X << int(OK) << int(OK) << int(OK) << "";
    QTest::newRow("15 with an error") << 15 << "Categories" << "" << 35 << "Update Operation Error"
                                      << "An error (" + E + ") was experienced when attempting to update a record from the file.  Probable Cause: Categories." << X << int(OK) << int(OK) << int(OK) << "";
    QTest::newRow("15 changed elsewhere") << 15 << "Record Changed by Another Station" << "" << 89 << "Update Operation Error"
                                          << "This record was changed by another station." << X << int(OK) << int(OK) << int(OK) << "";
    QTest::newRow("15 no error") << 15 << "Categories" << "" << 0 << "Update Operation Error"
                                 << "This record was changed by another station." << X << int(OK) << int(OK) << int(OK) << "";
    QTest::newRow("16") << 16 << "" << "" << 0 << "Record Update Error"
                        << "An error was experienced changing this record.  Do you want to try to save again?" << X << (Yes | No | Cancel) << int(Cancel) << int(Yes) << "";
    QTest::newRow("17") << 17 << "Album" << "" << 35 << "Delete Operation Error"
                        << "An error (" + E + ") was experienced when attempting to delete a record from the file Album." << X << int(OK) << int(OK) << int(OK) << "";
    QTest::newRow("18") << 18 << "" << "" << 0 << "Record Update Error"
                        << "An error was experienced deleting this record.  Do you want to try to save again?" << X << (Yes | No | Cancel) << int(Cancel) << int(No) << "";
    QTest::newRow("20") << 20 << "" << "" << 0 << "Invalid Request"
                        << "This procedure was called to change a record, however changes are not allowed for this procedure.  Press OK to return to the calling procedure" << X << int(OK) << int(OK) << int(OK) << "";
    QTest::newRow("21") << 21 << "" << "" << 0 << "Invalid Request"
                        << "This procedure was called to delete a record, however deletions are not allowed for this procedure.  Press OK to return to the calling procedure" << X << int(OK) << int(OK) << int(OK) << "";
    QTest::newRow("23") << 23 << "" << "" << 0 << "Update Cancelled"
                        << "Are you sure you want to cancel?" << Q << (Yes | No) << int(No) << int(No) << "";
    QTest::newRow("24") << 24 << "CAT:KeyCategory" << "" << 40 << "Duplicate Key Error"
                        << "Adding this record creates a duplicate entry for the key:CAT:KeyCategory" << X << int(OK) << int(OK) << int(OK) << "";
    QTest::newRow("25") << 25 << "" << "" << 40 << "Auto Increment Error"
                        << "Attempts to automatically number this record have failed.  Error: Creates Duplicate Key (40)." << X << (Retry | Cancel) << int(Cancel) << int(Retry) << "";
    QTest::newRow("30") << 30 << "crxalbum.tps" << "" << 35 << "File Access Error"
                        << "File (crxalbum.tps) could not be opened.  Error: " + E + "." << X << int(OK) << int(OK) << int(OK) << "";
    QTest::newRow("31 put") << 31 << "Put" << "Cantorix" << 35 << "Process PUT Error"
                            << "An error was experienced when making changes to the Cantorix file.  Error: " + E << X << int(OK) << int(OK) << int(OK) << "";
    QTest::newRow("31 delete") << 31 << "Delete" << "Album" << 35 << "Process DELETE Error"
                               << "An error was experienced when deleting a record from the Album file.  Error: " + E << X << int(OK) << int(OK) << int(OK) << "";
    QTest::newRow("32") << 32 << "" << "" << 0 << "Confirm Delete"
                        << "You've selected to delete the highlighted record.  Press OK to confirm deletion of this record." << Q << (OK | Cancel) << int(Cancel) << int(OK) << "";
    QTest::newRow("34") << 34 << "Delete" << "PlaylistMaster" << 32 << "Transaction Framing Error"
                        << "Error: (File Is Already Locked (32)) attempting to frame the delete transaction on PlaylistMaster.  Delete transaction cancelled." << X << int(OK) << int(OK) << int(OK) << "";
    QTest::newRow("35") << 35 << "Album" << "" << 35 << "Record Retrieval Error"
                        << "Error: (" + E + ") attempting to access a record from the Album file.  Returning to previous window." << X << int(OK) << int(OK) << int(OK) << "";
    QTest::newRow("36") << 36 << "" << "" << 35 << "View Open Error"
                        << "Error: (" + E + ") attempting to open the current VIEW. Filter and Range Limits ignored." << X << int(OK) << int(OK) << int(OK) << "";
    QTest::newRow("38") << 38 << "" << "" << 89 << "Record Was Not Updated"
                        << "This record was changed by another station. Those changes will now be displayed. Use the Ditto Button or Ctrl+' to recall your changes." << X << int(OK) << int(OK) << int(OK) << "";
}

void TestStandardMessages::everyMessage()
{
    QFETCH(int, number);
    QFETCH(QString, text1);
    QFETCH(QString, text2);
    QFETCH(int, code);
    QFETCH(QString, title);
    QFETCH(QString, text);
    QFETCH(Icon, icon);
    QFETCH(int, buttons);
    QFETCH(int, defaultButton);
    QFETCH(int, press);
    QFETCH(QString, halt);
    ScriptedInteraction person;
    person.answer({Button(press)});
    setResult(code);
    bool halted = false;
    try {
        QCOMPARE(int(ShowStandardMessage(number, text1, text2)), press);
    } catch (const Halted &h) {
        halted = true;
        QCOMPARE(h.text, halt);
    }
    QCOMPARE(halted, !halt.isEmpty());
    QCOMPARE(person.shown.size(), 1);
    const ShownMessage &m = person.shown.first();
    QCOMPARE(m.title, title);
    QCOMPARE(m.text, text);
    QCOMPARE(m.icon, icon);
    QCOMPARE(m.buttons, buttons);
    QCOMPARE(int(m.defaultButton), defaultButton);
}

void TestStandardMessages::recordedErrorIsShownOnce()
{
    ScriptedInteraction person;
    setResult(DuplicateKey);
    SaveStorageError();
    setResult(NoError); // a later operation, for example the rollback, succeeds
    ShowStandardMessage(14);
    setResult(RecordNotAvailable);
    ShowStandardMessage(14);
    QCOMPARE(person.shown[0].text, QString("An error was experienced during the update of record.  Error: Creates Duplicate Key (40)."));
    QCOMPARE(person.shown[1].text, QString("An error was experienced during the update of record.  Error: Record Not Available (33)."));
}

void TestStandardMessages::driverErrorsShowTheDriversMessage()
{
    ScriptedInteraction person;
    setDriverResult(DriverError, 26, "file is not a database   ");
    QCOMPARE(errorDescription(), QString("file is not a database    (26)"));
    setDriverResult(DriverError, 10, QString(400, 'x'));
    QCOMPARE(errorDescription().size(), 150);
    setDriverResult(InvalidDataFile, 11, "database disk image is malformed");
    QCOMPARE(errorDescription(), QString("Invalid Data File (36)"));
}

void TestStandardMessages::savingAnErrorRollsBackTheTransaction()
{
    ScriptedInteraction person;
    QTemporaryDir dir;
    DataFile media(fileDef(FileId::Media), dir.path());
    QCOMPARE(media.create(), int(NoError));
    QCOMPARE(beginTransaction({&media}, 1), int(NoError));
    media.buffer().set("Media", "CD");
    QCOMPARE(media.add(), int(NoError));
    media.buffer().set("Media", "cd");
    QCOMPARE(media.add(), int(DuplicateKey));
    SaveStorageError();
    QVERIFY(!inTransaction());
    QCOMPARE(media.records(), 0);
    ShowStandardMessage(24, media.duplicateKey());
    QCOMPARE(person.shown.last().text, QString("Adding this record creates a duplicate entry for the key:MED:KeyMedia"));
}

void TestStandardMessages::unusedNumbersShowNothing()
{
    ScriptedInteraction person;
    QCOMPARE(ShowStandardMessage(19), OK);
    QVERIFY(person.shown.isEmpty());
}

QTEST_GUILESS_MAIN(TestStandardMessages)
#include "tst_standard_messages.moc"
