// The text of an incremental locator, as the person types it on a list.
#pragma once

#include <QString>

namespace crx {

class IncrementalLocator
{
public:
    static constexpr int MaxLength = 30;

    // A key typed on the list: true when the text changed (the list then locates on it).
    bool type(QChar c);
    bool backspace();
    void clear() { text_.clear(); }
    QString text() const { return text_; }

private:
    QString text_;
};

} // namespace crx
