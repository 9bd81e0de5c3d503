// Auto-completion of artist names on a bare entry field.
#include "autocomplete.h"
#include "datafile.h"
#include "fileset.h"
#include "scriptedinteraction.h"

#include <QLineEdit>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QtTest>

using namespace crx;
using namespace crx::test;

namespace {

struct Window {
    explicit Window(bool mustMatch) : files(dir.path())
    {
        DataFile &artists = files.use(FileId::Artists);
        for (const char *name : {"Beatles, The", "Björk", "Queen", "Queensrÿche"}) {
            artists.buffer().clear();
            artists.buffer().set("Artist", name);
            artists.add();
        }
        files.release(FileId::Artists);
        auto *layout = new QVBoxLayout(&widget);
        field = new QLineEdit(&widget);
        other = new QLineEdit(&widget);
        layout->addWidget(field);
        layout->addWidget(other);
        new ArtistCompleter(files, *field, mustMatch);
        widget.show();
        widget.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&widget));
        field->setFocus();
    }
    QTemporaryDir dir;
    FileSet files;
    QWidget widget;
    QLineEdit *field, *other;
};

} // namespace

class TestAutoComplete : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void completesAndSelectsTheRest();
    void aMissStopsUntilAnArrowKey();
    void patternsMatch();
    void mustMatchClearsAnUnknownName_data();
    void mustMatchClearsAnUnknownName();
};

void TestAutoComplete::completesAndSelectsTheRest()
{
    ScriptedInteraction person;
    Window w(false);
    QTest::keyClicks(w.field, "bea");
    QCOMPARE(w.field->text(), QString("Beatles, The"));
    QCOMPARE(w.field->selectedText(), QString("tles, The"));
    QCOMPARE(w.field->cursorPosition(), 3);
    QTest::keyClicks(w.field, "t");
    QCOMPARE(w.field->text(), QString("Beatles, The"));
    QCOMPARE(w.field->selectedText(), QString("les, The"));
}

void TestAutoComplete::aMissStopsUntilAnArrowKey()
{
    ScriptedInteraction person;
    Window w(false);
    QTest::keyClicks(w.field, "beax");
    QCOMPARE(w.field->text(), QString("beax")); // what was typed, not the completion's capitals
    QCOMPARE(w.field->cursorPosition(), 4);
    QVERIFY(!w.field->hasSelectedText());
    QTest::keyClick(w.field, Qt::Key_Backspace);
    QCOMPARE(w.field->text(), QString("bea")); // no completion after the miss
    QTest::keyClick(w.field, Qt::Key_Left);            // re-arms
    QTest::keyClick(w.field, Qt::Key_End);
    QTest::keyClicks(w.field, "t");
    QCOMPARE(w.field->text(), QString("Beatles, The"));
}

void TestAutoComplete::patternsMatch()
{
    ScriptedInteraction person;
    Window w(false);
    QCOMPARE(completeArtist(w.files, "queen"), QString("Queen"));
    QCOMPARE(completeArtist(w.files, "Queens"), QString("Queensrÿche"));
    QCOMPARE(completeArtist(w.files, "bea*the"), QString("Beatles, The")); // read as a pattern
    QCOMPARE(completeArtist(w.files, "Qu?en"), QString("Queen"));
    QCOMPARE(completeArtist(w.files, "Q?x"), QString()); // the next default, Queen, does not match it
    QCOMPARE(completeArtist(w.files, "Zappa"), QString());
    QCOMPARE(completeArtist(w.files, ""), QString());
}

void TestAutoComplete::mustMatchClearsAnUnknownName_data()
{
    QTest::addColumn<bool>("mustMatch");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<bool>("byThePerson");
    QTest::newRow("must match, unknown") << true << "Zappa" << "" << true;
    QTest::newRow("must match, known") << true << "queen" << "Queen" << true;
    QTest::newRow("free, unknown") << false << "Zappa" << "Zappa" << true;
    // A name the album record or a CDDB look-up put into the field is not the person's typing.
    QTest::newRow("must match, unknown, put there") << true << "Zappa" << "Zappa" << false;
}

void TestAutoComplete::mustMatchClearsAnUnknownName()
{
    QFETCH(bool, mustMatch);
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    ScriptedInteraction person;
    QFETCH(bool, byThePerson);
    Window w(mustMatch);
    if (byThePerson) {
        QTest::keyClicks(w.field, typed);
    } else {
        w.field->setText(typed);
        w.field->setModified(false);
        w.field->setFocus();
    }
    QTest::keyClick(w.field, Qt::Key_End);
    w.other->setFocus();
    QCOMPARE(w.field->text(), kept);
    QCOMPARE(w.field->hasFocus(), mustMatch && kept.isEmpty());
}

QTEST_MAIN(TestAutoComplete)
#include "tst_autocomplete.moc"
