#include "processwindow.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace crx {

ProcessWindow::ProcessWindow(BatchProcess &process, const QString &message, QWidget *parent)
    : QDialog(parent), process_(process)
{
    setObjectName(QStringLiteral("ProcessWindow"));
    setWindowTitle(QStringLiteral("Processing Records"));
    auto *layout = new QVBoxLayout(this);
    bar_ = new QProgressBar(this);
    bar_->setRange(0, 100);
    bar_->setValue(0);
    layout->addWidget(bar_);
    layout->addWidget(new QLabel(message, this));
    percent_ = new QLabel(QStringLiteral("0% Completed"), this);
    percent_->setObjectName(QStringLiteral("percent"));
    layout->addWidget(percent_);
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    layout->addWidget(cancel_);
    timer_ = new QTimer(this);
    timer_->setInterval(0);
    connect(timer_, &QTimer::timeout, this, &ProcessWindow::tick);
    connect(cancel_, &QPushButton::clicked, this, [this] {
        timer_->stop();
        process_.cancel();
        reject();
    });
    process_.onProgress([this](int percent) {
        bar_->setValue(percent);
        percent_->setText(QString::number(percent) + QStringLiteral("% Completed"));
    });
}

Response ProcessWindow::run()
{
    // The pass begins once the window is open.
    QTimer::singleShot(0, this, [this] {
        if (!process_.start()) {
            reject();
            return;
        }
        timer_->start();
    });
    exec();
    return process_.response();
}

void ProcessWindow::tick()
{
    if (process_.tick())
        return;
    timer_->stop();
    if (process_.response() != Response::Completed) {
        reject();
        return;
    }
    percent_->setText(QStringLiteral("Process Completed"));
    accept();
}

} // namespace crx
