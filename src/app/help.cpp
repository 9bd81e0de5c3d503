#include "help.h"

#include "interaction.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace crx {

QString helpDirectory()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("help"));
}

QString helpPage(const QString &directory, const QString &topic)
{
    const QString page = QDir(directory).filePath(topic + QStringLiteral(".html"));
    return !topic.isEmpty() && QFile::exists(page) ? page : QDir(directory).filePath(QStringLiteral("index.html"));
}

void openHelp(const QString &topic)
{
    const QString page = helpPage(helpDirectory(), topic);
    if (!interaction().openDocument(page))
        interaction().message(QStringLiteral("Help"),
                              QStringLiteral("The help page could not be shown: no web browser opened it.||")
                                  + QDir::toNativeSeparators(page),
                              Icon::Exclamation, OK, OK);
}

} // namespace crx
