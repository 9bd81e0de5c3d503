#include "cddrive.h"

#include "cdiodrive.h"
#include "settings.h"
#include "virtualdrive.h"

namespace crx {

DriveChoice driveChoice(const QString &workingDirectory)
{
    QString description = qEnvironmentVariable("CANTORIX_VIRTUAL_DISC");
    if (description.isEmpty())
        description = readOtherSetting(workingDirectory, "VirtualDisc");
    if (!description.isEmpty())
        return {true, description};
    return {false, readOtherSetting(workingDirectory, "CDDevice")};
}

std::unique_ptr<CdDrive> makeDrive(const DriveChoice &choice, const QString &workingDirectory)
{
    if (choice.isVirtual)
        return std::make_unique<VirtualDrive>(choice.name, workingDirectory);
    return std::make_unique<CdioDrive>(choice.name);
}

} // namespace crx
