// A keyed catalogue file on SQLite with its record buffer: the operations the
// program performs on a file (open, create, key-ordered reading, add, rewrite,
// delete, positions, watch, bulk mode, key rebuild, pack, layout upgrade).
// Every operation leaves its result in lastResult().
//
// A DataFile is one handle on the stored file: its record buffer, its reading
// position and its watch are its own. newHandle() gives another handle on the
// same stored file (the same open connection, open state and record count),
// so that windows running side by side each keep their own current record.
#pragma once

#include "record.h"
#include "result.h"
#include "schema.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <vector>

struct sqlite3_stmt;

namespace crx {

class Connection;
class Cursor;

// Used by the storage engine for files opened under an owner password.
QString ownerDigest(const QString &password);

class DataFile
{
public:
    DataFile(const FileDef &def, const QString &directory);
    ~DataFile();
    DataFile(const DataFile &) = delete;
    DataFile &operator=(const DataFile &) = delete;

    // Another handle on this stored file, with a buffer and a reading position of its own.
    std::unique_ptr<DataFile> newHandle();

    const FileDef &def() const { return def_; }
    Record &buffer() { return buffer_; }
    const Record &buffer() const { return buffer_; }

    // The name on disk: the layout's disk name + ".tps" unless set otherwise.
    void setDiskName(const QString &name);
    QString diskName() const;
    QString path() const;
    // Files that change together share a connection; set before open or create.
    void setConnection(std::shared_ptr<Connection> group);
    void setOwner(const QString &password) { owner_ = password; }

    int open();
    int create();
    void close();
    bool isOpen() const { return bool(conn_); }
    // Driver options: "QUICKSCAN=on|off", "Recover=n" (wait up to n seconds at the next open).
    int send(const QString &option);
    qint64 records();
    // The highest record number in use (0 when empty): the position of the record added last,
    // with those of deleted records left unused below it.
    qint64 highestRecordNumber();

    // Reading in key order; key -1 is the order in which records were added.
    int setToStart(int key);
    int setToEnd(int key);
    int set(int key); // at the first record not less than the buffer's key fields
    int next() { return read(true); }
    int previous() { return read(false); }
    int get(int key); // the first record whose key equals the buffer's key fields
    // How many records the first read after placing in this key order fetches at once
    // (32 unless set): a lookup that wants one record asks for one.
    void setReadAhead(int key, int rows);

    int add();
    int put();
    int remove();
    QByteArray position() const;
    int reget(const QByteArray &position);
    void watch() { watchNext_ = true; }

    int stream();
    int flush();
    int rebuildKeys();
    int pack();
    // Brings a file of an older layout up to the current one, keeping every record.
    int upgradeLayout();

    // The full name of the key that refused the last add or rewrite.
    QString duplicateKey() const { return duplicateKey_; }

    // For views and transactions.
    Connection *connection() const { return conn_.get(); }
    std::shared_ptr<Connection> sharedConnection() const { return conn_; }
    QString schema() const { return schema_; }
    void registerCursor(Cursor *cursor);
    void unregisterCursor(Cursor *cursor);
    // The statements of the views' reads outlive their views: a list that opens a new view
    // over the same order takes them again instead of preparing them anew.
    sqlite3_stmt *takeStatement(const QString &sql, StorageResult &error);
    void giveBackStatement(const QString &sql, sqlite3_stmt *stmt);
    // Reads columns [first, first + 2 + fields) of a row (rid, ver, fields) into a record.
    static void readRow(sqlite3_stmt *stmt, int first, Record &into);
    // Binds a record's key value for `key` from parameter `first` on; returns the next free one.
    int bindKey(sqlite3_stmt *stmt, int first, int key, const Record &from) const;

private:
    struct Store;
    explicit DataFile(std::shared_ptr<Store> store);
    Cursor &cursor();
    void dropReading();
    void dropStatements();
    int place(int key, void (*at)(Cursor &, const Record &));
    int read(bool forward);
    int fetchOne(sqlite3_stmt *stmt, int key);
    int finishOpen();
    struct Shape;
    int readShape(Shape &shape);
    int refusal(const Shape &shape);
    bool hasEveryColumn(const Shape &shape) const;
    int checkLayout();
    int upgradeOpenFile();
    int writeTable(bool create);
    bool rebuildIndexes(StorageResult &error);
    int fail(int sqliteCode);
    sqlite3_stmt *statement(int slot, const std::function<QString()> &sql);
    void bindFields(sqlite3_stmt *stmt, int first, const Record &from) const;
    void invalidateCursors();
    int findDuplicateKey(qint64 rowId);
    void resetStatements();

    struct KnownCount {
        bool known = false;
        qint64 version = 0, changes = 0, records = 0;
    };
    // What every handle on the stored file shares.
    struct Store {
        Store(const FileDef &def, const QString &directory) : def(def), directory(directory) {}
        const FileDef &def;
        QString directory;
        QString diskName;
        QString owner;
        std::shared_ptr<Connection> group;
        std::shared_ptr<Connection> conn;
        QString schema;
        KnownCount count;
        int recoverSeconds = 0;
        bool streaming = false;
        std::vector<DataFile *> handles;
    };

    std::shared_ptr<Store> store_;
    // Names for the shared state, as the operations use it.
    const FileDef &def_;
    QString &directory_;
    QString &diskName_;
    QString &owner_;
    std::shared_ptr<Connection> &group_;
    std::shared_ptr<Connection> &conn_;
    QString &schema_;
    KnownCount &count_;
    int &recoverSeconds_;
    bool &streaming_;

    // This handle's own.
    Record buffer_;
    std::vector<sqlite3_stmt *> statements_;
    std::map<QString, sqlite3_stmt *> spare_; // views' statements given back, by their text
    Cursor &cursorFor(int key);

    Cursor *cursor_ = nullptr;                     // the handle's reading position
    std::map<int, std::unique_ptr<Cursor>> keyCursors_; // one per key order used, statements kept
    std::vector<Cursor *> cursors_;
    bool watchNext_ = false;
    QString duplicateKey_;
};

} // namespace crx
