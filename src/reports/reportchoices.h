// The report choices: how the person last wanted a report, as the Report
// Criteria window leaves them. They live for the whole run, are shared by
// every report and are never saved.
#pragma once

#include <QString>

namespace crx {

struct ReportChoices {
    QString style = QStringLiteral("Standard"); // "Standard" or "Brief"
    bool preview = true;
    bool customFont = false;
    QString include = QStringLiteral("All");    // "All" or "Selected"
    QString selection;                          // at most 30 characters

    bool brief() const { return style == QLatin1String("Brief"); }
    // Whether a record whose selection field shows this text is printed: every record unless
    // Include is "Selected", else those whose text begins with the selection (letter case and
    // the selection's trailing blanks aside), so an empty selection prints them all.
    bool includes(const QString &selectionValue) const;
};

// The choices of this run.
ReportChoices &reportChoices();

} // namespace crx
