// The media formats and the artist defaults: their lists and forms.
#pragma once

#include "browsewindow.h"
#include "formwindow.h"

#include <optional>

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

// Opens the media format list to choose one; the chosen format, or none when the person closed it.
std::optional<QString> chooseMedia(FileSet &files, QWidget *parent);

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
