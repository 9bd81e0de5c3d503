// The Report Preview on page lists of a known length: the single page, the
// grid of thumbnails and its paging, the zooms, jumping, clicking a
// thumbnail, Save as PDF, and Exit and Print.
#include "pagelist.h"
#include "pdftext.h"
#include "reportpreview.h"
#include "scriptedinteraction.h"
#include "scriptedprinter.h"
#include "windowsteps.h"

#include <QMenu>
#include <QMenuBar>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

using namespace crx;
using namespace crx::test;

namespace {

PageList numberedPages(int count)
{
    PageList pages;
    const int font = pages.font({QStringLiteral("Arial"), 12, {}, 0});
    for (int n = 1; n <= count; ++n) {
        pages.newPage();
        pages.text(QRect(250, 250, 8000, 300), font, Align::Left, QStringLiteral("Sheet number %1").arg(n));
    }
    return pages;
}

struct Previewing {
    explicit Previewing(int count) : pages(numberedPages(count)), preview(pages, dir.path())
    {
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
    }
    QMenu *viewMenu() { return preview.findChild<QMenuBar *>()->actions()[1]->menu(); }
    QSpinBox *spin(const char *name) { return preview.findChild<QSpinBox *>(name); }

    QTemporaryDir dir;
    ScriptedInteraction person;
    ScriptedPrinter printer;
    PageList pages;
    ReportPreview preview;
};

} // namespace

class TestReportPreview : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void singlePage()
    {
        Previewing p(1);
        QCOMPARE(p.preview.windowTitle(), QStringLiteral("Report Preview"));
        QCOMPARE(p.preview.pageText(), QStringLiteral("Page 1 of 1"));
        QCOMPARE(p.preview.zoomText(), QStringLiteral("No Zoom"));
        QCOMPARE(p.preview.shownPages(), QList<int>{1});
        QVERIFY(!p.viewMenu()->isEnabled());
        for (const char *name : {"page", "across", "down"})
            QVERIFY2(!p.spin(name)->isEnabled(), name);
        // One thumbnail, page-shaped, inside the window.
        const QSize cell = p.preview.drawnPageSize();
        QVERIFY(cell.width() > 100);
        QCOMPARE(qRound(cell.height() * 8500.0 / cell.width() / 100), 110);
    }

    void sevenPagesTwoByTwo()
    {
        Previewing p(7);
        QCOMPARE(p.spin("page")->maximum(), 7);
        QCOMPARE(p.spin("page")->toolTip(), QStringLiteral("Enter a page number from 1 to 7"));
        p.spin("across")->setValue(2);
        p.spin("down")->setValue(2);
        QCOMPARE(p.preview.pageText(), QStringLiteral("Pages 1-4 of 7"));
        QCOMPARE(p.preview.shownPages(), (QList<int>{1, 2, 3, 4}));
        QAction *next = actionNamed(p.preview, QStringLiteral("&Next Page(s)"));
        QAction *previous = actionNamed(p.preview, QStringLiteral("&Previous Page(s)"));
        QVERIFY(!previous->isEnabled());
        QTest::keyClick(&p.preview, Qt::Key_PageDown);
        QCOMPARE(p.preview.pageText(), QStringLiteral("Pages 5-7 of 7"));
        // The fourth cell would be page 8: not shown.
        QCOMPARE(p.preview.shownPages(), (QList<int>{5, 6, 7}));
        QVERIFY(!next->isEnabled());
        QVERIFY(previous->isEnabled());
        QTest::keyClick(&p.preview, Qt::Key_PageUp);
        QCOMPARE(p.preview.currentPage(), 1);
    }

    void zoomTwoHundred()
    {
        Previewing p(3);
        actionNamed(p.preview, QStringLiteral("&100 Percent"))->trigger();
        const QSize full = p.preview.drawnPageSize();
        QCOMPARE(full.width(), qRound(8.5 * p.preview.logicalDpiX()));
        actionNamed(p.preview, QStringLiteral("&200 Percent"))->trigger();
        QCOMPARE(p.preview.zoomText(), QStringLiteral("Zoom (200%)"));
        QCOMPARE(p.preview.pageText(), QStringLiteral("Page 1 of 3"));
        QCOMPARE(p.preview.drawnPageSize(), full * 2);
        QCOMPARE(p.preview.shownPages(), QList<int>{1});
        QTest::keyClick(&p.preview, Qt::Key_PageDown);
        QCOMPARE(p.preview.pageText(), QStringLiteral("Page 2 of 3"));
        QCOMPARE(p.preview.zoom(), ReportPreview::Zoom200);
    }

    void pageSpinAndJump()
    {
        Previewing p(9);
        p.spin("page")->setValue(20);
        QCOMPARE(p.preview.currentPage(), 9);
        onModals({[](QWidget *dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Jump to a Report Page"));
            auto *page = dialog->findChild<QSpinBox *>("page");
            QCOMPARE(page->value(), 9);
            page->setValue(4);
            QMetaObject::invokeMethod(dialog, "accept");
        }});
        actionNamed(p.preview, QStringLiteral("&Jump to a page"))->trigger();
        QCOMPARE(p.preview.currentPage(), 4);
        QCOMPARE(p.spin("page")->value(), 4);
    }

    void changeDisplayAndClickAThumbnail()
    {
        Previewing p(9);
        onModals({[](QWidget *dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Change the Report Display"));
            dialog->findChildren<QSpinBox *>()[0]->setValue(3);
            dialog->findChildren<QSpinBox *>()[1]->setValue(2);
            QMetaObject::invokeMethod(dialog, "accept");
        }});
        actionNamed(p.preview, QStringLiteral("&Change Display"))->trigger();
        QCOMPARE(p.preview.pageText(), QStringLiteral("Pages 1-6 of 9"));
        QCOMPARE(p.spin("across")->value(), 3);
        // A click on the second thumbnail shows its page as wide as the window.
        QWidget *view = p.preview.findChild<QWidget *>("pages");
        const QSize cell = p.preview.drawnPageSize();
        QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(1 + cell.width() + 3 + cell.width() / 2, cell.height() / 2));
        QCOMPARE(p.preview.zoom(), ReportPreview::PageWidth);
        QCOMPARE(p.preview.currentPage(), 2);
        QCOMPARE(p.preview.zoomText(), QStringLiteral("Zoom (Page Width)"));
        // A click on the zoomed page goes back to the thumbnails.
        QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(20, 20));
        QCOMPARE(p.preview.zoom(), ReportPreview::NoZoom);
    }

    void saveAsPdf()
    {
        Previewing p(3);
        const QString path = p.dir.filePath("sheets");
        p.person.paths.enqueue(path);
        actionNamed(p.preview, QStringLiteral("Save as PDF..."))->trigger();
        const QString text = pdfText(path + ".pdf");
        for (int n = 1; n <= 3; ++n)
            QVERIFY(text.contains(QStringLiteral("Sheet number %1").arg(n)));
        QCOMPARE(text.count(QChar('\f')), 3);
        // A folder that is not there: the reason, and nothing written.
        p.person.paths.enqueue(p.dir.filePath("missing/sheets.pdf"));
        actionNamed(p.preview, QStringLiteral("Save as PDF..."))->trigger();
        QCOMPARE(p.person.shown.size(), 1);
        QVERIFY(p.person.shown[0].text.startsWith("The report could not be saved as "));
    }

    void exitAndPrint_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("print");
        QTest::newRow("exit") << "E&xit" << false;
        QTest::newRow("print") << "&Print" << true;
    }
    void exitAndPrint()
    {
        QFETCH(QString, command);
        QFETCH(bool, print);
        Previewing p(2);
        actionNamed(p.preview, QStringLiteral("&200 Percent"))->trigger();
        actionNamed(p.preview, command)->trigger();
        QVERIFY(!p.preview.isVisible());
        QCOMPARE(p.preview.printRequested(), print);
    }
};

QTEST_MAIN(TestReportPreview)
#include "tst_report_preview.moc"
