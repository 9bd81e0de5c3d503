// The program's help: HTML pages shipped in the folder "help" beside the
// program, one per topic (a window's name), opened in the desktop's browser.
#pragma once

#include <QString>

namespace crx {

QString helpDirectory();
// The page of a topic, or the contents (index.html) when the topic has none yet.
QString helpPage(const QString &directory, const QString &topic);
// Opens the page of a topic (the contents for an empty topic) in the desktop's browser; says
// so when no browser opened it.
void openHelp(const QString &topic);

} // namespace crx
