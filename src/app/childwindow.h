// Opening a window the frame starts "on a thread": a modeless child of the
// frame's workspace with a file set of its own.
#pragma once

#include "fileset.h"
#include "mainframe.h"

#include <QDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <algorithm>

namespace crx {

// The workspace places a new child beside the others, possibly beyond its edge: it is moved
// back inside as far as its size allows (a maximised child fills the workspace anyway).
inline void keepInside(QMdiSubWindow &child, const QRect &workspace)
{
    if (child.isMaximized())
        return;
    const QRect placed = child.geometry();
    child.move(std::clamp(placed.x(), 0, std::max(0, workspace.width() - placed.width())),
               std::clamp(placed.y(), 0, std::max(0, workspace.height() - placed.height())));
}

// Opens a list or form as a modeless child of the frame (several may be open at once), once
// its opening steps (start of a list, prepare of a form) have gone well. The window runs on a
// thread of its own: it works on record buffers of its own, which the windows it calls share.
template <typename Window, auto Start>
void openChild(MainFrame &frame)
{
    FileSet *thread = frame.files().newThread().release();
    auto *window = new Window(*thread);
    // Gone after the window and its children, which have released their files by then.
    QObject::connect(window, &QObject::destroyed, [thread] { delete thread; });
    window->setAttribute(Qt::WA_DeleteOnClose);
    // In its child before it opens, so that it is placed and sized there.
    QMdiSubWindow *child = frame.workspace()->addSubWindow(window);
    child->setAttribute(Qt::WA_DeleteOnClose);
    if (!(window->*Start)()) {
        delete child;
        return;
    }
    QObject::connect(window, &QDialog::finished, child, &QWidget::close);
    child->show();
    keepInside(*child, frame.workspace()->rect());
}

template <typename List>
void openList(MainFrame &frame)
{
    openChild<List, &List::start>(frame);
}

template <typename Form>
void openForm(MainFrame &frame)
{
    openChild<Form, &Form::prepare>(frame);
}

} // namespace crx
