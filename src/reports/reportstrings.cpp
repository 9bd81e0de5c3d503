#include "reportstrings.h"

#include "profile.h"

namespace crx {

ReportStrings readReportStrings(const QString &workingDirectory)
{
    const QString path = profilePath(workingDirectory, QStringLiteral("CRXRPTS.INI"));
    const QString section = QStringLiteral("DISPLAY STRINGS 2.0");
    ReportStrings s;
    const auto read = [&](const char *key, QString &value) { value = readProfile(path, section, QLatin1String(key), value); };
    read("ProgWinTitlePrvw", s.progressTitlePreview);
    read("ProgWinTitlePrnt", s.progressTitlePrint);
    read("ProgWinPctText", s.percentText);
    read("ProgWinUsrText", s.progressText);
    read("AskPrvwDialogTitle", s.askPreviewTitle);
    read("AskPrvwDialogText", s.askPreviewText);
    read("CancelAreYouSureTitle", s.cancelTitle);
    read("CancelAreYouSureText", s.cancelText);
    read("CancelPrvwPartialTitle", s.partialTitle);
    read("CancelPrvwPartialText", s.partialText);
    read("NothingToPrvwTitle", s.nothingToPreviewTitle);
    read("NothingToPrvwText", s.nothingToPreviewText);
    read("NothingToPrntTitle", s.nothingToPrintTitle);
    read("NothingToPrntText", s.nothingToPrintText);
    return s;
}

} // namespace crx
