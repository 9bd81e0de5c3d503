// "Select Album": the album lookup in select mode. Select returns completed
// with the highlighted album in the album file's buffer.
#pragma once

#include "browsewindow.h"

namespace crx {

class SelectAlbum : public BrowseWindow
{
    Q_OBJECT
public:
    explicit SelectAlbum(FileSet &files, QWidget *parent = nullptr);
};

} // namespace crx
