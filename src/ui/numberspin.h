// A spin box for a small number of so many digits, optionally showing zero
// as a blank field (and taking a blank field as zero).
#pragma once

#include <QSpinBox>

namespace crx {

class NumberSpin : public QSpinBox
{
    Q_OBJECT
public:
    NumberSpin(int digits, bool blankWhenZero, QWidget *parent = nullptr);

protected:
    QString textFromValue(int value) const override;
    int valueFromText(const QString &text) const override;
    QValidator::State validate(QString &text, int &pos) const override;

private:
    bool blankWhenZero_;
};

} // namespace crx
