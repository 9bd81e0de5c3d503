#include "tablesql.h"

#include <array>
#include <mutex>

namespace crx {

namespace {

// Letters that carry their mark in themselves and so keep it through the decomposition.
QChar baseLetter(QChar c)
{
    switch (c.unicode()) {
    case 0x00D8: return QChar('O'); // Ø
    case 0x0110: return QChar('D'); // Đ
    case 0x0126: return QChar('H'); // Ħ
    case 0x0141: return QChar('L'); // Ł
    default: return c;
    }
}

} // namespace

QString keyText(const QString &normalisedText)
{
    const QString upper = normalisedText.toUpper();
    bool plain = true;
    for (QChar c : upper)
        plain = plain && c.unicode() < 0x80;
    if (plain)
        return upper;
    QString folded;
    folded.reserve(upper.size());
    for (QChar c : upper.normalized(QString::NormalizationForm_D))
        if (c.category() != QChar::Mark_NonSpacing)
            folded += baseLetter(c);
    // Text whose letters carry no marks keeps its plain upper case; otherwise the letters
    // without their marks come first, for the order, and the marked text decides the rest.
    return folded == upper ? upper : folded + QChar(KeySeparator) + upper;
}

QString placeholders(qsizetype n)
{
    QStringList marks;
    for (qsizetype i = 0; i < n; ++i)
        marks << QStringLiteral("?");
    return marks.join(", ");
}

namespace {

QString quoted(const QString &name) { return '"' + name + '"'; }

TableSql build(const FileDef &def)
{
    TableSql t;
    t.shadowOf.assign(def.fields.size(), -1);
    for (size_t f = 0; f < def.fields.size(); ++f)
        t.fieldColumns << quoted(def.fields[f].name);
    for (const KeyDef &key : def.keys)
        for (int f : key.components)
            if (def.fields[size_t(f)].isText() && key.nocase && t.shadowOf[size_t(f)] < 0) {
                t.shadowOf[size_t(f)] = int(t.shadowColumns.size());
                t.shadowColumns << quoted("k_" + def.fields[size_t(f)].name);
                t.shadowFields.push_back(f);
            }

    QStringList columns{"rid INTEGER PRIMARY KEY", "ver INTEGER NOT NULL DEFAULT 1"};
    for (size_t f = 0; f < def.fields.size(); ++f)
        columns << t.fieldColumns[qsizetype(f)] + (def.fields[f].isText() ? " TEXT NOT NULL DEFAULT ''"
                                                                          : " INTEGER NOT NULL DEFAULT 0");
    for (const QString &shadow : t.shadowColumns)
        columns << shadow + " TEXT NOT NULL DEFAULT ''";
    t.createTable = "CREATE TABLE %S.records(" + columns.join(", ") + ")";
    t.createInfo = "CREATE TABLE %S.file_info(label TEXT NOT NULL, layout INTEGER NOT NULL, owner TEXT NOT NULL)";

    for (const KeyDef &key : def.keys) {
        KeySql k;
        QStringList notBlank;
        for (int f : key.components) {
            const bool text = def.fields[size_t(f)].isText();
            const QString column = t.shadowOf[size_t(f)] >= 0 ? t.shadowColumns[t.shadowOf[size_t(f)]]
                                                              : t.fieldColumns[f];
            k.columns << column;
            notBlank << column + (text ? " <> ''" : " <> 0");
        }
        if (key.opt)
            k.optPredicate = "(" + notBlank.join(" OR ") + ")";
        k.indexName = quoted(key.name);
        k.createIndex = QString("CREATE %1INDEX %S.%2 ON records(%3)%4")
                            .arg(key.unique ? "UNIQUE " : "", k.indexName, k.columns.join(", "),
                                 key.opt ? " WHERE " + k.optPredicate : QString());
        t.keys.push_back(k);
    }
    t.selectList = "rid, ver, " + t.fieldColumns.join(", ");
    return t;
}

} // namespace

const TableSql &tableSql(const FileDef &def)
{
    static std::array<TableSql, FileCount> tables;
    static std::once_flag once;
    std::call_once(once, [] {
        for (const FileDef *d : allFiles())
            tables[size_t(d->id)] = build(*d);
    });
    return tables[size_t(def.id)];
}

} // namespace crx
