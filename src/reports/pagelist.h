// The pages of a report as it was drawn: vector pages, each a short list of
// texts and rules placed in thousandths of an inch from the paper's top-left
// corner, with the fonts they use kept once for the whole list. A page is
// replayed onto any painter (the printer, a PDF writer, the screen) at any
// scale. Texts are kept as text and shaped only when a page is drawn, so a
// report of a million songs costs its strings and a few bytes a text, and a
// preview draws only the pages it shows.
#pragma once

#include "fontnumbers.h"

#include <QByteArray>
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <vector>

class QPagedPaintDevice;
class QPainter;

namespace crx {

// A font as a report names it: a Windows face ("Arial", "MS Sans Serif"), its size in
// points, its style and its colour number.
struct PageFont {
    QString face;
    double points = 10;
    FontStyle style;
    int colour = 0;
    bool operator==(const PageFont &) const = default;
};

// The font drawn for a report font, in pixels of a thousandth of an inch; Windows faces that
// Linux lacks are drawn in their metric-compatible Liberation faces.
QFont drawnFont(const PageFont &font);
// Makes the Windows faces of the reports and labels draw in the Liberation faces.
void substituteWindowsFaces();

enum class Align : quint8 { Left, Right, Centre };

class PageList
{
public:
    // A US letter page, portrait, as the reports are laid out for.
    static constexpr QSize Letter{8500, 11000};

    explicit PageList(QSize pageSize = Letter) : size_(pageSize) {}

    QSize pageSize() const { return size_; }
    int count() const { return int(pages_.size()); }
    bool isEmpty() const { return pages_.empty(); }

    // The number of a font for the texts, the same number for the same font.
    int font(const PageFont &font);
    const PageFont &fontOf(int number) const { return fonts_[size_t(number)]; }

    // Starts a page after the last; the texts and rules that follow go on it.
    void newPage();
    // A line of text in its box on the current page, cut off at the box's edges.
    void text(const QRect &box, int font, Align align, const QString &text);
    // A black rule from one point to another, so thick.
    void rule(QPoint from, QPoint to, int thickness);

    // Draws a page (from 0) with the painter's coordinates in thousandths of an inch.
    void draw(QPainter &painter, int page) const;
    // Every text of a page in the order drawn (for a quick look at a page without drawing it).
    QStringList texts(int page) const;

private:
    enum class Kind : quint8 { Text, Rule };
    struct Item {
        qint16 x, y, w, h; // a text's box; a rule's two ends
        quint16 font;      // a text's font
        Kind kind;
        Align align;
        quint32 offset;    // a text's UTF-8 bytes in the page's text; a rule's thickness
        quint32 length;
    };
    struct Page {
        std::vector<Item> items;
        QByteArray text;
    };

    void endPage();
    QString textOf(const Page &page, const Item &item) const;

    QSize size_;
    std::vector<PageFont> fonts_;
    std::vector<Page> pages_;
    mutable std::vector<QFont> drawn_; // the fonts as drawn, made at the first page drawn
};

// Draws every page, so many times over, onto a paged device (a printer, a PDF writer) whose
// painter has begun, at the device's resolution in dots per inch.
void drawPages(const PageList &pages, QPainter &painter, QPagedPaintDevice &device, int resolution, int rounds = 1);

// Writes the pages as a PDF document, each page at its size; on failure the reason. The file
// is replaced only once the document is complete.
bool savePdf(const PageList &pages, const QString &path, QString &error);

} // namespace crx
