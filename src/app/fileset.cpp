#include "fileset.h"

#include "connection.h"
#include "result.h"
#include "standardmessages.h"

#include <QDir>
#include <mutex>

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
    case FileId::AddWizard:
        return true;
    default:
        return false;
    }
}

} // namespace

// What every file set of the catalogue shares: the stored files (opened, created and
// upgraded through these handles), their use counts and the upgrader.
struct FileSet::Catalogue {
    explicit Catalogue(const QString &directory) : directory(directory)
    {
        StorageResult error;
        // Without the anchor (a read-only directory) each file keeps a connection of its own.
        group = Connection::group(QDir(directory).filePath(QStringLiteral(".crxtrans")), error);
        for (const FileDef *def : allFiles()) {
            auto file = std::make_unique<DataFile>(*def, directory);
            if (group && sharesTransactions(def->id))
                file->setConnection(group);
            if (def->ownerPassword)
                file->setOwner(configurationOwner());
            files[size_t(def->id)] = std::move(file);
        }
    }
    ~Catalogue()
    {
        for (auto &file : files)
            file->close();
    }

    QString directory;
    std::shared_ptr<Connection> group;
    std::array<std::unique_ptr<DataFile>, FileCount> files;
    std::array<int, FileCount> uses{};
    std::recursive_mutex usesLock;
    FileStructureUpgrader upgrader;
    bool registered = false;
};

FileSet::FileSet(const QString &directory) : FileSet(std::make_shared<Catalogue>(directory)) {}

FileSet::FileSet(std::shared_ptr<Catalogue> catalogue) : catalogue_(std::move(catalogue))
{
    for (size_t i = 0; i < files_.size(); ++i)
        files_[i] = catalogue_->files[i]->newHandle();
}

FileSet::~FileSet() = default;

std::unique_ptr<FileSet> FileSet::newThread()
{
    return std::unique_ptr<FileSet>(new FileSet(catalogue_));
}

QString FileSet::directory() const { return catalogue_->directory; }

FileStructureUpgrader &FileSet::upgrader() { return catalogue_->upgrader; }

DataFile &FileSet::stored(FileId id) { return *catalogue_->files[size_t(id)]; }

void FileSet::registerWithUpgrader()
{
    if (catalogue_->registered)
        return;
    catalogue_->registered = true;
    FileStructureUpgrader &upgrader = catalogue_->upgrader;
    upgrader.ds_AddDriver(QStringLiteral("Tps"));
    upgrader.ds_IgnoreDriver(QStringLiteral("AllFiles"), 1);
    for (const FileDef *def : allFiles())
        upgrader.ds_UsingFile(def->prefix, def->label, def->layoutVersion);
}

DataFile &FileSet::use(FileId id)
{
    std::lock_guard lock(catalogue_->usesLock);
    if (catalogue_->uses[size_t(id)] == 0)
        OpenCatalogueFile(id);
    ++catalogue_->uses[size_t(id)];
    return file(id);
}

void FileSet::release(FileId id)
{
    std::lock_guard lock(catalogue_->usesLock);
    int &uses = catalogue_->uses[size_t(id)];
    if (uses == 0)
        return;
    if (--uses == 0)
        stored(id).close();
}

int FileSet::useCount(FileId id) const
{
    std::lock_guard lock(catalogue_->usesLock);
    return catalogue_->uses[size_t(id)];
}

void FileSet::OpenCatalogueFile(FileId id)
{
    FileStructureUpgrader &upgrader = catalogue_->upgrader;
    DataFile &f = stored(id);
    const QString name = f.diskName();
    int code = f.open();
    if (code == FileLocked) {
        f.send(QStringLiteral("Recover=10"));
        code = f.open();
    }
    if (code == NoError || code == FileAlreadyOpen)
        return;

    if (code == FileNotFound) {
        if (upgrader.ds_UpGradeFile(f) && f.open() == NoError)
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
        if (upgrader.ds_UpGradeFile(f))
            code = f.open();
        else
            setResult(openError);
        if (code != NoError)
            ShowStandardMessage(1, name); // ends the program
        return;
    }
    if (code == InvalidDataFile || code == InvalidKeyLength || code == DriverError) {
        const StorageResult openError = lastResult();
        if (upgrader.ds_UpGradeFile(f))
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
    DataFile &f = stored(id);
    const QString name = f.diskName();
    // Creating leaves the file open; a failed open of the new file is a failure of its own.
    if (f.create() != NoError) {
        const bool created = QFileInfo::exists(f.path());
        ShowStandardMessage(created ? 5 : 4, name); // ends the program
    }
}

} // namespace crx
