// Steps a scripted person takes on windows: answering the modal windows that
// open next, choosing a row of a select list, and reading what a list box or
// a popup menu shows.
#pragma once

#include "browsewindow.h"

#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>
#include <functional>

namespace crx::test {

// Acts on the modal windows that open next, one function a window.
inline void onModals(QList<std::function<void(QWidget *)>> steps)
{
    if (steps.isEmpty())
        return;
    QTimer::singleShot(0, [steps]() mutable {
        QWidget *modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        const auto step = steps.takeFirst();
        onModals(steps);
        step(modal);
    });
}

// Highlights the row of a select list whose first column reads text, and presses Select.
inline std::function<void(QWidget *)> selectRow(const QString &text)
{
    return [text](QWidget *modal) {
        auto *list = qobject_cast<BrowseWindow *>(modal);
        QVERIFY(list);
        const QList<QTreeWidgetItem *> found = list->listBox()->findItems(text, Qt::MatchExactly);
        QVERIFY2(!found.isEmpty(), qPrintable(text));
        list->listBox()->setCurrentItem(found.front());
        QTest::mouseClick(list->button("select"), Qt::LeftButton);
    };
}

// The texts of one column of a list box, top to bottom.
inline QStringList columnTexts(const QTreeWidget &list, int column)
{
    QStringList out;
    for (int i = 0; i < list.topLevelItemCount(); ++i)
        out << list.topLevelItem(i)->text(column);
    return out;
}

// A menu's items: "-" for a separator, "~" before a disabled item.
inline QStringList menuTexts(const QMenu &menu)
{
    QStringList out;
    for (QAction *a : menu.actions())
        out << (a->isSeparator() ? QString("-") : (a->isEnabled() ? "" : "~") + a->text());
    return out;
}

inline void click(BrowseWindow &list, const char *button)
{
    QPushButton *b = list.button(button);
    QVERIFY2(b, button);
    QTest::mouseClick(b, Qt::LeftButton);
}

} // namespace crx::test
