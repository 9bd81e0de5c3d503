// A font's style and colour as the settings and files keep them in numbers.
// The colour is red + 256 × green + 65536 × blue. The style is the weight
// (100 to 900, as the font dialog gives it: 400 normal, 700 bold) plus 1000
// for italic, 2000 for underline and 4000 for strike-out, so that "4700" is
// bold struck-out; it goes into the font dialog and comes back unchanged.
#pragma once

namespace crx {

struct FontStyle {
    int weight = 400;
    bool italic = false, underline = false, strikeOut = false;
    bool operator==(const FontStyle &) const = default;
};
int styleNumber(const FontStyle &style);
// A stored number as a style; a blank or foreign one is the normal style.
FontStyle styleOf(int number);

struct Rgb {
    int red = 0, green = 0, blue = 0;
    bool operator==(const Rgb &) const = default;
};
int colourNumber(const Rgb &rgb);
Rgb rgbOf(int number);

} // namespace crx
