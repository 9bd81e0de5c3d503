#include "fileset.h"

#include "connection.h"
#include "result.h"
#include "standardmessages.h"

#include <QDir>

namespace crx {

QString configurationOwner()
{
    return QStringLiteral("CRX98");
}

namespace {

bool sharesTransactions(FileId id)
{
    switch (id) {
    case FileId::Cantorix:
    case FileId::Album:
    case FileId::Categories:
    case FileId::Media:
    case FileId::PlaylistMaster:
    case FileId::PlaylistDetails:
        return true;
    default:
        return false;
    }
}

} // namespace

FileSet::FileSet(const QString &directory) : directory_(directory)
{
    StorageResult error;
    // Without the anchor (a read-only directory) each file keeps a connection of its own.
    group_ = Connection::group(QDir(directory).filePath(QStringLiteral(".crxtrans")), error);
    for (const FileDef *def : allFiles()) {
        auto file = std::make_unique<DataFile>(*def, directory);
        if (group_ && sharesTransactions(def->id))
            file->setConnection(group_);
        if (def->ownerPassword)
            file->setOwner(configurationOwner());
        files_[size_t(def->id)] = std::move(file);
    }
}

FileSet::~FileSet()
{
    for (auto &file : files_)
        file->close();
}

void FileSet::registerWithUpgrader()
{
    if (registered_)
        return;
    registered_ = true;
    upgrader_.ds_AddDriver(QStringLiteral("Tps"));
    upgrader_.ds_IgnoreDriver(QStringLiteral("AllFiles"), 1);
    for (const FileDef *def : allFiles())
        upgrader_.ds_UsingFile(def->prefix, def->label, def->layoutVersion);
}

DataFile &FileSet::use(FileId id)
{
    std::lock_guard lock(usesLock_);
    if (uses_[size_t(id)] == 0)
        OpenCatalogueFile(id);
    ++uses_[size_t(id)];
    return file(id);
}

void FileSet::release(FileId id)
{
    std::lock_guard lock(usesLock_);
    if (uses_[size_t(id)] == 0)
        return;
    if (--uses_[size_t(id)] == 0)
        file(id).close();
}

int FileSet::useCount(FileId id) const
{
    std::lock_guard lock(usesLock_);
    return uses_[size_t(id)];
}

void FileSet::OpenCatalogueFile(FileId id)
{
    DataFile &f = file(id);
    const QString name = f.diskName();
    int code = f.open();
    if (code == FileLocked) {
        f.send(QStringLiteral("Recover=10"));
        code = f.open();
    }
    if (code == NoError || code == FileAlreadyOpen)
        return;

    if (code == FileNotFound) {
        if (upgrader_.ds_UpGradeFile(f) && f.open() == NoError)
            return;
        CreateCatalogueFile(id);
        return;
    }
    if (code == KeysMustBeRebuilt) {
        ShowStandardMessage(2, name); // No ends the program
        if (f.rebuildKeys() != NoError)
            ShowStandardMessage(3, name); // ends the program
        code = f.open();
    }
    if (code == LayoutChanged) {
        const StorageResult openError = lastResult();
        if (upgrader_.ds_UpGradeFile(f))
            code = f.open();
        else
            setResult(openError);
        if (code != NoError)
            ShowStandardMessage(1, name); // ends the program
        return;
    }
    if (code == InvalidDataFile || code == InvalidKeyLength || code == DriverError) {
        const StorageResult openError = lastResult();
        if (upgrader_.ds_UpGradeFile(f))
            code = f.open();
        else
            setResult(openError);
    }
    if (code != NoError) {
        ShowStandardMessage(30, name);
        interaction().halt(QStringLiteral("Disk Error"));
    }
}

void FileSet::CreateCatalogueFile(FileId id)
{
    DataFile &f = file(id);
    const QString name = f.diskName();
    // Creating leaves the file open; a failed open of the new file is a failure of its own.
    if (f.create() != NoError) {
        const bool created = QFileInfo::exists(f.path());
        ShowStandardMessage(created ? 5 : 4, name); // ends the program
    }
}

} // namespace crx
