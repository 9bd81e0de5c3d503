// The interaction with the person through Qt's standard dialogs.
#pragma once

#include "interaction.h"

#include <memory>

namespace crx {

class QtInteraction : public Interaction
{
public:
    QtInteraction();
    ~QtInteraction() override;

    Button message(const QString &title, const QString &text, Icon icon, Buttons buttons,
                   Button defaultButton) override;
    int choose(const QString &title, const QString &text, Icon icon, const QStringList &buttons,
               int defaultIndex) override;
    [[noreturn]] void halt(const QString &text) override;
    QString openFile(const QString &caption, const QString &directory, const QString &filter) override;
    QString saveFile(const QString &caption, const QString &directory, const QString &filter) override;
    QString chooseFolder(const QString &caption, const QString &directory) override;
    QString clipboardText() override;
    void setClipboardText(const QString &text) override;
    bool chooseFont(const QString &title, FontChoice &font) override;
    bool chooseColour(const QString &title, int &colour) override;
    bool openDocument(const QString &path) override;
    bool playSound(const QString &path) override;
    bool startProgram(const QString &program, const QStringList &arguments, const QString &workingDirectory) override;
    int runAndWait(const QString &program, const QStringList &arguments, const QString &workingDirectory) override;

private:
    struct Player;
    std::unique_ptr<Player> player_; // made at the first sound
};

} // namespace crx
