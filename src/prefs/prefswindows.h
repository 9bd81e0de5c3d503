// "Preferences" and the "Setup Wizard": the settings with a control, written
// in each window's order, the date format list, the Year Only question, and
// the preferences' housekeeping buttons.
#pragma once

#include <QDialog>
#include <map>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QStackedWidget;

namespace crx {

class FileSet;

class SetupWizard : public QDialog
{
    Q_OBJECT
public:
    explicit SetupWizard(FileSet &files, QWidget *parent = nullptr);
    int step() const;
    void accept() override;

private:
    void go(int by);

    FileSet &files_;
    QString storedDate_;
    QStackedWidget *steps_;
    QComboBox *date_;
    QLineEdit *udk_;
    std::map<QString, QCheckBox *> flags_;
    QPushButton *back_, *next_, *finish_;
};

class Preferences : public QDialog
{
    Q_OBJECT
public:
    explicit Preferences(FileSet &files, QWidget *parent = nullptr);
    void accept() override;
    void reject() override;

private:
    QCheckBox *check(QWidget *page, const QString &text, const QString &key, QRect place, bool on);
    QButtonGroup *choice(QWidget *page, const QString &title, const QStringList &texts, const QString &chosen, QRect place);
    void housekeeping(QWidget *page);

    FileSet &files_;
    QString shownDate_;
    QComboBox *date_;
    QLineEdit *udk_, *notes_, *logo_;
    QButtonGroup *interface_, *addMode_, *order_, *delimiter_;
    std::map<QString, QCheckBox *> flags_;
};

// Runs the year conversion when the person agrees, then stores the chosen date format.
void storeDateFormat(QWidget *window, const QString &directory, const QString &storedBefore, const QString &chosenText,
                     bool wizard);

// Installs "Preferences" and "SetupWizard".
void registerPrefsWindows();

} // namespace crx
