// The report procedure as a collector meets it: "Songs by Artist" from
// Reports ▸ Songs ▸ By Artist and from the song list's Print, through the
// Report Criteria window, the progress window and the preview, saved as PDF
// and read back as a reader of the page sees it; printing, the empty notes,
// the custom font, and cancelling part-way.
#include "browsesongs.h"
#include "cataloguefill.h"
#include "datafile.h"
#include "fileset.h"
#include "mainframe.h"
#include "pdftext.h"
#include "picture.h"
#include "profile.h"
#include "reportchoices.h"
#include "reportcriteria.h"
#include "reportpreview.h"
#include "reportprocedure.h"
#include "reportprogress.h"
#include "reportwindows.h"
#include "scriptedinteraction.h"
#include "scriptedprinter.h"
#include "settings.h"
#include "songreports.h"
#include "windows.h"
#include "windowsteps.h"

#include <QCheckBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QtTest>

using namespace crx;
using namespace crx::test;

namespace {

struct Song {
    const char *artist, *title;
    int track = 0;
    int skips = 0, doNotPlay = 0;
};

const Song Songs[] = {
    {"Beatles, The", "Hey Jude", 7},
    {"bee gees", "Stayin' Alive"},
    {"Abba", "Waterloo", 3},
    {"Beck (*)", "Loser"},
    {"Blur", "Song 2 (Skips)"},
    {"Cher", "Believe", 0, 1},
    {"Dido", "Thank You", 0, 0, 1},
};

struct Catalogue {
    Catalogue() : files(dir.path())
    {
        settings() = Settings();
        // The frame reads the settings from the file when it opens.
        const QString prefs = profilePath(dir.path(), settingsfile::Preferences);
        writeProfile(prefs, "Settings", "DateFormat", "d2");
        writeProfile(prefs, "Settings", "UDKPrompt", "Label");
        settings().dateFormat = QStringLiteral("d2");
        settings().udkPrompt = QStringLiteral("Label");
        reportChoices() = ReportChoices();
        addOneAlbum(files);
        DataFile &categories = files.use(FileId::Categories);
        categories.buffer().clear();
        categories.buffer().set("CAT:CategoryID", 1);
        categories.buffer().set("CAT:Category", "Rock");
        categories.add();
        files.release(FileId::Categories);
        DataFile &songs = files.use(FileId::Cantorix);
        int id = 0;
        for (const Song &s : Songs) {
            Record &r = songs.buffer();
            r.clear();
            r.set("MUS:ID", ++id);
            r.set("MUS:Artist", QString::fromUtf8(s.artist));
            r.set("MUS:Title", QString::fromUtf8(s.title));
            r.set("MUS:Album", "Gold");
            r.set("MUS:Media", "CD");
            r.set("MUS:FileNumber", QStringLiteral("%1").arg(id, 6, 10, QChar('0')));
            r.set("MUS:CategoryID", 1);
            r.set("MUS:ReleaseDate", dayNumber(1968, 8, 26));
            r.set("MUS:TrackNumber", s.track);
            r.set("MUS:Time", 22501); // 0:03:45
            r.set("MUS:UserDefinedKeyField", "Apple");
            r.set("MUS:Skips", s.skips);
            r.set("MUS:DoNotPlay", s.doNotPlay);
            songs.add();
        }
        files.release(FileId::Cantorix);
    }
    void addSongs(int count)
    {
        DataFile &songs = files.use(FileId::Cantorix);
        songs.stream();
        for (int n = 1; n <= count; ++n) {
            songs.buffer().clear();
            songs.buffer().set("MUS:ID", 100 + n);
            songs.buffer().set("MUS:Artist", QStringLiteral("Zed %1").arg(n, 5, 10, QChar('0')));
            songs.buffer().set("MUS:Title", QStringLiteral("Song %1").arg(n));
            songs.add();
        }
        songs.flush();
        files.release(FileId::Cantorix);
    }
    QString pdf() const { return dir.filePath(QStringLiteral("report.pdf")); }

    QTemporaryDir dir;
    FileSet files;
    ScriptedInteraction person;
    ScriptedPrinter printer;
};

using Criteria = std::function<void(ReportCriteria &)>;

// Sets the Report Criteria window as a person would and presses Ok.
std::function<void(QWidget *)> criteria(Criteria set = {})
{
    return [set](QWidget *modal) {
        auto *window = qobject_cast<ReportCriteria *>(modal);
        QVERIFY(window);
        if (set)
            set(*window);
        QTest::mouseClick(window->findChild<QPushButton *>("ok"), Qt::LeftButton);
    };
}

Criteria choose(bool brief, bool preview, const QString &selection = QString(), bool customFont = false)
{
    return [=](ReportCriteria &w) {
        w.findChild<QRadioButton *>(brief ? "brief" : "standard")->click();
        if (w.findChild<QCheckBox *>("preview")->isChecked() != preview)
            w.findChild<QCheckBox *>("preview")->click();
        if (w.findChild<QCheckBox *>("customFont")->isChecked() != customFont)
            w.findChild<QCheckBox *>("customFont")->click();
        if (!selection.isNull()) {
            w.findChild<QRadioButton *>("selected")->click();
            QLineEdit *entry = w.findChild<QLineEdit *>("selection");
            entry->clear();
            QTest::keyClicks(entry, selection);
        }
    };
}

// Runs Songs by Artist from the menu with these criteria; the preview it opens, if any.
ReportPreview *runFromMenu(MainFrame &frame, Criteria set)
{
    onModals({criteria(std::move(set))});
    frame.action("&Reports/&Songs", "By &Artist")->trigger();
    // The report has ended when its session is gone: nothing of it stays but a preview.
    QTest::qWait(0);
    if (!QTest::qWaitFor([&frame] { return !child<ReportProgress>(frame); }, 10000))
        return nullptr;
    return child<ReportPreview>(frame);
}

// The preview saved through File ▸ Save as PDF..., as pdftotext reads it.
QString savedText(Catalogue &cat, ReportPreview &preview)
{
    cat.person.paths.enqueue(cat.pdf());
    actionNamed(preview, QStringLiteral("Save as PDF..."))->trigger();
    return pdfText(cat.pdf());
}

QString today()
{
    const QDate d = QDate::currentDate();
    return formatValue(QStringLiteral("@d4"), dayNumber(d.year(), d.month(), d.day()));
}

// The messages shown, as "title: text".
QStringList shownTexts(const ScriptedInteraction &person)
{
    QStringList out;
    for (const ShownMessage &m : person.shown)
        out << m.title + QStringLiteral(": ") + m.text;
    return out;
}

} // namespace

class TestReports : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        registerCatalogueWindows();
        registerReportWindows();
    }

    void standardListPreviewedAndSaved()
    {
        Catalogue cat;
        MainFrame frame(cat.files);
        frame.show();
        ReportPreview *preview = runFromMenu(frame, choose(false, true));
        QVERIFY(preview);
        QCOMPARE(preview->windowTitle(), QStringLiteral("Report Preview"));
        QCOMPARE(preview->pageText(), QStringLiteral("Page 1 of 1"));
        const QString text = savedText(cat, *preview);
        for (const char *seen : {"Songs by Artist", "Artist", "Title", "Album", "Media", "Category", "File Number",
                                 "Release Date", "Track", "Chart", "Beatles, The", "Hey Jude", "bee gees",
                                 "Stayin' Alive", "Abba", "Waterloo", "Rock", "000001", "08/26/1968", "Page 1"})
            QVERIFY2(text.contains(QLatin1String(seen)), seen);
        QVERIFY2(text.contains(today()), qPrintable(text));
        // Songs not to be played are left out.
        for (const char *left : {"Loser", "Song 2", "Believe", "Thank You"})
            QVERIFY2(!text.contains(QLatin1String(left)), left);
        // In artist order: Abba, Beatles, bee gees.
        QVERIFY(text.indexOf("Waterloo") < text.indexOf("Hey Jude"));
        QVERIFY(text.indexOf("Hey Jude") < text.indexOf("Stayin"));
        QVERIFY(cat.person.shown.isEmpty());
        // Exit closes the preview without printing.
        actionNamed(*preview, QStringLiteral("E&xit"))->trigger();
        QTRY_VERIFY(!child<ReportPreview>(frame));
        QVERIFY(cat.printer.jobs.isEmpty());
    }

    void selection_data()
    {
        QTest::addColumn<QString>("selection");
        QTest::addColumn<QStringList>("printed");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("be") << "be" << QStringList{"Hey Jude", "Stayin"} << QStringList{"Waterloo"};
        QTest::newRow("BEE with a blank") << "BEE " << QStringList{"Stayin"} << QStringList{"Waterloo", "Hey Jude"};
        QTest::newRow("empty selection") << "" << QStringList{"Hey Jude", "Stayin", "Waterloo"} << QStringList{};
    }
    void selection()
    {
        QFETCH(QString, selection);
        QFETCH(QStringList, printed);
        QFETCH(QStringList, left);
        Catalogue cat;
        MainFrame frame(cat.files);
        frame.show();
        ReportPreview *preview = runFromMenu(frame, choose(false, true, selection));
        QVERIFY(preview);
        const QString text = savedText(cat, *preview);
        for (const QString &p : printed)
            QVERIFY2(text.contains(p), qPrintable(p));
        for (const QString &l : left)
            QVERIFY2(!text.contains(l), qPrintable(l));
        // The choices stay for the next report.
        QCOMPARE(reportChoices().include, QStringLiteral("Selected"));
        QCOMPARE(reportChoices().selection, selection);
    }

    void briefRunsOnlyTheBriefList()
    {
        Catalogue cat;
        MainFrame frame(cat.files);
        frame.show();
        ReportPreview *preview = runFromMenu(frame, choose(true, true));
        QVERIFY(preview);
        const QString text = savedText(cat, *preview);
        for (const char *seen : {"Songs by Artist", "Trk", "Label", "Time", "0:03:45", "Apple", "000003"})
            QVERIFY2(text.contains(QLatin1String(seen)), seen);
        // The standard list's second line is not there: one report, one line a song.
        QVERIFY(!text.contains("Release Date"));
        QVERIFY(!text.contains("08/26/1968"));
        QVERIFY(!text.contains("Rock"));
    }

    void nothingToShow_data()
    {
        QTest::addColumn<bool>("preview");
        QTest::addColumn<QString>("note");
        QTest::newRow("preview") << true << "NOTE...: Nothing to Preview.";
        QTest::newRow("print") << false << "NOTE...: Nothing to Print.";
    }
    void nothingToShow()
    {
        QFETCH(bool, preview);
        QFETCH(QString, note);
        Catalogue cat;
        MainFrame frame(cat.files);
        frame.show();
        // Only the excluded songs start with "b" or "c" after Beatles and bee gees: none starts with "ch" and plays.
        QVERIFY(!runFromMenu(frame, choose(false, preview, QStringLiteral("ch"))));
        QCOMPARE(shownTexts(cat.person), QStringList{note});
        QVERIFY(cat.printer.jobs.isEmpty());
    }

    void printsStraightToThePrinter()
    {
        Catalogue cat;
        cat.printer.askedCopies = 2;
        MainFrame frame(cat.files);
        frame.show();
        QVERIFY(!runFromMenu(frame, choose(false, false)));
        QCOMPARE(cat.printer.jobs.size(), 1);
        QCOMPARE(cat.printer.jobs[0].copies, 2);
        QVERIFY(cat.printer.jobs[0].printerMakesCopies);
        QString error;
        QVERIFY(savePdf(cat.printer.jobs[0].pages, cat.pdf(), error));
        QVERIFY(pdfText(cat.pdf()).contains("Hey Jude"));
        QVERIFY(cat.person.shown.isEmpty());
    }

    void copiesThePrinterCannotMakeAreMadeHere()
    {
        Catalogue cat;
        cat.printer.askedCopies = 3;
        cat.printer.makes = false;
        MainFrame frame(cat.files);
        frame.show();
        QVERIFY(!runFromMenu(frame, choose(false, false)));
        QCOMPARE(cat.printer.jobs.size(), 1);
        QCOMPARE(cat.printer.jobs[0].copies, 3);
        QVERIFY(!cat.printer.jobs[0].printerMakesCopies);
    }

    void noPrinterOffersThePreview_data()
    {
        QTest::addColumn<Button>("answer");
        QTest::newRow("preview instead") << Yes;
        QTest::newRow("declined") << No;
    }
    void noPrinterOffersThePreview()
    {
        QFETCH(Button, answer);
        Catalogue cat;
        cat.printer.isInstalled = false;
        cat.person.answer({answer});
        MainFrame frame(cat.files);
        frame.show();
        ReportPreview *preview = runFromMenu(frame, choose(false, false));
        QCOMPARE(shownTexts(cat.person), QStringList{"Print: No printer is installed.||Preview the report instead?"});
        QCOMPARE(preview != nullptr, answer == Yes);
        if (!preview)
            return;
        // Print in the preview says the same and stays.
        actionNamed(*preview, QStringLiteral("&Print"))->trigger();
        QCOMPARE(cat.person.shown.last().text, QStringLiteral("No printer is installed."));
        QVERIFY(child<ReportPreview>(frame));
        QVERIFY(cat.printer.jobs.isEmpty());
    }

    void printFromThePreview()
    {
        Catalogue cat;
        MainFrame frame(cat.files);
        frame.show();
        ReportPreview *preview = runFromMenu(frame, choose(false, true));
        QVERIFY(preview);
        actionNamed(*preview, QStringLiteral("&Print"))->trigger();
        QTRY_VERIFY(!child<ReportPreview>(frame));
        QCOMPARE(cat.printer.jobs.size(), 1);
        QVERIFY(!cat.printer.jobs[0].printerMakesCopies);
        QCOMPARE(cat.printer.jobs[0].pages.count(), 1);
    }

    void customFont()
    {
        Catalogue cat;
        FontChoice serif;
        serif.face = QStringLiteral("Liberation Serif");
        serif.pointSize = 9;
        serif.weight = 700;
        cat.person.fonts.enqueue(serif);
        MainFrame frame(cat.files);
        frame.show();
        ReportPreview *preview = runFromMenu(frame, choose(false, true, QString(), true));
        QVERIFY(preview);
        QCOMPARE(cat.person.fontDialogs, QStringList{"Select Custom Font for Report"});
        // Preset with the designed font when none is stored.
        QCOMPARE(cat.person.shownFonts[0].face, QStringLiteral("Arial"));
        QCOMPARE(cat.person.shownFonts[0].pointSize, 8);
        const QString prefs = profilePath(cat.dir.path(), settingsfile::Preferences);
        QCOMPARE(readProfile(prefs, "Fonts", "FontNamePrintMUS:SongsByArtist"), QStringLiteral("Liberation Serif"));
        QCOMPARE(readProfile(prefs, "Fonts", "FontSizePrintMUS:SongsByArtist"), QStringLiteral("9"));
        QCOMPARE(readProfile(prefs, "Fonts", "FontStylePrintMUS:SongsByArtist"), QStringLiteral("700"));
        savedText(cat, *preview);
        const QString fonts = pdfFonts(cat.pdf());
        QVERIFY2(fonts.contains("LiberationSerif-Bold"), qPrintable(fonts));
        QVERIFY2(!fonts.contains("LiberationSans"), qPrintable(fonts));
    }

    void criteriaWindow()
    {
        Catalogue cat;
        reportChoices().include = QStringLiteral("Selected");
        reportChoices().selection = QStringLiteral("be");
        ReportCriteria window(cat.dir.path(), QStringLiteral("artists"));
        QCOMPARE(window.findChild<QLabel *>("prompt")->text(), QStringLiteral("Select artists that start with:"));
        QLineEdit *entry = window.findChild<QLineEdit *>("selection");
        QVERIFY(entry->isEnabled());
        QCOMPARE(entry->maxLength(), 30);
        window.findChild<QRadioButton *>("all")->click();
        QVERIFY(!entry->isEnabled());
        window.findChild<QRadioButton *>("brief")->click();
        QTest::mouseClick(window.findChild<QPushButton *>("cancel"), Qt::LeftButton);
        // What the window showed stays, after Cancel as well.
        QCOMPARE(reportChoices().style, QStringLiteral("Brief"));
        QCOMPARE(reportChoices().include, QStringLiteral("All"));
        QVERIFY(!readProfile(profilePath(cat.dir.path(), settingsfile::Positions), "ReportCriteria", "Width").isEmpty()
                || !readProfile(profilePath(cat.dir.path(), settingsfile::Positions), "ReportCriteria", "X").isEmpty());
    }

    void cancelFromTheCriteriaEndsTheReport()
    {
        Catalogue cat;
        MainFrame frame(cat.files);
        frame.show();
        onModals({[](QWidget *modal) { QTest::mouseClick(modal->findChild<QPushButton *>("cancel"), Qt::LeftButton); }});
        frame.action("&Reports/&Songs", "By &Artist")->trigger();
        QTest::qWait(50);
        QVERIFY(!child<ReportProgress>(frame));
        QVERIFY(!child<ReportPreview>(frame));
        QVERIFY(cat.person.shown.isEmpty());
    }

    void songListPrintsTheArtistTab()
    {
        Catalogue cat;
        MainFrame frame(cat.files);
        frame.show();
        frame.action("&Browse", "&Songs")->trigger();
        auto *list = child<BrowseSongs>(frame);
        QVERIFY(list);
        list->tabs()->setCurrentIndex(1);
        QVERIFY(!list->button("print")->isEnabled());
        list->tabs()->setCurrentIndex(0);
        QVERIFY(list->button("print")->isEnabled());
        onModals({criteria(choose(false, true))});
        QTest::mouseClick(list->button("print"), Qt::LeftButton);
        QTRY_VERIFY(child<ReportPreview>(frame));
        // The list stays usable beside the preview.
        QVERIFY(list->isEnabled());
        QVERIFY(savedText(cat, *child<ReportPreview>(frame)).contains("Hey Jude"));
    }

    // The procedure as the progress window drives it, tick by tick.
    void cancelPartWay_data()
    {
        QTest::addColumn<QList<Button>>("answers");
        QTest::addColumn<bool>("previewed");
        QTest::newRow("no: goes on") << QList<Button>{No} << true;
        QTest::newRow("yes, then preview what there is") << QList<Button>{Yes, Yes} << true;
        QTest::newRow("yes, then no preview") << QList<Button>{Yes, No} << false;
    }
    void cancelPartWay()
    {
        QFETCH(QList<Button>, answers);
        QFETCH(bool, previewed);
        Catalogue cat;
        cat.addSongs(3000);
        cat.person.answers.append(answers);
        const auto report = songsByArtist();
        ReportProcedure procedure(cat.files, *report);
        QVERIFY(procedure.decide([](const QString &) { return true; }));
        QVERIFY(procedure.start());
        QVERIFY(procedure.tick());
        const int read = procedure.percent();
        QVERIFY(read < 100);
        const bool ended = procedure.cancel();
        QCOMPARE(ended, answers.first() == Yes);
        if (!ended)
            while (procedure.tick()) {
            }
        QCOMPARE(procedure.finishReading(), previewed);
        QCOMPARE(procedure.response(), ended ? Response::Cancelled : Response::Completed);
        if (ended && previewed)
            QVERIFY(procedure.pages().count() < 3000 / 25);
        QVERIFY(cat.person.shown.size() == answers.size());
    }

    void ignoreGoesOnOneSongATick()
    {
        Catalogue cat;
        cat.addSongs(3000);
        cat.person.answer({Yes, Ignore});
        const auto report = songsByArtist();
        ReportProcedure procedure(cat.files, *report);
        QVERIFY(procedure.decide([](const QString &) { return true; }));
        QVERIFY(procedure.start());
        QVERIFY(procedure.tick());
        QVERIFY(!procedure.cancel());
        QCOMPARE(cat.person.shown.size(), 2);
        QCOMPARE(cat.person.shown[1].text, QStringLiteral("Report Cancellation Requested!||Preview Report generated so far?"));
        const auto songsLaidOut = [&] {
            int count = 0;
            for (int p = 0; p < procedure.pages().count(); ++p)
                count += int(procedure.pages().texts(p).filter(QRegularExpression("^Song \\d+$")).size());
            return count;
        };
        const int before = songsLaidOut();
        QVERIFY(procedure.tick());
        QCOMPARE(songsLaidOut(), before + 1);
        QVERIFY(procedure.tick());
        QCOMPARE(songsLaidOut(), before + 2);
    }

    void displayStringsFromTheIniFile()
    {
        Catalogue cat;
        const QString ini = QDir(cat.dir.path()).filePath("CRXRPTS.INI");
        writeProfile(ini, "DISPLAY STRINGS 2.0", "NothingToPrvwText", "Nichts|zu zeigen.");
        writeProfile(ini, "DISPLAY STRINGS 2.0", "ProgWinTitlePrvw", "Bericht");
        const ReportStrings strings = readReportStrings(cat.dir.path());
        QCOMPARE(strings.nothingToPreviewText, QStringLiteral("Nichts|zu zeigen."));
        QCOMPARE(strings.progressTitlePreview, QStringLiteral("Bericht"));
        QCOMPARE(strings.nothingToPrintText, QStringLiteral("Nothing to Print."));
    }
};

QTEST_MAIN(TestReports)
#include "tst_reports.moc"
