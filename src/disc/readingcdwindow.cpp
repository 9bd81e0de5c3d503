#include "readingcdwindow.h"

#include "widgetplacement.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace crx {

ReadingCdWindow::ReadingCdWindow(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ReadingCD"));
    setWindowTitle(QStringLiteral("Reading CD"));
    setWindowModality(Qt::WindowModal);
    resize(300, 110);
    line_ = new QLabel(QStringLiteral("Serial Number"), this);
    line_->setObjectName(QStringLiteral("line"));
    line_->setGeometry(10, 10, 280, 20);
    bar_ = new QProgressBar(this);
    bar_->setGeometry(10, 38, 280, 20);
    bar_->setTextVisible(false);
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cancel"));
    cancel->setGeometry(115, 72, 70, 25);
    openAtDesign(*this);
}

void ReadingCdWindow::start(int steps)
{
    bar_->setRange(0, steps);
    bar_->setValue(0);
    line_->setText(QStringLiteral("Serial Number"));
    show();
    QApplication::processEvents();
}

void ReadingCdWindow::setLine(const QString &text)
{
    line_->setText(text);
}

void ReadingCdWindow::advance()
{
    bar_->setValue(qMin(bar_->value() + 1, bar_->maximum()));
    QApplication::processEvents();
}

void ReadingCdWindow::finish()
{
    hide();
}

QString ReadingCdWindow::line() const
{
    return line_->text();
}

int ReadingCdWindow::done() const
{
    return bar_->value();
}

} // namespace crx
