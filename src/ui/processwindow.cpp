#include "processwindow.h"

#include "progresspage.h"

#include <QTimer>
#include <QVBoxLayout>

namespace crx {

ProcessWindow::ProcessWindow(BatchProcess &process, const QString &message, QWidget *parent)
    : QDialog(parent), process_(process)
{
    setObjectName(QStringLiteral("ProcessWindow"));
    setWindowTitle(QStringLiteral("Processing Records"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    page_ = new ProgressPage(message, this);
    layout->addWidget(page_);
    // Wide enough for its title.
    setMinimumWidth(fontMetrics().horizontalAdvance(windowTitle()) * 2);
    connect(page_, &ProgressPage::over, this, [this](bool cancelled) {
        if (cancelled || process_.response() != Response::Completed) {
            reject();
            return;
        }
        page_->complete();
        accept();
    });
}

QLabel *ProcessWindow::percentText() const
{
    return page_->percentText();
}

QPushButton *ProcessWindow::cancelButton() const
{
    return page_->cancelButton();
}

Response ProcessWindow::run()
{
    // The pass begins once the window is open.
    QTimer::singleShot(0, this, [this] {
        if (!process_.start()) {
            reject();
            return;
        }
        page_->run([this] { return process_.tick(); }, [this] { return process_.percent(); },
                   [this] { process_.cancel(); });
    });
    exec();
    return process_.response();
}

} // namespace crx
