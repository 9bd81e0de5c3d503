// List column formats in the notation the lists are designed in, for
// example "80L(2)|M~Category~L(2)@s30@": per column a width, an alignment
// (L, R, C or D) with its offset, flags (| a right border, M resizable, _
// underline, ...), a header between tildes with its own alignment, and a
// picture between @ signs. The text of a format is kept as it was written, so
// that writing it back changes nothing.
#pragma once

#include <QString>
#include <vector>

namespace crx {

struct ListColumn {
    int width = 0;
    QChar alignment = 'L';
    int offset = 0;
    QString flags;
    QString header;
    QString picture; // with its @ signs, "@s30@"
    QString text;    // the column as written
    bool resizable() const { return flags.contains('M'); }
    bool rightBorder() const { return flags.contains('|'); }
};

// The columns of a format; an empty list when the text is not a format.
std::vector<ListColumn> parseListFormat(const QString &format);
QString listFormatText(const std::vector<ListColumn> &columns);
// The format with each column's width replaced by the one given (columns beyond the list of
// widths keep theirs); everything else stays as written.
QString listFormatWithWidths(const QString &format, const std::vector<int> &widths);
// Every date picture ("@D...@") of a format becomes the DateFormat setting's picture.
QString listFormatWithDateFormat(const QString &format, const QString &dateFormat);

} // namespace crx
