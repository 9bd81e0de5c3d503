// Lays a report's detail sections out on its pages: each page starts with
// the heading line and the column headings, takes detail sections as long as
// they fit above the footer, and ends with the footer (the printing date at
// the left, "Page" and its number at the right).
#pragma once

#include "reportdescription.h"

#include <QStringList>

namespace crx {

class ReportPages
{
public:
    // Every text in the custom font when there is one.
    ReportPages(const ReportDescription &report, PageList &pages, const QString &printingDate,
                const PageFont *customFont = nullptr);

    // One detail section: a value for each column of the report.
    void detail(const QStringList &values);
    // Ends the last page.
    void finish();

    static constexpr int Margin = 250;

private:
    void startPage();
    void endPage();
    int fontFor(const PageFont &designed);

    const ReportDescription &report_;
    PageList &pages_;
    QString date_;
    const PageFont *custom_;
    int heading_, columnHeading_, detail_, footer_;
    int y_ = 0;        // where the next detail section goes
    int bodyEnd_ = 0;  // the footer's top
    bool open_ = false;
};

} // namespace crx
