// The printer as the reports see it: whether one is installed, the copies
// asked for in Print Setup, whether it makes copies itself, and printing a
// page list. The program installs the Qt printer; tests install a scripted
// one that keeps what it was given.
#pragma once

#include <QString>

namespace crx {

class PageList;

class Printer
{
public:
    virtual ~Printer() = default;

    virtual bool installed() = 0;
    // The platform's print set-up dialog (printer, paper, copies); its choices hold for the run.
    virtual void setup() = 0;
    // The copies asked for in the set-up.
    virtual int copies() = 0;
    // Whether the printer makes several copies of a job itself.
    virtual bool makesCopies() = 0;
    // Prints the pages in so many copies: one job whose copies the printer makes, or the pages
    // sent that many times over. False, with the reason, when the job could not be printed.
    virtual bool print(const PageList &pages, int copies, bool printerMakesCopies, QString &error) = 0;
};

Printer &printer();
void setPrinter(Printer *printer);

} // namespace crx
