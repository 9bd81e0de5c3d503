// The progress of a long pass: a bar, a line of its own (when it has one),
// the percent done and Cancel. A timer runs the pass a tick at a time between
// window events, so the bar moves and Cancel is seen; it says when the pass is
// over, and whether Cancel ended it.
#pragma once

#include <QWidget>
#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace crx {

class ProgressPage : public QWidget
{
    Q_OBJECT
public:
    explicit ProgressPage(const QString &message = {}, QWidget *parent = nullptr);

    // Runs tick until it says the pass is over, or until Cancel (cancel is then called).
    void run(std::function<bool()> tick, std::function<int()> percent, std::function<void()> cancel);
    // The pass went to its end: "Process Completed".
    void complete();
    QLabel *percentText() const { return percent_; }
    QPushButton *cancelButton() const { return cancel_; }

Q_SIGNALS:
    void over(bool cancelled);

private:
    void step();

    QProgressBar *bar_;
    QLabel *percent_;
    QPushButton *cancel_;
    QTimer *timer_;
    std::function<bool()> tick_;
    std::function<int()> percentDone_;
    std::function<void()> stop_;
};

} // namespace crx
