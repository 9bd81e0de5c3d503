// INI-style settings files: sections in square brackets and key=value lines.
// Sections and keys match without regard to letter case; values read as
// text with surrounding blanks removed. Writing a key changes only that
// line (or adds it to its section, or adds the section at the end): every
// other line, comment and the order of the file stay byte for byte as they
// were. Each write goes to a temporary file that then replaces the old one.
#pragma once

#include <QString>

namespace crx {

// The file named as the program names it (".\POSITION.INI", "..\DELETE.INI",
// "CRXPro98.INI") in a working directory. Where no file has exactly that name,
// one whose name differs only in letter case is used, as on the system the
// files come from.
QString profilePath(const QString &workingDirectory, const QString &name);

QString readProfile(const QString &path, const QString &section, const QString &key, const QString &fallback = {});
// The value as a number: its leading sign and digits, 0 when it does not start with a number.
int readProfileNumber(const QString &path, const QString &section, const QString &key, int fallback = 0);
bool writeProfile(const QString &path, const QString &section, const QString &key, const QString &value);

// The number a setting's text stands for, read leniently as above.
int profileNumber(const QString &text);

} // namespace crx
