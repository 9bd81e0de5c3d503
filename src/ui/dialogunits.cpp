#include "dialogunits.h"

#include <QFontMetricsF>
#include <QGroupBox>
#include <QHeaderView>
#include <QTabWidget>
#include <QWidget>
#include <cmath>

namespace crx {

namespace {

// A dialog unit of the reference dialog font the window designs were drawn at, in pixels.
constexpr double ReferenceX = 6.0 / 4, ReferenceY = 13.0 / 8;

// The pixels of a design's number, horizontally or vertically.
struct DesignScale {
    double x, y;
    int px(int design, double per) const { return int(std::lround(design * per)); }
    QRect rect(QRect d) const { return {px(d.x(), x), px(d.y(), y), px(d.width(), x), px(d.height(), y)}; }
    QSize size(QSize d) const { return {px(d.width(), x), px(d.height(), y)}; }
};

// A widget whose children the design placed: a panel or a group box, not a control with parts.
bool holdsDesignedControls(const QWidget &w)
{
    return w.metaObject() == &QWidget::staticMetaObject || qobject_cast<const QGroupBox *>(&w);
}

void placeChildren(QWidget &parent, const DesignScale &scale)
{
    for (QWidget *child : parent.findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow())
            continue;
        child->setGeometry(scale.rect(child->geometry()));
        if (auto *sheet = qobject_cast<QTabWidget *>(child)) {
            for (int i = 0; i < sheet->count(); ++i)
                placeChildren(*sheet->widget(i), scale);
        } else if (holdsDesignedControls(*child)) {
            placeChildren(*child, scale);
        }
    }
}

} // namespace

DialogUnits::DialogUnits(const QFont &font)
{
    const QFontMetricsF metrics(font);
    perX_ = metrics.averageCharWidth() / 4;
    perY_ = metrics.height() / 8;
}

int DialogUnits::x(int units) const
{
    return int(std::lround(units * perX_));
}

int DialogUnits::y(int units) const
{
    return int(std::lround(units * perY_));
}

int DialogUnits::unitsX(int pixels) const
{
    return int(std::lround(pixels / perX_));
}

std::vector<int> DialogUnits::columnWidths(const QHeaderView &header)
{
    const DialogUnits units(header.font());
    std::vector<int> widths;
    for (int i = 0; i < header.count(); ++i)
        widths.push_back(units.unitsX(header.sectionSize(i)));
    return widths;
}

void DialogUnits::place(QWidget &window)
{
    const DialogUnits units(window.font());
    const DesignScale scale{units.perX_ / ReferenceX, units.perY_ / ReferenceY};
    placeChildren(window, scale);
    window.resize(scale.size(window.size()));
}

} // namespace crx
