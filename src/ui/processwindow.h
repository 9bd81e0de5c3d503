// The progress window of a batch process: "Processing Records", the
// process's message, a progress bar, the percent done and Cancel. A timer
// runs the process a tick at a time.
#pragma once

#include "batchprocess.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace crx {

class ProcessWindow : public QDialog
{
    Q_OBJECT
public:
    ProcessWindow(BatchProcess &process, const QString &message, QWidget *parent = nullptr);

    // Runs the process to its end or until Cancel; returns its response.
    Response run();
    QLabel *percentText() const { return percent_; }
    QPushButton *cancelButton() const { return cancel_; }

private:
    void tick();

    BatchProcess &process_;
    QProgressBar *bar_;
    QLabel *percent_;
    QPushButton *cancel_;
    QTimer *timer_;
};

} // namespace crx
