#include "printer.h"

namespace crx {
namespace {
Printer *installed = nullptr;
} // namespace

Printer &printer()
{
    Q_ASSERT(installed);
    return *installed;
}

void setPrinter(Printer *printer)
{
    installed = printer;
}

} // namespace crx
