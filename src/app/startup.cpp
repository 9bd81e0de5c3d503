#include "startup.h"

#include "fileset.h"
#include "globals.h"

#include <QDir>

namespace crx {

void startUp(FileSet &files)
{
    clearGlobals();
    globals().helpFile = QDir(files.directory()).absoluteFilePath(QStringLiteral("CRX.HLP"));
    files.registerWithUpgrader();
}

} // namespace crx
