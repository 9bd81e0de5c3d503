// The page of a list: the rows it shows and no more, read forwards or
// backwards through a view from the rows at its edges, so that a list over a
// million songs reads as little as one over ten. Scrolling, locating and the
// step locator move the selection; the selected row is loaded into the
// file's record buffer.
#pragma once

#include "record.h"
#include "steptable.h"

#include <QByteArray>
#include <QVariant>
#include <deque>
#include <vector>

namespace crx {

class DataFile;
class View;

struct BrowseRow {
    Record record;
    QByteArray position;
};

class BrowsePage
{
public:
    // The view is set up (key, range, filter) and opened by the caller.
    BrowsePage(DataFile &file, View &view, int capacity);

    void setCapacity(int rows) { capacity_ = std::max(1, rows); }
    // The view's range holds the key's first fields at these values: the step table, the thumb
    // and the locators then work on the field after them.
    void setFixedLeading(std::vector<QVariant> values) { fixed_ = std::move(values); }
    int capacity() const { return capacity_; }
    const std::deque<BrowseRow> &rows() const { return rows_; }
    // The selected row, -1 when the page is empty.
    int selected() const { return selected_; }
    bool full() const { return int(rows_.size()) >= capacity_; }

    // Each returns false when a read failed (message 35 has been shown; the list closes).
    bool top();
    bool bottom();
    bool lineDown();
    bool lineUp();
    bool pageDown();
    bool pageUp();
    // At the record in the file's buffer when it was read from the file (or where it stood),
    // otherwise at the first record whose key is not below the key values in the buffer.
    bool locate();
    // Typing a character on a list whose key starts with a text field.
    bool stepLocate(QChar c);
    // The key's first field set to the text (a number for a numeric key), the other key
    // fields at their lowest, and located: what an incremental locator does after each key.
    bool locateOn(const QString &text);
    void select(int row);

    // The step table over the key's range, rebuilt whenever the list refills.
    bool buildSteps(Alphabet alphabet);
    // Where the thumb stands for the selected row (0 when the page is empty).
    int thumb() const;
    // The thumb dragged to p: 1 is the top, 100 the bottom, else step p is located.
    bool dragThumb(int p);

private:
    // Reads up to count records beyond the page's edge; -1 on a read error.
    int fill(bool forward, int count);
    bool fillAround();

    DataFile &file_;
    View &view_;
    int capacity_;
    int keyField() const;

    std::vector<QVariant> fixed_;
    std::deque<BrowseRow> rows_;
    StepTable steps_;
    int selected_ = -1;
};

} // namespace crx
