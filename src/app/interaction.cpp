#include "interaction.h"

#include <cstdlib>

namespace crx {
namespace {
Interaction *current = nullptr;
}

Interaction &interaction()
{
    if (!current)
        std::abort(); // the program and every test set one before anything is shown
    return *current;
}

void setInteraction(Interaction *interaction)
{
    current = interaction;
}

QString playFailedText(const QString &path)
{
    return QStringLiteral("Could not play ") + path + QStringLiteral(".");
}

} // namespace crx
