#include "reportpreview.h"

#include "interaction.h"
#include "pagelist.h"
#include "printer.h"
#include "profile.h"
#include "settings.h"
#include "widgetplacement.h"

#include <QActionGroup>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyle>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace crx {

namespace {

constexpr int Gap = 3; // between thumbnails
const char *const ZoomNames[] = {"No &Zoom", "Page &Width", "&50 Percent", "&75 Percent", "&100 Percent", "&200 Percent",
                                 "&300 Percent"};
const char *const ZoomShort[] = {"No Zoom", "Page Width", "50%", "75%", "100%", "200%", "300%"};
const double ZoomFactors[] = {0, 0, 0.5, 0.75, 1, 2, 3};

QSpinBox *spin(int digits, int low, int high, const QString &name, QWidget *parent)
{
    auto *s = new QSpinBox(parent);
    s->setObjectName(name);
    s->setRange(low, high);
    s->setMinimumWidth(s->fontMetrics().horizontalAdvance(QString(digits + 2, '9')) + 24);
    return s;
}

} // namespace

// The pages as they are shown: the grid of thumbnails or the zoomed page.
class ReportPreview::PageView : public QWidget
{
public:
    explicit PageView(ReportPreview &preview) : QWidget(nullptr), preview_(preview)
    {
        setObjectName(QStringLiteral("pages"));
        setAutoFillBackground(true);
        setPalette(QPalette(Qt::gray));
    }

    // The places of the grid's cells (thumbnails) or of the one page (zoom).
    QList<QRect> cells() const
    {
        const PageList &pages = preview_.pages_;
        QList<QRect> all;
        if (preview_.zoom_ != NoZoom) {
            all << QRect(QPoint(0, 0), preview_.drawnPageSize());
            return all;
        }
        const int across = preview_.across_, down = preview_.down_;
        double w = (width() - (3 * across - 1)) / across;
        double h = (height() - (3 * down - 1)) / down;
        const double ratio = double(pages.pageSize().height()) / pages.pageSize().width();
        if (ratio > h / w)
            w = h / ratio;
        else
            h = w * ratio;
        for (int i = 0; i < across * down; ++i)
            all << QRect(1 + (i % across) * (int(w) + Gap), 1 + (i / across) * (int(h) + Gap), std::max(1, int(w)),
                         std::max(1, int(h)));
        return all;
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QPainter painter(this);
        const QList<QRect> places = cells();
        const QList<int> shown = preview_.shownPages();
        for (qsizetype i = 0; i < shown.size() && i < places.size(); ++i) {
            const QRect place = places[i];
            if (!place.intersects(event->rect()))
                continue;
            painter.fillRect(place, Qt::white);
            painter.save();
            painter.setClipRect(place);
            painter.translate(place.topLeft());
            painter.scale(double(place.width()) / preview_.pages_.pageSize().width(),
                          double(place.height()) / preview_.pages_.pageSize().height());
            preview_.pages_.draw(painter, shown[i] - 1);
            painter.restore();
        }
    }

    void mousePressEvent(QMouseEvent *event) override
    {
        if (event->button() != Qt::LeftButton)
            return;
        if (preview_.zoom_ != NoZoom) {
            preview_.setZoom(NoZoom);
            return;
        }
        const QList<QRect> places = cells();
        const QList<int> shown = preview_.shownPages();
        for (qsizetype i = 0; i < shown.size() && i < places.size(); ++i)
            if (places[i].contains(event->position().toPoint())) {
                preview_.clicked(shown[i]);
                return;
            }
    }

private:
    ReportPreview &preview_;
};

ReportPreview::ReportPreview(const PageList &pages, const QString &directory, QWidget *parent)
    : QDialog(parent), pages_(pages), directory_(directory)
{
    setObjectName(QStringLiteral("ReportPreview"));
    setWindowTitle(QStringLiteral("Report Preview"));
    resize(620, 440);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto *menus = new QMenuBar(this);
    layout->setMenuBar(menus);
    auto *bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("toolbar"));
    layout->addWidget(bar);
    area_ = new QScrollArea(this);
    area_->setObjectName(QStringLiteral("area"));
    area_->setAlignment(Qt::AlignCenter);
    area_->setBackgroundRole(QPalette::Dark);
    view_ = new PageView(*this);
    area_->setWidget(view_);
    layout->addWidget(area_, 1);
    auto *status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("status"));
    status->setSizeGripEnabled(false);
    pageStatus_ = new QLabel(status);
    pageStatus_->setObjectName(QStringLiteral("pageText"));
    zoomStatus_ = new QLabel(status);
    zoomStatus_->setObjectName(QStringLiteral("zoomText"));
    status->addPermanentWidget(pageStatus_);
    status->addPermanentWidget(zoomStatus_);
    layout->addWidget(status);

    buildMenus();
    buildToolbar(bar);

    const int n = pages_.count();
    page_->setRange(1, std::max(1, n));
    page_->setToolTip(QStringLiteral("Enter a page number from 1 to ") + QString::number(n));
    if (n <= 1) {
        viewMenu_->setEnabled(false);
        for (QAction *a : viewMenu_->actions())
            a->setEnabled(false);
        page_->setEnabled(false);
        acrossSpin_->setEnabled(false);
        downSpin_->setEnabled(false);
    }
    openAtDesign(*this);
    WidgetPlacement placement(*this);
    RestoreWindowPlacement(profilePath(directory_, settingsfile::Positions), objectName(), placement);
    draw();
}

void ReportPreview::buildMenus()
{
    auto *menus = qobject_cast<QMenuBar *>(layout()->menuBar());
    const auto item = [this](QMenu *menu, const QString &text, const QString &tip, auto slot) {
        QAction *a = menu->addAction(text);
        a->setStatusTip(tip);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    QMenu *file = menus->addMenu(QStringLiteral("&File"));
    item(file, QStringLiteral("&Print"), QStringLiteral("Print the report"), &ReportPreview::print);
    item(file, QStringLiteral("Save as PDF..."), QStringLiteral("Save the report as a PDF document"),
         &ReportPreview::saveAsPdf);
    file->addSeparator();
    item(file, QStringLiteral("E&xit"), QStringLiteral("Exit without printing the report"), &QDialog::reject);

    viewMenu_ = menus->addMenu(QStringLiteral("&View"));
    nextAct_ = item(viewMenu_, QStringLiteral("&Next Page(s)"), QStringLiteral("View the next page or pages of the report"),
                    &ReportPreview::next);
    nextAct_->setShortcut(QKeySequence(Qt::Key_PageDown));
    previousAct_ = item(viewMenu_, QStringLiteral("&Previous Page(s)"),
                        QStringLiteral("View the next page or pages of the report"), &ReportPreview::previous);
    previousAct_->setShortcut(QKeySequence(Qt::Key_PageUp));
    // The keys work wherever the focus is in this window, and only there.
    for (QAction *a : {nextAct_, previousAct_}) {
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(a);
    }
    item(viewMenu_, QStringLiteral("&Jump to a page"), QStringLiteral("Jump to a specific page of the report"),
         &ReportPreview::jump);
    item(viewMenu_, QStringLiteral("&Change Display"), QStringLiteral("Change the number of pages displayed"),
         &ReportPreview::changeDisplay);

    QMenu *zoom = menus->addMenu(QStringLiteral("&Zoom"));
    zooms_ = new QActionGroup(this);
    zoomPopup_ = new QMenu(this);
    auto *popupGroup = new QActionGroup(this);
    for (int z = NoZoom; z <= Zoom300; ++z) {
        QAction *a = zoom->addAction(QString::fromLatin1(ZoomNames[z]));
        a->setCheckable(true);
        a->setData(z);
        zooms_->addAction(a);
        connect(a, &QAction::triggered, this, [this, z] { setZoom(Zoom(z)); });
        QAction *p = zoomPopup_->addAction(QString::fromLatin1(ZoomShort[z]));
        p->setCheckable(true);
        p->setData(z);
        popupGroup->addAction(p);
        connect(p, &QAction::triggered, this, [this, z] { setZoom(Zoom(z)); });
        if (z == NoZoom)
            zoomPopup_->addSeparator();
    }
}

void ReportPreview::buildToolbar(QWidget *widget)
{
    auto *bar = static_cast<QToolBar *>(widget);
    QAction *printButton = bar->addAction(style()->standardIcon(QStyle::SP_DialogApplyButton), QStringLiteral("Print"));
    printButton->setObjectName(QStringLiteral("printButton"));
    printButton->setToolTip(QStringLiteral("Print this report"));
    connect(printButton, &QAction::triggered, this, &ReportPreview::print);
    QAction *exitButton = bar->addAction(style()->standardIcon(QStyle::SP_DialogCloseButton), QStringLiteral("Exit"));
    exitButton->setObjectName(QStringLiteral("exitButton"));
    exitButton->setToolTip(QStringLiteral("Exit without printing the report"));
    connect(exitButton, &QAction::triggered, this, &QDialog::reject);
    auto *zoomButton = new QToolButton(bar);
    zoomButton->setObjectName(QStringLiteral("zoomButton"));
    zoomButton->setText(QStringLiteral("Zoom"));
    zoomButton->setToolTip(QStringLiteral("Zoom in on a page of the report"));
    zoomButton->setMenu(zoomPopup_);
    zoomButton->setPopupMode(QToolButton::InstantPopup);
    bar->addWidget(zoomButton);
    bar->addSeparator();

    const auto labelled = [bar](const QString &text, QSpinBox *spin) {
        auto *label = new QLabel(text, bar);
        label->setBuddy(spin);
        label->setContentsMargins(6, 0, 3, 0);
        bar->addWidget(label);
        bar->addWidget(spin);
    };
    page_ = spin(4, 1, 9999, QStringLiteral("page"), bar);
    labelled(QStringLiteral("&Page:"), page_);
    acrossSpin_ = spin(2, 1, 99, QStringLiteral("across"), bar);
    acrossSpin_->setToolTip(QStringLiteral("Select the number of thumbnails in a row"));
    labelled(QStringLiteral("&Across:"), acrossSpin_);
    downSpin_ = spin(2, 1, 99, QStringLiteral("down"), bar);
    downSpin_->setToolTip(QStringLiteral("Select the number of thumbnails in a column"));
    labelled(QStringLiteral("&Down:"), downSpin_);
    connect(page_, &QSpinBox::valueChanged, this, [this](int value) { setCurrent(value); });
    const auto gridChanged = [this] {
        across_ = acrossSpin_->value();
        down_ = downSpin_->value();
        setZoom(NoZoom);
    };
    connect(acrossSpin_, &QSpinBox::valueChanged, this, gridChanged);
    connect(downSpin_, &QSpinBox::valueChanged, this, gridChanged);
}

bool ReportPreview::event(QEvent *event)
{
    if (event->type() == QEvent::StatusTip) {
        findChild<QStatusBar *>(QStringLiteral("status"))->showMessage(static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    }
    return QDialog::event(event);
}

int ReportPreview::perScreen() const
{
    return zoom_ == NoZoom ? across_ * down_ : 1;
}

QList<int> ReportPreview::shownPages() const
{
    QList<int> shown;
    for (int page = current_; page < current_ + perScreen() && page <= pages_.count(); ++page)
        shown << page;
    return shown;
}

double ReportPreview::factor() const
{
    const double pageWidth = pages_.pageSize().width() / 1000.0 * logicalDpiX();
    // A page as wide as the window is taller than it: leave room for the scroll bar beside it.
    const int room = area_->maximumViewportSize().width() - area_->verticalScrollBar()->sizeHint().width();
    return zoom_ == PageWidth ? std::max(1, room) / pageWidth : ZoomFactors[zoom_];
}

QSize ReportPreview::drawnPageSize() const
{
    if (zoom_ == NoZoom)
        return view_->cells().value(0).size();
    return QSize(qRound(pages_.pageSize().width() / 1000.0 * logicalDpiX() * factor()),
                 qRound(pages_.pageSize().height() / 1000.0 * logicalDpiY() * factor()));
}

QString ReportPreview::pageText() const
{
    const int n = pages_.count();
    if (perScreen() == 1 || current_ == n)
        return QStringLiteral("Page %1 of %2").arg(current_).arg(n);
    return QStringLiteral("Pages %1-%2 of %3").arg(current_).arg(std::min(current_ + perScreen() - 1, n)).arg(n);
}

QString ReportPreview::zoomText() const
{
    if (zoom_ == NoZoom)
        return QStringLiteral("No Zoom");
    return QStringLiteral("Zoom (%1)").arg(QString::fromLatin1(ZoomShort[zoom_]));
}

void ReportPreview::setZoom(Zoom zoom)
{
    zoom_ = zoom;
    draw();
}

void ReportPreview::setCurrent(int page)
{
    current_ = std::clamp(page, 1, std::max(1, pages_.count()));
    draw();
}

void ReportPreview::next()
{
    const int step = perScreen();
    if (zoom_ == NoZoom ? current_ + step <= pages_.count() : current_ < pages_.count())
        setCurrent(current_ + step);
}

void ReportPreview::previous()
{
    setCurrent(std::max(1, current_ - perScreen()));
}

void ReportPreview::clicked(int page)
{
    current_ = page;
    setZoom(PageWidth);
}

void ReportPreview::draw()
{
    const int n = pages_.count();
    {
        const QSignalBlocker blocked(page_);
        page_->setValue(current_);
    }
    for (QAction *a : zooms_->actions())
        a->setChecked(a->data().toInt() == zoom_);
    for (QAction *a : zoomPopup_->actions())
        a->setChecked(!a->isSeparator() && a->data().toInt() == zoom_);
    if (n > 1) {
        previousAct_->setEnabled(current_ > 1);
        nextAct_->setEnabled(zoom_ == NoZoom ? current_ + perScreen() <= n : current_ < n);
    }
    if (zoom_ == NoZoom) {
        area_->setWidgetResizable(true);
    } else {
        area_->setWidgetResizable(false);
        view_->resize(drawnPageSize());
    }
    pageStatus_->setText(pageText());
    zoomStatus_->setText(zoomText());
    view_->update();
}

void ReportPreview::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    draw();
}

void ReportPreview::jump()
{
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("JumpToPage"));
    dialog.setWindowTitle(QStringLiteral("Jump to a Report Page"));
    auto *layout = new QVBoxLayout(&dialog);
    auto *row = new QHBoxLayout;
    QSpinBox *page = spin(4, 1, std::max(1, pages_.count()), QStringLiteral("page"), &dialog);
    page->setValue(current_);
    page->setToolTip(QStringLiteral("Select a page of the report"));
    auto *label = new QLabel(QStringLiteral("&Page:"), &dialog);
    label->setBuddy(page);
    row->addWidget(label);
    row->addWidget(page);
    layout->addLayout(row);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setToolTip(QStringLiteral("Jump to the selected page"));
    buttons->button(QDialogButtonBox::Cancel)->setToolTip(QStringLiteral("Cancel this selection"));
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    if (dialog.exec() == QDialog::Accepted)
        setCurrent(page->value());
}

void ReportPreview::changeDisplay()
{
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("ChangeDisplay"));
    dialog.setWindowTitle(QStringLiteral("Change the Report Display"));
    auto *layout = new QVBoxLayout(&dialog);
    auto *group = new QGroupBox(QStringLiteral("Pages Displayed"), &dialog);
    auto *row = new QHBoxLayout(group);
    QSpinBox *across = spin(2, 1, 99, QStringLiteral("across"), group);
    QSpinBox *down = spin(2, 1, 99, QStringLiteral("down"), group);
    across->setValue(across_);
    down->setValue(down_);
    for (auto [text, box] : {std::pair{"Across", across}, std::pair{"Down", down}}) {
        auto *label = new QLabel(QString::fromLatin1(text), group);
        label->setBuddy(box);
        row->addWidget(label);
        row->addWidget(box);
    }
    layout->addWidget(group);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // The grid takes the numbers the next time thumbnails are drawn.
    across_ = across->value();
    down_ = down->value();
    const QSignalBlocker a(acrossSpin_), d(downSpin_);
    acrossSpin_->setValue(across_);
    downSpin_->setValue(down_);
    draw();
}

void ReportPreview::print()
{
    if (!printer().installed()) {
        interaction().message(QStringLiteral("Print"), QStringLiteral("No printer is installed."), Icon::Information, OK, OK);
        return;
    }
    print_ = true;
    accept();
}

void ReportPreview::saveAsPdf()
{
    QString path = interaction().saveFile(QStringLiteral("Save as PDF"), directory_, QStringLiteral("PDF Files (*.pdf)"));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");
    QString error;
    if (!savePdf(pages_, path, error))
        interaction().message(QStringLiteral("Save as PDF"),
                              QStringLiteral("The report could not be saved as ") + path + QStringLiteral(": ") + error + '.',
                              Icon::Exclamation, OK, OK);
}

void ReportPreview::done(int result)
{
    WidgetPlacement placement(*this);
    SaveWindowPlacement(profilePath(directory_, settingsfile::Positions), objectName(), placement);
    QDialog::done(result);
}

} // namespace crx
