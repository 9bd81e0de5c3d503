#include "reportwindows.h"

#include "childwindow.h"
#include "launchers.h"
#include "reportcriteria.h"
#include "reportpreview.h"
#include "reportprocedure.h"
#include "reportprogress.h"
#include "songreports.h"
#include "widgetplacement.h"

namespace crx {

namespace {

// One report run: it lives until the report has ended, and goes with the frame.
class ReportSession : public QObject
{
public:
    ReportSession(MainFrame &frame, std::shared_ptr<const ReportDescription> report)
        : QObject(&frame), frame_(frame), files_(frame.files().newThread()), report_(std::move(report)),
          procedure_(*files_, *report_)
    {
    }

    void begin()
    {
        const auto criteria = [this](const QString &noun) {
            ReportCriteria window(files_->directory(), noun, &frame_);
            return window.exec() == QDialog::Accepted;
        };
        if (!procedure_.decide(criteria) || !procedure_.settlePrinter()) {
            deleteLater();
            return;
        }
        auto *progress = new ReportProgress(procedure_);
        connect(progress, &ReportProgress::readingOver, this, &ReportSession::readingOver);
        show(progress);
        progress->begin();
    }

private:
    void show(QDialog *window)
    {
        window->setAttribute(Qt::WA_DeleteOnClose);
        QMdiSubWindow *child = frame_.workspace()->addSubWindow(window);
        child->setAttribute(Qt::WA_DeleteOnClose);
        fitChildToWindow(*window);
        connect(window, &QDialog::finished, child, &QWidget::close);
        child->show();
        keepInside(*child, frame_.workspace()->rect());
    }

    void readingOver()
    {
        if (!procedure_.finishReading()) {
            deleteLater();
            return;
        }
        auto *preview = new ReportPreview(procedure_.pages(), files_->directory());
        connect(preview, &QDialog::finished, this, [this, preview] {
            procedure_.previewClosed(preview->printRequested());
            deleteLater();
        });
        show(preview);
    }

    MainFrame &frame_;
    std::unique_ptr<FileSet> files_;
    std::shared_ptr<const ReportDescription> report_;
    ReportProcedure procedure_;
};

} // namespace

void runReport(MainFrame &frame, std::shared_ptr<const ReportDescription> report)
{
    (new ReportSession(frame, std::move(report)))->begin();
}

void registerReportWindows()
{
    launchers().add(QStringLiteral("ReportSongsByArtist"), [](MainFrame &frame) { runReport(frame, songsByArtist()); });
}

} // namespace crx
