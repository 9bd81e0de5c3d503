#include "favouritefonts.h"

#include "datafile.h"
#include "fileset.h"

namespace crx {
namespace {
constexpr int Italic = 1000, Underline = 2000, StrikeOut = 4000;
constexpr int DescriptionWidth = 60;
} // namespace

int styleNumber(const FontStyle &style)
{
    return style.weight + (style.italic ? Italic : 0) + (style.underline ? Underline : 0)
           + (style.strikeOut ? StrikeOut : 0);
}

FontStyle styleOf(int number)
{
    FontStyle style;
    if (number <= 0 || number >= 2 * StrikeOut)
        return style;
    style.strikeOut = number >= StrikeOut;
    number %= StrikeOut;
    style.underline = number >= Underline;
    number %= Underline;
    style.italic = number >= Italic;
    number %= Italic;
    if (number > 0)
        style.weight = number;
    return style;
}

int colourNumber(const Rgb &rgb)
{
    return rgb.red + 256 * rgb.green + 65536 * rgb.blue;
}

Rgb rgbOf(int number)
{
    return {number & 0xff, (number >> 8) & 0xff, (number >> 16) & 0xff};
}

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
