#include "numbering.h"

#include "datafile.h"
#include "standardmessages.h"

#include <limits>

namespace crx {
namespace {

qint64 highestValue(FieldType type)
{
    switch (type) {
    case FieldType::Byte: return 255;
    case FieldType::Decimal2: return 999;
    case FieldType::Decimal6: return 99999999999LL;
    default: return std::numeric_limits<qint32>::max();
    }
}

// The next free number for the prepared record, or -1 after message 35.
qint64 nextNumber(DataFile &file, const Record &prepared)
{
    const FileDef &def = file.def();
    const int key = def.primaryKey();
    const std::vector<int> &parts = def.keys[size_t(key)].components;
    const int counter = parts.back();
    Record &buffer = file.buffer();

    if (parts.size() == 1) {
        const std::optional<qint64> next = nextIdentifier(file);
        if (!next)
            ShowStandardMessage(35, def.label);
        return next.value_or(-1);
    }
    // Within a parent: from the parent's highest possible entry backwards.
    buffer = prepared;
    buffer.setNumber(counter, highestValue(def.fields[size_t(counter)].type));
    file.set(key);
    if (file.previous() != NoError)
        return 1;
    for (size_t i = 0; i + 1 < parts.size(); ++i)
        if (buffer.number(parts[i]) != prepared.number(parts[i]))
            return 1;
    return buffer.number(counter) + 1;
}

} // namespace

std::optional<qint64> nextIdentifier(DataFile &file)
{
    const Record kept = file.buffer();
    const int key = file.def().primaryKey();
    file.setToEnd(key);
    const int code = file.previous();
    const qint64 highest = file.buffer().number(file.def().keys[size_t(key)].components.back());
    file.buffer() = kept;
    if (code == RecordNotAvailable)
        return 1;
    if (code != NoError)
        return std::nullopt;
    return highest + 1;
}

bool isNumbered(const DataFile &file)
{
    const FileDef &def = file.def();
    const int key = def.primaryKey();
    return key >= 0 && !def.fields[size_t(def.keys[size_t(key)].components.back())].isText();
}

Numbering addNumbered(DataFile &file)
{
    const FileDef &def = file.def();
    const int counter = def.keys[size_t(def.primaryKey())].components.back();
    const Record prepared = file.buffer();
    for (;;) {
        for (int attempt = 0; attempt < 3; ++attempt) {
            const qint64 number = nextNumber(file, prepared);
            if (number < 0) {
                file.buffer() = prepared;
                return Numbering::Failed;
            }
            file.buffer() = prepared;
            file.buffer().setNumber(counter, number);
            if (file.add() == NoError)
                return Numbering::Added;
        }
        if (ShowStandardMessage(25) != Retry) {
            file.buffer() = prepared;
            return Numbering::Cancelled;
        }
    }
}

} // namespace crx
