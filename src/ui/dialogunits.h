// Dialog units: a horizontal unit is a quarter of the font's average
// character width, a vertical one an eighth of its height, so what is sized in
// them keeps its proportions to the text it holds whatever font the desktop
// gives, and captions and columns are not clipped by a wider font. List
// column formats give their widths in dialog units.
//
// The window designs (sizes and places of windows and controls) give theirs as
// pixels at the reference dialog font, whose average character is 6 pixels
// wide and 13 high (a dialog unit there is 1.5 by 1.625 pixels); place() turns
// them into dialog units and those into pixels of the window's font.
#pragma once

#include <QFont>
#include <QRect>
#include <QSize>
#include <vector>

class QHeaderView;
class QWidget;

namespace crx {

class DialogUnits
{
public:
    explicit DialogUnits(const QFont &font);

    // Pixels of so many dialog units.
    int x(int units) const;
    int y(int units) const;
    // Dialog units of so many pixels (a column width the person gave).
    int unitsX(int pixels) const;

    // The widths of a list's columns as they stand, in dialog units (to keep in its format).
    static std::vector<int> columnWidths(const QHeaderView &header);

    // Places the window at its design for its font: its own size and every control the design
    // placed (on the window, on the pages of its tab sheets, in group boxes and plain panels);
    // controls' own parts (a combo's entry, a list's scroll bars) are left to them.
    static void place(QWidget &window);

private:
    double perX_, perY_; // pixels of one dialog unit
};

} // namespace crx
