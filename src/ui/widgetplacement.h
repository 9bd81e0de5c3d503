// A top-level window or MDI child as window placement sees it.
#pragma once

#include "placement.h"

#include <QWidget>

namespace crx {

class WidgetPlacement : public PlacedWindow
{
public:
    explicit WidgetPlacement(QWidget &window) : window_(window) {}

    bool isMaximized() const override { return window_.isMaximized(); }
    bool isMinimized() const override { return window_.isMinimized(); }
    bool isResizable() const override { return window_.minimumSize() != window_.maximumSize(); }
    void showNormal() override { window_.showNormal(); }
    void showMaximized() override { window_.showMaximized(); }
    QRect normalGeometry() const override
    {
        const QRect g = window_.isMaximized() || window_.isMinimized() ? window_.normalGeometry() : window_.geometry();
        return g.isValid() ? g : window_.geometry();
    }
    void move(int x, int y) override { window_.move(x, y); }
    void setGeometry(const QRect &geometry) override { window_.setGeometry(geometry); }

private:
    QWidget &window_;
};

} // namespace crx
