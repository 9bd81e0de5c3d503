#include "record.h"

namespace crx {

qint64 normaliseNumber(FieldType type, qint64 value)
{
    switch (type) {
    case FieldType::Byte:
        return qint64(quint8(value));
    case FieldType::Long:
    case FieldType::Date:
    case FieldType::Time:
        return qint64(qint32(quint32(quint64(value))));
    case FieldType::Decimal6:
        return value % 100000000000LL; // 11 digits and a sign
    case FieldType::Decimal2:
        return value % 1000;           // 3 digits and a sign
    case FieldType::Text:
    case FieldType::Memo:
        break;
    }
    return 0;
}

QString normaliseText(const QString &text, int width)
{
    qsizetype end = std::min<qsizetype>(text.size(), width);
    // Never split a surrogate pair at the width.
    if (end > 0 && end < text.size() && text[end - 1].isHighSurrogate())
        --end;
    while (end > 0 && text[end - 1] == ' ')
        --end;
    return end == text.size() ? text : text.left(end);
}

Record::Record(const FileDef &def) : def_(&def), values_(def.fields.size()) {}

void Record::clear()
{
    for (Value &v : values_)
        v = Value{};
    rowId = 0;
    version = 0;
    watched = false;
}

void Record::setText(int field, const QString &text)
{
    const FieldDef &f = def_->fields[size_t(field)];
    if (f.isText())
        values_[size_t(field)].text = normaliseText(text, f.width);
    else
        setNumber(field, text.trimmed().toLongLong());
}

void Record::setNumber(int field, qint64 value)
{
    const FieldDef &f = def_->fields[size_t(field)];
    if (f.isText())
        values_[size_t(field)].text = normaliseText(QString::number(value), f.width);
    else
        values_[size_t(field)].number = normaliseNumber(f.type, value);
}

void Record::setValue(int field, const Value &value)
{
    if (def_->fields[size_t(field)].isText())
        setText(field, value.text);
    else
        setNumber(field, value.number);
}

QVariant Record::get(const QString &name) const
{
    const int field = def_->fieldIndex(name);
    if (field < 0)
        return {};
    if (def_->fields[size_t(field)].isText())
        return text(field);
    return number(field);
}

bool Record::set(const QString &name, const QVariant &value)
{
    const int field = def_->fieldIndex(name);
    if (field < 0)
        return false;
    if (def_->fields[size_t(field)].isText())
        setText(field, value.toString());
    else
        setNumber(field, value.toLongLong());
    return true;
}

} // namespace crx
