// Buttons and texts placed at their designed places on a page: a plain
// button (it does not take Enter as the window's default), a text, and the four that move the
// highlighted entry of a running order (an album's tracks, the add wizard's
// rows) up one, to the top, down one and to the bottom, side by side.
#pragma once

#include "runningorder.h"

#include <QPoint>
#include <QRect>
#include <QString>
#include <functional>

class QLabel;
class QPushButton;
class QWidget;

namespace crx {

QPushButton *pageButton(QWidget *page, const QString &text, const QString &name, QRect place,
                        const QString &tip = {});
// A text (a prompt, or a value a window shows) at its designed place.
QLabel *pageLabel(QWidget *page, const QString &text, QRect place, const QString &name = {});

void addMoveButtons(QWidget *page, QPoint at, std::function<void(Move)> move);

} // namespace crx
