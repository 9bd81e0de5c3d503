#include "buildinfo.h"

namespace crx {

QString programVersion()
{
    return QStringLiteral(CANTORIX_VERSION);
}

QString buildDate()
{
    return QStringLiteral(__DATE__).simplified();
}

QString buildTime()
{
    return QStringLiteral(__TIME__);
}

} // namespace crx
