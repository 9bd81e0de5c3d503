// A record buffer: the field values of one record of a catalogue file,
// normalised to the field types (text cut at its width with trailing blanks
// dropped, bytes wrapping at 256, packed decimals kept to their digits), plus
// the identity of the stored record it was last read from or written to.
#pragma once

#include "schema.h"

#include <QString>
#include <QVariant>
#include <vector>

namespace crx {

struct Value {
    qint64 number = 0;
    QString text;
    bool operator==(const Value &) const = default;
};

// Normalises a value for a field type: text trimmed on the right and cut at
// width characters; numbers wrapped or limited to what the type holds.
qint64 normaliseNumber(FieldType type, qint64 value);
QString normaliseText(const QString &text, int width);

class Record
{
public:
    explicit Record(const FileDef &def);

    const FileDef &def() const { return *def_; }

    void clear();

    QString text(int field) const { return values_[size_t(field)].text; }
    qint64 number(int field) const { return values_[size_t(field)].number; }
    void setText(int field, const QString &text);
    void setNumber(int field, qint64 value);
    const Value &value(int field) const { return values_[size_t(field)]; }
    void setValue(int field, const Value &value);

    // Access by name ("MUS:Artist" or "Artist"); unknown names read as an invalid QVariant.
    QVariant get(const QString &name) const;
    bool set(const QString &name, const QVariant &value);

    // True when the text fields are equal after normalisation and numbers match.
    bool sameValues(const Record &other) const { return values_ == other.values_; }

    // The values as stored, for the storage engine: already normalised.
    std::vector<Value> &values() { return values_; }
    const std::vector<Value> &values() const { return values_; }

    // Identity of the stored record: 0 when the buffer was not read from the file.
    qint64 rowId = 0;
    qint64 version = 0;
    bool watched = false;

private:
    const FileDef *def_;
    std::vector<Value> values_;
};

} // namespace crx
