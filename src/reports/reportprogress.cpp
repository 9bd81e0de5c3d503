#include "reportprogress.h"

#include "reportprocedure.h"
#include "widgetplacement.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

namespace crx {

ReportProgress::ReportProgress(ReportProcedure &report, QWidget *parent) : QDialog(parent), report_(report)
{
    setObjectName(QStringLiteral("ReportProgress"));
    setWindowTitle(report.progressTitle());
    resize(260, 115);
    auto *text = new QLabel(report.strings().progressText, this);
    text->setObjectName(QStringLiteral("text"));
    text->setGeometry(10, 8, 240, 16);
    bar_ = new QProgressBar(this);
    bar_->setObjectName(QStringLiteral("bar"));
    bar_->setGeometry(10, 28, 240, 20);
    bar_->setRange(0, 100);
    bar_->setValue(0);
    bar_->setTextVisible(false);
    percent_ = new QLabel(report.percentText(), this);
    percent_->setObjectName(QStringLiteral("percent"));
    percent_->setAlignment(Qt::AlignCenter);
    percent_->setGeometry(10, 52, 240, 16);
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancel_->setObjectName(QStringLiteral("cancel"));
    cancel_->setGeometry(95, 78, 70, 25);
    connect(cancel_, &QPushButton::clicked, this, &ReportProgress::reject);
    timer_ = new QTimer(this);
    timer_->setInterval(0);
    connect(timer_, &QTimer::timeout, this, &ReportProgress::tick);
    openAtDesign(*this);
}

void ReportProgress::begin()
{
    QTimer::singleShot(0, this, [this] {
        reading_ = true;
        if (report_.start()) {
            showProgress();
            timer_->start();
        } else {
            over();
        }
    });
}

void ReportProgress::tick()
{
    const bool more = report_.tick();
    showProgress();
    if (!more)
        over();
}

void ReportProgress::showProgress()
{
    if (bar_->value() == report_.percent())
        return;
    bar_->setValue(report_.percent());
    percent_->setText(report_.percentText());
}

bool ReportProgress::askToCancel()
{
    timer_->stop();
    if (report_.cancel()) {
        over();
        return true;
    }
    timer_->start();
    return false;
}

void ReportProgress::over()
{
    timer_->stop();
    reading_ = false;
    Q_EMIT readingOver();
    accept();
}

void ReportProgress::reject()
{
    // Esc and Cancel ask; the window closes when the report ends.
    if (reading_)
        askToCancel();
}

void ReportProgress::closeEvent(QCloseEvent *event)
{
    if (reading_ && !askToCancel())
        event->ignore();
    else
        QDialog::closeEvent(event);
}

} // namespace crx
