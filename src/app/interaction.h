// Everything that talks to the person goes through this interface: message
// boxes, the common dialogs, the clipboard, starting outside programs and
// ending the program. The program uses the Qt implementation; tests use a
// scripted double that records what was shown and answers as told.
#pragma once

#include <QString>
#include <QStringList>

namespace crx {

enum class Icon { None, Information, Exclamation, Question };

enum Button { NoButton = 0, OK = 1, Yes = 2, No = 4, Retry = 8, Cancel = 16, Ignore = 32 };
using Buttons = int;

// A font as the platform's font dialog shows it; the colour is red + 256 × green + 65536 × blue.
struct FontChoice {
    QString face;
    int pointSize = 0;
    int weight = 400;
    bool italic = false, underline = false, strikeOut = false;
    int colour = 0;
};

class Interaction
{
public:
    virtual ~Interaction() = default;

    // A modal message box; returns the button pressed ("|" in text is a line break).
    virtual Button message(const QString &title, const QString &text, Icon icon, Buttons buttons,
                           Button defaultButton) = 0;
    // A modal message box with buttons of its own texts; returns the index of the one pressed.
    // Closing the box counts as pressing the default.
    virtual int choose(const QString &title, const QString &text, Icon icon, const QStringList &buttons,
                       int defaultIndex) = 0;
    // Ends the program with this text as its final message; nothing further is written.
    [[noreturn]] virtual void halt(const QString &text) = 0;

    // The common dialogs; an empty result means the person cancelled.
    virtual QString openFile(const QString &caption, const QString &directory, const QString &filter) = 0;
    virtual QString saveFile(const QString &caption, const QString &directory, const QString &filter) = 0;
    virtual QString chooseFolder(const QString &caption, const QString &directory) = 0;

    virtual QString clipboardText() = 0;
    virtual void setClipboardText(const QString &text) = 0;

    // The platform's font dialog, preloaded with the font; false when the person cancelled.
    virtual bool chooseFont(const QString &title, FontChoice &font) = 0;
    // The platform's colour dialog on a colour number; false when the person cancelled.
    virtual bool chooseColour(const QString &title, int &colour) = 0;
    // Opens a document (a help page) in the desktop's program for it; false when it cannot.
    virtual bool openDocument(const QString &path) = 0;

    // Starts playing a sound file without waiting for it; false when it cannot be played.
    // A failure found while playing is told by the implementation with playFailedText.
    virtual bool playSound(const QString &path) = 0;

    // Starts an outside program without waiting for it; false when it cannot be started.
    virtual bool startProgram(const QString &program, const QStringList &arguments,
                              const QString &workingDirectory) = 0;
    // Starts an outside program and waits until it ends: the window in use stays painted but
    // takes no input (other windows keep working), the pointer shows busy while it starts, and
    // the window comes back to the front afterwards. Its exit code, or -1 when it could not
    // be started.
    virtual int runAndWait(const QString &program, const QStringList &arguments,
                           const QString &workingDirectory) = 0;
};

// An outside program of ours: beside the running program first, then on the search path,
// as named or in lower case ("DiscTalk" is disctalk); the name itself when none is found.
QString ownProgram(const QString &name);

// "Could not play " followed by the path and ".".
QString playFailedText(const QString &path);

// The interaction in use; set once at start (or by a test).
Interaction &interaction();
void setInteraction(Interaction *interaction);

} // namespace crx
