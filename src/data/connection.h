// One SQLite connection. A file either has a connection of its own (the file
// is the main database) or is attached to a shared group connection whose
// main database is a small anchor file in the catalogue directory; files that
// must change together in one transaction share a group, so that SQLite's
// multi-file commit makes the change all or nothing.
#pragma once

#include <QString>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;

namespace crx {

struct StorageResult;

class Connection
{
public:
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    // A group connection anchored at anchorPath (created when missing).
    static std::shared_ptr<Connection> group(const QString &anchorPath, StorageResult &error);
    // A connection whose main database is the file itself.
    static std::shared_ptr<Connection> single(const QString &path, bool create, StorageResult &error);

    sqlite3 *handle() const { return db_; }
    bool isGroup() const { return group_; }

    // Attaches a file; returns the schema name to use, empty on failure.
    QString attach(const QString &path, bool create, StorageResult &error);
    void detach(const QString &schema);

    // Runs one statement without results; fills error on failure.
    bool exec(const QString &sql, StorageResult &error);
    sqlite3_stmt *prepare(const QString &sql, StorageResult &error);

    void setBusyTimeout(int milliseconds);
    int busyTimeout() const { return busyMs_; }

    // Bulk mode: one open transaction around many adds, committed by flush.
    bool beginBulk(StorageResult &error);
    bool endBulk(StorageResult &error);
    bool inBulk() const { return bulk_ > 0; }
    // Commits the bulk transaction for a while (attach, create) and begins it again.
    bool suspendBulk(StorageResult &error);
    bool resumeBulk(StorageResult &error);

    // A transaction framed by the program (update and delete routines).
    bool beginUser(int waitSeconds, StorageResult &error);
    bool commitUser(StorageResult &error);
    void rollbackUser();
    bool inUserTransaction() const { return user_; }

    // The reads of one step of a list (a page, its step table, the names its rows show) share
    // one read transaction: the files are locked and checked for changes once, not at every
    // statement. Nested; only a connection with nothing open begins one. Anything else the
    // connection does (writing, a bulk or framed transaction, attaching) ends it first, and so
    // does a message box (stopAllReading), so no file stays locked while the person decides.
    void beginReading();
    void endReading();
    void stopReading();

    // Fills error from the connection's last SQLite failure.
    void fail(int sqliteCode, StorageResult &error) const;

private:
    Connection(sqlite3 *db, bool group);
    void configure();

    sqlite3 *db_;
    bool group_;
    int busyMs_ = 1000;
    int bulk_ = 0;
    bool user_ = false;
    int readers_ = 0;     // nested beginReading calls
    bool reading_ = false; // the read transaction they share is open
    int nextSchema_ = 1;
};

QString driverMessage(sqlite3 *db, int code);

// Maps an SQLite result onto the engine's result codes.
StorageResult sqliteResult(int sqliteCode, const QString &message);

// Ends every read transaction of this thread's connections (before a message box).
void stopAllReading();

// The transactions the program framed on this thread (at most one is open).
bool anyOpenTransaction();
bool commitOpenTransactions(StorageResult &error);
void rollbackOpenTransactions();

} // namespace crx
