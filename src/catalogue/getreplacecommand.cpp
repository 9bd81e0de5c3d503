#include "getreplacecommand.h"

#include "widgetplacement.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

namespace crx {

namespace {
constexpr int TextWidth = 19;
}

GetReplaceCommand::GetReplaceCommand(const QString &positionsFile, QWidget *parent)
    : QDialog(parent), positions_(positionsFile)
{
    setObjectName(QStringLiteral("GetReplaceCommand"));
    setWindowTitle(QStringLiteral("Replace..."));
    auto *form = new QFormLayout(this);
    within_ = new QComboBox(this);
    within_->addItems({QStringLiteral("Artist"), QStringLiteral("Title"), QStringLiteral("File Number")});
    within_->setCurrentIndex(-1);
    find_ = new QLineEdit(this);
    find_->setMaxLength(TextWidth);
    replacement_ = new QLineEdit(this);
    replacement_->setMaxLength(TextWidth);
    form->addRow(QStringLiteral("Within:"), within_);
    form->addRow(QStringLiteral("Replace:"), find_);
    form->addRow(QStringLiteral("With:"), replacement_);
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole)->setObjectName(QStringLiteral("ok"));
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

bool GetReplaceCommand::ask(ReplaceCommand &command)
{
    WidgetPlacement placement(*this);
    RestoreWindowPlacement(positions_, objectName(), placement);
    const bool ok = exec() == QDialog::Accepted;
    SaveWindowPlacement(positions_, objectName(), placement);
    if (!ok)
        return false;
    command = {within_->currentText(), find_->text(), replacement_->text()};
    return true;
}

} // namespace crx
