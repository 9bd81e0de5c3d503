#include "upgrader.h"

#include "datafile.h"

namespace crx {

void FileStructureUpgrader::ds_AddDriver(const QString &driver)
{
    if (!drivers_.contains(driver, Qt::CaseInsensitive))
        drivers_ << driver;
}

void FileStructureUpgrader::ds_IgnoreDriver(const QString &what, int ignore)
{
    if (what.compare(QLatin1String("AllFiles"), Qt::CaseInsensitive) == 0)
        ignoreOthers_ = ignore != 0;
}

void FileStructureUpgrader::ds_UsingFile(const QString &prefix, const QString &label, int layoutVersion)
{
    for (Registration &r : files_)
        if (r.prefix.compare(prefix, Qt::CaseInsensitive) == 0) {
            r = {prefix, label, layoutVersion};
            return;
        }
    files_.push_back({prefix, label, layoutVersion});
}

bool FileStructureUpgrader::isRegistered(const QString &prefix) const
{
    return registeredVersion(prefix) >= 0;
}

int FileStructureUpgrader::registeredVersion(const QString &prefix) const
{
    for (const Registration &r : files_)
        if (r.prefix.compare(prefix, Qt::CaseInsensitive) == 0)
            return r.version;
    return -1;
}

bool FileStructureUpgrader::ds_UpGradeFile(DataFile &file)
{
    // Only files of the registered driver, registered with the layout this program writes.
    if (!drivers_.contains(QLatin1String("Tps"), Qt::CaseInsensitive))
        return false;
    if (registeredVersion(file.def().prefix) != file.def().layoutVersion)
        return false;
    return file.upgradeLayout() == 0;
}

} // namespace crx
