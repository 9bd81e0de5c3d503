// Favourite fonts as the labels keep them (file Fonts): a face, a point
// size, a colour and a style, all stored as text. The colour is
// a colour number and the style a style number (fontnumbers.h).
#pragma once

#include "fontnumbers.h"

#include <QString>

namespace crx {

class FileSet;

struct FavouriteFont {
    QString face;
    QString size;
    QString colour;
    QString style;
};
// The favourite font numbered id; none for 0 or a font that no longer exists.
bool readFavouriteFont(FileSet &files, qint64 id, FavouriteFont &font);

// "Arial 12  Colour:  255  Style:  700" (60 characters at most) for a font that exists,
// "Default Font" otherwise.
QString FontDescription(FileSet &files, qint64 id);

} // namespace crx
