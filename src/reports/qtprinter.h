// The printer of the desktop (CUPS) through Qt: the set-up chosen in Print
// Setup holds for the whole run.
#pragma once

#include "printer.h"

#include <QPrinter>

namespace crx {

class QtPrinter : public Printer
{
public:
    QtPrinter();

    bool installed() override;
    void setup() override;
    int copies() override { return printer_.copyCount(); }
    bool makesCopies() override { return printer_.supportsMultipleCopies(); }
    bool print(const PageList &pages, int copies, bool printerMakesCopies, QString &error) override;

private:
    QPrinter printer_;
};

} // namespace crx
