// The one procedure every report runs: it settles how the report is wanted
// (the Report Criteria window, the preview question or the preview flag),
// reads the records of its file in its order a tick at a time (25 records a
// cycle, one once a cancellation was confirmed), lays every record that passes
// its tests and the include choice out on the pages, and at the end hands the
// pages to the preview or the printer, or says there was nothing. It asks its
// questions through the interaction and prints through the printer; the
// windows that show its progress and its pages drive it.
#pragma once

#include "batchprocess.h"
#include "pagelist.h"
#include "picture.h"
#include "reportchoices.h"
#include "reportdescription.h"
#include "reportstrings.h"

#include <functional>
#include <memory>
#include <optional>

namespace crx {

class ReportPages;

class ReportProcedure
{
public:
    // The Report Criteria window on the report choices, prompting for the noun: true for "&Ok".
    using CriteriaWindow = std::function<bool(const QString &noun)>;

    ReportProcedure(FileSet &files, const ReportDescription &report);
    ~ReportProcedure();

    // The start: reads the display strings and settles the mode; a "Brief" choice runs the
    // brief variant instead. False when the person cancelled (the report has ended).
    bool decide(const CriteriaWindow &criteria);
    // Print mode with no printer installed: says so and offers the preview; false when the
    // person declines (the report has ended).
    bool settlePrinter();

    const ReportDescription &report() const { return *report_; }
    bool previewing() const { return preview_; }
    const ReportStrings &strings() const { return strings_; }
    QString progressTitle() const;
    // "37% Completed".
    QString percentText() const;
    int percent() const;

    // Opens the files and the view and reads to the first record the report accepts, which
    // opens the report; false when there is none (reading has ended).
    bool start();
    // One tick of reading; false when reading is over.
    bool tick();
    // Cancel was pressed: asks whether to cancel and, with pages to show, whether to preview
    // them. True when reading has ended.
    bool cancel();

    // The end of reading: true when there are pages to preview; otherwise it has printed
    // them, or said there was nothing, as the mode asks.
    bool finishReading();
    // After the preview: prints its pages when the person asked for that there.
    void previewClosed(bool print);

    const PageList &pages() const { return pages_; }
    Response response() const { return response_; }

private:
    void work(DataFile &file);
    void open();
    std::optional<PageFont> chooseCustomFont();
    QStringList values(Record &record);
    void print(bool printerMakesCopies);
    void note(const QString &title, const QString &text);

    FileSet &files_;
    const ReportDescription *report_;
    ReportStrings strings_;
    ReportChoices choices_;
    bool preview_ = true;
    std::unique_ptr<BatchProcess> process_;
    std::vector<Picture> pictures_;
    PageList pages_;
    std::optional<PageFont> customFont_;
    std::unique_ptr<ReportPages> layout_;
    int copies_ = 1;
    bool straight_ = false;   // printing straight, not through the page list
    bool alsoUsed_ = false;
    bool opened_ = false;
    bool completed_ = false;
    bool cancelled_ = false;  // ended by Cancel
    bool partial_ = false;    // a preview of the pages so far was asked for
    Response response_ = Response::Cancelled;
};

} // namespace crx
