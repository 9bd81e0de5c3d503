// A top-level window or MDI child as window placement sees it. A window shown
// in an MDI child of the frame is placed through that child: its position in
// the workspace, its size with the child's frame, maximised within the frame.
#pragma once

#include "dialogunits.h"
#include "placement.h"
#include "profile.h"
#include "settings.h"

#include <QMdiSubWindow>
#include <QWidget>

namespace crx {

// The widget that is moved, sized and maximised for the window: its MDI child when it has one.
inline QWidget &placedWidget(QWidget &window)
{
    auto *child = qobject_cast<QMdiSubWindow *>(window.parentWidget());
    return child && child->widget() == &window ? *child : window;
}

// An MDI child is made large enough for the window it shows, and never smaller.
inline void fitChildToWindow(QWidget &window)
{
    QWidget &placed = placedWidget(window);
    if (&placed == &window)
        return;
    const QSize frame = placed.size() - placed.contentsRect().size();
    placed.setMinimumSize(window.minimumSize() + frame);
    placed.resize(window.size().expandedTo(window.minimumSize()) + frame);
}

// A window opens at its design in dialog units for its font, never smaller than that, and in
// an MDI child sized for it when it has one.
inline void openAtDesign(QWidget &window)
{
    DialogUnits::place(window);
    window.setMinimumSize(window.size());
    fitChildToWindow(window);
}

class WidgetPlacement : public PlacedWindow
{
public:
    explicit WidgetPlacement(QWidget &window) : window_(placedWidget(window)) {}

    bool isMaximized() const override { return window_.isMaximized(); }
    bool isMinimized() const override { return window_.isMinimized(); }
    bool isResizable() const override { return window_.minimumSize() != window_.maximumSize(); }
    void showNormal() override
    {
        // A top-level window knows its normal place now; after showNormal the desktop may tell it later.
        if (window_.isWindow() && window_.normalGeometry().isValid())
            normal_ = window_.normalGeometry();
        window_.showNormal();
    }
    void showMaximized() override { window_.showMaximized(); }
    QRect normalGeometry() const override
    {
        if (normal_.isValid())
            return normal_;
        const QRect g = window_.isWindow() && (window_.isMaximized() || window_.isMinimized())
                            ? window_.normalGeometry()
                            : window_.geometry();
        return g.isValid() ? g : window_.geometry();
    }
    void move(int x, int y) override { window_.move(x, y); }
    void setGeometry(const QRect &geometry) override { window_.setGeometry(geometry); }

private:
    QWidget &window_;
    QRect normal_;
};

// The window where the person left it, from the position file of the catalogue directory,
// under the window's name; and saved there as it stands.
inline void restorePlacement(QWidget &window, const QString &directory)
{
    WidgetPlacement placement(window);
    RestoreWindowPlacement(profilePath(directory, settingsfile::Positions), window.objectName(), placement);
}

inline void savePlacement(QWidget &window, const QString &directory)
{
    WidgetPlacement placement(window);
    SaveWindowPlacement(profilePath(directory, settingsfile::Positions), window.objectName(), placement);
}

} // namespace crx
