#include "startscreen.h"

#include <QFile>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

namespace crx {

StartScreen::StartScreen(const QString &versionText, const QString &picture, QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("StartScreen"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto *layout = new QVBoxLayout(this);
    auto *image = new QLabel(this);
    if (QFile::exists(picture))
        image->setPixmap(QPixmap(picture));
    else
        image->setText(QStringLiteral("Cantorix Pro"));
    image->setAlignment(Qt::AlignCenter);
    layout->addWidget(image);
    auto *version = new QLabel(QStringLiteral("Version ") + versionText, this);
    version->setObjectName(QStringLiteral("version"));
    version->setAlignment(Qt::AlignCenter);
    layout->addWidget(version);
    QTimer::singleShot(1000, this, &QWidget::close);
}

void StartScreen::mousePressEvent(QMouseEvent *)
{
    close();
}

void StartScreen::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    if (!done_) {
        done_ = true;
        Q_EMIT finished();
    }
}

} // namespace crx
