// "Browse Songs": every song in eight orders (artist, title, album, media,
// category, chart number, BPM and the collector's own key), with its album's
// and category's names, the song form behind Add, Copy, Change and Delete,
// and the album form behind Album. Rows drag onto an album's track list.
#pragma once

#include "browsewindow.h"

namespace crx {

class BrowseSongs : public BrowseWindow
{
    Q_OBJECT
public:
    explicit BrowseSongs(FileSet &files, QWidget *parent = nullptr);

    // The filter values of the "By Media" and "By Category" tabs; setting one refills the list.
    QString media() const { return media_; }
    qint64 category() const { return category_; }
    void filterMedia(const QString &media);
    void filterCategory(qint64 category);

private:
    void openAlbum();
    void printList();
    void startBeside(const QString &name);
    void chooseMedia();
    void chooseCategory();

    FileSet &files_;
    QString media_;
    qint64 category_ = 0;
};

// The "(side) track" text of a song's Track column; each part blank when 0.
QString sideAndTrack(const Record &song);

} // namespace crx
