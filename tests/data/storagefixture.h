// A catalogue directory of its own for each test, with the files that change
// together sharing one connection as they do in the program.
#pragma once

#include "connection.h"
#include "datafile.h"

#include <QTemporaryDir>
#include <QtTest>
#include <map>
#include <memory>

namespace crx::test {

class Catalogue
{
public:
    Catalogue()
    {
        StorageResult error;
        group = Connection::group(dir.filePath(".crxtrans"), error);
    }

    DataFile &file(FileId id)
    {
        auto &slot = files[id];
        if (!slot) {
            slot = std::make_unique<DataFile>(fileDef(id), dir.path());
            if (id == FileId::Cantorix || id == FileId::Album || id == FileId::PlaylistDetails)
                slot->setConnection(group);
        }
        return *slot;
    }

    // Opens the file, creating it when missing.
    DataFile &open(FileId id)
    {
        DataFile &f = file(id);
        if (!f.isOpen() && f.open() == FileNotFound)
            f.create();
        return f;
    }

    QString path(const QString &name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    std::shared_ptr<Connection> group;
    std::map<FileId, std::unique_ptr<DataFile>> files;
};

inline void addSong(DataFile &songs, int id, const QString &artist, const QString &title, int album = 0,
                    int track = 0)
{
    Record &r = songs.buffer();
    r.clear();
    r.set("ID", id);
    r.set("Artist", artist);
    r.set("Title", title);
    r.set("AlbumID", album);
    r.set("TrackNumber", track);
    QCOMPARE(songs.add(), int(NoError));
}

inline void addAlbum(DataFile &albums, int id, const QString &artist, const QString &title,
                     const QString &cd = {})
{
    Record &r = albums.buffer();
    r.clear();
    r.set("AlbumID", id);
    r.set("Artist", artist);
    r.set("Album", title);
    r.set("CDIdentifier", cd);
    QCOMPARE(albums.add(), int(NoError));
}

} // namespace crx::test
