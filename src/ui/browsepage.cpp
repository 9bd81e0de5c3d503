#include "browsepage.h"

#include "datafile.h"
#include "standardmessages.h"
#include "transaction.h"
#include "view.h"

namespace crx {

BrowsePage::BrowsePage(DataFile &file, View &view, int capacity)
    : file_(file), view_(view), capacity_(std::max(1, capacity))
{
}

void BrowsePage::select(int row)
{
    if (rows_.empty()) {
        selected_ = -1;
        file_.buffer().clear();
        return;
    }
    selected_ = std::clamp(row, 0, int(rows_.size()) - 1);
    file_.buffer() = rows_[size_t(selected_)].record;
}

int BrowsePage::fill(bool forward, int count)
{
    if (!rows_.empty())
        view_.setAfter(forward ? rows_.back().record : rows_.front().record);
    view_.setReadAhead(count);
    if (count > 1)
        file_.send(QStringLiteral("QUICKSCAN=on"));
    int read = 0;
    int code = NoError;
    while (read < count) {
        code = forward ? view_.next() : view_.previous();
        if (code != NoError)
            break;
        BrowseRow row{file_.buffer(), file_.position()};
        if (full()) {
            if (forward)
                rows_.pop_front();
            else
                rows_.pop_back();
        }
        if (forward)
            rows_.push_back(std::move(row));
        else
            rows_.push_front(std::move(row));
        ++read;
    }
    if (count > 1)
        file_.send(QStringLiteral("QUICKSCAN=off"));
    if (code != NoError && code != RecordNotAvailable) {
        ShowStandardMessage(35, file_.def().label);
        return -1;
    }
    return read;
}

bool BrowsePage::top()
{
    const ReadTogether together(file_);
    rows_.clear();
    view_.setToStart();
    if (fill(true, capacity_) < 0)
        return false;
    select(0);
    return true;
}

bool BrowsePage::bottom()
{
    const ReadTogether together(file_);
    rows_.clear();
    view_.setToEnd();
    if (fill(false, capacity_) < 0)
        return false;
    select(int(rows_.size()) - 1);
    return true;
}

bool BrowsePage::lineDown()
{
    const ReadTogether together(file_);
    if (rows_.empty())
        return top();
    if (selected_ < int(rows_.size()) - 1) {
        select(selected_ + 1);
        return true;
    }
    const bool wasFull = full();
    const int read = fill(true, 1);
    if (read < 0)
        return false;
    select(wasFull ? int(rows_.size()) - 1 : selected_ + read);
    return true;
}

bool BrowsePage::lineUp()
{
    const ReadTogether together(file_);
    if (rows_.empty())
        return bottom();
    if (selected_ > 0) {
        select(selected_ - 1);
        return true;
    }
    const int read = fill(false, 1);
    if (read < 0)
        return false;
    select(0);
    return true;
}

bool BrowsePage::pageDown()
{
    const ReadTogether together(file_);
    if (rows_.empty())
        return top();
    const int before = int(rows_.size());
    const int read = fill(true, capacity_);
    if (read < 0)
        return false;
    // Rows dropped at the top move the selected record up by as many rows.
    const int dropped = before + read - int(rows_.size());
    select(selected_ - dropped + capacity_);
    return true;
}

bool BrowsePage::pageUp()
{
    const ReadTogether together(file_);
    if (rows_.empty())
        return bottom();
    const int read = fill(false, capacity_);
    if (read < 0)
        return false;
    select(selected_ + read - capacity_);
    return true;
}

bool BrowsePage::fillAround()
{
    // The found record, then the rows before it, then after it, then before again at the end of the file.
    if (fill(false, (capacity_ - 1) / 2) < 0 || fill(true, capacity_ - int(rows_.size())) < 0)
        return false;
    if (!full() && fill(false, capacity_ - int(rows_.size())) < 0)
        return false;
    return true;
}

bool BrowsePage::locate()
{
    const ReadTogether together(file_);
    rows_.clear();
    // A record read from the file is found again by its position, among others of the same key.
    if (file_.buffer().rowId > 0)
        view_.setAt(file_.buffer());
    else
        view_.set();
    view_.setReadAhead(1);
    const int code = view_.next();
    if (code == RecordNotAvailable)
        return bottom();
    if (code != NoError) {
        ShowStandardMessage(35, file_.def().label);
        return false;
    }
    const QByteArray found = file_.position();
    rows_.push_back({file_.buffer(), found});
    if (!fillAround())
        return false;
    int at = int(rows_.size()) - 1;
    for (size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].position == found)
            at = int(i);
    select(at);
    return true;
}

int BrowsePage::keyField() const
{
    const std::vector<int> fields = view_.orderFields();
    return fixed_.size() < fields.size() ? fields[fixed_.size()] : -1;
}

bool BrowsePage::buildSteps(Alphabet alphabet)
{
    const ReadTogether together(file_);
    const int field = keyField();
    // The steps come from the ends of a key's index; a list ordered on a field without a key has
    // none (reading its ends would take two passes over the whole file).
    if (field < 0 || view_.key() < 0) {
        steps_ = StepTable();
        return true;
    }
    const Record kept = file_.buffer();
    const bool text = file_.def().fields[size_t(field)].isText();
    view_.setToStart();
    view_.setReadAhead(1);
    int code = view_.next();
    const QVariant first = file_.buffer().get(file_.def().fieldName(field));
    if (code == NoError) {
        view_.setToEnd();
        view_.setReadAhead(1);
        code = view_.previous();
    }
    const QVariant last = file_.buffer().get(file_.def().fieldName(field));
    file_.buffer() = kept;
    if (code == RecordNotAvailable) {
        steps_ = StepTable();
        return true;
    }
    if (code != NoError) {
        ShowStandardMessage(35, file_.def().label);
        return false;
    }
    steps_.build(first, last, text, alphabet);
    return true;
}

int BrowsePage::thumb() const
{
    const int field = keyField();
    if (selected_ < 0 || field < 0)
        return 0;
    return steps_.thumb(rows_[size_t(selected_)].record.get(file_.def().fieldName(field)));
}

bool BrowsePage::dragThumb(int p)
{
    const ReadTogether together(file_);
    if (p <= 1)
        return top();
    if (p >= 100)
        return bottom();
    const int field = keyField();
    if (field < 0 || steps_.empty())
        return true;
    return locateOn(steps_.step(p).toString());
}

bool BrowsePage::stepLocate(QChar c)
{
    const ReadTogether together(file_);
    const int field = keyField();
    if (selected_ < 0 || field < 0)
        return true;
    const auto startsWith = [&] {
        return file_.buffer().text(field).startsWith(c, Qt::CaseInsensitive);
    };
    if (startsWith() && !lineDown())
        return false;
    if (startsWith())
        return true;
    return locateOn(QString(c));
}

bool BrowsePage::locateOn(const QString &text)
{
    const ReadTogether together(file_);
    const int field = keyField();
    if (field < 0)
        return true;
    file_.buffer().clear();
    const std::vector<int> fields = view_.orderFields();
    for (size_t i = 0; i < fixed_.size(); ++i)
        file_.buffer().set(file_.def().fieldName(fields[i]), fixed_[i]);
    // A number key locates on the number typed.
    if (file_.def().fields[size_t(field)].isText())
        file_.buffer().setText(field, text);
    else
        file_.buffer().setNumber(field, text.trimmed().toLongLong());
    return locate();
}

} // namespace crx
