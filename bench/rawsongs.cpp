#include "rawsongs.h"

#include "catalogue_generator.h"
#include "schema.h"

#include <QDir>
#include <sqlite3.h>

namespace crx::bench {

sqlite3 *openRaw(const QString &path, int flags)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, flags, nullptr) != SQLITE_OK)
        qFatal("cannot open %s", qPrintable(path));
    return db;
}

sqlite3_stmt *prepareRaw(sqlite3 *db, const QString &sql)
{
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &stmt, nullptr) != SQLITE_OK)
        qFatal("%s: %s", qPrintable(sql), sqlite3_errmsg(db));
    return stmt;
}

RawSongs::RawSongs(const QString &dir, int key)
    : k(tableSql(fileDef(FileId::Cantorix)).keys[size_t(key)]),
      texts(fileDef(FileId::Cantorix).fields.size()), numbers(fileDef(FileId::Cantorix).fields.size())
{
    sqlite3_open_v2(QDir(dir).filePath("crxdata.tps").toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    const TableSql &t = tableSql(fileDef(FileId::Cantorix));
    const QString opt = k.optPredicate.isEmpty() ? QStringLiteral("1") : k.optPredicate;
    const QString cols = k.columns.join(", ");
    QStringList desc;
    for (const QString &c : k.columns)
        desc << c + " DESC";
    const QString select = "SELECT " + t.selectList + " FROM records WHERE " + opt;
    forwardFromStart = prepare(select + " ORDER BY " + cols + ", rid LIMIT ?");
    backwardFromEnd = prepare(select + " ORDER BY " + desc.join(", ") + ", rid DESC LIMIT ?");
    const QString first = k.columns.first();
    forwardFrom = prepare(select + " AND " + first + " >= ? ORDER BY " + cols + ", rid LIMIT ?");
    backwardFrom = prepare(select + " AND " + first + " < ? ORDER BY " + desc.join(", ") + ", rid DESC LIMIT ?");
}

RawSongs::~RawSongs()
{
    for (sqlite3_stmt *s : {forwardFromStart, backwardFromEnd, forwardFrom, backwardFrom})
        sqlite3_finalize(s);
    sqlite3_close(db);
}

sqlite3_stmt *RawSongs::prepare(const QString &sql)
{
    sqlite3_stmt *stmt = nullptr;
    sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &stmt, nullptr);
    return stmt;
}

void RawSongs::read(sqlite3_stmt *stmt, int limit, const QVariant &from)
{
    int index = 1;
    if (from.isValid()) {
        if (from.typeId() == QMetaType::QString) {
            const QByteArray bytes = from.toString().toUtf8();
            sqlite3_bind_text(stmt, index++, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
        } else {
            sqlite3_bind_int64(stmt, index++, from.toLongLong());
        }
    }
    sqlite3_bind_int(stmt, index, limit);
    while (sqlite3_step(stmt) == SQLITE_ROW)
        readSongRow(stmt, texts, numbers);
    sqlite3_reset(stmt);
}

void RawSongs::readWhere(sqlite3_stmt *stmt, qint64 value)
{
    sqlite3_bind_int64(stmt, 1, value);
    while (sqlite3_step(stmt) == SQLITE_ROW)
        for (int c = 0; c < sqlite3_column_count(stmt); ++c)
            texts[size_t(c) % texts.size()] = QString::fromUtf8(
                reinterpret_cast<const char *>(sqlite3_column_text(stmt, c)), sqlite3_column_bytes(stmt, c));
    sqlite3_reset(stmt);
}

} // namespace crx::bench
