// The scripted stand-in for the printer: installed or not, with the copies
// and copy making the test gives it, and keeping every job it was given.
#pragma once

#include "pagelist.h"
#include "printer.h"

#include <QList>

namespace crx::test {

struct PrintJob {
    PageList pages;
    int copies = 1;
    bool printerMakesCopies = false;
};

class ScriptedPrinter : public Printer
{
public:
    ScriptedPrinter() { setPrinter(this); }
    ~ScriptedPrinter() override { setPrinter(nullptr); }

    bool installed() override { return isInstalled; }
    void setup() override { ++setups; }
    int copies() override { return askedCopies; }
    bool makesCopies() override { return makes; }
    bool print(const PageList &pages, int copies, bool printerMakesCopies, QString &error) override
    {
        if (!failure.isEmpty()) {
            error = failure;
            return false;
        }
        jobs.append({pages, copies, printerMakesCopies});
        return true;
    }

    bool isInstalled = true;
    int askedCopies = 1;
    bool makes = true;
    QString failure; // the reason every job fails with; empty: jobs print
    int setups = 0;
    QList<PrintJob> jobs;
};

} // namespace crx::test
