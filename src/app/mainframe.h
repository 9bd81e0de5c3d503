// The application window: a multiple-document frame that keeps the files
// Album, Artists, Media, Cantorix and Configuration open for the whole run.
// Closing it closes every child window first; the desktop session's log-out
// request is answered yes and turned into the same orderly close.
#pragma once

#include <QMainWindow>

class QMdiArea;

namespace crx {

class FileSet;

class MainFrame : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainFrame(FileSet &files, QWidget *parent = nullptr);
    ~MainFrame() override;

    QMdiArea *workspace() const { return workspace_; }

public Q_SLOTS:
    // The session is ending: close down as if the person had closed the frame.
    void sessionEnding();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void releaseFiles();

    FileSet &files_;
    QMdiArea *workspace_;
    bool holdsFiles_ = false;
};

} // namespace crx
