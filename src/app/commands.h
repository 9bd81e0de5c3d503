// The frame's commands: every menu item with its place in the menu bar, its
// text (hot key after a tab), its tool tip, and what it starts. The frame
// builds its menus and toolbar from this one table; windows of the later
// parts register a launcher under the name a command starts.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace crx {

enum class How {
    Thread,  // a modeless window (or a process) beside the others; the frame goes on at once
    Frame,   // runs modally on the frame; the frame waits for it
    Outside, // an outside program, not waited for
    Builtin, // the frame's own action: exit, clipboard, window arrangement, print set-up, help
};

struct Command {
    QStringList menu;  // "&File", "&Tools", ...
    QString text;      // "&Albums\tCtrl-A"
    QString tip;       // shown in the status bar
    QString target;    // the launcher (window or process) it starts, or the built-in action
    How how;
};

struct Submenu {
    QStringList path;
    QString tip;
};

const std::vector<Command> &commands();
// Tool tips of the submenus that have one.
const std::vector<Submenu> &submenuTips();

// The toolbar buttons, left to right, with the launcher each presses.
struct ToolbarButton {
    QString text;
    QString target;
};
const std::vector<ToolbarButton> &toolbarButtons();

// The key sequence of a hot-key text as the menu shows it ("Ctrl-A", "CtrlShiftL",
// "Ctrl-Shift-B", "F10") in the form Qt reads ("Ctrl+A", "Ctrl+Shift+L").
QString keySequenceText(const QString &hotKey);

// The launchers of commands whose window depends on a preference: Albums and
// Songs open the explorer-style lists when Interface is "Explorer".
QString resolveTarget(const QString &target, const QString &interfaceSetting);

} // namespace crx
