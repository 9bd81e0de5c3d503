#include "progresspage.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace crx {

ProgressPage::ProgressPage(const QString &message, QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("progress"));
    auto *layout = new QVBoxLayout(this);
    layout->addStretch();
    bar_ = new QProgressBar(this);
    bar_->setRange(0, 100);
    bar_->setValue(0);
    bar_->setTextVisible(false);
    layout->addWidget(bar_);
    if (!message.isEmpty())
        layout->addWidget(new QLabel(message, this));
    percent_ = new QLabel(QStringLiteral("0% Completed"), this);
    percent_->setObjectName(QStringLiteral("percent"));
    percent_->setAlignment(Qt::AlignCenter);
    layout->addWidget(percent_);
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancel_->setObjectName(QStringLiteral("cancelProgress"));
    layout->addWidget(cancel_, 0, Qt::AlignCenter);
    layout->addStretch();
    timer_ = new QTimer(this);
    timer_->setInterval(0);
    connect(timer_, &QTimer::timeout, this, &ProgressPage::step);
    connect(cancel_, &QPushButton::clicked, this, [this] {
        // Stops after the tick in hand: the ticks run between window events.
        timer_->stop();
        if (stop_)
            stop_();
        Q_EMIT over(true);
    });
}

void ProgressPage::run(std::function<bool()> tick, std::function<int()> percent, std::function<void()> cancel)
{
    tick_ = std::move(tick);
    percentDone_ = std::move(percent);
    stop_ = std::move(cancel);
    timer_->start();
}

void ProgressPage::complete()
{
    percent_->setText(QStringLiteral("Process Completed"));
}

void ProgressPage::step()
{
    const bool more = tick_();
    const int percent = percentDone_();
    if (percent != bar_->value()) {
        bar_->setValue(percent);
        percent_->setText(QString::number(percent) + QStringLiteral("% Completed"));
    }
    if (more)
        return;
    timer_->stop();
    Q_EMIT over(false);
}

} // namespace crx
