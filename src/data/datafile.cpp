#include "datafile.h"

#include "connection.h"
#include "cursor.h"
#include "tablesql.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <algorithm>
#include <functional>
#include <sqlite3.h>

namespace crx {

QString ownerDigest(const QString &password)
{
    if (password.isEmpty())
        return {};
    return QString::fromLatin1(QCryptographicHash::hash(password.toUtf8(), QCryptographicHash::Sha256).toHex());
}

namespace {

// The page cache of an open file, in KiB (negative: SQLite's notation for a size in KiB).
constexpr int ReadingCacheKiB = -16384;

enum Slot { Insert, UpdateWatched, Update, DeleteWatched, Delete, Reget, Count, DataVersion, GetByKey, Highest };

void bindText(sqlite3_stmt *stmt, int index, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    sqlite3_bind_text(stmt, index, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
}

int finish(sqlite3_stmt *stmt, int rc)
{
    sqlite3_reset(stmt);
    sqlite3_clear_bindings(stmt);
    return rc;
}

} // namespace

DataFile::DataFile(const FileDef &def, const QString &directory)
    : DataFile(std::make_shared<Store>(def, directory))
{
}

DataFile::DataFile(std::shared_ptr<Store> store)
    : store_(std::move(store)), def_(store_->def), directory_(store_->directory), diskName_(store_->diskName),
      owner_(store_->owner), group_(store_->group), conn_(store_->conn), schema_(store_->schema),
      count_(store_->count), recoverSeconds_(store_->recoverSeconds), streaming_(store_->streaming), buffer_(def_)
{
    store_->handles.push_back(this);
}

DataFile::~DataFile()
{
    if (store_->handles.size() == 1)
        close();
    else
        dropReading();
    auto &handles = store_->handles;
    handles.erase(std::remove(handles.begin(), handles.end(), this), handles.end());
}

std::unique_ptr<DataFile> DataFile::newHandle()
{
    return std::unique_ptr<DataFile>(new DataFile(store_));
}

// Lets go of this handle's statements and reading positions (the stored file stays open).
void DataFile::dropReading()
{
    cursor_ = nullptr;
    keyCursors_.clear();
    dropStatements();
}

// Lets go of this handle's statements: its own, its views' and the spare ones.
void DataFile::dropStatements()
{
    for (Cursor *c : cursors_)
        c->release();
    for (sqlite3_stmt *stmt : statements_)
        sqlite3_finalize(stmt);
    statements_.clear();
    for (const auto &[sql, stmt] : spare_)
        sqlite3_finalize(stmt);
    spare_.clear();
}

sqlite3_stmt *DataFile::takeStatement(const QString &sql, StorageResult &error)
{
    const auto spare = spare_.find(sql);
    if (spare == spare_.end())
        return conn_->prepare(sql, error);
    sqlite3_stmt *stmt = spare->second;
    spare_.erase(spare);
    return stmt;
}

void DataFile::giveBackStatement(const QString &sql, sqlite3_stmt *stmt)
{
    if (!stmt)
        return;
    sqlite3_reset(stmt);
    sqlite3_clear_bindings(stmt);
    // One spare of each text is enough; a second one goes.
    if (!conn_ || !spare_.emplace(sql, stmt).second)
        sqlite3_finalize(stmt);
}

Cursor &DataFile::cursor()
{
    if (!cursor_)
        cursor_ = &cursorFor(-1);
    return *cursor_;
}

void DataFile::setDiskName(const QString &name) { diskName_ = name; }

QString DataFile::diskName() const
{
    return diskName_.isEmpty() ? def_.diskName + ".tps" : diskName_;
}

QString DataFile::path() const
{
    return QDir(directory_).absoluteFilePath(diskName());
}

void DataFile::setConnection(std::shared_ptr<Connection> group) { group_ = std::move(group); }

int DataFile::fail(int sqliteCode)
{
    StorageResult error;
    conn_->fail(sqliteCode, error);
    setResult(error);
    return error.code;
}

void DataFile::registerCursor(Cursor *cursor) { cursors_.push_back(cursor); }

void DataFile::unregisterCursor(Cursor *cursor)
{
    cursors_.erase(std::remove(cursors_.begin(), cursors_.end(), cursor), cursors_.end());
}

// A write through any handle makes the rows every handle read ahead stale.
void DataFile::invalidateCursors()
{
    for (DataFile *handle : store_->handles)
        for (Cursor *c : handle->cursors_)
            c->invalidate();
}

void DataFile::resetStatements()
{
    for (DataFile *handle : store_->handles)
        handle->dropStatements();
}

sqlite3_stmt *DataFile::statement(int slot, const std::function<QString()> &sql)
{
    if (statements_.size() <= size_t(slot))
        statements_.resize(size_t(slot) + 1, nullptr);
    if (!statements_[size_t(slot)]) {
        // The text is made only the first time: the statement is kept until the file closes.
        StorageResult error;
        statements_[size_t(slot)] = conn_->prepare(sql().replace("%S", schema_), error);
        if (!statements_[size_t(slot)])
            setResult(error);
    }
    return statements_[size_t(slot)];
}

// ---- opening and creating ----

int DataFile::open()
{
    if (isOpen()) {
        setResult(FileAlreadyOpen);
        return FileAlreadyOpen;
    }
    const QFileInfo info(path());
    if (!info.exists()) {
        setResult(FileNotFound);
        return FileNotFound;
    }
    StorageResult error;
    if (group_) {
        const int saved = group_->busyTimeout();
        if (recoverSeconds_ > 0)
            group_->setBusyTimeout(recoverSeconds_ * 1000);
        schema_ = group_->attach(path(), false, error);
        group_->setBusyTimeout(saved);
        if (schema_.isEmpty()) {
            recoverSeconds_ = 0;
            setResult(error);
            return error.code;
        }
        conn_ = group_;
    } else {
        conn_ = Connection::single(path(), false, error);
        if (!conn_) {
            recoverSeconds_ = 0;
            setResult(error);
            return error.code;
        }
        schema_ = QStringLiteral("main");
    }
    return finishOpen();
}

int DataFile::finishOpen()
{
    const int saved = conn_->busyTimeout();
    if (recoverSeconds_ > 0)
        conn_->setBusyTimeout(recoverSeconds_ * 1000);
    const int code = checkLayout();
    conn_->setBusyTimeout(saved);
    recoverSeconds_ = 0;
    if (code != NoError) {
        const StorageResult result = lastResult();
        close();
        setResult(result);
        return code;
    }
    // The pages a list reads again at every step stay in memory: the index levels, the rows
    // of the page shown and the ends the step table reads.
    StorageResult ignored;
    conn_->exec("PRAGMA " + schema_ + ".cache_size = " + QString::number(ReadingCacheKiB), ignored);
    buffer_.clear();
    cursor_ = &cursorFor(-1);
    setResult(NoError);
    return NoError;
}

// What a file holds: its tables and indexes, its layout and the columns of its records.
struct DataFile::Shape {
    QSet<QString> objects;
    QString label;
    int layout = -1;
    QString owner;
    QSet<QString> columns; // quoted, as the layout names them
    bool empty() const { return objects.isEmpty(); }
    bool catalogue() const { return objects.contains("file_info") && objects.contains("records"); }
};

int DataFile::readShape(Shape &shape)
{
    const auto query = [this](const QString &sql, const std::function<void(sqlite3_stmt *)> &row) {
        StorageResult error;
        sqlite3_stmt *stmt = conn_->prepare(sql, error);
        if (!stmt) {
            setResult(error);
            return error.code;
        }
        int rc;
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW)
            row(stmt);
        sqlite3_finalize(stmt);
        return rc == SQLITE_DONE ? int(NoError) : fail(rc);
    };
    const auto text = [](sqlite3_stmt *stmt, int i) {
        return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, i)));
    };
    int code = query("SELECT name FROM " + schema_ + ".sqlite_master",
                     [&](sqlite3_stmt *stmt) { shape.objects.insert(text(stmt, 0)); });
    if (code != NoError || !shape.catalogue())
        return code;
    code = query("SELECT label, layout, owner FROM " + schema_ + ".file_info LIMIT 1", [&](sqlite3_stmt *stmt) {
        shape.label = text(stmt, 0);
        shape.layout = sqlite3_column_int(stmt, 1);
        shape.owner = text(stmt, 2);
    });
    if (code != NoError)
        return code;
    return query("PRAGMA " + schema_ + ".table_info(records)",
                 [&](sqlite3_stmt *stmt) { shape.columns.insert('"' + text(stmt, 1) + '"'); });
}

// Why a file cannot serve as this layout, checked in the order open and upgrade share; 0 when it can.
int DataFile::refusal(const Shape &shape)
{
    if (!shape.catalogue()) {
        setDriverResult(InvalidDataFile, 0, QStringLiteral("not a catalogue file"));
        return InvalidDataFile;
    }
    if (shape.label != def_.layout) {
        setDriverResult(InvalidDataFile, 0, QStringLiteral("not a %1 file").arg(def_.layout));
        return InvalidDataFile;
    }
    if (shape.owner != ownerDigest(owner_)) {
        setDriverResult(DriverError, SQLITE_AUTH, QStringLiteral("the owner password does not match"));
        return DriverError;
    }
    if (shape.layout > def_.layoutVersion) {
        setDriverResult(LayoutChanged, 0, QStringLiteral("the file was written by a newer version of the program"));
        return LayoutChanged;
    }
    return NoError;
}

bool DataFile::hasEveryColumn(const Shape &shape) const
{
    const TableSql &t = tableSql(def_);
    for (const QString &c : t.fieldColumns + t.shadowColumns)
        if (!shape.columns.contains(c))
            return false;
    return true;
}

int DataFile::checkLayout()
{
    StorageResult error;
    sqlite3_stmt *stmt = conn_->prepare("PRAGMA " + schema_ + ".page_count", error);
    if (!stmt) {
        setResult(error);
        return error.code;
    }
    int rc = sqlite3_step(stmt);
    const qint64 pages = rc == SQLITE_ROW ? sqlite3_column_int64(stmt, 0) : 0;
    sqlite3_finalize(stmt);
    if (rc != SQLITE_ROW)
        return fail(rc);
    stmt = conn_->prepare("PRAGMA " + schema_ + ".page_size", error);
    rc = stmt ? sqlite3_step(stmt) : SQLITE_ERROR;
    const qint64 pageSize = rc == SQLITE_ROW ? sqlite3_column_int64(stmt, 0) : 0;
    sqlite3_finalize(stmt);
    if (QFileInfo(path()).size() < pages * pageSize) {
        setDriverResult(InvalidDataFile, SQLITE_CORRUPT, QStringLiteral("the file is shorter than its contents"));
        return InvalidDataFile;
    }

    Shape shape;
    int code = readShape(shape);
    if (code == NoError)
        code = refusal(shape);
    if (code != NoError)
        return code;
    if (shape.layout != def_.layoutVersion || !hasEveryColumn(shape)) {
        setResult(LayoutChanged);
        return LayoutChanged;
    }
    for (const KeyDef &key : def_.keys)
        if (!shape.objects.contains(key.name)) {
            setResult(KeysMustBeRebuilt);
            return KeysMustBeRebuilt;
        }
    return NoError;
}

int DataFile::writeTable(bool createInfo)
{
    const TableSql &t = tableSql(def_);
    StorageResult error;
    auto run = [&](QString sql) { return conn_->exec(sql.replace("%S", schema_), error); };
    bool ok = run("SAVEPOINT create_file");
    if (ok && createInfo)
        ok = run(t.createInfo) && run(t.createTable);
    if (ok) {
        sqlite3_stmt *stmt = conn_->prepare("INSERT INTO " + schema_ + ".file_info VALUES(?, ?, ?)", error);
        ok = stmt != nullptr;
        if (ok) {
            bindText(stmt, 1, def_.layout);
            sqlite3_bind_int(stmt, 2, def_.layoutVersion);
            bindText(stmt, 3, ownerDigest(owner_));
            const int rc = sqlite3_step(stmt);
            sqlite3_finalize(stmt);
            if (rc != SQLITE_DONE) {
                conn_->fail(rc, error);
                ok = false;
            }
        }
    }
    for (const KeySql &k : t.keys)
        ok = ok && run(k.createIndex);
    if (!ok) {
        StorageResult ignored;
        conn_->exec("ROLLBACK TO create_file", ignored);
        conn_->exec("RELEASE create_file", ignored);
        setResult(error);
        return error.code;
    }
    if (!run("RELEASE create_file")) {
        setResult(error);
        return error.code;
    }
    return NoError;
}

int DataFile::create()
{
    if (isOpen()) {
        setResult(FileAlreadyOpen);
        return FileAlreadyOpen;
    }
    if (QFileInfo::exists(path())) {
        // Creating never replaces a file that is already there.
        setDriverResult(DriverError, SQLITE_CANTOPEN, QStringLiteral("a file of this name already exists"));
        return DriverError;
    }
    StorageResult error;
    if (group_) {
        schema_ = group_->attach(path(), true, error);
        if (!schema_.isEmpty())
            conn_ = group_;
    } else {
        conn_ = Connection::single(path(), true, error);
        schema_ = QStringLiteral("main");
    }
    if (!conn_) {
        schema_.clear();
        QFile::remove(path());
        setResult(error);
        return error.code;
    }
    // A new file is written at once, also in the middle of another file's bulk mode.
    StorageResult ignored;
    conn_->suspendBulk(ignored);
    const int code = writeTable(true);
    conn_->resumeBulk(ignored);
    if (code != NoError) {
        const StorageResult result = lastResult();
        close();
        QFile::remove(path());
        setResult(result);
        return code;
    }
    return finishOpen();
}

void DataFile::close()
{
    count_.known = false;
    if (!conn_)
        return;
    StorageResult ignored;
    if (streaming_) {
        conn_->endBulk(ignored);
        streaming_ = false;
    }
    for (DataFile *handle : store_->handles)
        handle->dropReading();
    conn_->detach(schema_);
    conn_.reset();
    schema_.clear();
    setResult(NoError);
}

int DataFile::send(const QString &option)
{
    const QString name = option.section('=', 0, 0).trimmed();
    const QString value = option.section('=', 1).trimmed();
    if (name.compare("QUICKSCAN", Qt::CaseInsensitive) == 0) {
        setResult(NoError);
    } else if (name.compare("Recover", Qt::CaseInsensitive) == 0) {
        recoverSeconds_ = std::max(0, value.toInt());
        setResult(NoError);
    } else {
        setDriverResult(DriverError, SQLITE_MISUSE, QStringLiteral("unknown driver option: %1").arg(option));
    }
    return lastCode();
}

qint64 DataFile::records()
{
    if (!isOpen()) {
        setResult(FileNotOpen);
        return 0;
    }
    // Counting takes a pass over the whole file: the count is kept until this connection
    // changes anything or another one commits to the file.
    sqlite3_stmt *version = statement(DataVersion, [] { return QStringLiteral("PRAGMA %S.data_version"); });
    if (!version)
        return 0;
    int rc = sqlite3_step(version);
    const qint64 stamp = rc == SQLITE_ROW ? sqlite3_column_int64(version, 0) : -1;
    finish(version, rc);
    const qint64 changes = sqlite3_total_changes64(conn_->handle());
    if (rc == SQLITE_ROW && count_.known && count_.version == stamp && count_.changes == changes) {
        setResult(NoError);
        return count_.records;
    }
    sqlite3_stmt *stmt = statement(Count, [] { return QStringLiteral("SELECT count(*) FROM %S.records"); });
    if (!stmt)
        return 0;
    rc = sqlite3_step(stmt);
    const qint64 count = rc == SQLITE_ROW ? sqlite3_column_int64(stmt, 0) : 0;
    finish(stmt, rc);
    if (rc != SQLITE_ROW) {
        count_.known = false;
        fail(rc);
        return count;
    }
    count_ = {true, stamp, changes, count};
    setResult(NoError);
    return count;
}

qint64 DataFile::highestRecordNumber()
{
    if (!isOpen()) {
        setResult(FileNotOpen);
        return 0;
    }
    sqlite3_stmt *stmt = statement(Highest, [] { return QStringLiteral("SELECT coalesce(max(rid), 0) FROM %S.records"); });
    if (!stmt)
        return 0;
    const int rc = sqlite3_step(stmt);
    const qint64 highest = rc == SQLITE_ROW ? sqlite3_column_int64(stmt, 0) : 0;
    finish(stmt, rc);
    if (rc != SQLITE_ROW) {
        fail(rc);
        return 0;
    }
    setResult(NoError);
    return highest;
}

// ---- reading ----

void DataFile::setReadAhead(int key, int rows)
{
    cursorFor(key).setReadAhead(rows);
}

Cursor &DataFile::cursorFor(int key)
{
    std::unique_ptr<Cursor> &slot = keyCursors_[key];
    if (!slot)
        slot = std::make_unique<Cursor>(*this, CursorQuery{key, {}, {}, nullptr, {}});
    return *slot;
}

static int notOpen()
{
    setResult(FileNotOpen);
    return FileNotOpen;
}

int DataFile::place(int key, void (*at)(Cursor &, const Record &))
{
    if (!isOpen())
        return notOpen();
    cursor_ = &cursorFor(key);
    at(*cursor_, buffer_);
    setResult(NoError);
    return NoError;
}

int DataFile::setToStart(int key)
{
    return place(key, [](Cursor &c, const Record &) { c.toStart(); });
}

int DataFile::setToEnd(int key)
{
    return place(key, [](Cursor &c, const Record &) { c.toEnd(); });
}

int DataFile::set(int key)
{
    return place(key, [](Cursor &c, const Record &buffer) { c.atKeyOf(buffer); });
}

int DataFile::read(bool forward)
{
    if (!isOpen())
        return notOpen();
    const int code = forward ? cursor().next() : cursor().previous();
    if (code == NoError && watchNext_)
        buffer_.watched = true;
    watchNext_ = false;
    return code;
}

int DataFile::bindKey(sqlite3_stmt *stmt, int first, int key, const Record &from) const
{
    for (int f : def_.keys[size_t(key)].components) {
        if (def_.fields[size_t(f)].isText())
            bindText(stmt, first++, keyText(from.text(f)));
        else
            sqlite3_bind_int64(stmt, first++, from.number(f));
    }
    return first;
}

void DataFile::readRow(sqlite3_stmt *stmt, int first, Record &into)
{
    const FileDef &def = into.def();
    into.rowId = sqlite3_column_int64(stmt, first);
    into.version = sqlite3_column_int64(stmt, first + 1);
    into.watched = false;
    std::vector<Value> &values = into.values();
    for (size_t f = 0; f < def.fields.size(); ++f) {
        const int column = first + 2 + int(f);
        if (def.fields[f].isText()) {
            values[f].text = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, column)),
                                               sqlite3_column_bytes(stmt, column));
            values[f].number = 0;
        } else {
            values[f].number = sqlite3_column_int64(stmt, column);
            values[f].text.clear();
        }
    }
}

int DataFile::get(int key)
{
    if (!isOpen())
        return notOpen();
    sqlite3_stmt *stmt = statement(GetByKey + key, [this, key] {
        const TableSql &t = tableSql(def_);
        const KeySql &k = t.keys[size_t(key)];
        return "SELECT " + t.selectList + " FROM %S.records WHERE "
               + (k.optPredicate.isEmpty() ? QString() : k.optPredicate + " AND ") + "(" + k.columns.join(", ")
               + ") = (" + placeholders(k.columns.size()) + ") ORDER BY rid LIMIT 1";
    });
    if (!stmt)
        return lastCode();
    bindKey(stmt, 1, key, buffer_);
    return fetchOne(stmt, key);
}

// Steps a query for one record into the buffer; reading on continues after it in `key`.
int DataFile::fetchOne(sqlite3_stmt *stmt, int key)
{
    const int rc = sqlite3_step(stmt);
    if (rc == SQLITE_ROW) {
        readRow(stmt, 0, buffer_);
        if (watchNext_)
            buffer_.watched = true;
        watchNext_ = false;
        finish(stmt, rc);
        cursor_ = &cursorFor(key);
        cursor().after(buffer_);
        setResult(NoError);
        return NoError;
    }
    finish(stmt, rc);
    if (rc != SQLITE_DONE)
        return fail(rc);
    setResult(RecordNotFound);
    return RecordNotFound;
}

QByteArray DataFile::position() const
{
    return QByteArray::number(buffer_.rowId);
}

int DataFile::reget(const QByteArray &position)
{
    if (!isOpen())
        return notOpen();
    bool ok = false;
    const qint64 rid = position.toLongLong(&ok);
    if (!ok || rid <= 0) {
        setResult(RecordNotFound);
        return RecordNotFound;
    }
    sqlite3_stmt *stmt = statement(Reget, [this] {
        return "SELECT " + tableSql(def_).selectList + " FROM %S.records WHERE rid = ?";
    });
    if (!stmt)
        return lastCode();
    sqlite3_bind_int64(stmt, 1, rid);
    return fetchOne(stmt, cursor().key());
}

// ---- writing ----

void DataFile::bindFields(sqlite3_stmt *stmt, int first, const Record &from) const
{
    const TableSql &t = tableSql(def_);
    for (size_t f = 0; f < def_.fields.size(); ++f) {
        if (def_.fields[f].isText())
            bindText(stmt, first + int(f), from.text(int(f)));
        else
            sqlite3_bind_int64(stmt, first + int(f), from.number(int(f)));
    }
    int index = first + int(def_.fields.size());
    for (int f : t.shadowFields)
        bindText(stmt, index++, keyText(from.text(f)));
}

int DataFile::findDuplicateKey(qint64 rowId)
{
    const TableSql &t = tableSql(def_);
    for (size_t key = 0; key < def_.keys.size(); ++key) {
        const KeyDef &k = def_.keys[key];
        if (!k.unique)
            continue;
        bool blank = true;
        for (int f : k.components)
            blank = blank && (def_.fields[size_t(f)].isText() ? buffer_.text(f).isEmpty() : buffer_.number(f) == 0);
        if (k.opt && blank)
            continue;
        StorageResult error;
        sqlite3_stmt *stmt = conn_->prepare("SELECT 1 FROM " + schema_ + ".records WHERE (" + t.keys[key].columns.join(", ")
                                                + ") = (" + placeholders(qsizetype(k.components.size())) + ") AND rid <> ? LIMIT 1", error);
        if (!stmt)
            continue;
        const int next = bindKey(stmt, 1, int(key), buffer_);
        sqlite3_bind_int64(stmt, next, rowId);
        const bool found = sqlite3_step(stmt) == SQLITE_ROW;
        sqlite3_finalize(stmt);
        if (found) {
            duplicateKey_ = def_.keyName(int(key));
            setResult(DuplicateKey, duplicateKey_);
            return DuplicateKey;
        }
    }
    duplicateKey_.clear();
    setResult(DuplicateKey);
    return DuplicateKey;
}

int DataFile::add()
{
    if (!isOpen())
        return notOpen();
    conn_->stopReading();
    sqlite3_stmt *stmt = statement(Insert, [this] {
        const TableSql &t = tableSql(def_);
        return "INSERT INTO %S.records(" + (t.fieldColumns + t.shadowColumns).join(", ") + ") VALUES("
               + placeholders(t.fieldColumns.size() + t.shadowColumns.size()) + ")";
    });
    if (!stmt)
        return lastCode();
    bindFields(stmt, 1, buffer_);
    const int rc = finish(stmt, sqlite3_step(stmt));
    invalidateCursors();
    if (rc != SQLITE_DONE) {
        if (sqlite3_extended_errcode(conn_->handle()) == SQLITE_CONSTRAINT_UNIQUE)
            return findDuplicateKey(0);
        return fail(rc);
    }
    buffer_.rowId = sqlite3_last_insert_rowid(conn_->handle());
    buffer_.version = 1;
    buffer_.watched = false;
    cursor().after(buffer_);
    setResult(NoError);
    return NoError;
}

int DataFile::put()
{
    if (!isOpen())
        return notOpen();
    conn_->stopReading();
    if (buffer_.rowId <= 0) {
        setResult(RecordNotAvailable);
        return RecordNotAvailable;
    }
    const TableSql &t = tableSql(def_);
    const bool watched = buffer_.watched;
    sqlite3_stmt *stmt = statement(watched ? UpdateWatched : Update, [&t, watched] {
        QStringList sets{"ver = ver + 1"};
        for (const QString &c : t.fieldColumns + t.shadowColumns)
            sets << c + " = ?";
        return "UPDATE %S.records SET " + sets.join(", ") + " WHERE rid = ?" + (watched ? " AND ver = ?" : "")
               + " RETURNING ver";
    });
    if (!stmt)
        return lastCode();
    bindFields(stmt, 1, buffer_);
    const int next = 1 + int(t.fieldColumns.size() + t.shadowColumns.size());
    sqlite3_bind_int64(stmt, next, buffer_.rowId);
    if (watched)
        sqlite3_bind_int64(stmt, next + 1, buffer_.version);
    int rc = sqlite3_step(stmt);
    const bool updated = rc == SQLITE_ROW;
    if (updated) {
        buffer_.version = sqlite3_column_int64(stmt, 0);
        rc = sqlite3_step(stmt);
    }
    finish(stmt, rc);
    invalidateCursors();
    if (rc != SQLITE_DONE) {
        if (sqlite3_extended_errcode(conn_->handle()) == SQLITE_CONSTRAINT_UNIQUE)
            return findDuplicateKey(buffer_.rowId);
        return fail(rc);
    }
    if (!updated) {
        const int code = watched ? ChangedByAnotherStation : RecordNotFound;
        setResult(code);
        return code;
    }
    cursor().after(buffer_);
    setResult(NoError);
    return NoError;
}

int DataFile::remove()
{
    if (!isOpen())
        return notOpen();
    conn_->stopReading();
    if (buffer_.rowId <= 0) {
        setResult(RecordNotAvailable);
        return RecordNotAvailable;
    }
    const bool watched = buffer_.watched;
    sqlite3_stmt *stmt = statement(watched ? DeleteWatched : Delete, [watched] {
        return QStringLiteral("DELETE FROM %S.records WHERE rid = ?") + (watched ? " AND ver = ?" : "");
    });
    if (!stmt)
        return lastCode();
    sqlite3_bind_int64(stmt, 1, buffer_.rowId);
    if (watched)
        sqlite3_bind_int64(stmt, 2, buffer_.version);
    const int rc = finish(stmt, sqlite3_step(stmt));
    invalidateCursors();
    if (rc != SQLITE_DONE)
        return fail(rc);
    if (sqlite3_changes(conn_->handle()) == 0) {
        const int code = watched ? ChangedByAnotherStation : RecordNotFound;
        setResult(code);
        return code;
    }
    // Reading on continues from where the deleted record stood.
    cursor().after(buffer_);
    buffer_.rowId = 0;
    buffer_.watched = false;
    setResult(NoError);
    return NoError;
}

// ---- bulk mode and maintenance ----

int DataFile::stream()
{
    if (!isOpen())
        return notOpen();
    if (streaming_) {
        setResult(NoError);
        return NoError;
    }
    StorageResult error;
    if (!conn_->beginBulk(error)) {
        setResult(error);
        return error.code;
    }
    streaming_ = true;
    // A larger page cache keeps the key indexes of a long batch in memory.
    conn_->exec("PRAGMA " + schema_ + ".cache_size = -131072", error);
    setResult(NoError);
    return NoError;
}

int DataFile::flush()
{
    if (!isOpen())
        return notOpen();
    if (!streaming_) {
        setResult(NoError);
        return NoError;
    }
    StorageResult error;
    streaming_ = false;
    conn_->exec("PRAGMA " + schema_ + ".cache_size = " + QString::number(ReadingCacheKiB), error);
    if (!conn_->endBulk(error)) {
        setResult(error);
        return error.code;
    }
    setResult(NoError);
    return NoError;
}

bool DataFile::rebuildIndexes(StorageResult &error)
{
    const TableSql &t = tableSql(def_);
    bool ok = conn_->exec("SAVEPOINT rebuild_keys", error);
    if (ok && !t.shadowColumns.isEmpty()) {
        QStringList sets;
        for (size_t i = 0; i < t.shadowFields.size(); ++i)
            sets << t.shadowColumns[qsizetype(i)] + " = crx_key(" + t.fieldColumns[t.shadowFields[i]] + ")";
        ok = conn_->exec("UPDATE " + schema_ + ".records SET " + sets.join(", "), error);
    }
    for (const KeySql &k : t.keys) {
        ok = ok && conn_->exec("DROP INDEX IF EXISTS " + schema_ + "." + k.indexName, error);
        QString create = k.createIndex;
        ok = ok && conn_->exec(create.replace("%S", schema_), error);
    }
    StorageResult ignored;
    if (!ok) {
        conn_->exec("ROLLBACK TO rebuild_keys", ignored);
        conn_->exec("RELEASE rebuild_keys", ignored);
        return false;
    }
    return conn_->exec("RELEASE rebuild_keys", error);
}

int DataFile::rebuildKeys()
{
    const bool wasOpen = isOpen();
    StorageResult error;
    if (!wasOpen) {
        conn_ = Connection::single(path(), false, error);
        if (!conn_) {
            setResult(error);
            return error.code;
        }
        schema_ = QStringLiteral("main");
    }
    conn_->stopReading();
    const bool ok = rebuildIndexes(error);
    if (!wasOpen) {
        resetStatements();
        conn_.reset();
        schema_.clear();
    } else {
        invalidateCursors();
    }
    setResult(ok ? StorageResult{} : error);
    return ok ? NoError : error.code;
}

int DataFile::pack()
{
    if (!isOpen())
        return notOpen();
    conn_->stopReading();
    resetStatements();
    StorageResult error;
    if (!conn_->exec("VACUUM " + schema_, error)) {
        setResult(error);
        return error.code;
    }
    setResult(NoError);
    return NoError;
}

int DataFile::upgradeLayout()
{
    if (isOpen()) {
        setResult(FileAlreadyOpen);
        return FileAlreadyOpen;
    }
    if (!QFileInfo(path()).isFile()) {
        setResult(FileNotFound);
        return FileNotFound;
    }
    StorageResult error;
    conn_ = Connection::single(path(), false, error);
    if (!conn_) {
        setResult(error);
        return error.code;
    }
    schema_ = QStringLiteral("main");
    const int code = upgradeOpenFile();
    const StorageResult result = lastResult();
    resetStatements();
    conn_.reset();
    schema_.clear();
    setResult(result);
    return code;
}

int DataFile::upgradeOpenFile()
{
    Shape shape;
    int code = readShape(shape);
    if (code != NoError)
        return code;
    // An empty database (a zero-length file) holds nothing to keep: give it the layout.
    if (shape.empty())
        return writeTable(true);
    code = refusal(shape);
    if (code != NoError)
        return code;
    // A file of the current layout is never rewritten here, whatever else is wrong with it.
    if (shape.layout == def_.layoutVersion && hasEveryColumn(shape)) {
        setDriverResult(InvalidDataFile, 0, QStringLiteral("the file has the current layout"));
        return InvalidDataFile;
    }

    const TableSql &t = tableSql(def_);
    StorageResult error;
    bool ok = conn_->exec("BEGIN IMMEDIATE", error);
    for (size_t f = 0; ok && f < def_.fields.size(); ++f)
        if (!shape.columns.contains(t.fieldColumns[qsizetype(f)]))
            ok = conn_->exec("ALTER TABLE records ADD COLUMN " + t.fieldColumns[qsizetype(f)]
                                 + (def_.fields[f].isText() ? " TEXT NOT NULL DEFAULT ''" : " INTEGER NOT NULL DEFAULT 0"),
                             error);
    for (const QString &shadow : t.shadowColumns)
        if (ok && !shape.columns.contains(shadow))
            ok = conn_->exec("ALTER TABLE records ADD COLUMN " + shadow + " TEXT NOT NULL DEFAULT ''", error);
    ok = ok && conn_->exec(QStringLiteral("UPDATE file_info SET layout = %1").arg(def_.layoutVersion), error);
    // New columns need their shadows and the keys their indexes, in the same transaction.
    ok = ok && rebuildIndexes(error);
    ok = ok && conn_->exec("COMMIT", error);
    if (!ok) {
        StorageResult ignored;
        conn_->exec("ROLLBACK", ignored);
        setResult(error);
        return error.code;
    }
    setResult(NoError);
    return NoError;
}

} // namespace crx
