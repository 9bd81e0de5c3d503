// The preferences as the preferences window and the setup wizard keep them:
// the date formats offered (shown text and stored picture), when to ask about
// turning dates into years, and writing the settings in the order each window
// writes them.
#pragma once

#include <QString>
#include <QStringList>

namespace crx {

struct Settings;

// The shown texts of the date formats, in the order the lists offer them.
QStringList dateFormatTexts();
// The shown text of a stored picture; a picture not in the table shows as it is.
QString dateFormatText(const QString &picture);
// The picture of a shown text; an empty text, or one not in the table, keeps the previous picture.
QString dateFormatPicture(const QString &text, const QString &previous);

// Whether to ask "Convert existing entries to Year Only format ...": "Year Only" chosen when the
// stored format was something else (the setup wizard asks nothing while none is stored yet).
bool asksYearConversion(const QString &storedBefore, const QString &chosenText, bool wizard);

// Writes these keys of section "Settings" from the settings, in this order.
void writeSettings(const QString &workingDirectory, const Settings &settings, const QStringList &keys);

} // namespace crx
