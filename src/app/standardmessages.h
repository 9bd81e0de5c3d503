// The numbered standard messages: generic warnings, confirmations and error
// reports, with the description of the last storage error where a message
// calls for it. A few of them end the program instead of returning.
#pragma once

#include "interaction.h"

#include <QString>

namespace crx {

Button ShowStandardMessage(int number, const QString &text1 = {}, const QString &text2 = {});

// Records the current storage result for the next message and rolls back the open transaction.
void SaveStorageError();

// The error description E of the next message: the recorded error, else the current storage result.
QString errorDescription();

struct StandardMessage {
    int number;
    QString title;
    QString text;
    Icon icon;
    Buttons buttons;
    Button defaultButton;
    QString haltText; // empty unless the program ends after the box (for 2: when No is pressed)
};

// The message as it would be shown, without showing it; number 0 when the number is not used.
StandardMessage composeStandardMessage(int number, const QString &text1, const QString &text2);

} // namespace crx
