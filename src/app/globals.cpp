#include "globals.h"

namespace crx {

Globals &globals()
{
    static Globals shared;
    return shared;
}

void clearGlobals()
{
    globals() = Globals{};
}

} // namespace crx
