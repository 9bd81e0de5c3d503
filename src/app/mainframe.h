// The application window: a multiple-document frame titled "Cantorix Pro"
// with the menu bar and toolbar of the command table. It keeps Album,
// Artists, Media, Cantorix and Configuration open for the whole run, does
// the opening work (default media formats, artist defaults, the album copy
// offer), shows the start screen and then runs the start-up sequence.
// Closing it closes every child window first and saves its placement; the
// desktop session's log-out request is answered yes and turned into the same
// orderly close.
#pragma once

#include <QMainWindow>
#include <QPointer>

#include "startscreen.h"

class QLabel;
class QMdiArea;
class QAction;

namespace crx {

class FileSet;
struct Command;

class MainFrame : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainFrame(FileSet &files, QWidget *parent = nullptr);
    ~MainFrame() override;

    FileSet &files() { return files_; }
    QMdiArea *workspace() const { return workspace_; }
    // The version recorded by the previous run, read before it was rewritten.
    QString previousVersion() const { return previousVersion_; }
    QString preferencesFile() const;
    QString positionsFile() const;

    // Shows the start screen; when it closes the start-up sequence runs.
    void showStartScreen();
    StartScreen *startScreen() const { return startScreen_; }

    // Starts what a command or toolbar button names; the first command closes the start screen.
    void dispatch(const QString &target);
    // Greys the commands whose window is not there (yet).
    void refreshCommands();
    QAction *action(const QString &menuText, const QString &itemText) const;

    // Opens the help page of the active window (or of the frame).
    void showHelp();

public Q_SLOTS:
    // The session is ending: close down as if the person had closed the frame.
    void sessionEnding();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void open();
    void buildMenus();
    void buildToolbar();
    void showLogo(const QString &image);
    void startUpSequence();
    void startOutside(const QString &program, const QStringList &arguments, bool reportFailure);
    void builtin(const QString &target);
    bool available(const QString &target) const;
    void releaseFiles();

    FileSet &files_;
    QMdiArea *workspace_;
    QLabel *logo_ = nullptr;
    QPointer<StartScreen> startScreen_;
    QString previousVersion_;
    std::vector<std::pair<QAction *, const Command *>> actions_;
    std::vector<std::pair<QAction *, QString>> toolbarActions_;
    QMetaObject::Connection logOff_;
    bool holdsFiles_ = false;
};

} // namespace crx
