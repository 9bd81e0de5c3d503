// What the reports show in their progress windows and questions, read from
// section "DISPLAY STRINGS 2.0" of CRXRPTS.INI at the start of every report,
// each key falling back to its default. A "|" in a text is a line break.
#pragma once

#include <QString>

namespace crx {

struct ReportStrings {
    QString progressTitlePreview = QStringLiteral("Generating Report");   // ProgWinTitlePrvw
    QString progressTitlePrint = QStringLiteral("Printing Report");       // ProgWinTitlePrnt
    QString percentText = QStringLiteral("% Completed");                  // ProgWinPctText
    QString progressText;                                                  // ProgWinUsrText
    QString askPreviewTitle = QStringLiteral("Preview");                  // AskPrvwDialogTitle
    QString askPreviewText = QStringLiteral("Do you wish to PREVIEW this Report?"); // AskPrvwDialogText
    QString cancelTitle = QStringLiteral("Question");                     // CancelAreYouSureTitle
    QString cancelText = QStringLiteral("Are you sure you want to CANCEL this Report?"); // CancelAreYouSureText
    QString partialTitle = QStringLiteral("Question");                    // CancelPrvwPartialTitle
    QString partialText = QStringLiteral("Report Cancellation Requested!||Preview Report generated so far?"); // CancelPrvwPartialText
    QString nothingToPreviewTitle = QStringLiteral("NOTE...");            // NothingToPrvwTitle
    QString nothingToPreviewText = QStringLiteral("Nothing to Preview."); // NothingToPrvwText
    QString nothingToPrintTitle = QStringLiteral("NOTE...");              // NothingToPrntTitle
    QString nothingToPrintText = QStringLiteral("Nothing to Print.");     // NothingToPrntText
};

// The strings as CRXRPTS.INI in the working directory gives them.
ReportStrings readReportStrings(const QString &workingDirectory);

} // namespace crx
