#include "cursor.h"

#include "connection.h"
#include "datafile.h"
#include "result.h"
#include "tablesql.h"

#include <algorithm>
#include <sqlite3.h>

namespace crx {
namespace {

void readValues(sqlite3_stmt *stmt, int first, const FileDef &def, std::vector<Value> &out)
{
    out.resize(def.fields.size());
    for (size_t f = 0; f < def.fields.size(); ++f) {
        const int column = first + int(f);
        if (def.fields[f].isText()) {
            const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt, column));
            out[f].text = QString::fromUtf8(text, sqlite3_column_bytes(stmt, column));
            out[f].number = 0;
        } else {
            out[f].number = sqlite3_column_int64(stmt, column);
            out[f].text.clear();
        }
    }
}

void bindValue(sqlite3_stmt *stmt, int index, const Value &value, bool text)
{
    if (text) {
        const QByteArray bytes = value.text.toUtf8();
        sqlite3_bind_text(stmt, index, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
    } else {
        sqlite3_bind_int64(stmt, index, value.number);
    }
}

void bindVariant(sqlite3_stmt *stmt, int index, const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Bool:
        sqlite3_bind_int64(stmt, index, value.toLongLong());
        break;
    case QMetaType::Double:
        sqlite3_bind_double(stmt, index, value.toDouble());
        break;
    default: {
        const QByteArray bytes = value.toString().toUtf8();
        sqlite3_bind_text(stmt, index, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
    }
    }
}

} // namespace

Cursor::Cursor(DataFile &file, CursorQuery query) : file_(file), query_(std::move(query))
{
    file_.registerCursor(this);
}

Cursor::~Cursor()
{
    release();
    file_.unregisterCursor(this);
}

void Cursor::release()
{
    for (size_t i = 0; i < std::size(statements_); ++i) {
        file_.giveBackStatement(texts_[i], statements_[i]);
        statements_[i] = nullptr;
    }
    page_.clear();
}

void Cursor::restart()
{
    page_.clear();
    pageSize_ = firstPage_;
}

void Cursor::setReadAhead(int rows)
{
    firstPage_ = std::clamp(rows, 1, LaterPages);
    if (page_.empty())
        pageSize_ = firstPage_;
}

void Cursor::toStart()
{
    restart();
    mode_ = Mode::Start;
}

void Cursor::toEnd()
{
    restart();
    mode_ = Mode::End;
}

std::vector<int> Cursor::orderFields() const
{
    if (query_.key >= 0)
        return file_.def().keys[size_t(query_.key)].components;
    if (query_.field >= 0)
        return {query_.field};
    return {};
}

void Cursor::atKeyOf(const Record &record)
{
    restart();
    const std::vector<int> fields = orderFields();
    if (fields.empty()) {
        mode_ = Mode::Start;
        return;
    }
    mode_ = Mode::AtValue;
    position_.clear();
    for (int f : fields) {
        Value v;
        if (!file_.def().fields[size_t(f)].isText())
            v.number = record.number(f);
        else if (query_.key >= 0)
            v.text = keyText(record.text(f)); // a key compares its stored key text
        else
            v.text = record.text(f);
        position_.push_back(v);
    }
}

void Cursor::after(const Record &record)
{
    atKeyOf(record);
    mode_ = Mode::After;
    positionRid_ = record.rowId;
}

void Cursor::at(const Record &record)
{
    // Positions are whole numbers: just past the one before it is at the record itself.
    after(record);
    positionRid_ = record.rowId - 1;
}

sqlite3_stmt *Cursor::statement(Mode mode, bool forward)
{
    sqlite3_stmt *&slot = statements_[int(mode) * 2 + (forward ? 1 : 0)];
    if (slot)
        return slot;
    const FileDef &def = file_.def();
    const TableSql &t = tableSql(def);
    QStringList columns{"c.rid", "c.ver"};
    for (const QString &c : t.fieldColumns)
        columns << "c." + c;
    QStringList keyColumns;
    if (query_.key >= 0) {
        for (const QString &c : t.keys[size_t(query_.key)].columns)
            keyColumns << "c." + c;
    } else if (query_.field >= 0) {
        keyColumns << "c." + t.fieldColumns[qsizetype(query_.field)]
                          + (def.fields[size_t(query_.field)].isText() ? " COLLATE NOCASE" : "");
    }
    columns << keyColumns;
    QString from = file_.schema() + ".records AS c";
    if (query_.parent) {
        columns << "p.rid" << "p.ver";
        for (const QString &c : tableSql(query_.parent->def()).fieldColumns)
            columns << "p." + c;
        from += " LEFT JOIN " + query_.parent->schema() + ".records AS p ON " + query_.joinOn;
    }
    QStringList where;
    if (query_.key >= 0 && !t.keys[size_t(query_.key)].optPredicate.isEmpty()) {
        QString opt = t.keys[size_t(query_.key)].optPredicate;
        for (const QString &c : t.keys[size_t(query_.key)].columns)
            opt.replace(c, "c." + c);
        where << opt;
    }
    if (!query_.where.isEmpty())
        where << "(" + query_.where + ")";
    QStringList rowColumns = keyColumns;
    if (mode == Mode::After)
        rowColumns << "c.rid";
    // A descending order reads on towards lower values.
    const bool rising = forward != query_.descending;
    if (!rowColumns.isEmpty() && (mode == Mode::AtValue || mode == Mode::After)) {
        const char *op = mode == Mode::AtValue ? (rising ? ">=" : "<=") : (rising ? ">" : "<");
        where << "(" + rowColumns.join(", ") + ") " + op + " (" + placeholders(rowColumns.size()) + ")";
    }
    const QString direction = rising ? " ASC" : " DESC";
    QStringList order;
    for (const QString &c : keyColumns)
        order << c + direction;
    order << "c.rid" + direction;
    const QString sql = "SELECT " + columns.join(", ") + " FROM " + from
                        + (where.isEmpty() ? QString() : " WHERE " + where.join(" AND "))
                        + " ORDER BY " + order.join(", ") + " LIMIT ?";
    StorageResult error;
    slot = file_.takeStatement(sql, error);
    if (!slot)
        setResult(error);
    else
        texts_[int(mode) * 2 + (forward ? 1 : 0)] = sql;
    return slot;
}

int Cursor::fetch(bool forward)
{
    page_.clear();
    pageForward_ = forward;
    if ((mode_ == Mode::Start && !forward) || (mode_ == Mode::End && forward))
        return NoError;
    if (!file_.isOpen()) {
        setResult(FileNotOpen);
        return FileNotOpen;
    }
    sqlite3_stmt *stmt = statement(mode_, forward);
    if (!stmt)
        return lastCode();
    int index = 1;
    for (const QVariant &param : query_.params)
        bindVariant(stmt, index++, param);
    const std::vector<int> fields = orderFields();
    if (!fields.empty() && (mode_ == Mode::AtValue || mode_ == Mode::After))
        for (size_t i = 0; i < fields.size(); ++i)
            bindValue(stmt, index++, position_[i], file_.def().fields[size_t(fields[i])].isText());
    if (mode_ == Mode::After)
        sqlite3_bind_int64(stmt, index++, positionRid_);
    sqlite3_bind_int(stmt, index, pageSize_);

    const FileDef &def = file_.def();
    const int keyCount = int(fields.size());
    const int keyFirst = 2 + int(def.fields.size());
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        Row row;
        row.rid = sqlite3_column_int64(stmt, 0);
        row.ver = sqlite3_column_int64(stmt, 1);
        readValues(stmt, 2, def, row.values);
        for (int k = 0; k < keyCount; ++k) {
            Value v;
            const int column = keyFirst + k;
            if (sqlite3_column_type(stmt, column) == SQLITE_TEXT)
                v.text = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, column)),
                                           sqlite3_column_bytes(stmt, column));
            else
                v.number = sqlite3_column_int64(stmt, column);
            row.key.push_back(v);
        }
        if (query_.parent) {
            const int first = keyFirst + keyCount;
            row.hasParent = sqlite3_column_type(stmt, first) != SQLITE_NULL;
            if (row.hasParent) {
                row.parentRid = sqlite3_column_int64(stmt, first);
                row.parentVer = sqlite3_column_int64(stmt, first + 1);
                readValues(stmt, first + 2, query_.parent->def(), row.parentValues);
            }
        }
        page_.push_back(std::move(row));
    }
    sqlite3_reset(stmt);
    sqlite3_clear_bindings(stmt);
    if (rc != SQLITE_DONE) {
        page_.clear();
        StorageResult error;
        file_.connection()->fail(rc, error);
        setResult(error);
        return error.code;
    }
    pageSize_ = LaterPages;
    return NoError;
}

int Cursor::read(bool forward)
{
    if (page_.empty() || pageForward_ != forward) {
        const int code = fetch(forward);
        if (code != NoError)
            return code;
    }
    if (page_.empty()) {
        setResult(RecordNotAvailable);
        return RecordNotAvailable;
    }
    deliver(page_.front());
    page_.pop_front();
    setResult(NoError);
    return NoError;
}

void Cursor::deliver(Row &row)
{
    Record &buffer = file_.buffer();
    buffer.values().swap(row.values);
    buffer.rowId = row.rid;
    buffer.version = row.ver;
    buffer.watched = false;
    if (query_.parent) {
        Record &parent = query_.parent->buffer();
        if (row.hasParent) {
            parent.values().swap(row.parentValues);
            parent.rowId = row.parentRid;
            parent.version = row.parentVer;
            parent.watched = false;
        } else {
            parent.clear();
        }
    }
    mode_ = Mode::After;
    position_.swap(row.key);
    positionRid_ = row.rid;
}

} // namespace crx
