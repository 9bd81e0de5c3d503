// The catalogue's file set in one directory: a DataFile with its record
// buffer per keyed file, the per-file use counts, and OpenCatalogueFile,
// which opens a file on demand and creates, repairs or upgrades it when it
// must, or ends the program after a standard message.
//
// A window started on a thread of its own works on a file set of its own
// (newThread): the same stored files, use counts and upgrader, with record
// buffers and reading positions of its own. A window it calls works on its
// caller's set, so it sees what the caller left in the buffers.
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

namespace crx {

class Connection;

// The owner password of the configuration file.
QString configurationOwner();

class FileSet
{
public:
    explicit FileSet(const QString &directory);
    ~FileSet();
    FileSet(const FileSet &) = delete;
    FileSet &operator=(const FileSet &) = delete;

    // The file set of a window started on a thread of its own.
    std::unique_ptr<FileSet> newThread();

    QString directory() const;
    DataFile &file(FileId id) { return *files_[size_t(id)]; }
    FileStructureUpgrader &upgrader();

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
    struct Catalogue;
    explicit FileSet(std::shared_ptr<Catalogue> catalogue);
    DataFile &stored(FileId id);

    std::shared_ptr<Catalogue> catalogue_;
    std::array<std::unique_ptr<DataFile>, FileCount> files_; // this set's handles
};

} // namespace crx
