#include "steptable.h"

#include "tablesql.h"

#include <algorithm>
#include <cmath>

namespace crx {
namespace {

constexpr int Digits = 4;

// A text as the key orders it: capitals, accented letters among their plain ones.
QString ordered(const QVariant &text)
{
    return keyText(text.toString()).section(QChar(KeySeparator), 0, 0);
}

QString alphabetOf(Alphabet kind)
{
    QString chars;
    for (char c = 'A'; c <= 'Z'; ++c)
        chars += QLatin1Char(c);
    if (kind != Alphabet::Letters)
        for (char c = '0'; c <= '9'; ++c)
            chars += QLatin1Char(c);
    if (kind == Alphabet::LettersDigitsPunctuation)
        chars += QStringLiteral(" `\"!£$%^&*()'-=_+][#;~@:/.,?\\|");
    std::sort(chars.begin(), chars.end());
    return chars;
}

double number(const QString &text, const QString &alphabet)
{
    double n = 0;
    for (int i = 0; i < Digits; ++i) {
        const qsizetype at = i < text.size() ? alphabet.indexOf(text[i]) : -1;
        n = n * double(alphabet.size() + 1) + double(at + 1);
    }
    return n;
}

QString spelled(double n, const QString &alphabet)
{
    const qint64 base = alphabet.size() + 1;
    qint64 value = qint64(std::llround(n));
    QString digits;
    for (int i = 0; i < Digits; ++i) {
        const qint64 d = value % base;
        value /= base;
        digits.prepend(d == 0 ? QChar() : alphabet[qsizetype(d - 1)]);
    }
    digits.remove(QChar());
    return digits;
}

} // namespace

void StepTable::build(const QVariant &first, const QVariant &last, bool text, Alphabet kind)
{
    steps_.assign(100, QVariant());
    text_ = text;
    if (!text) {
        const double low = first.toDouble(), high = last.toDouble();
        for (int i = 1; i <= 100; ++i)
            steps_[size_t(i - 1)] = qlonglong(std::llround(low + (high - low) / 99 * (i - 1)));
    } else {
        const QString a = ordered(first), b = ordered(last);
        qsizetype common = 0;
        while (common < a.size() && common < b.size() && a[common] == b[common])
            ++common;
        const QString prefix = a.left(common);
        const QString alphabet = alphabetOf(kind);
        const double low = number(a.mid(common), alphabet), high = number(b.mid(common), alphabet);
        for (int i = 2; i < 100; ++i)
            steps_[size_t(i - 1)] = prefix + spelled(low + (high - low) / 99 * (i - 1), alphabet);
    }
    steps_[0] = text ? QVariant(ordered(first)) : first;
    steps_[99] = text ? QVariant(ordered(last)) : last;
}

QVariant StepTable::step(int p) const
{
    if (steps_.empty())
        return {};
    return steps_[size_t(std::clamp(p, 1, 100) - 1)];
}

int StepTable::thumb(const QVariant &value) const
{
    if (steps_.empty())
        return 0;
    for (int i = 0; i < 100; ++i) {
        const bool notBelow = text_ ? steps_[size_t(i)].toString() >= ordered(value)
                                    : steps_[size_t(i)].toDouble() >= value.toDouble();
        if (notBelow)
            return i + 1 < 2 ? 0 : i + 1;
    }
    return 100;
}

} // namespace crx
