// The four buttons that move the highlighted entry of a running order (an
// album's tracks, the add wizard's rows): up one, to the top, down one, to
// the bottom, side by side from a place on a page.
#pragma once

#include "runningorder.h"

#include <QPoint>
#include <functional>

class QWidget;

namespace crx {

void addMoveButtons(QWidget *page, QPoint at, std::function<void(Move)> move);

} // namespace crx
