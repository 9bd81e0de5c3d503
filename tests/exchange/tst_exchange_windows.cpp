// The exchange windows as a person uses them from Tools ▸ ASCII
// (Comma-separated Values): choosing a file (an empty one refused), assigning
// columns, a picture refused and one given, Next, the import running beside
// the other windows; choosing fields for the export, their pictures and order,
// and the file written.
#include "cataloguefill.h"
#include "datafile.h"
#include "exchangewindows.h"
#include "fileset.h"
#include "mainframe.h"
#include "record.h"
#include "scriptedinteraction.h"
#include "settings.h"
#include "windows.h"
#include "windowsteps.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

using namespace crx;
using namespace crx::test;

namespace {

struct Catalogue {
    Catalogue() : files(dir.path())
    {
        settings() = Settings();
        addOneAlbum(files);
    }
    QString write(const QByteArray &bytes, const QString &name)
    {
        QFile f(dir.filePath(name));
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return f.fileName();
    }
    QStringList titles()
    {
        QStringList out;
        DataFile &songs = files.use(FileId::Cantorix);
        songs.buffer().clear();
        songs.set(songs.def().keyIndex("MUS:SongsByTitle"));
        while (songs.next() == NoError)
            out << songs.buffer().get("MUS:Artist").toString() + '/' + songs.buffer().get("MUS:Title").toString();
        files.release(FileId::Cantorix);
        return out;
    }
    QTemporaryDir dir;
    FileSet files;
    ScriptedInteraction person;
};

void highlight(QTreeWidget *list, const QString &first)
{
    const QList<QTreeWidgetItem *> found = list->findItems(first, Qt::MatchExactly);
    QVERIFY2(!found.isEmpty(), qPrintable(first));
    list->setCurrentItem(found.front());
}

} // namespace

class TestExchangeWindows : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        registerCatalogueWindows();
        registerExchangeWindows();
    }

    void importThroughTheWindow()
    {
        Catalogue cat;
        cat.person.paths.enqueue(cat.write("", "empty.csv"));
        cat.person.paths.enqueue(cat.write(QByteArray("PK\3\4\0\0binary", 12), "archive.zip"));
        cat.person.paths.enqueue(cat.write("\"Title\",\"Artist\",\"Year\"\n\"Waterloo\",\"Abba\",1974\n"
                                           "\"Hey Jude\",\"Beatles, The\",1968\n",
                                           "songs.csv"));
        MainFrame frame(cat.files);
        frame.show();
        frame.action("&File/&Tools/ASCII (Comma-separated Values)", "&Import")->trigger();
        auto *window = child<ImportDelimitedFile>(frame);
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), QStringLiteral("Assign fields for Import..."));
        QCOMPARE(cat.person.shown.size(), 2);
        QCOMPARE(cat.person.shown[0].text, QStringLiteral("That file is empty!  Please pick another file."));
        QCOMPARE(cat.person.shown[1].text, QStringLiteral("That file is not a text file!  Please pick another file."));
        QCOMPARE(cat.person.dialogs[0], (QStringList{"Import File", cat.dir.path(), "Import Files (*.CSV *.csv);;All Files (*)"}));
        QTreeWidget *columns = window->columnList(), *targets = window->targetList();
        QCOMPARE(columnTexts(*columns, 0), (QStringList{"Field_1", "Field_2", "Field_3"}));
        QCOMPARE(columnTexts(*columns, 1), (QStringList{"@S1000", "@S1000", "@N30.9"}));
        QCOMPARE(columnTexts(*columns, 2), (QStringList{"Title", "Artist", "Year"}));
        QCOMPARE(targets->topLevelItemCount(), 30);

        // Next shows the second line.
        QTest::mouseClick(window->button("next"), Qt::LeftButton);
        QCOMPARE(columnTexts(*columns, 2), (QStringList{"Waterloo", "Abba", "1974"}));
        QCOMPARE(window->findChild<QLabel *>("record")->text(), QStringLiteral("Rec# 2"));
        QVERIFY(!window->button("auto")->isEnabled());

        // A picture without "@" is refused; one with it is taken.
        highlight(columns, "Field_3");
        onModals({[&](QWidget *dialog) {
            auto *entry = dialog->findChild<QLineEdit *>("picture");
            entry->setText("n4");
            QTest::keyClick(entry, Qt::Key_Return);
            QCOMPARE(cat.person.shown.last().title, QStringLiteral("Invalid Picture!"));
            QCOMPARE(cat.person.shown.last().text, QStringLiteral("Pictures must begin with \"@\""));
            QVERIFY(dialog->isVisible());
            entry->setText("@n4");
            QTest::keyClick(entry, Qt::Key_Return);
        }});
        QTest::mouseClick(window->button("picture"), Qt::LeftButton);
        QCOMPARE(columnTexts(*columns, 1)[2], QStringLiteral("@n4"));

        // OK with nothing assigned says so and stays.
        QTest::mouseClick(window->findChild<QPushButton *>("ok"), Qt::LeftButton);
        QCOMPARE(cat.person.shown.last().title, QStringLiteral("No Fields Selected for Import!"));

        for (const auto &[column, target] : {std::pair{"Field_1", "MUS:Title"}, std::pair{"Field_2", "MUS:Artist"},
                                             std::pair{"Field_3", "MUS:ReleaseDate"}}) {
            highlight(columns, column);
            highlight(targets, target);
            QTest::mouseClick(window->button("assign"), Qt::LeftButton);
        }
        QCOMPARE(targets->topLevelItem(1)->text(1), QStringLiteral("="));
        QCOMPARE(targets->topLevelItem(1)->text(2), QStringLiteral("Field_1"));
        // A column highlights its target.
        highlight(columns, "Field_2");
        QCOMPARE(targets->currentItem()->text(0), QStringLiteral("MUS:Artist"));
        highlight(targets, "MUS:ReleaseDate");
        QTest::mouseClick(window->button("unassign"), Qt::LeftButton);
        QCOMPARE(targets->currentItem()->text(1), QString());

        QTest::mouseClick(window->stripHeader(), Qt::LeftButton);
        QTest::mouseClick(window->findChild<QPushButton *>("ok"), Qt::LeftButton);
        QTRY_VERIFY(!child<ImportDelimitedFile>(frame));
        QCOMPARE(cat.person.shown.last().title, QStringLiteral("Import Complete"));
        QCOMPARE(cat.titles(), (QStringList{"Beatles, The/Hey Jude", "Abba/Waterloo"}));
    }

    void exportThroughTheWindow()
    {
        Catalogue cat;
        DataFile &songs = cat.files.use(FileId::Cantorix);
        for (const char *title : {"Waterloo", "Say \"Hi\""}) {
            songs.buffer().clear();
            songs.buffer().set("MUS:Artist", "Abba");
            songs.buffer().set("MUS:Title", title);
            songs.buffer().set("MUS:ReleaseDate", 1974);
            songs.add();
        }
        cat.files.release(FileId::Cantorix);
        MainFrame frame(cat.files);
        frame.show();
        frame.action("&File/&Tools/ASCII (Comma-separated Values)", "&Export")->trigger();
        auto *window = child<ExportSongsDelimited>(frame);
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), QStringLiteral("Choose Fields for Export..."));
        QCOMPARE(window->allFields()->count(), 31);
        QTest::mouseClick(window->findChild<QPushButton *>("ok"), Qt::LeftButton);
        QCOMPARE(cat.person.shown.last().title, QStringLiteral("No Fields Selected for Export!"));
        // Nothing marked: Add adds nothing.
        QTest::mouseClick(window->button("add"), Qt::LeftButton);
        QCOMPARE(window->exportFields()->count(), 0);
        // Mark Artist, Title and ReleaseDate with Ctrl held, then Add.
        QListWidget *all = window->allFields();
        for (int row : {0, 1, 6})
            QTest::mouseClick(all->viewport(), Qt::LeftButton, Qt::ControlModifier,
                              all->visualItemRect(all->item(row)).center());
        QTest::mouseClick(window->button("add"), Qt::LeftButton);
        QCOMPARE(window->exportFields()->count(), 3);
        QCOMPARE(window->findChild<QLabel *>("kind")->text(), QStringLiteral("Alpha-numeric"));
        // Title first.
        window->exportFields()->setCurrentRow(1);
        QTest::mouseClick(window->button("up"), Qt::LeftButton);
        QCOMPARE(window->exportFields()->item(0)->text(), QStringLiteral("MUS:Title"));
        window->exportFields()->setCurrentRow(2);
        QCOMPARE(window->findChild<QLabel *>("kind")->text(), QStringLiteral("Numeric"));
        QTest::mouseClick(window->header(), Qt::LeftButton);
        const QString path = cat.dir.filePath("out.csv");
        cat.person.paths.enqueue(path);
        QTest::mouseClick(window->findChild<QPushButton *>("ok"), Qt::LeftButton);
        QTRY_VERIFY(!child<ExportSongsDelimited>(frame));
        QFile out(path);
        QVERIFY(out.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(out.readAll()),
                 QStringLiteral("\"MUS:Title\",\"MUS:Artist\",\"MUS:ReleaseDate\"\n"
                                "\"Say \"\"Hi\"\"\",\"Abba\",1974\n"
                                "\"Waterloo\",\"Abba\",1974\n"));
    }
};

QTEST_MAIN(TestExchangeWindows)
#include "tst_exchange_windows.moc"
