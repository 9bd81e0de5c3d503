// "Progress...": the window a report reads in. Its timer runs the report a
// tick at a time; Cancel (or Esc, or closing the window) asks the report's
// cancel questions. It says when reading is over and closes.
#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace crx {

class ReportProcedure;

class ReportProgress : public QDialog
{
    Q_OBJECT
public:
    explicit ReportProgress(ReportProcedure &report, QWidget *parent = nullptr);

    // Starts reading once the window is open.
    void begin();
    void reject() override;

Q_SIGNALS:
    void readingOver();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void tick();
    void showProgress();
    bool askToCancel();
    void over();

    ReportProcedure &report_;
    QProgressBar *bar_;
    QLabel *percent_;
    QPushButton *cancel_;
    QTimer *timer_;
    bool reading_ = false;
};

} // namespace crx
