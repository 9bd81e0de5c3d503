#include "numberspin.h"

namespace crx {

NumberSpin::NumberSpin(int digits, bool blankWhenZero, QWidget *parent)
    : QSpinBox(parent), blankWhenZero_(blankWhenZero)
{
    int highest = 9;
    for (int d = 1; d < digits; ++d)
        highest = highest * 10 + 9;
    setRange(0, highest);
}

QString NumberSpin::textFromValue(int value) const
{
    return blankWhenZero_ && value == 0 ? QString() : QSpinBox::textFromValue(value);
}

int NumberSpin::valueFromText(const QString &text) const
{
    return text.trimmed().isEmpty() ? 0 : QSpinBox::valueFromText(text);
}

QValidator::State NumberSpin::validate(QString &text, int &pos) const
{
    if (text.trimmed().isEmpty())
        return blankWhenZero_ ? QValidator::Acceptable : QValidator::Intermediate;
    return QSpinBox::validate(text, pos);
}

} // namespace crx
