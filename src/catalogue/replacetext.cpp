#include "replacetext.h"

namespace crx {

QString replaceText(const QString &field, int width, const QString &find, const QString &replacement)
{
    if (find.isEmpty() || width <= 0)
        return field;
    QString text = field.leftJustified(width, ' ', true);
    for (int p = width - 1; p >= 0; --p) {
        // Positions past the end of the field count as blanks.
        if (text.mid(p).leftJustified(find.size(), ' ', true) != find)
            continue;
        text = (text.left(p) + replacement + text.mid(p + find.size())).leftJustified(width, ' ', true);
    }
    while (text.endsWith(' '))
        text.chop(1);
    return text;
}

} // namespace crx
