#include "qtprinter.h"

#include "interaction.h"
#include "pagelist.h"

#include <QApplication>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinterInfo>

namespace crx {

QtPrinter::QtPrinter() : printer_(QPrinter::HighResolution)
{
    printer_.setFullPage(true);
}

bool QtPrinter::installed()
{
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

void QtPrinter::setup()
{
    if (!installed()) {
        interaction().message(QStringLiteral("Print Setup"), QStringLiteral("No printer is installed."), Icon::Information,
                              OK, OK);
        return;
    }
    QPrintDialog dialog(&printer_, QApplication::activeWindow());
    dialog.setWindowTitle(QStringLiteral("Print Setup"));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.exec();
}

bool QtPrinter::print(const PageList &pages, int copies, bool printerMakesCopies, QString &error)
{
    const int asked = printer_.copyCount();
    printer_.setCopyCount(printerMakesCopies ? copies : 1);
    printer_.setCollateCopies(true);
    QPainter painter;
    const bool began = painter.begin(&printer_);
    if (began) {
        drawPages(pages, painter, printer_, printer_.resolution(), printerMakesCopies ? 1 : std::max(1, copies));
        painter.end();
    } else {
        error = QStringLiteral("the printer ") + printer_.printerName() + QStringLiteral(" could not start the job");
    }
    printer_.setCopyCount(asked);
    return began;
}

} // namespace crx
