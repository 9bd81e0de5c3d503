#include "favouritefonts.h"

#include "datafile.h"
#include "fileset.h"

namespace crx {
namespace {
constexpr int DescriptionWidth = 60;
} // namespace

bool readFavouriteFont(FileSet &files, qint64 id, FavouriteFont &font)
{
    if (id == 0)
        return false;
    DataFile &fonts = files.use(FileId::Fonts);
    const Record kept = fonts.buffer();
    fonts.buffer().clear();
    fonts.buffer().set("FON:FontID", id);
    const bool found = fonts.get(fonts.def().keyIndex("FON:KeyFontID")) == NoError;
    if (found) {
        const Record &f = fonts.buffer();
        font = {f.get("FON:TypeFace").toString().trimmed(), f.get("FON:Size").toString().trimmed(),
                f.get("FON:Colour").toString().trimmed(), f.get("FON:Style").toString().trimmed()};
    }
    fonts.buffer() = kept;
    files.release(FileId::Fonts);
    return found;
}

QString FontDescription(FileSet &files, qint64 id)
{
    FavouriteFont font;
    if (!readFavouriteFont(files, id, font))
        return QStringLiteral("Default Font");
    return QStringLiteral("%1 %2  Colour:  %3  Style:  %4")
        .arg(font.face, font.size, font.colour, font.style)
        .left(DescriptionWidth);
}

} // namespace crx
