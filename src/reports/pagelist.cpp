#include "pagelist.h"

#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace crx {

namespace {

constexpr double PointsPerInch = 72;
constexpr double UnitsPerInch = 1000;

QColor colourOf(int number)
{
    const Rgb rgb = rgbOf(number);
    return QColor(rgb.red, rgb.green, rgb.blue);
}

} // namespace

void substituteWindowsFaces()
{
    static const bool done = [] {
        for (const char *sans : {"Arial", "MS Sans Serif", "Small Fonts", "Helvetica"})
            QFont::insertSubstitution(QLatin1String(sans), QStringLiteral("Liberation Sans"));
        QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
        QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
        return true;
    }();
    Q_UNUSED(done);
}

QFont drawnFont(const PageFont &font)
{
    substituteWindowsFaces();
    QFont drawn(font.face);
    drawn.setPixelSize(std::max(1, qRound(font.points * UnitsPerInch / PointsPerInch)));
    drawn.setWeight(QFont::Weight(std::clamp(font.style.weight, 100, 900)));
    drawn.setItalic(font.style.italic);
    drawn.setUnderline(font.style.underline);
    drawn.setStrikeOut(font.style.strikeOut);
    // Printed text keeps the outlines' proportions at every scale of the preview.
    drawn.setHintingPreference(QFont::PreferNoHinting);
    return drawn;
}

int PageList::font(const PageFont &font)
{
    for (size_t i = 0; i < fonts_.size(); ++i)
        if (fonts_[i] == font)
            return int(i);
    fonts_.push_back(font);
    drawn_.clear();
    return int(fonts_.size() - 1);
}

void PageList::newPage()
{
    endPage();
    pages_.emplace_back();
}

void PageList::endPage()
{
    if (pages_.empty())
        return;
    // A finished page keeps no spare room: a long report is many of them.
    pages_.back().items.shrink_to_fit();
    pages_.back().text.squeeze();
}

void PageList::text(const QRect &box, int font, Align align, const QString &text)
{
    if (pages_.empty() || text.isEmpty())
        return;
    Page &page = pages_.back();
    const QByteArray bytes = text.toUtf8();
    page.items.push_back({qint16(box.x()), qint16(box.y()), qint16(box.width()), qint16(box.height()),
                          quint16(font), Kind::Text, align, quint32(page.text.size()), quint32(bytes.size())});
    page.text += bytes;
}

void PageList::rule(QPoint from, QPoint to, int thickness)
{
    if (pages_.empty())
        return;
    pages_.back().items.push_back({qint16(from.x()), qint16(from.y()), qint16(to.x()), qint16(to.y()), 0, Kind::Rule,
                                   Align::Left, quint32(thickness), 0});
}

QString PageList::textOf(const Page &page, const Item &item) const
{
    return QString::fromUtf8(page.text.constData() + item.offset, qsizetype(item.length));
}

void PageList::draw(QPainter &painter, int number) const
{
    if (number < 0 || number >= count())
        return;
    if (drawn_.size() != fonts_.size()) {
        drawn_.clear();
        for (const PageFont &f : fonts_)
            drawn_.push_back(drawnFont(f));
    }
    const Page &page = pages_[size_t(number)];
    painter.save();
    int current = -1;
    for (const Item &item : page.items) {
        if (item.kind == Kind::Rule) {
            painter.setPen(QPen(Qt::black, item.offset));
            painter.drawLine(item.x, item.y, item.w, item.h);
            continue;
        }
        if (item.font != current) {
            current = item.font;
            painter.setFont(drawn_[current]);
            painter.setPen(colourOf(fonts_[current].colour));
        }
        const QString text = textOf(page, item);
        const QRectF box(item.x, item.y, item.w, item.h);
        const int flags = Qt::TextSingleLine | Qt::AlignVCenter
                          | (item.align == Align::Right    ? Qt::AlignRight
                             : item.align == Align::Centre ? Qt::AlignHCenter
                                                           : Qt::AlignLeft);
        // Only a text wider than its box needs the box as a clip.
        if (QFontMetricsF(painter.font()).horizontalAdvance(text) > box.width()) {
            painter.save();
            painter.setClipRect(box, Qt::IntersectClip);
            painter.drawText(box, (flags & ~Qt::AlignRight & ~Qt::AlignHCenter) | Qt::AlignLeft, text);
            painter.restore();
        } else {
            painter.drawText(box, flags, text);
        }
    }
    painter.restore();
}

QStringList PageList::texts(int number) const
{
    QStringList all;
    if (number < 0 || number >= count())
        return all;
    const Page &page = pages_[size_t(number)];
    for (const Item &item : page.items)
        if (item.kind == Kind::Text)
            all << textOf(page, item);
    return all;
}

void drawPages(const PageList &pages, QPainter &painter, QPagedPaintDevice &device, int resolution, int rounds)
{
    const double scale = resolution / UnitsPerInch;
    for (int round = 0; round < rounds; ++round)
        for (int page = 0; page < pages.count(); ++page) {
            if (round > 0 || page > 0)
                device.newPage();
            painter.resetTransform();
            painter.scale(scale, scale);
            pages.draw(painter, page);
        }
}

bool savePdf(const PageList &pages, const QString &path, QString &error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
        return false;
    }
    {
        QPdfWriter writer(&file);
        writer.setCreator(QStringLiteral("Cantorix Pro"));
        writer.setPageSize(QPageSize(QSizeF(pages.pageSize()) / UnitsPerInch, QPageSize::Inch));
        writer.setPageMargins(QMarginsF());
        QPainter painter;
        if (!painter.begin(&writer)) {
            file.cancelWriting();
            error = QStringLiteral("the PDF writer could not start");
            return false;
        }
        drawPages(pages, painter, writer, writer.resolution());
        painter.end();
    }
    if (!file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

} // namespace crx
