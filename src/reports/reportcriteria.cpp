#include "reportcriteria.h"

#include "profile.h"
#include "reportchoices.h"
#include "settings.h"
#include "widgetplacement.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace crx {

namespace {

constexpr int SelectionWidth = 30;

QRadioButton *radio(QGroupBox *box, const QString &text, const QString &name, int y)
{
    auto *r = new QRadioButton(text, box);
    r->setObjectName(name);
    r->setGeometry(10, y, 110, 22);
    return r;
}

} // namespace

ReportCriteria::ReportCriteria(const QString &directory, const QString &noun, QWidget *parent)
    : QDialog(parent), directory_(directory)
{
    setObjectName(QStringLiteral("ReportCriteria"));
    setWindowTitle(QStringLiteral("Report Criteria"));
    resize(300, 215);
    auto *style = new QGroupBox(QStringLiteral("Report &Style"), this);
    style->setGeometry(10, 10, 135, 70);
    standard_ = radio(style, QStringLiteral("Standard"), QStringLiteral("standard"), 20);
    brief_ = radio(style, QStringLiteral("Brief"), QStringLiteral("brief"), 44);
    auto *include = new QGroupBox(QStringLiteral("&Include"), this);
    include->setGeometry(155, 10, 135, 70);
    all_ = radio(include, QStringLiteral("All"), QStringLiteral("all"), 20);
    selected_ = radio(include, QStringLiteral("Selected"), QStringLiteral("selected"), 44);
    preview_ = new QCheckBox(QStringLiteral("Preview"), this);
    preview_->setObjectName(QStringLiteral("preview"));
    preview_->setGeometry(20, 88, 120, 22);
    customFont_ = new QCheckBox(QStringLiteral("Use Custom Font"), this);
    customFont_->setObjectName(QStringLiteral("customFont"));
    customFont_->setGeometry(165, 88, 125, 22);
    auto *prompt = new QLabel(QStringLiteral("Select ") + noun + QStringLiteral(" that start with:"), this);
    prompt->setObjectName(QStringLiteral("prompt"));
    prompt->setGeometry(10, 118, 280, 18);
    selection_ = new QLineEdit(this);
    selection_->setObjectName(QStringLiteral("selection"));
    selection_->setGeometry(10, 138, 280, 22);
    selection_->setMaxLength(SelectionWidth);
    prompt->setBuddy(selection_);
    auto *ok = new QPushButton(QStringLiteral("&Ok"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setGeometry(130, 178, 75, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cancel"));
    cancel->setGeometry(215, 178, 75, 25);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    const ReportChoices &choices = reportChoices();
    (choices.brief() ? brief_ : standard_)->setChecked(true);
    preview_->setChecked(choices.preview);
    customFont_->setChecked(choices.customFont);
    (choices.include == QLatin1String("Selected") ? selected_ : all_)->setChecked(true);
    selection_->setText(choices.selection);
    includeChanged();
    connect(selected_, &QRadioButton::toggled, this, &ReportCriteria::includeChanged);

    openAtDesign(*this);
    WidgetPlacement placement(*this);
    RestoreWindowPlacement(profilePath(directory_, settingsfile::Positions), objectName(), placement);
}

void ReportCriteria::includeChanged()
{
    if (!selected_->isChecked())
        all_->setChecked(true);
    selection_->setEnabled(selected_->isChecked());
}

void ReportCriteria::done(int result)
{
    // The choices keep what the window shows, whichever way it closes.
    ReportChoices &choices = reportChoices();
    choices.style = brief_->isChecked() ? QStringLiteral("Brief") : QStringLiteral("Standard");
    choices.preview = preview_->isChecked();
    choices.customFont = customFont_->isChecked();
    choices.include = selected_->isChecked() ? QStringLiteral("Selected") : QStringLiteral("All");
    choices.selection = selection_->text();
    WidgetPlacement placement(*this);
    SaveWindowPlacement(profilePath(directory_, settingsfile::Positions), objectName(), placement);
    QDialog::done(result);
}

} // namespace crx
