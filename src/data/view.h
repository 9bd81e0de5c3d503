// A view: one file (optionally joined to its parent) read in one key order,
// limited by a range of leading key values and a filter expression. Reads go
// into the files' record buffers, as reads of the file do.
#pragma once

#include "cursor.h"
#include "filter.h"

#include <QHash>
#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

namespace crx {

class DataFile;

class View
{
public:
    explicit View(DataFile &file);
    ~View();

    void setOrder(int key) { key_ = key; }
    int key() const { return key_; }
    // Instead of a key: ordered on one field (text without regard to letter case), from its
    // lowest or its highest value; records of equal value in the order they were added.
    void setFieldOrder(int field, bool descending)
    {
        key_ = -1;
        field_ = field;
        descending_ = descending;
    }
    // The fields the order compares, in turn.
    std::vector<int> orderFields() const;
    // The leading components of the key lie between these values (inclusive).
    void setRange(std::vector<QVariant> low, std::vector<QVariant> high);
    void setFilter(const QString &expression) { filter_ = expression; }
    void bind(const QString &name, const QVariant &value) { bound_.insert(name, value); }
    // Joins each record to its parent of this file (the relation between the two).
    void joinParent(DataFile &parent) { parent_ = &parent; }

    // Compiles the view; InvalidFilter with the reason in filterError() when it cannot.
    int open();
    void close();
    bool isOpen() const { return bool(cursor_); }
    QString filterError() const { return filterError_; }

    int setToStart();
    int setToEnd();
    int set(); // at the first record not less than the file buffer's key value
    // Just past (reading on) or just before (reading back) a record read through the view.
    int setAfter(const Record &record);
    // At a record read through the view, or where it stood when it has gone or moved.
    int setAt(const Record &record);
    // How many records the next read fetches at once.
    void setReadAhead(int rows);
    int next();
    int previous();

private:
    int refuse();

    DataFile &file_;
    DataFile *parent_ = nullptr;
    int key_ = -1;
    int field_ = -1;
    bool descending_ = false;
    std::vector<QVariant> low_, high_;
    QString filter_;
    QHash<QString, QVariant> bound_;
    QString filterError_;
    std::unique_ptr<Cursor> cursor_;
};

} // namespace crx
