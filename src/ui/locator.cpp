#include "locator.h"

namespace crx {

bool IncrementalLocator::type(QChar c)
{
    if (!c.isPrint() || text_.size() >= MaxLength)
        return false;
    text_ += c;
    return true;
}

bool IncrementalLocator::backspace()
{
    if (text_.isEmpty())
        return false;
    text_.chop(1);
    return true;
}

} // namespace crx
