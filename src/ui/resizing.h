// Re-laying out a window's controls when it is resized, from the positions
// and sizes they had as designed. Proportional: everything scales with the
// window. Fixed-size controls: positions and sizes scale, but entry fields,
// combo and spin boxes keep their height, buttons, check boxes and radio
// buttons keep their size, and buttons keep their distance to the nearer edge.
#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>
#include <vector>

namespace crx {

enum class Resizing { None, Proportional, FixedSizeControls };

// How the window of this name re-lays out its controls.
Resizing resizingOf(const QString &windowName);

class ControlLayout
{
public:
    // Records the designed size and the geometry of every child control, and of the
    // controls on the pages of its tab sheets.
    void record(QWidget &window);
    void apply(const QSize &size, Resizing strategy) const;

private:
    struct Control {
        QWidget *widget;
        QRect designed;
    };
    QSize designed_;
    std::vector<Control> controls_;
};

} // namespace crx
