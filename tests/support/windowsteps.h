// Steps a scripted person takes on windows: finding the frame's child windows and a
// window's commands, answering the modal windows that
// open next, choosing a row of a select list, typing into a field, adding a
// song through a form's Add button, and reading what a list box or a popup
// menu shows.
#pragma once

#include "browsewindow.h"
#include "mainframe.h"
#include "songform.h"

#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>
#include <functional>

namespace crx::test {

// The frame's child window of this kind, if one is open.
template <typename Window>
Window *child(MainFrame &frame)
{
    for (QMdiSubWindow *sub : frame.workspace()->subWindowList())
        if (auto *w = qobject_cast<Window *>(sub->widget()))
            return w;
    return nullptr;
}

// The window's command (menu item or toolbar button) of this text.
inline QAction *actionNamed(QWidget &window, const QString &text)
{
    for (QAction *a : window.findChildren<QAction *>())
        if (a->text() == text)
            return a;
    return nullptr;
}

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

// Types into a form's entry field as a person does: the field counts as edited.
inline void typeInto(QWidget &form, const char *field, const QString &text)
{
    auto *entry = form.findChild<QLineEdit *>(field);
    QVERIFY2(entry, field);
    entry->setText(text);
    entry->setModified(true);
}

// Adds a song through the form's Add button, answering the song form with the title.
inline void addSongTitled(QWidget &form, const QString &title)
{
    onModals({[title](QWidget *modal) {
        auto *song = qobject_cast<UpdateSong *>(modal);
        QVERIFY(song);
        auto *entry = qobject_cast<QLineEdit *>(song->control("MUS:Title"));
        entry->setText(title);
        entry->setModified(true);
        QTest::mouseClick(song->okButton(), Qt::LeftButton);
    }});
    QTest::mouseClick(form.findChild<QPushButton *>("addSong"), Qt::LeftButton);
}

inline void click(BrowseWindow &list, const char *button)
{
    QPushButton *b = list.button(button);
    QVERIFY2(b, button);
    QTest::mouseClick(b, Qt::LeftButton);
}

} // namespace crx::test
