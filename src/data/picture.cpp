#include "picture.h"

#include <QDate>
#include <QLocale>
#include <QRegularExpression>
#include <QStringList>
#include <cmath>

namespace crx {
namespace {

const QDate dayZero(1800, 12, 28); // day 4 is 1 January 1801

const char *const monthNames[] = {"January", "February", "March", "April", "May", "June", "July",
                                  "August", "September", "October", "November", "December"};

QString two(int n) { return QString::number(n).rightJustified(2, '0'); }
QString shortMonth(int month) { return QString::fromLatin1(monthNames[month - 1]).left(3).toUpper(); }

// A two-digit year in the hundred years that end nineteen years from now.
int fullYear(int year, qsizetype digits)
{
    if (digits > 2)
        return year;
    const int now = QDate::currentDate().year();
    int full = (now / 100) * 100 + year;
    if (full > now + 19)
        full -= 100;
    return full;
}

int monthFromName(const QString &name)
{
    for (int m = 1; m <= 12; ++m)
        if (name.size() >= 3 && QString::fromLatin1(monthNames[m - 1]).startsWith(name, Qt::CaseInsensitive))
            return m;
    return 0;
}

QString formatNumber(const Picture &p, const QVariant &value)
{
    const double number = value.toDouble();
    if (number == 0 && p.blankWhenZero)
        return {};
    QString digits;
    if (p.decimals > 0) {
        digits = QString::number(std::fabs(number), 'f', p.decimals);
    } else {
        const qlonglong whole = value.typeId() == QMetaType::Double ? qlonglong(std::llround(number)) : value.toLongLong();
        digits = QString::number(whole < 0 ? -whole : whole);
    }
    const QString minus = number < 0 ? QStringLiteral("-") : QString();
    QString text = minus + digits;
    if (!p.pad) {
        const qsizetype point = digits.indexOf('.');
        QString whole = point < 0 ? digits : digits.left(point);
        for (qsizetype i = whole.size() - 3; i > 0; i -= 3)
            whole.insert(i, ',');
        const QString grouped = minus + whole + (point < 0 ? QString() : digits.mid(point));
        if (grouped.size() <= p.width)
            text = grouped;
    }
    // A number wider than its picture keeps all its digits: nothing may be lost on the way out.
    return p.pad ? text.rightJustified(p.width, ' ') : text;
}

QString formatDate(const Picture &p, qint64 day)
{
    if (day <= 0)
        return {};
    const QDate d = dayZero.addDays(day);
    if (!d.isValid())
        return {};
    const int y = d.year(), m = d.month(), dd = d.day();
    const QString yy = two(y % 100), yyyy = QString::number(y);
    switch (p.format) {
    case 1: return two(m) + '/' + two(dd) + '/' + yy;
    case 2: return two(m) + '/' + two(dd) + '/' + yyyy;
    case 3: return shortMonth(m) + ' ' + two(dd) + ',' + yyyy;
    case 4: return QString::fromLatin1(monthNames[m - 1]) + ' ' + QString::number(dd) + ", " + yyyy;
    case 5: return two(dd) + '/' + two(m) + '/' + yy;
    case 6: return two(dd) + '/' + two(m) + '/' + yyyy;
    case 7: return two(dd) + ' ' + shortMonth(m) + ' ' + yy;
    case 8: return two(dd) + ' ' + shortMonth(m) + ' ' + yyyy;
    case 9: return yy + '/' + two(m) + '/' + two(dd);
    case 10: return yyyy + '/' + two(m) + '/' + two(dd);
    case 11: return yy + two(m) + two(dd);
    case 12: return yyyy + two(m) + two(dd);
    case 13: return two(m) + '/' + yy;
    case 14: return two(m) + '/' + yyyy;
    case 15: return yy + '/' + two(m);
    case 16: return yyyy + '/' + two(m);
    case 17: return QLocale::system().toString(d, QLocale::ShortFormat);
    case 18: return QLocale::system().toString(d, QLocale::LongFormat);
    default: return {};
    }
}

QString formatTime(const Picture &p, qint64 time)
{
    if (time <= 0)
        return {};
    const qint64 seconds = (time - 1) / 100;
    const int h = int(seconds / 3600), m = int(seconds / 60 % 60), s = int(seconds % 60);
    const QString suffix = h < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
    const int h12 = h % 12 == 0 ? 12 : h % 12;
    switch (p.format) {
    case 1: return QString::number(h) + ':' + two(m);
    case 2: return two(h) + two(m);
    case 3: return QString::number(h12) + ':' + two(m) + suffix;
    case 4: return QString::number(h) + ':' + two(m) + ':' + two(s);
    case 5: return two(h) + two(m) + two(s);
    case 6: return QString::number(h12) + ':' + two(m) + ':' + two(s) + suffix;
    default: return {};
    }
}

QVariant readNumber(const Picture &p, const QString &text, bool *ok)
{
    QString t = text.trimmed();
    t.remove(',');
    t.remove(' ');
    if (t.isEmpty())
        return p.decimals > 0 ? QVariant(0.0) : QVariant(qlonglong(0));
    bool valid = false;
    const double number = t.toDouble(&valid);
    *ok = valid && std::isfinite(number);
    if (!*ok)
        return p.decimals > 0 ? QVariant(0.0) : QVariant(qlonglong(0));
    if (p.decimals > 0)
        return number;
    return qlonglong(std::llround(number));
}

QVariant readDate(const Picture &p, const QString &text, bool *ok)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return qlonglong(0);
    QDate date;
    if (p.format == 17 || p.format == 18) {
        date = QLocale::system().toDate(t, p.format == 17 ? QLocale::ShortFormat : QLocale::LongFormat);
    } else {
        int y = 0, m = 0, d = 1;
        qsizetype yearDigits = 4;
        static const QRegularExpression parts(QStringLiteral("[0-9]+|[A-Za-z]+"));
        QStringList tokens;
        for (auto it = parts.globalMatch(t); it.hasNext();)
            tokens << it.next().captured();
        const auto number = [&](int i) { return i < tokens.size() ? tokens[i].toInt() : -1; };
        const auto year = [&](int i) {
            yearDigits = i < tokens.size() ? tokens[i].size() : 0;
            return number(i);
        };
        const auto digits = [&](int from, int count) { return t.mid(from, count).toInt(); };
        switch (p.format) {
        case 1: case 2: m = number(0); d = number(1); y = year(2); break;
        case 3: case 4: m = tokens.isEmpty() ? 0 : monthFromName(tokens[0]); d = number(1); y = year(2); break;
        case 5: case 6: d = number(0); m = number(1); y = year(2); break;
        case 7: case 8: d = number(0); m = tokens.size() > 1 ? monthFromName(tokens[1]) : 0; y = year(2); break;
        case 9: case 10: y = year(0); m = number(1); d = number(2); break;
        case 11:
        case 12: {
            const int yd = p.format == 11 ? 2 : 4;
            if (t.size() != yd + 4 || tokens.size() != 1) {
                *ok = false;
                return qlonglong(0);
            }
            y = digits(0, yd);
            yearDigits = yd;
            m = digits(yd, 2);
            d = digits(yd + 2, 2);
            break;
        }
        case 13: case 14: m = number(0); y = year(1); break;
        case 15: case 16: y = year(0); m = number(1); break;
        default: break;
        }
        if (y >= 0 && yearDigits > 0)
            date = QDate(fullYear(y, yearDigits), m, d);
    }
    const qint64 day = date.isValid() ? dayZero.daysTo(date) : 0;
    *ok = day > 0;
    return qlonglong(*ok ? day : 0);
}

QVariant readTime(const Picture &p, const QString &text, bool *ok)
{
    QString t = text.trimmed().toUpper();
    if (t.isEmpty())
        return qlonglong(0);
    int add = 0;
    bool twelveHour = false;
    if (t.endsWith(QLatin1String("AM")) || t.endsWith(QLatin1String("PM"))) {
        twelveHour = true;
        add = t.endsWith(QLatin1String("PM")) ? 12 : 0;
        t.chop(2);
        t = t.trimmed();
    }
    QList<int> parts;
    if (t.contains(':')) {
        for (const QString &part : t.split(':')) {
            bool valid = false;
            parts << part.toInt(&valid);
            if (!valid || part.isEmpty()) {
                *ok = false;
                return qlonglong(0);
            }
        }
    } else {
        bool valid = false;
        t.toInt(&valid);
        if (!valid || t.size() % 2 != 0 || t.size() > 6) {
            *ok = false;
            return qlonglong(0);
        }
        for (qsizetype i = 0; i < t.size(); i += 2)
            parts << t.mid(i, 2).toInt();
    }
    while (parts.size() < 3)
        parts << 0;
    int h = parts[0], m = parts[1], s = parts[2];
    if (twelveHour)
        h = h % 12 + add;
    *ok = parts.size() == 3 && m < 60 && s < 60 && h >= 0 && m >= 0 && s >= 0 && p.format >= 1;
    if (!*ok)
        return qlonglong(0);
    return qlonglong((h * 3600LL + m * 60 + s) * 100 + 1);
}

} // namespace

Picture parsePicture(const QString &picture)
{
    QString t = picture.trimmed();
    if (t.startsWith('@'))
        t.remove(0, 1);
    Picture p;
    if (t.isEmpty())
        return p;
    const QChar kind = t[0].toLower();
    QString rest = t.mid(1);
    if (rest.endsWith('b', Qt::CaseInsensitive)) {
        p.blankWhenZero = true;
        rest.chop(1);
    }
    static const QRegularExpression number(QStringLiteral("^([-_]*)([0-9]+)(?:\\.([0-9]+))?$"));
    static const QRegularExpression ordinal(QStringLiteral("^([0-9]+)\\D*$"));
    if (kind == 's') {
        bool ok = false;
        p.width = rest.toInt(&ok);
        if (ok && p.width > 0)
            p.kind = Picture::Text;
    } else if (kind == 'n') {
        const auto m = number.match(rest);
        if (m.hasMatch()) {
            p.kind = Picture::Number;
            p.sign = m.captured(1).contains('-');
            p.pad = m.captured(1).contains('_');
            p.width = m.captured(2).toInt();
            p.decimals = m.captured(3).toInt();
        }
    } else if (kind == 'd' || kind == 't') {
        const auto m = ordinal.match(rest);
        const int format = m.hasMatch() ? m.captured(1).toInt() : 0;
        if (format >= 1 && format <= (kind == 'd' ? 18 : 6)) {
            p.kind = kind == 'd' ? Picture::Date : Picture::Time;
            p.format = format;
        }
    }
    return p;
}

QString formatValue(const QString &picture, const QVariant &value)
{
    return formatValue(parsePicture(picture), value);
}

QString formatValue(const Picture &p, const QVariant &value)
{
    switch (p.kind) {
    case Picture::Text: {
        QString text = value.toString().left(p.width);
        while (text.endsWith(' '))
            text.chop(1);
        return text;
    }
    case Picture::Number: return formatNumber(p, value);
    case Picture::Date: return formatDate(p, value.toLongLong());
    case Picture::Time: return formatTime(p, value.toLongLong());
    case Picture::Invalid: break;
    }
    return value.toString();
}

QVariant readValue(const QString &picture, const QString &text, bool *ok)
{
    bool valid = true;
    bool *result = ok ? ok : &valid;
    *result = true;
    const Picture p = parsePicture(picture);
    switch (p.kind) {
    case Picture::Number: return readNumber(p, text, result);
    case Picture::Date: return readDate(p, text, result);
    case Picture::Time: return readTime(p, text, result);
    case Picture::Text: return text.left(p.width);
    case Picture::Invalid: break;
    }
    return text;
}

QString withDateFormat(const QString &picture, const QString &dateFormat)
{
    const bool at = picture.startsWith('@');
    const QString bare = at ? picture.mid(1) : picture;
    if (!bare.startsWith('d', Qt::CaseInsensitive))
        return picture;
    const QString format = dateFormat.trimmed().isEmpty() ? QStringLiteral("n4b") : dateFormat.trimmed();
    return at ? '@' + format : format;
}

qint64 dayNumber(int year, int month, int day)
{
    const QDate d(year, month, day);
    return d.isValid() ? dayZero.daysTo(d) : 0;
}

bool dateOfDay(qint64 day, int *year, int *month, int *day_)
{
    const QDate d = dayZero.addDays(day);
    if (day <= 0 || !d.isValid())
        return false;
    d.getDate(year, month, day_);
    return true;
}

} // namespace crx
