#include "fontnumbers.h"

namespace crx {
namespace {
constexpr int Italic = 1000, Underline = 2000, StrikeOut = 4000;
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

} // namespace crx
