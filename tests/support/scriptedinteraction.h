// The scripted stand-in for the person: records every message box and halt,
// answers message boxes from a queue of buttons (the default button when the
// queue is empty), and throws Halted where the program would end.
#pragma once

#include "interaction.h"

#include <QQueue>
#include <QString>
#include <QStringList>
#include <functional>
#include <stdexcept>

namespace crx::test {

struct ShownMessage {
    QString title;
    QString text;
    Icon icon;
    Buttons buttons;
    Button defaultButton;
    QStringList labels; // the buttons of a box with texts of its own
};

struct Halted : std::runtime_error {
    explicit Halted(const QString &text) : std::runtime_error(text.toStdString()), text(text) {}
    QString text;
};

class ScriptedInteraction : public Interaction
{
public:
    ScriptedInteraction() { setInteraction(this); }
    ~ScriptedInteraction() override { setInteraction(nullptr); }

    // Buttons to press, in order, for the coming message boxes.
    void answer(std::initializer_list<Button> buttons) { answers.append(QList<Button>(buttons)); }

    Button message(const QString &title, const QString &text, Icon icon, Buttons buttons,
                   Button defaultButton) override;
    int choose(const QString &title, const QString &text, Icon icon, const QStringList &buttons,
               int defaultIndex) override
    {
        shown.append({title, text, icon, NoButton, NoButton, buttons});
        return choices.isEmpty() ? defaultIndex : choices.dequeue();
    }
    [[noreturn]] void halt(const QString &text) override;
    QString openFile(const QString &caption, const QString &directory, const QString &filter) override
    {
        dialogs << QStringList{caption, directory, filter};
        return nextPath();
    }
    QString saveFile(const QString &, const QString &, const QString &) override { return nextPath(); }
    QString chooseFolder(const QString &, const QString &) override { return nextPath(); }
    QString clipboardText() override { return clipboard; }
    void setClipboardText(const QString &text) override { clipboard = text; }
    // The font and colour dialogs answer from their queues (empty: cancelled) and record what
    // they were shown.
    bool chooseFont(const QString &title, FontChoice &font) override
    {
        fontDialogs << title;
        shownFonts << font;
        if (fonts.isEmpty())
            return false;
        font = fonts.dequeue();
        return true;
    }
    bool chooseColour(const QString &title, int &colour) override
    {
        colourDialogs << QStringLiteral("%1 %2").arg(title).arg(colour);
        if (colours.isEmpty())
            return false;
        colour = colours.dequeue();
        return true;
    }
    bool openDocument(const QString &path) override
    {
        documents << path;
        return documentsOpen;
    }
    bool playSound(const QString &path) override
    {
        played << path;
        return soundsPlay;
    }
    bool startProgram(const QString &program, const QStringList &arguments, const QString &) override;
    // Runs what `runner` does in place of the program (its exit code); without a runner, a
    // program starts (exit code 0) unless programsStart is off (-1).
    int runAndWait(const QString &program, const QStringList &arguments, const QString &directory) override;

    QList<ShownMessage> shown;
    QQueue<Button> answers;
    QQueue<int> choices;     // buttons to press, by index, in boxes with texts of their own
    QStringList halts;
    QQueue<QString> paths;   // answers of the file and folder dialogs; empty: cancelled
    QString clipboard;
    QStringList started;     // program and arguments of every start
    QStringList ran;         // program and arguments of every run that was waited for
    std::function<int(const QString &program, const QStringList &arguments, const QString &directory)> runner;
    bool programsStart = true;
    QQueue<FontChoice> fonts;
    QList<FontChoice> shownFonts;
    QStringList fontDialogs;
    QQueue<int> colours;
    QStringList colourDialogs;
    QStringList documents;   // documents opened, help pages among them
    bool documentsOpen = true; // false: no program opens them
    QList<QStringList> dialogs; // caption, directory and filter of every open-file dialog
    QStringList played;      // sounds played
    bool soundsPlay = true;

private:
    QString nextPath() { return paths.isEmpty() ? QString() : paths.dequeue(); }
};

} // namespace crx::test
