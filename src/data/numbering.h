// Numbering of new records: the highest identifier plus one (1 in an empty
// file), or within a parent for playlist entries and add-wizard tracks (the
// last component of the primary key counts within the components before it).
// The record is added at once as a placeholder; an add that fails because
// another station took the number is tried again.
#pragma once

#include <QtGlobal>
#include <optional>

namespace crx {

class DataFile;

enum class Numbering { Added, Cancelled, Failed };

// One more than the highest identifier of a file whose primary key is one number (1 in an
// empty file); nothing when it cannot be read. The file's buffer is kept.
std::optional<qint64> nextIdentifier(DataFile &file);

// True for files whose primary key ends in a numeric identifier.
bool isNumbered(const DataFile &file);

// Numbers the record in the file's buffer and adds it. Shows standard message
// 35 when the highest identifier cannot be read (Failed) and message 25 after
// three failed attempts: Retry makes three more, Cancel gives up (Cancelled).
// On Added the buffer holds the new record.
Numbering addNumbered(DataFile &file);

} // namespace crx
