// A running order kept as records of one file: the records whose primary key
// begins with the parent's values, numbered by the key's last component (a
// playlist's entries, the add wizard's rows). Moves and renumbering are one
// transaction each: every record is rewritten, or on an error none.
#pragma once

#include "runningorder.h"

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <optional>
#include <vector>

namespace crx {

class DataFile;

struct StoredOrder {
    DataFile &file;
    std::vector<QVariant> parent; // the leading key values the entries share
    const char *numberField;      // the key's last component
};

struct StoredEntry {
    QByteArray position;
    int number = 0;
};

// The entries in order, with the reason when a read failed (what was read before it stays).
std::vector<StoredEntry> readStoredOrder(const StoredOrder &order, QString &error);

// Why a change of the numbers failed: the error's text, the number the step worked on and the
// step's name ("Get Orig", "Put Swap Out", "Put Swap", "Get Orig After", "Final Put",
// "Put Upd Seq", "Test Range").
struct SwapFailure {
    QString error;
    int number = 0;
    QString section;
};

// Moves entry `number` (up one, to the top, down one, to the bottom, or after afterNumber): it
// is parked under the number one above the highest, each entry it passes takes the number of
// the one before it, and it takes the last number freed. True when it moved; false when
// nothing was to move or it failed (then failure tells why, and nothing was written). The
// file's buffer is kept.
bool moveStoredEntry(const StoredOrder &order, int number, Move mode, std::optional<SwapFailure> &failure,
                     int afterNumber = 0);

// After a delete: the entries numbered above `from` take the numbers from `from` on, in their
// order. False when it failed (failure tells why, nothing was written).
bool closeStoredGap(const StoredOrder &order, int from, std::optional<SwapFailure> &failure);

} // namespace crx
