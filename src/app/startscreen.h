// The start screen: a borderless window with the program's picture and its
// version, shown for a second after the frame opens. It closes at its timer,
// at a click, or when the frame closes it at the person's first command.
#pragma once

#include <QWidget>

namespace crx {

class StartScreen : public QWidget
{
    Q_OBJECT
public:
    StartScreen(const QString &versionText, const QString &picture, QWidget *parent = nullptr);

Q_SIGNALS:
    void finished();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    bool done_ = false;
};

} // namespace crx
