#include "qtinteraction.h"

#include <QApplication>
#include <QColorDialog>
#include <QFontDialog>
#include <QTimer>
#include <QPointer>
#include <QMdiSubWindow>
#include <QEventLoop>
#include <QAudioDevice>
#include <QAudioOutput>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QUrl>
#include <cstdio>
#include <cstdlib>

namespace crx {
namespace {

// The caption, the text ("|" a line break) and the icon of a box.
void describe(QMessageBox &box, const QString &title, const QString &text, Icon icon)
{
    box.setWindowTitle(title);
    box.setText(QString(text).replace('|', '\n'));
    box.setIcon(icon == Icon::Exclamation ? QMessageBox::Warning
                : icon == Icon::Question  ? QMessageBox::Question
                : icon == Icon::Information ? QMessageBox::Information
                                            : QMessageBox::NoIcon);
}

QMessageBox::StandardButton standard(Button b)
{
    switch (b) {
    case OK: return QMessageBox::Ok;
    case Yes: return QMessageBox::Yes;
    case No: return QMessageBox::No;
    case Retry: return QMessageBox::Retry;
    case Cancel: return QMessageBox::Cancel;
    case Ignore: return QMessageBox::Ignore;
    case NoButton: break;
    }
    return QMessageBox::NoButton;
}

// File dialogs may change the working directory; the program's files live there.
class KeepWorkingDirectory
{
public:
    ~KeepWorkingDirectory() { QDir::setCurrent(saved_); }

private:
    QString saved_ = QDir::currentPath();
};

} // namespace

Button QtInteraction::message(const QString &title, const QString &text, Icon icon, Buttons buttons,
                              Button defaultButton)
{
    QMessageBox box(QApplication::activeWindow());
    describe(box, title, text, icon);
    QMessageBox::StandardButtons set;
    for (Button b : {OK, Yes, No, Retry, Cancel, Ignore})
        if (buttons & b)
            set |= standard(b);
    box.setStandardButtons(set);
    box.setDefaultButton(standard(defaultButton));
    const int pressed = box.exec();
    for (Button b : {OK, Yes, No, Retry, Cancel, Ignore})
        if (pressed == standard(b))
            return b;
    return (buttons & Cancel) ? Cancel : defaultButton;
}

int QtInteraction::choose(const QString &title, const QString &text, Icon icon, const QStringList &buttons,
                          int defaultIndex)
{
    QMessageBox box(QApplication::activeWindow());
    describe(box, title, text, icon);
    QList<QPushButton *> pushed;
    for (const QString &label : buttons)
        pushed << box.addButton(label, QMessageBox::ActionRole);
    if (defaultIndex >= 0 && defaultIndex < pushed.size()) {
        box.setDefaultButton(pushed[defaultIndex]);
        box.setEscapeButton(pushed[defaultIndex]);
    }
    box.exec();
    const int pressed = int(pushed.indexOf(qobject_cast<QPushButton *>(box.clickedButton())));
    return pressed >= 0 ? pressed : defaultIndex;
}

void QtInteraction::halt(const QString &text)
{
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    std::fflush(stderr);
    std::_Exit(1);
}

QString QtInteraction::openFile(const QString &caption, const QString &directory, const QString &filter)
{
    KeepWorkingDirectory keep;
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), caption, directory, filter);
}

QString QtInteraction::saveFile(const QString &caption, const QString &directory, const QString &filter)
{
    KeepWorkingDirectory keep;
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), caption, directory, filter);
}

QString QtInteraction::chooseFolder(const QString &caption, const QString &directory)
{
    KeepWorkingDirectory keep;
    return QFileDialog::getExistingDirectory(QApplication::activeWindow(), caption, directory);
}

QString QtInteraction::clipboardText()
{
    return QApplication::clipboard()->text();
}

void QtInteraction::setClipboardText(const QString &text)
{
    QApplication::clipboard()->setText(text);
}

bool QtInteraction::chooseFont(const QString &title, FontChoice &font)
{
    QFont start(font.face, font.pointSize > 0 ? font.pointSize : 10, font.weight, font.italic);
    start.setUnderline(font.underline);
    start.setStrikeOut(font.strikeOut);
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, start, QApplication::activeWindow(), title);
    if (!ok)
        return false;
    font.face = chosen.family();
    font.pointSize = chosen.pointSize();
    font.weight = chosen.weight();
    font.italic = chosen.italic();
    font.underline = chosen.underline();
    font.strikeOut = chosen.strikeOut();
    return true;
}

bool QtInteraction::chooseColour(const QString &title, int &colour)
{
    const QColor start(colour & 0xff, (colour >> 8) & 0xff, (colour >> 16) & 0xff);
    const QColor chosen = QColorDialog::getColor(start, QApplication::activeWindow(), title);
    if (!chosen.isValid())
        return false;
    colour = chosen.red() + 256 * chosen.green() + 65536 * chosen.blue();
    return true;
}

bool QtInteraction::openDocument(const QString &path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

// One player for the program: a new sound stops the one playing.
struct QtInteraction::Player {
    QMediaPlayer media;
    QAudioOutput output;
    QString path;
};

QtInteraction::QtInteraction() = default;
QtInteraction::~QtInteraction() = default;

bool QtInteraction::playSound(const QString &path)
{
    if (!QFileInfo(path).isReadable() || QMediaDevices::audioOutputs().isEmpty())
        return false;
    if (!player_) {
        player_ = std::make_unique<Player>();
        player_->media.setAudioOutput(&player_->output);
        QObject::connect(&player_->media, &QMediaPlayer::errorOccurred, &player_->media, [this] {
            message(QStringLiteral("Error"), playFailedText(player_->path), Icon::Exclamation, OK, OK);
        });
    }
    if (!player_->media.isAvailable())
        return false;
    player_->path = path;
    player_->media.setSource(QUrl::fromLocalFile(path));
    player_->media.play();
    return true;
}

bool QtInteraction::startProgram(const QString &program, const QStringList &arguments,
                                 const QString &workingDirectory)
{
    return QProcess::startDetached(program, arguments, workingDirectory);
}

int QtInteraction::runAndWait(const QString &program, const QStringList &arguments,
                              const QString &workingDirectory)
{
    // The window in use: a dialog, or the window inside a child of the frame's workspace.
    QPointer<QWidget> window = QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
    while (window && !window->isWindow() && !qobject_cast<QMdiSubWindow *>(window->parentWidget()))
        window = window->parentWidget();
    if (window)
        window->setEnabled(false);
    QApplication::setOverrideCursor(Qt::BusyCursor);
    QProcess process;
    process.setWorkingDirectory(workingDirectory);
    process.start(program, arguments);
    const bool started = process.waitForStarted();
    QApplication::restoreOverrideCursor();
    if (started) {
        // Asked once a second, as the window's timer would; an end seen sooner ends the wait.
        QEventLoop wait;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &wait, [&] {
            if (process.state() == QProcess::NotRunning)
                wait.quit();
        });
        QObject::connect(&process, &QProcess::finished, &wait, &QEventLoop::quit);
        poll.start(1000);
        if (process.state() != QProcess::NotRunning)
            wait.exec();
    }
    if (window) {
        window->setEnabled(true);
        window->raise();
        window->activateWindow();
    }
    if (!started)
        return -1;
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : 255;
}

} // namespace crx
