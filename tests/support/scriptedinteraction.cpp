#include "scriptedinteraction.h"

namespace crx::test {

Button ScriptedInteraction::message(const QString &title, const QString &text, Icon icon, Buttons buttons,
                                    Button defaultButton)
{
    shown.append({title, text, icon, buttons, defaultButton, {}});
    return answers.isEmpty() ? defaultButton : answers.dequeue();
}

void ScriptedInteraction::halt(const QString &text)
{
    halts.append(text);
    throw Halted(text);
}

bool ScriptedInteraction::startProgram(const QString &program, const QStringList &arguments, const QString &)
{
    started.append((QStringList{program} + arguments).join(' '));
    return programsStart;
}

int ScriptedInteraction::runAndWait(const QString &program, const QStringList &arguments, const QString &directory)
{
    ran.append((QStringList{program} + arguments).join(' '));
    if (runner)
        return runner(program, arguments, directory);
    return programsStart ? 0 : -1;
}

} // namespace crx::test
