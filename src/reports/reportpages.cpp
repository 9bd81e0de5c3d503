#include "reportpages.h"

namespace crx {

namespace {
constexpr int HeadingTop = 250, HeadingHeight = 200, ColumnsTop = 500, FooterHeight = 160;
} // namespace

ReportPages::ReportPages(const ReportDescription &report, PageList &pages, const QString &printingDate,
                         const PageFont *customFont)
    : report_(report), pages_(pages), date_(printingDate), custom_(customFont)
{
    heading_ = fontFor(report.headingFont);
    columnHeading_ = fontFor(report.columnFont);
    detail_ = fontFor(report.detailFont);
    footer_ = fontFor(report.footerFont);
    bodyEnd_ = pages.pageSize().height() - Margin - FooterHeight;
}

int ReportPages::fontFor(const PageFont &designed)
{
    return pages_.font(custom_ ? *custom_ : designed);
}

void ReportPages::startPage()
{
    pages_.newPage();
    open_ = true;
    const int width = pages_.pageSize().width() - 2 * Margin;
    pages_.text(QRect(Margin, HeadingTop, width, HeadingHeight), heading_, Align::Centre, report_.heading);
    for (const ReportColumn &c : report_.columns)
        pages_.text(QRect(c.x, ColumnsTop + c.line * report_.lineHeight, c.width, report_.lineHeight), columnHeading_,
                    c.align, c.heading);
    const int rule = ColumnsTop + report_.lines * report_.lineHeight + 20;
    pages_.rule(QPoint(Margin, rule), QPoint(Margin + width, rule), 10);
    y_ = rule + 60;
}

void ReportPages::endPage()
{
    if (!open_)
        return;
    open_ = false;
    const int width = pages_.pageSize().width() - 2 * Margin;
    const QRect footer(Margin, bodyEnd_, width, FooterHeight);
    pages_.text(footer, footer_, Align::Left, date_);
    pages_.text(footer, footer_, Align::Right, QStringLiteral("Page %1").arg(pages_.count()));
}

void ReportPages::detail(const QStringList &values)
{
    const int height = report_.lines * report_.lineHeight;
    if (!open_ || y_ + height > bodyEnd_) {
        endPage();
        startPage();
    }
    for (size_t i = 0; i < report_.columns.size() && i < size_t(values.size()); ++i) {
        const ReportColumn &c = report_.columns[i];
        pages_.text(QRect(c.x, y_ + c.line * report_.lineHeight, c.width, report_.lineHeight), detail_, c.align,
                    values[qsizetype(i)]);
    }
    y_ += height + report_.gap;
}

void ReportPages::finish()
{
    endPage();
}

} // namespace crx
