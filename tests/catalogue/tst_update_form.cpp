// The update form engine, told on the category form: insert with its
// placeholder, duplicate names, change, delete without a window, another
// station's change with ditto, and resizing.
#include "datafile.h"
#include "fileset.h"
#include "scriptedinteraction.h"
#include "updatecategories.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace crx;
using namespace crx::test;

namespace {

struct Catalogue {
    Catalogue() : files(dir.path())
    {
        categories = &files.use(FileId::Categories);
        albums = &files.use(FileId::Album);
        add(1, "Rock");
        add(2, "Jazz");
        albums->buffer().clear();
        albums->buffer().set("AlbumID", 1);
        albums->buffer().set("Album", "Jazz");
        albums->buffer().set("CategoryID", 1);
        albums->add();
    }
    void add(int id, const QString &name)
    {
        categories->buffer().clear();
        categories->buffer().set("CategoryID", id);
        categories->buffer().set("Category", name);
        categories->add();
    }
    void select(int id)
    {
        categories->buffer().clear();
        categories->buffer().set("CategoryID", id);
        categories->get(categories->def().keyIndex("KeyCategoryID"));
    }
    QStringList names()
    {
        QStringList out;
        categories->setToStart(categories->def().keyIndex("KeyCategoryID"));
        while (categories->next() == NoError)
            out << categories->buffer().get("CategoryID").toString() + " " + categories->buffer().get("Category").toString();
        return out;
    }

    QTemporaryDir dir;
    FileSet files;
    DataFile *categories, *albums;
};

void show(QWidget &w)
{
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
}

void type(QLineEdit *entry, const QString &text)
{
    entry->selectAll();
    QTest::keyClicks(entry, text);
}

} // namespace

class TestUpdateForm : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void insertThenCancelLeavesTheFileAsItWas();
    void insertCompletes();
    void duplicateNameInAnotherCaseStaysOpen();
    void changeWithoutEditingWritesNothing();
    void deleteOfACategoryUsedByAnAlbum_data();
    void deleteOfACategoryUsedByAnAlbum();
    void secondStationGetsTheFirstOnesTextAndDittoRecallsItsOwn();
    void resizedFormKeepsEntryHeightsAndButtons();
    void proportionalWindowsStretchEverything();
    void rangeCheckKeepsTheFormOnTheField();
    void comparingFormAsksBeforeItIsLeft();
    void insertOnlyFormsRefuseOtherRequests_data();
    void insertOnlyFormsRefuseOtherRequests();
    void navigationGoesBackToTheList_data();
    void navigationGoesBackToTheList();
    void lookupCheckWantsAKnownValue();
};

void TestUpdateForm::insertThenCancelLeavesTheFileAsItWas()
{
    ScriptedInteraction person;
    Catalogue cat;
    for (int round = 0; round < 2; ++round) {
        cat.categories->buffer().clear(); // as a list does before it asks for an insert
        formRequest() = Request::Insert;
        UpdateCategories form(cat.files);
        QVERIFY(form.prepare());
        QCOMPARE(form.windowTitle(), QString("Add Category"));
        QCOMPARE(formRequest(), Request::None); // taken and cleared
        QCOMPARE(cat.categories->records(), 3);  // the placeholder
        QCOMPARE(cat.categories->buffer().get("CategoryID").toInt(), 3); // the number is given out again
        show(form);
        type(form.nameField(), "Blues");
        QTest::mouseClick(form.cancelButton(), Qt::LeftButton);
        QCOMPARE(formResponse(), Response::Cancelled);
        QCOMPARE(cat.names(), QStringList({"1 Rock", "2 Jazz"}));
    }
    QVERIFY(person.shown.isEmpty());
}

void TestUpdateForm::insertCompletes()
{
    ScriptedInteraction person;
    Catalogue cat;
    cat.categories->buffer().clear();
    formRequest() = Request::Insert;
    UpdateCategories form(cat.files);
    QVERIFY(form.prepare());
    show(form);
    type(form.nameField(), "Blues");
    QTest::mouseClick(form.okButton(), Qt::LeftButton);
    QVERIFY(!form.isVisible());
    QCOMPARE(formResponse(), Response::Completed);
    QCOMPARE(cat.names(), QStringList({"1 Rock", "2 Jazz", "3 Blues"}));
    QCOMPARE(historyRecord(FileId::Categories).get("Category").toString(), QString("Blues"));
}

void TestUpdateForm::duplicateNameInAnotherCaseStaysOpen()
{
    ScriptedInteraction person;
    Catalogue cat;
    cat.categories->buffer().clear();
    formRequest() = Request::Insert;
    UpdateCategories form(cat.files);
    QVERIFY(form.prepare());
    show(form);
    type(form.nameField(), "ROCK");
    QTest::mouseClick(form.okButton(), Qt::LeftButton);
    QCOMPARE(person.shown.size(), 1);
    QCOMPARE(person.shown[0].text, QString("Adding this record creates a duplicate entry for the key:CAT:KeyCategory"));
    QVERIFY(form.isVisible());
    QVERIFY(form.nameField()->hasFocus());
    QCOMPARE(form.nameField()->selectedText(), QString("ROCK"));
    QTest::mouseClick(form.cancelButton(), Qt::LeftButton);
    QCOMPARE(cat.names(), QStringList({"1 Rock", "2 Jazz"}));
}

void TestUpdateForm::changeWithoutEditingWritesNothing()
{
    ScriptedInteraction person;
    Catalogue cat;
    cat.select(2);
    const qint64 version = cat.categories->buffer().version;
    formRequest() = Request::Change;
    UpdateCategories form(cat.files);
    QVERIFY(form.prepare());
    QCOMPARE(form.windowTitle(), QString("Change Category"));
    QCOMPARE(form.nameField()->text(), QString("Jazz"));
    show(form);
    QTest::mouseClick(form.okButton(), Qt::LeftButton);
    QCOMPARE(formResponse(), Response::Completed);
    cat.select(2);
    QCOMPARE(cat.categories->buffer().version, version);
    QVERIFY(person.shown.isEmpty());
}

void TestUpdateForm::deleteOfACategoryUsedByAnAlbum_data()
{
    QTest::addColumn<int>("retry");
    QTest::newRow("no keeps the category") << int(No);
    QTest::newRow("cancel keeps it too") << int(Cancel);
}

void TestUpdateForm::deleteOfACategoryUsedByAnAlbum()
{
    QFETCH(int, retry);
    ScriptedInteraction person;
    Catalogue cat;
    cat.select(1);
    formRequest() = Request::Delete;
    UpdateCategories form(cat.files);
    person.answer({OK, OK, Button(retry)});
    QVERIFY(!form.prepare()); // no window for a delete
    QCOMPARE(person.shown.size(), 3);
    QCOMPARE(person.shown[0].title, QString("Confirm Delete"));
    QVERIFY(person.shown[1].text.startsWith("This record is referenced from the file Album."));
    QCOMPARE(person.shown[2].title, QString("Record Update Error"));
    QCOMPARE(formResponse(), Response::Cancelled);
    QCOMPARE(cat.names(), QStringList({"1 Rock", "2 Jazz"}));

    // An unused category goes at once.
    cat.select(2);
    formRequest() = Request::Delete;
    UpdateCategories again(cat.files);
    person.answer({OK});
    QVERIFY(!again.prepare());
    QCOMPARE(formResponse(), Response::Completed);
    QCOMPARE(cat.names(), QStringList({"1 Rock"}));
}

void TestUpdateForm::secondStationGetsTheFirstOnesTextAndDittoRecallsItsOwn()
{
    ScriptedInteraction person;
    Catalogue cat;
    cat.select(2);
    formRequest() = Request::Change;
    UpdateCategories mine(cat.files);
    QVERIFY(mine.prepare());
    show(mine);

    // Another station changes the same category and saves first.
    FileSet other(cat.dir.path());
    DataFile &theirs = other.use(FileId::Categories);
    theirs.buffer().set("CategoryID", 2);
    theirs.get(theirs.def().keyIndex("KeyCategoryID"));
    formRequest() = Request::Change;
    UpdateCategories first(other);
    QVERIFY(first.prepare());
    first.nameField()->setText("Cool Jazz");
    QTest::mouseClick(first.okButton(), Qt::LeftButton);
    QCOMPARE(formResponse(), Response::Completed);

    type(mine.nameField(), "Bebop");
    QTest::mouseClick(mine.okButton(), Qt::LeftButton);
    QCOMPARE(person.shown.size(), 1);
    QCOMPARE(person.shown[0].title, QString("Record Was Not Updated"));
    QCOMPARE(mine.nameField()->text(), QString("Cool Jazz"));
    QVERIFY(mine.isVisible());
    QTest::keyClick(mine.nameField(), Qt::Key_QuoteLeft, Qt::ControlModifier);
    QCOMPARE(mine.nameField()->text(), QString("Bebop"));
    // The ditto button does the same for the entry that had the focus.
    mine.nameField()->setText("x");
    QTest::mouseClick(mine.addDittoButton(QRect(10, 60, 60, 25)), Qt::LeftButton);
    QCOMPARE(mine.nameField()->text(), QString("Bebop"));
    QTest::mouseClick(mine.okButton(), Qt::LeftButton);
    QCOMPARE(formResponse(), Response::Completed);
    QCOMPARE(cat.names(), QStringList({"1 Rock", "2 Bebop"}));
}

void TestUpdateForm::resizedFormKeepsEntryHeightsAndButtons()
{
    ScriptedInteraction person;
    Catalogue cat;
    cat.select(1);
    formRequest() = Request::Change;
    UpdateCategories form(cat.files);
    QVERIFY(form.prepare());
    show(form);
    const QRect entry = form.nameField()->geometry();
    const QRect ok = form.okButton()->geometry();
    const QSize before = form.size();
    const QPoint okFromCorner(before.width() - ok.x(), before.height() - ok.y());
    form.resize(before.width() * 2, before.height());
    QCOMPARE(form.nameField()->height(), entry.height());
    QCOMPARE(form.nameField()->width(), entry.width() * 2);
    QCOMPARE(form.okButton()->size(), ok.size());
    QCOMPARE(QPoint(form.width() - form.okButton()->x(), form.height() - form.okButton()->y()), okFromCorner);
    QTest::mouseClick(form.cancelButton(), Qt::LeftButton);
}

void TestUpdateForm::proportionalWindowsStretchEverything()
{
    QWidget window;
    window.resize(400, 200);
    auto *button = new QPushButton("Select", &window);
    button->setGeometry(300, 160, 80, 25);
    auto *entry = new QLineEdit(&window);
    entry->setGeometry(10, 10, 200, 22);
    ControlLayout layout;
    layout.record(window);
    QCOMPARE(resizingOf("BrowseCategories"), Resizing::Proportional);
    layout.apply(QSize(800, 400), Resizing::Proportional);
    QCOMPARE(button->geometry(), QRect(600, 320, 160, 50));
    QCOMPARE(entry->geometry(), QRect(20, 20, 400, 44));
    QCOMPARE(resizingOf("About"), Resizing::None);
}

namespace {

// A form with a numbered field under a range check, as the song and album forms have.
class NumberedForm : public FormWindow
{
public:
    explicit NumberedForm(FileSet &files)
        : FormWindow(files, FileId::Categories, "UpdateCategories", {"Add", "Change"}, QSize(460, 130))
    {
        name = addField("&Category:", "CAT:Category", "@s30", QRect(10, 16, 70, 22), QRect(85, 16, 365, 22));
        number = addField("&Number:", "CAT:CategoryID", "@n3", QRect(10, 46, 70, 22), QRect(85, 46, 60, 22),
                          rangeCheck("Number", 1, 99));
    }
    QLineEdit *name, *number;
};

} // namespace

void TestUpdateForm::rangeCheckKeepsTheFormOnTheField()
{
    ScriptedInteraction person;
    Catalogue cat;
    cat.select(2);
    formRequest() = Request::Change;
    NumberedForm form(cat.files);
    QVERIFY(form.prepare());
    show(form);
    type(form.number, "150");
    type(form.name, "Modern Jazz");
    QTest::mouseClick(form.okButton(), Qt::LeftButton);
    QVERIFY(!person.shown.isEmpty());
    QCOMPARE(person.shown.last().title, QString("Range Error"));
    QCOMPARE(person.shown.last().text, QString("The value of Number must be between 1 and 99."));
    QVERIFY(form.isVisible());
    QVERIFY(form.number->hasFocus());
    QCOMPARE(cat.names(), QStringList({"1 Rock", "2 Jazz"}));
    type(form.number, "12");
    QTest::mouseClick(form.okButton(), Qt::LeftButton);
    QCOMPARE(formResponse(), Response::Completed);
    QCOMPARE(cat.names(), QStringList({"1 Rock", "12 Modern Jazz"}));
}

void TestUpdateForm::comparingFormAsksBeforeItIsLeft()
{
    ScriptedInteraction person;
    Catalogue cat;
    cat.select(1);
    formRequest() = Request::Change;
    UpdateCategories form(cat.files);
    form.setComparesRecord(true);
    QVERIFY(form.prepare());
    show(form);
    type(form.nameField(), "Hard Rock");
    person.answer({No});
    QTest::mouseClick(form.cancelButton(), Qt::LeftButton);
    QCOMPARE(person.shown.size(), 1);
    QCOMPARE(person.shown[0].title, QString("Update Cancelled"));
    QVERIFY(form.isVisible());
    person.answer({Yes});
    QTest::mouseClick(form.cancelButton(), Qt::LeftButton);
    QVERIFY(!form.isVisible());
    QCOMPARE(formResponse(), Response::Cancelled);
    QCOMPARE(cat.names(), QStringList({"1 Rock", "2 Jazz"}));
}

void TestUpdateForm::insertOnlyFormsRefuseOtherRequests_data()
{
    QTest::addColumn<int>("request");
    QTest::addColumn<QString>("text");
    QTest::newRow("change") << int(Request::Change) << "This procedure was called to change a record";
    QTest::newRow("delete") << int(Request::Delete) << "This procedure was called to delete a record";
}

void TestUpdateForm::insertOnlyFormsRefuseOtherRequests()
{
    QFETCH(int, request);
    QFETCH(QString, text);
    ScriptedInteraction person;
    Catalogue cat;
    cat.select(2);
    formRequest() = Request(request);
    UpdateCategories form(cat.files);
    form.session().setInsertOnly(true);
    QVERIFY(!form.prepare());
    QCOMPARE(person.shown.size(), 1);
    QVERIFY(person.shown[0].text.startsWith(text));
    QCOMPARE(formResponse(), Response::Cancelled);
    QCOMPARE(cat.names(), QStringList({"1 Rock", "2 Jazz"}));
    QCOMPARE(cat.files.useCount(FileId::Categories), 1); // the form let its file go
}

void TestUpdateForm::navigationGoesBackToTheList_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("response");
    QTest::newRow("unchanged: no response") << "Jazz" << int(Response::Cancelled);
    QTest::newRow("changed: saved first") << "Bebop" << int(Response::Completed);
}

void TestUpdateForm::navigationGoesBackToTheList()
{
    QFETCH(QString, typed);
    QFETCH(int, response);
    ScriptedInteraction person;
    Catalogue cat;
    cat.select(2);
    formRequest() = Request::Change;
    UpdateCategories form(cat.files);
    QVERIFY(form.prepare());
    show(form);
    type(form.nameField(), typed);
    form.navigate(Navigation::Next);
    QVERIFY(!form.isVisible());
    QCOMPARE(int(formResponse()), response);
    QCOMPARE(formNavigation(), Navigation::Next);
    QCOMPARE(cat.names(), QStringList({"1 Rock", "2 " + typed}));
}

void TestUpdateForm::lookupCheckWantsAKnownValue()
{
    ScriptedInteraction person;
    Catalogue cat;
    DataFile &media = cat.files.use(FileId::Media);
    media.buffer().set("Media", "CD");
    media.add();
    cat.albums->buffer().clear();
    cat.albums->buffer().set("AlbumID", 1);
    cat.albums->get(cat.albums->def().keyIndex("KeyAlbumID"));
    formRequest() = Request::Change;
    FormWindow form(cat.files, FileId::Album, "UpdateAlbum", {"Add Album", "Change Album"}, QSize(460, 130));
    QLineEdit *entry = form.addField("&Media:", "ALB:Media", "@s20", QRect(10, 16, 70, 22), QRect(85, 16, 200, 22),
                                     form.lookupCheck("Media", FileId::Media, "MED:KeyMedia"));
    QVERIFY(form.prepare());
    show(form);
    type(entry, "Wax Cylinder");
    QTest::mouseClick(form.okButton(), Qt::LeftButton);
    QCOMPARE(person.shown.last().text, QString("The value for Media must be found in the Media file."));
    QVERIFY(form.isVisible());
    type(entry, "cd");
    QTest::mouseClick(form.okButton(), Qt::LeftButton);
    QCOMPARE(formResponse(), Response::Completed);
    cat.albums->get(cat.albums->def().keyIndex("KeyAlbumID"));
    QCOMPARE(cat.albums->buffer().get("Media").toString(), QString("cd"));
}

QTEST_MAIN(TestUpdateForm)
#include "tst_update_form.moc"
