// How a record layout maps onto SQLite: one table "records" per file with a
// column per field, an upper-cased shadow column ("k_" + name) for each text
// field that is part of a key, and one index per key named after the key.
// Keys with the opt rule are partial indexes that leave out records whose key
// value is entirely blank or zero; every query in such a key repeats that
// condition so that SQLite uses the index.
#pragma once

#include "schema.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace crx {

struct KeySql {
    QStringList columns;   // column per component: the shadow column for text
    QString optPredicate;  // empty unless the key is opt
    QString createIndex;   // without schema name: "CREATE INDEX ..."
    QString indexName;
};

struct TableSql {
    QStringList fieldColumns;   // quoted column of each field
    std::vector<int> shadowOf;  // per field: index into shadowColumns, or -1
    QStringList shadowColumns;  // quoted shadow columns
    std::vector<int> shadowFields; // field of each shadow column
    std::vector<KeySql> keys;
    QString createTable;        // with %S standing for the schema name
    QString createInfo;         // with %S
    QString selectList;         // rid, ver, fields (unqualified)
};

const TableSql &tableSql(const FileDef &def);

// "?, ?, ?": n parameters of a statement.
QString placeholders(qsizetype n);

// The stored form of a key component, held by the shadow columns: the upper-cased text,
// and for text with accents or other marks the upper-cased letters without their marks, a
// separator and the upper-cased text. So "Électro" sorts and is found among the E's, "Björk"
// beside "Bjork", while a unique key still refuses only texts that differ in letter case.
constexpr char16_t KeySeparator = 1;
QString keyText(const QString &normalisedText);

} // namespace crx
