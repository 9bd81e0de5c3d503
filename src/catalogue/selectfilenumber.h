// The song lookup in select mode ("Browse Music Database - n entries"), in
// six orders. Select returns completed with the highlighted song in the song
// file's buffer.
#pragma once

#include "browsewindow.h"

namespace crx {

class SelectFileNumber : public BrowseWindow
{
    Q_OBJECT
public:
    explicit SelectFileNumber(FileSet &files, QWidget *parent = nullptr);

private:
    FileSet &files_;
    qint64 category_ = 0;
};

} // namespace crx
