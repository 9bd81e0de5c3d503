// Replacing a text inside a fixed-width field, from right to left over the
// whole width, trailing blanks included.
#pragma once

#include <QString>

namespace crx {

// The field (width characters) with every occurrence of find replaced by replacement,
// scanning from the last position to the first; a replacement may take part in a match
// that begins further left. The result is cut or padded to the width; trailing blanks
// are dropped.
QString replaceText(const QString &field, int width, const QString &find, const QString &replacement);

} // namespace crx
