// The reference entries a test's catalogue starts with: media formats,
// categories and artist defaults, added through the program's own files.
#pragma once

#include "fileset.h"

#include <initializer_list>
#include <utility>

namespace crx::test {

inline void addMediaFormats(FileSet &files, std::initializer_list<const char *> names)
{
    DataFile &media = files.use(FileId::Media);
    for (const char *name : names) {
        media.buffer().clear();
        media.buffer().set("Media", name);
        media.add();
    }
    files.release(FileId::Media);
}

inline void addArtists(FileSet &files, std::initializer_list<const char *> names)
{
    DataFile &artists = files.use(FileId::Artists);
    for (const char *name : names) {
        artists.buffer().clear();
        artists.buffer().set("Artist", QString::fromUtf8(name));
        artists.add();
    }
    files.release(FileId::Artists);
}

inline void addCategories(FileSet &files, std::initializer_list<std::pair<int, const char *>> categories)
{
    DataFile &file = files.use(FileId::Categories);
    for (const auto &[id, name] : categories) {
        file.buffer().clear();
        file.buffer().set("CategoryID", id);
        file.buffer().set("Category", name);
        file.add();
    }
    files.release(FileId::Categories);
}

// One album, so that the frame opening on the catalogue offers no album copy.
inline void addOneAlbum(FileSet &files)
{
    DataFile &albums = files.use(FileId::Album);
    albums.buffer().clear();
    albums.buffer().set("ALB:AlbumID", 1);
    albums.buffer().set("ALB:Album", "Gold");
    albums.add();
    files.release(FileId::Album);
}

} // namespace crx::test
