#include "globals.h"

namespace crx {

Globals &globals()
{
    static Globals shared;
    return shared;
}

Record &currentAlbum()
{
    static Record album(fileDef(FileId::Album));
    return album;
}

void clearGlobals()
{
    globals() = Globals{};
    currentAlbum().clear();
}

} // namespace crx
