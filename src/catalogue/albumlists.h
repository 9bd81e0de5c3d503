// The album lists: "Albums" (BrowseAlbums), "Select Album" and "Browse Albums
// and Songs". They share five orders (album, artist, file number, category,
// category then artist), the two category orders each limited to a category
// chosen for it, and the tab they last showed ("AlbumTab").
#pragma once

#include "browsewindow.h"

class QMenu;

namespace crx {

class TrackList;

class AlbumList : public BrowseWindow
{
    Q_OBJECT
public:
    // The category chosen for the current tab; 0 on a tab without one, or before a choice.
    qint64 tabCategory() const;

protected:
    AlbumList(FileSet &files, const QString &name, const QString &title, bool categoryColumn, FormFactory form,
              QWidget *parent);
    // "Select Cate&gory", shown on the category tabs: the choice limits the current tab.
    void addCategoryButton(QRect place);
    // An album added on a category tab starts in that tab's category.
    void startInsertsInTabCategory();
    // The album form on the highlighted album, then the list read again.
    void changeAlbum();
    // One of the album adding wizards, then the list read again.
    template <typename Wizard>
    void runWizard();

    FileSet &files_;

private:
    qint64 byCategory_ = 0, byCategoryArtist_ = 0;
};

class BrowseAlbums : public AlbumList
{
    Q_OBJECT
public:
    explicit BrowseAlbums(FileSet &files, QWidget *parent = nullptr);
};

class SelectAlbum : public AlbumList
{
    Q_OBJECT
public:
    explicit SelectAlbum(FileSet &files, QWidget *parent = nullptr);
};

class BrowseAlbumsAndSongs : public AlbumList
{
    Q_OBJECT
public:
    explicit BrowseAlbumsAndSongs(FileSet &files, QWidget *parent = nullptr);
    ~BrowseAlbumsAndSongs() override;

    TrackList &songs() const { return *songs_; }
    void editAllSongs();
    // The song list's right-click menu.
    std::unique_ptr<QMenu> songPopupMenu();

protected:
    void done(int result) override;

private:
    void showSongsOfHighlighted();

    TrackList *songs_;
    qint64 shownAlbum_ = -1;
};

} // namespace crx
