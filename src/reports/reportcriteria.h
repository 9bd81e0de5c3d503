// "Report Criteria": the report choices as a window. The person picks the
// style, preview, the custom font and which records to include; what is left
// in the window stays in the choices, after Cancel as well.
#pragma once

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace crx {

class ReportCriteria : public QDialog
{
    Q_OBJECT
public:
    // Prompts "Select " + noun + " that start with:".
    ReportCriteria(const QString &directory, const QString &noun, QWidget *parent = nullptr);

    void done(int result) override;

private:
    void includeChanged();

    QString directory_;
    QRadioButton *standard_, *brief_, *all_, *selected_;
    QCheckBox *preview_, *customFont_;
    QLineEdit *selection_;
};

} // namespace crx
