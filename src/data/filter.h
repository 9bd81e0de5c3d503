// Record filter expressions, compiled to an SQL condition with bound
// parameters only: no text of an expression is ever pasted into the SQL.
//
//   expression := or
//   or         := and { OR and }
//   and        := not { AND not }
//   not        := NOT not | test
//   test       := operand [ compare operand | BEGINS WITH operand
//                           | CONTAINS operand | IS [NOT] CHECKED ]
//   compare    := = | <> | < | > | <= | >=
//   operand    := number | 'text' | "text" | name | UPPER(operand)
//                 | - operand | ( expression )
//
// A name is a field of the file or its joined parent ("MUS:AlbumID") or a
// name bound by the caller ("GLO:Side", "BRW1::Sort4:Reset:CAT:CategoryID");
// bound names win over fields. Keywords are matched without regard to case.
// Text compares as stored, trailing blanks never count; UPPER() compares
// without regard to case. BEGINS WITH and CONTAINS ignore case. IS CHECKED is
// true for a number other than zero or a text that is not blank. An operand
// alone is the same as operand IS CHECKED.
#pragma once

#include <QHash>
#include <QString>
#include <QVariant>
#include <functional>
#include <vector>

namespace crx {

struct FilterColumn {
    bool found = false;
    QString sql;  // the column as the query names it, e.g. c."AlbumID"
    bool text = false;
};

struct CompiledFilter {
    bool ok = false;
    QString sql;
    std::vector<QVariant> params;
    QString error; // what is wrong, with its position, when !ok
};

using ColumnResolver = std::function<FilterColumn(const QString &name)>;

CompiledFilter compileFilter(const QString &expression, const ColumnResolver &columns,
                             const QHash<QString, QVariant> &bound);

} // namespace crx
