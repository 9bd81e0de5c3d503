// The media formats and the artist defaults: their lists and forms.
#pragma once

#include "browsewindow.h"
#include "formwindow.h"

namespace crx {

class UpdateMedia : public FormWindow
{
    Q_OBJECT
public:
    explicit UpdateMedia(FileSet &files, QWidget *parent = nullptr);
};

class BrowseMedia : public BrowseWindow
{
    Q_OBJECT
public:
    explicit BrowseMedia(FileSet &files, QWidget *parent = nullptr);
};

class UpdateArtists : public FormWindow
{
    Q_OBJECT
public:
    explicit UpdateArtists(FileSet &files, QWidget *parent = nullptr);
};

class BrowseArtists : public BrowseWindow
{
    Q_OBJECT
public:
    explicit BrowseArtists(FileSet &files, QWidget *parent = nullptr);
};

} // namespace crx
