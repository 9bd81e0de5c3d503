// The catalogue's file set in one directory: a DataFile with its record
// buffer per keyed file (shared by every window), the per-file use counts,
// and OpenCatalogueFile, which opens a file on demand and creates, repairs or
// upgrades it when it must, or ends the program after a standard message.
//
// The files that change together in one transaction (songs, albums,
// categories, media formats, playlists and their entries) share one
// connection, so a change across them commits all or nothing.
#pragma once

#include "datafile.h"
#include "upgrader.h"

#include <QString>
#include <array>
#include <memory>
#include <mutex>

namespace crx {

class Connection;

// The owner password of the configuration file.
QString configurationOwner();

class FileSet
{
public:
    explicit FileSet(const QString &directory);
    ~FileSet();

    QString directory() const { return directory_; }
    DataFile &file(FileId id) { return *files_[size_t(id)]; }
    FileStructureUpgrader &upgrader() { return upgrader_; }

    // Registers every keyed file with the upgrader; does something only the first time.
    void registerWithUpgrader();

    // A window starts using a file: opened when nobody uses it yet.
    DataFile &use(FileId id);
    // A window stops using a file: closed when nobody uses it any more.
    void release(FileId id);
    int useCount(FileId id) const;

    void OpenCatalogueFile(FileId id);
    void CreateCatalogueFile(FileId id);

private:
    QString directory_;
    std::shared_ptr<Connection> group_;
    std::array<std::unique_ptr<DataFile>, FileCount> files_;
    std::array<int, FileCount> uses_{};
    mutable std::recursive_mutex usesLock_;
    FileStructureUpgrader upgrader_;
    bool registered_ = false;
};

} // namespace crx
