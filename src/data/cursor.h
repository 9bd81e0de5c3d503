// Reading a file in one key order, a page of rows at a time: every read runs a
// fresh query from the last record seen and lets its statement go, so nothing
// stays open between two reads and other processes can write in between.
#pragma once

#include "record.h"

#include <QString>
#include <QVariant>
#include <deque>
#include <vector>

struct sqlite3_stmt;

namespace crx {

class DataFile;

struct CursorQuery {
    int key = -1;                   // -1: the order in which records were added, or by field
    QString where;                  // extra condition over c.<column> (and p.<column>), may be empty
    std::vector<QVariant> params;   // bound in order for the ?s of `where`
    DataFile *parent = nullptr;     // joined to this parent file, when set
    QString joinOn;                 // "p.x = c.y"
    int field = -1;                 // without a key: ordered on this field (text without regard to case)
    bool descending = false;        // the field order read from its highest value
};

class Cursor
{
public:
    Cursor(DataFile &file, CursorQuery query);
    ~Cursor();
    Cursor(const Cursor &) = delete;
    Cursor &operator=(const Cursor &) = delete;

    int key() const { return query_.key; }
    // The fields the order compares, in turn: the key's, or the one field ordered on.
    std::vector<int> orderFields() const;
    void toStart();
    void toEnd();
    void atKeyOf(const Record &record); // at the first record not less than its key value
    void after(const Record &record);   // just past this record (read from the file)
    void at(const Record &record);      // at this record, or just past where it stood

    // How many records the next read fetches at once (a caller that knows it wants n
    // records saves reading more); later reads fetch longer pages.
    void setReadAhead(int rows);

    int next() { return read(true); }
    int previous() { return read(false); }
    void invalidate() { page_.clear(); }
    void release();

private:
    enum class Mode { Start, End, AtValue, After };
    struct Row {
        std::vector<Value> values;
        qint64 rid = 0, ver = 0;
        std::vector<Value> key;
        bool hasParent = false;
        std::vector<Value> parentValues;
        qint64 parentRid = 0, parentVer = 0;
    };

    void restart();
    int read(bool forward);
    int fetch(bool forward);
    sqlite3_stmt *statement(Mode mode, bool forward);
    void deliver(Row &row);

    DataFile &file_;
    CursorQuery query_;
    Mode mode_ = Mode::Start;
    std::vector<Value> position_; // key values of the AtValue / After position
    qint64 positionRid_ = 0;
    std::deque<Row> page_;
    bool pageForward_ = true;
    bool exhausted_ = false;
    // A first page holds about what a list shows; reading on gets longer pages.
    static constexpr int FirstPage = 32;
    static constexpr int LaterPages = 64;
    int firstPage_ = FirstPage;
    int pageSize_ = FirstPage;
    sqlite3_stmt *statements_[8] = {};
    QString texts_[8]; // the text of each statement, to give it back by
};

} // namespace crx
