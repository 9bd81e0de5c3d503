#include "selectaddmode.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace crx {

SelectAddMode::SelectAddMode(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SelectAddMode"));
    setWindowTitle(QStringLiteral("Select Add Mode"));
    auto *layout = new QVBoxLayout(this);
    auto *group = new QGroupBox(QStringLiteral("Mode"), this);
    auto *buttons = new QVBoxLayout(group);
    for (const char *text : {"Compilation", "Single Artist", "Normal"}) {
        auto *option = new QRadioButton(QString::fromLatin1(text), group);
        buttons->addWidget(option);
        modes_ << option;
    }
    modes_.front()->setChecked(true);
    layout->addWidget(group);
    auto *ok = new QPushButton(QStringLiteral("&Ok"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    layout->addWidget(ok);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

QRadioButton *SelectAddMode::mode(const QString &text) const
{
    for (QRadioButton *option : modes_)
        if (option->text() == text)
            return option;
    return nullptr;
}

QString SelectAddMode::ask()
{
    if (exec() != QDialog::Accepted)
        return {};
    for (QRadioButton *option : modes_)
        if (option->isChecked())
            return option->text();
    return {};
}

} // namespace crx
