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

} // namespace crx::test
