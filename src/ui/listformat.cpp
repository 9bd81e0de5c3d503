#include "listformat.h"

#include "picture.h"

#include <QRegularExpression>

namespace crx {
namespace {

const QRegularExpression &columnPattern()
{
    static const QRegularExpression pattern(QStringLiteral(
        "\\G(\\d+)([LRCD])(?:\\((-?\\d+)\\))?([^~@0-9]*)(?:~([^~]*)~(?:[LRCD](?:\\(-?\\d+\\))?)?)?([^@0-9]*)(@[^@]*@)?"));
    return pattern;
}

} // namespace

std::vector<ListColumn> parseListFormat(const QString &format)
{
    std::vector<ListColumn> columns;
    qsizetype at = 0;
    while (at < format.size()) {
        const QRegularExpressionMatch m = columnPattern().match(format, at);
        if (!m.hasMatch() || m.capturedLength() == 0)
            return {};
        ListColumn c;
        c.width = m.captured(1).toInt();
        c.alignment = m.captured(2).at(0);
        c.offset = m.captured(3).toInt();
        c.flags = m.captured(4) + m.captured(6);
        c.header = m.captured(5);
        c.picture = m.captured(7);
        c.text = m.captured(0);
        columns.push_back(c);
        at += m.capturedLength();
    }
    return columns;
}

QString listFormatText(const std::vector<ListColumn> &columns)
{
    QString text;
    for (const ListColumn &c : columns)
        text += c.text;
    return text;
}

QString listFormatWithWidths(const QString &format, const std::vector<int> &widths)
{
    std::vector<ListColumn> columns = parseListFormat(format);
    if (columns.empty())
        return format;
    for (size_t i = 0; i < columns.size() && i < widths.size(); ++i) {
        ListColumn &c = columns[i];
        qsizetype digits = 0;
        while (digits < c.text.size() && c.text.at(digits).isDigit())
            ++digits;
        c.width = std::max(0, widths[i]);
        c.text = QString::number(c.width) + c.text.mid(digits);
    }
    return listFormatText(columns);
}

QString listFormatWithDateFormat(const QString &format, const QString &dateFormat)
{
    static const QRegularExpression datePicture(QStringLiteral("@([Dd][^@]*)@"));
    QString out;
    qsizetype last = 0;
    for (auto it = datePicture.globalMatch(format); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out += format.mid(last, m.capturedStart() - last);
        out += '@' + withDateFormat(m.captured(1), dateFormat) + '@';
        last = m.capturedEnd();
    }
    return out + format.mid(last);
}

} // namespace crx
