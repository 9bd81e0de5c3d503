// The explorer-style lists of songs ("Explore Songs") and albums ("Albums"):
// no tabs, ordered by a click on a column header, the columns always filling
// the list.
#pragma once

#include "browsewindow.h"

namespace crx {

class XploreSongs : public BrowseWindow
{
    Q_OBJECT
public:
    explicit XploreSongs(FileSet &files, QWidget *parent = nullptr);
};

class XploreAlbums : public BrowseWindow
{
    Q_OBJECT
public:
    explicit XploreAlbums(FileSet &files, QWidget *parent = nullptr);
};

} // namespace crx
