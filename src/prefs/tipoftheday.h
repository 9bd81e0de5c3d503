// Which tip the tip of the day shows: the tips are numbered 1 to their
// count, possibly with gaps. It starts after the tip shown last time, goes
// round after the count, and finds the first tip at or above (the last at or
// below, going back) the number it arrives at.
#pragma once

#include <QString>

namespace crx {

class FileSet;

class TipOfTheDay
{
public:
    explicit TipOfTheDay(FileSet &files);
    ~TipOfTheDay();

    // The tip after the one shown last (stored under Tip); false when there is none to show.
    bool start(int lastShown);
    void next();
    void back();
    int current() const { return current_; }
    QString text() const { return text_; }

private:
    bool showFrom(int id, bool upwards);

    FileSet &files_;
    int count_ = 0;
    int current_ = 0;
    QString text_;
};

} // namespace crx
