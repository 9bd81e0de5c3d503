#include "interaction.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
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

QString ownProgram(const QString &name)
{
    const QDir own(QCoreApplication::applicationDirPath());
    for (const QString &candidate : {name, name.toLower()}) {
        const QFileInfo beside(own.filePath(candidate));
        if (beside.isFile() && beside.isExecutable())
            return beside.filePath();
    }
    for (const QString &candidate : {name, name.toLower()})
        if (const QString found = QStandardPaths::findExecutable(candidate); !found.isEmpty())
            return found;
    return name;
}

} // namespace crx
