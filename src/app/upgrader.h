// The file-structure upgrader: the program registers its driver and every
// keyed file with its prefix, label and layout version once per run, and asks
// it to upgrade one file when the file cannot be opened as it stands. An
// upgrade converts a file of an older layout in place, keeping every record;
// it never rewrites a file of a newer layout or one that is not a catalogue
// file.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace crx {

class DataFile;

class FileStructureUpgrader
{
public:
    void ds_AddDriver(const QString &driver);
    void ds_IgnoreDriver(const QString &what, int ignore);
    void ds_UsingFile(const QString &prefix, const QString &label, int layoutVersion);
    // True when the file was upgraded and may be opened again.
    bool ds_UpGradeFile(DataFile &file);

    bool isRegistered(const QString &prefix) const;
    int registeredVersion(const QString &prefix) const;

private:
    struct Registration {
        QString prefix, label;
        int version;
    };
    QStringList drivers_;
    bool ignoreOthers_ = false;
    std::vector<Registration> files_;
};

} // namespace crx
