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
        const double scale = printer_.resolution() / 1000.0;
        const int rounds = printerMakesCopies ? 1 : std::max(1, copies);
        for (int round = 0; round < rounds; ++round)
            for (int page = 0; page < pages.count(); ++page) {
                if (round > 0 || page > 0)
                    printer_.newPage();
                painter.resetTransform();
                painter.scale(scale, scale);
                pages.draw(painter, page);
            }
        painter.end();
    } else {
        error = QStringLiteral("the printer ") + printer_.printerName() + QStringLiteral(" could not start the job");
    }
    printer_.setCopyCount(asked);
    return began;
}

} // namespace crx
