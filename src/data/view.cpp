#include "view.h"

#include "datafile.h"
#include "result.h"
#include "tablesql.h"

namespace crx {

View::View(DataFile &file) : file_(file) {}

View::~View() = default;

void View::setRange(std::vector<QVariant> low, std::vector<QVariant> high)
{
    low_ = std::move(low);
    high_ = std::move(high);
}

// The view cannot be opened; the result's text says why, so that the message shown names the reason.
int View::refuse()
{
    setResult(StorageResult{InvalidFilter, resultText(InvalidFilter) + ": " + filterError_, 0, filterError_, {}});
    return InvalidFilter;
}

std::vector<int> View::orderFields() const
{
    if (key_ >= 0)
        return file_.def().keys[size_t(key_)].components;
    if (field_ >= 0)
        return {field_};
    return {};
}

int View::open()
{
    cursor_.reset();
    filterError_.clear();
    if (!file_.isOpen() || (parent_ && !parent_->isOpen())) {
        setResult(FileNotOpen);
        return FileNotOpen;
    }
    const FileDef &def = file_.def();
    CursorQuery query;
    query.key = key_;
    query.field = key_ < 0 ? field_ : -1;
    query.descending = descending_;
    QStringList where;

    if (parent_) {
        const Relation *relation = relationBetween(parent_->def().id, def.id);
        if (!relation || parent_->connection() != file_.connection()) {
            filterError_ = QStringLiteral("%1 cannot be joined to %2").arg(def.label, parent_->def().label);
            return refuse();
        }
        query.parent = parent_;
        query.joinOn = QStringLiteral("p.\"%1\" = c.\"%2\"").arg(relation->parentField, relation->childField);
    }

    if (!low_.empty() || !high_.empty()) {
        if (key_ < 0 || low_.size() != high_.size() || low_.size() > def.keys[size_t(key_)].components.size()) {
            filterError_ = QStringLiteral("the range does not fit the key");
            return refuse();
        }
        const KeyDef &key = def.keys[size_t(key_)];
        const KeySql &keySql = tableSql(def).keys[size_t(key_)];
        QStringList columns;
        for (size_t i = 0; i < low_.size(); ++i)
            columns << "c." + keySql.columns[qsizetype(i)];
        const QString marks = placeholders(columns.size());
        const auto stored = [&](const QVariant &v, size_t i) {
            const FieldDef &f = def.fields[size_t(key.components[i])];
            return f.isText() ? QVariant(keyText(normaliseText(v.toString(), f.width))) : QVariant(v.toLongLong());
        };
        const QString row = "(" + columns.join(", ") + ")";
        where << row + " >= (" + marks + ")" << row + " <= (" + marks + ")";
        for (size_t i = 0; i < low_.size(); ++i)
            query.params.push_back(stored(low_[i], i));
        for (size_t i = 0; i < high_.size(); ++i)
            query.params.push_back(stored(high_[i], i));
    }

    if (!filter_.trimmed().isEmpty()) {
        const auto resolve = [&](const QString &name) {
            FilterColumn column;
            for (const auto &[owner, alias] : {std::pair{&file_, "c."}, std::pair{parent_, "p."}}) {
                if (!owner)
                    continue;
                const FileDef &d = owner->def();
                if (!name.startsWith(d.prefix + ':', Qt::CaseInsensitive))
                    continue;
                const int field = d.fieldIndex(name);
                if (field < 0)
                    continue;
                column.found = true;
                column.sql = alias + tableSql(d).fieldColumns[field];
                column.text = d.fields[size_t(field)].isText();
                return column;
            }
            return column;
        };
        CompiledFilter compiled = compileFilter(filter_, resolve, bound_);
        if (!compiled.ok) {
            filterError_ = compiled.error;
            return refuse();
        }
        where << compiled.sql;
        query.params.insert(query.params.end(), compiled.params.begin(), compiled.params.end());
    }
    query.where = where.join(" AND ");
    cursor_ = std::make_unique<Cursor>(file_, std::move(query));
    cursor_->toStart();
    setResult(NoError);
    return NoError;
}

void View::close()
{
    cursor_.reset();
}

static int viewNotOpen()
{
    setResult(FileNotOpen);
    return FileNotOpen;
}

int View::setToStart()
{
    if (!cursor_)
        return viewNotOpen();
    cursor_->toStart();
    setResult(NoError);
    return NoError;
}

int View::setToEnd()
{
    if (!cursor_)
        return viewNotOpen();
    cursor_->toEnd();
    setResult(NoError);
    return NoError;
}

int View::set()
{
    if (!cursor_)
        return viewNotOpen();
    cursor_->atKeyOf(file_.buffer());
    setResult(NoError);
    return NoError;
}

int View::setAfter(const Record &record)
{
    if (!cursor_)
        return viewNotOpen();
    cursor_->after(record);
    setResult(NoError);
    return NoError;
}

int View::setAt(const Record &record)
{
    if (!cursor_)
        return viewNotOpen();
    cursor_->at(record);
    setResult(NoError);
    return NoError;
}

void View::setReadAhead(int rows)
{
    if (cursor_)
        cursor_->setReadAhead(rows);
}

int View::next()
{
    return cursor_ ? cursor_->next() : viewNotOpen();
}

int View::previous()
{
    return cursor_ ? cursor_->previous() : viewNotOpen();
}

} // namespace crx
