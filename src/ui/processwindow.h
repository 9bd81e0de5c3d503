// The progress window of a batch process: "Processing Records", the
// process's message, a progress bar, the percent done and Cancel. A timer
// runs the process a tick at a time.
#pragma once

#include "batchprocess.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace crx {

class ProgressPage;

class ProcessWindow : public QDialog
{
    Q_OBJECT
public:
    ProcessWindow(BatchProcess &process, const QString &message, QWidget *parent = nullptr);

    // Runs the process to its end or until Cancel; returns its response.
    Response run();
    QLabel *percentText() const;
    QPushButton *cancelButton() const;

private:
    BatchProcess &process_;
    ProgressPage *page_;
};

} // namespace crx
