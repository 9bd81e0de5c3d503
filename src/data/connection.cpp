#include "connection.h"

#include "result.h"
#include "tablesql.h"

#include <QFileInfo>
#include <QUrl>
#include <set>
#include <sqlite3.h>

namespace crx {
namespace {

thread_local std::set<Connection *> framed;
thread_local std::set<Connection *> readingNow;

// The key text of a shadow column (keyText), for rebuilding the keys in SQL.
void keyFunction(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(argv[0]));
    const QByteArray key = keyText(QString::fromUtf8(text, sqlite3_value_bytes(argv[0]))).toUtf8();
    sqlite3_result_text(ctx, key.constData(), int(key.size()), SQLITE_TRANSIENT);
}

// UPPER() of filter expressions: Unicode upper case.
void upperFunction(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(argv[0]));
    const QByteArray upper = QString::fromUtf8(text, sqlite3_value_bytes(argv[0])).toUpper().toUtf8();
    sqlite3_result_text(ctx, upper.constData(), int(upper.size()), SQLITE_TRANSIENT);
}

QString uri(const QString &path, bool create)
{
    QUrl url = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    url.setQuery(create ? "mode=rwc" : "mode=rw");
    return url.toString(QUrl::FullyEncoded);
}

} // namespace

QString driverMessage(sqlite3 *db, int code)
{
    // SQLite names the internal URI of a file it cannot open; the plain text says it better.
    if ((code & 0xff) == SQLITE_CANTOPEN || !db)
        return QString::fromUtf8(sqlite3_errstr(code));
    return QString::fromUtf8(sqlite3_errmsg(db));
}

StorageResult sqliteResult(int sqliteCode, const QString &message)
{
    StorageResult r;
    r.driverCode = sqliteCode;
    r.driverMessage = message;
    switch (sqliteCode & 0xff) {
    case SQLITE_OK:
        r.code = NoError;
        break;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        r.code = FileLocked;
        break;
    case SQLITE_CONSTRAINT:
        r.code = sqliteCode == SQLITE_CONSTRAINT_UNIQUE ? DuplicateKey : DriverError;
        break;
    case SQLITE_CORRUPT:
        r.code = sqliteCode == SQLITE_CORRUPT_INDEX ? KeysMustBeRebuilt : InvalidDataFile;
        break;
    default:
        r.code = DriverError;
        break;
    }
    r.text = resultText(r.code);
    return r;
}

Connection::Connection(sqlite3 *db, bool group) : db_(db), group_(group)
{
    configure();
}

Connection::~Connection()
{
    stopReading();
    framed.erase(this);
    sqlite3_close_v2(db_);
}

void Connection::configure()
{
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_timeout(db_, busyMs_);
    sqlite3_create_function(db_, "crx_upper", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                            upperFunction, nullptr, nullptr);
    sqlite3_create_function(db_, "crx_key", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, keyFunction, nullptr,
                            nullptr);
}

std::shared_ptr<Connection> Connection::group(const QString &anchorPath, StorageResult &error)
{
    sqlite3 *db = nullptr;
    const int rc = sqlite3_open_v2(uri(anchorPath, true).toUtf8().constData(), &db,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_URI, nullptr);
    if (rc != SQLITE_OK) {
        error = sqliteResult(rc, driverMessage(db, rc));
        sqlite3_close_v2(db);
        return {};
    }
    return std::shared_ptr<Connection>(new Connection(db, true));
}

std::shared_ptr<Connection> Connection::single(const QString &path, bool create, StorageResult &error)
{
    sqlite3 *db = nullptr;
    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_URI | (create ? SQLITE_OPEN_CREATE : 0);
    const int rc = sqlite3_open_v2(uri(path, create).toUtf8().constData(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        error = sqliteResult(rc, driverMessage(db, rc));
        sqlite3_close_v2(db);
        return {};
    }
    return std::shared_ptr<Connection>(new Connection(db, false));
}

QString Connection::attach(const QString &path, bool create, StorageResult &error)
{
    if (!group_)
        return QStringLiteral("main");
    stopReading();
    if (!suspendBulk(error))
        return {};
    const QString schema = QStringLiteral("f%1").arg(nextSchema_++);
    sqlite3_stmt *stmt = prepare(QStringLiteral("ATTACH ?1 AS ") + schema, error);
    bool ok = false;
    if (stmt) {
        const QByteArray name = uri(path, create).toUtf8();
        sqlite3_bind_text(stmt, 1, name.constData(), int(name.size()), SQLITE_TRANSIENT);
        const int rc = sqlite3_step(stmt);
        sqlite3_finalize(stmt);
        ok = rc == SQLITE_DONE;
        if (!ok)
            fail(rc, error);
    }
    StorageResult ignored;
    resumeBulk(ok ? error : ignored);
    return ok ? schema : QString();
}

void Connection::detach(const QString &schema)
{
    if (!group_)
        return;
    stopReading();
    StorageResult ignored;
    suspendBulk(ignored);
    exec("DETACH " + schema, ignored);
    resumeBulk(ignored);
}

bool Connection::exec(const QString &sql, StorageResult &error)
{
    char *message = nullptr;
    const int rc = sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &message);
    if (rc != SQLITE_OK) {
        const int code = sqlite3_extended_errcode(db_);
        error = sqliteResult(code, (code & 0xff) == SQLITE_CANTOPEN || !message ? driverMessage(db_, code)
                                                                                 : QString::fromUtf8(message));
        sqlite3_free(message);
        return false;
    }
    return true;
}

sqlite3_stmt *Connection::prepare(const QString &sql, StorageResult &error)
{
    sqlite3_stmt *stmt = nullptr;
    const QByteArray text = sql.toUtf8();
    const int rc = sqlite3_prepare_v3(db_, text.constData(), int(text.size()), SQLITE_PREPARE_PERSISTENT, &stmt, nullptr);
    if (rc != SQLITE_OK) {
        fail(rc, error);
        return nullptr;
    }
    return stmt;
}

void Connection::setBusyTimeout(int milliseconds)
{
    busyMs_ = milliseconds;
    sqlite3_busy_timeout(db_, milliseconds);
}

void Connection::fail(int sqliteCode, StorageResult &error) const
{
    const int extended = sqlite3_extended_errcode(db_);
    const int code = extended ? extended : sqliteCode;
    error = sqliteResult(code, driverMessage(db_, code));
}

void Connection::beginReading()
{
    if (readers_++ == 0 && sqlite3_get_autocommit(db_)
        && sqlite3_exec(db_, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK) {
        reading_ = true;
        readingNow.insert(this);
    }
}

void Connection::endReading()
{
    if (readers_ > 0 && --readers_ == 0)
        stopReading();
}

void Connection::stopReading()
{
    if (!reading_)
        return;
    reading_ = false;
    readingNow.erase(this);
    // Nothing was written in it: ending it only lets the locks go.
    sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
}

void stopAllReading()
{
    const std::set<Connection *> open = readingNow;
    for (Connection *c : open)
        c->stopReading();
}

bool Connection::beginBulk(StorageResult &error)
{
    stopReading();
    if (bulk_++ > 0 || user_)
        return true;
    if (!exec("BEGIN", error)) {
        bulk_ = 0;
        return false;
    }
    return true;
}

bool Connection::endBulk(StorageResult &error)
{
    if (bulk_ == 0 || --bulk_ > 0 || user_)
        return true;
    return exec("COMMIT", error);
}

// Attaching, detaching and a framed transaction need the bulk transaction out of the way.
bool Connection::suspendBulk(StorageResult &error)
{
    return bulk_ == 0 || user_ || exec("COMMIT", error);
}

bool Connection::resumeBulk(StorageResult &error)
{
    return bulk_ == 0 || user_ || exec("BEGIN", error);
}

bool Connection::beginUser(int waitSeconds, StorageResult &error)
{
    stopReading();
    if (user_) {
        error = StorageResult{DriverError, resultText(DriverError), SQLITE_MISUSE,
                              QStringLiteral("a transaction is already open"), {}};
        return false;
    }
    if (!suspendBulk(error))
        return false;
    const int saved = busyMs_;
    setBusyTimeout(waitSeconds * 1000);
    const bool ok = exec("BEGIN IMMEDIATE", error);
    setBusyTimeout(saved);
    if (!ok) {
        StorageResult ignored;
        resumeBulk(ignored);
        return false;
    }
    user_ = true;
    framed.insert(this);
    return true;
}

bool Connection::commitUser(StorageResult &error)
{
    if (!user_)
        return true;
    if (!exec("COMMIT", error))
        return false;
    user_ = false;
    framed.erase(this);
    return resumeBulk(error);
}

void Connection::rollbackUser()
{
    if (!user_)
        return;
    StorageResult ignored;
    exec("ROLLBACK", ignored);
    user_ = false;
    framed.erase(this);
    resumeBulk(ignored);
}

bool anyOpenTransaction()
{
    return !framed.empty();
}

bool commitOpenTransactions(StorageResult &error)
{
    const std::set<Connection *> open = framed;
    for (Connection *c : open)
        if (!c->commitUser(error))
            return false;
    return true;
}

void rollbackOpenTransactions()
{
    const std::set<Connection *> open = framed;
    for (Connection *c : open)
        c->rollbackUser();
}

} // namespace crx
