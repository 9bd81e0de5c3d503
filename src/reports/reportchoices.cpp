#include "reportchoices.h"

namespace crx {

bool ReportChoices::includes(const QString &selectionValue) const
{
    if (include != QLatin1String("Selected"))
        return true;
    QString wanted = selection;
    while (wanted.endsWith(' '))
        wanted.chop(1);
    return selectionValue.toUpper().startsWith(wanted.toUpper());
}

ReportChoices &reportChoices()
{
    static ReportChoices choices;
    return choices;
}

} // namespace crx
