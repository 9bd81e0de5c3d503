// Backup and restore of a catalogue directory. A backup is a dated folder
// under "backups" of the catalogue directory holding a copy of every
// catalogue file, taken with SQLite's online backup so that each copy is a
// consistent state of its file even while the program writes to it, and the
// settings files beside them.
#pragma once

#include <QString>
#include <QStringList>

namespace crxback {

// Makes a new backup; returns its folder, or an empty text with the reason in error.
QString backUp(const QString &catalogue, QString *error);
// The backups of the catalogue, newest first (folder names, such as "2026-12-10 14.05.09").
QStringList backups(const QString &catalogue);
// Puts a backup back: every catalogue file of the backup replaces the one in the catalogue
// directory, written through SQLite so that a running program sees a consistent file.
// The state before is first kept as a backup of its own.
bool restore(const QString &catalogue, const QString &backup, QString *error);

} // namespace crxback
