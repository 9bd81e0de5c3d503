#include "mainframe.h"

#include "fileset.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMdiArea>
#include <QSessionManager>
#include <QTimer>

namespace crx {
namespace {
const FileId frameFiles[] = {FileId::Album, FileId::Artists, FileId::Media, FileId::Cantorix, FileId::Configuration};
}

MainFrame::MainFrame(FileSet &files, QWidget *parent)
    : QMainWindow(parent), files_(files), workspace_(new QMdiArea(this))
{
    setWindowTitle(QStringLiteral("Cantorix Pro"));
    setObjectName(QStringLiteral("Main"));
    setCentralWidget(workspace_);
    resize(1000, 700);
    for (FileId id : frameFiles)
        files_.use(id);
    holdsFiles_ = true;
    // Not cancelling the session manager's request answers yes.
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager &) { sessionEnding(); });
}

MainFrame::~MainFrame()
{
    releaseFiles();
}

void MainFrame::sessionEnding()
{
    // The close runs once the request has been answered.
    QTimer::singleShot(0, this, &QWidget::close);
}

void MainFrame::closeEvent(QCloseEvent *event)
{
    workspace_->closeAllSubWindows();
    if (!workspace_->subWindowList().isEmpty()) {
        event->ignore(); // a child window refused to close
        return;
    }
    releaseFiles();
    event->accept();
}

void MainFrame::releaseFiles()
{
    if (!holdsFiles_)
        return;
    holdsFiles_ = false;
    for (FileId id : frameFiles)
        files_.release(id);
}

} // namespace crx
