// The explorer-style lists of songs ("Explore Songs") and albums ("Albums"):
// no tabs, ordered by a click on a column header, the columns always filling
// the list.
#pragma once

#include "addwizardcall.h"
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

private:
    // Enters an album in the add wizard, on this list's files and from its album.
    void addWithWizard(AddWizardKind kind);
};

} // namespace crx
