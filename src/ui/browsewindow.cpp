#include "browsewindow.h"

#include "datafile.h"
#include "dialogunits.h"
#include "fileset.h"
#include "formwindow.h"
#include "help.h"
#include "interaction.h"
#include "picture.h"
#include "placement.h"
#include "profile.h"
#include "settings.h"
#include "standardmessages.h"
#include "transaction.h"
#include "widgetplacement.h"

#include <QAbstractItemDelegate>
#include <QApplication>
#include <QDrag>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QToolBar>
#include <QTreeWidget>
#include <QWheelEvent>

namespace crx {

// The list box; rows dragged out carry the chosen field of their records.
class BrowseWindow::ListBox : public QTreeWidget
{
public:
    using QTreeWidget::QTreeWidget;
    QString format;
    std::function<QByteArray(int row)> carried;

protected:
    // The drag starts from the row pressed: the list rebuilds its rows as the highlight moves,
    // which the view's own drag would not survive.
    void mousePressEvent(QMouseEvent *event) override
    {
        pressedAt_ = event->position().toPoint();
        pressedRow_ = event->button() == Qt::LeftButton ? indexAt(pressedAt_).row() : -1;
        QTreeWidget::mousePressEvent(event);
    }
    void mouseMoveEvent(QMouseEvent *event) override
    {
        const bool dragging = carried && pressedRow_ >= 0 && (event->buttons() & Qt::LeftButton)
                              && (event->position().toPoint() - pressedAt_).manhattanLength()
                                     >= QApplication::startDragDistance();
        if (!dragging) {
            QTreeWidget::mouseMoveEvent(event);
            return;
        }
        auto *drag = new QDrag(this);
        drag->setMimeData(model()->mimeData({model()->index(pressedRow_, 0)}));
        pressedRow_ = -1;
        drag->exec(Qt::CopyAction);
    }
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        pressedRow_ = -1;
        QTreeWidget::mouseReleaseEvent(event);
    }
    QStringList mimeTypes() const override { return carried ? QStringList{format} : QTreeWidget::mimeTypes(); }
    QMimeData *mimeData(const QList<QTreeWidgetItem *> &items) const override
    {
        if (!carried)
            return QTreeWidget::mimeData(items);
        QByteArrayList values;
        for (QTreeWidgetItem *item : items)
            values << carried(indexOfTopLevelItem(item));
        auto *data = new QMimeData;
        data->setData(format, values.join(','));
        return data;
    }

private:
    QPoint pressedAt_;
    int pressedRow_ = -1;
};

BrowseWindow::BrowseWindow(FileSet &files, FileId file, const QString &name, const QString &title,
                           const QString &format, QStringList columnFields, std::vector<SortOrder> orders,
                           FormFactory form, QWidget *parent)
    : QDialog(parent), files_(files), id_(file), file_(files.file(file)), format_(format),
      columnFields_(std::move(columnFields)), orders_(std::move(orders)), makeForm_(std::move(form))
{
    setObjectName(name);
    setWindowTitle(title);
    resize(440, 300);
    list_ = new ListBox(this);
    list_->setObjectName(QStringLiteral("list"));
    list_->setRootIsDecorated(false);
    list_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setGeometry(10, 10, 300, 245);
    list_->installEventFilter(this);
    list_->viewport()->installEventFilter(this);
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    scroll_ = new QScrollBar(Qt::Vertical, this);
    scroll_->installEventFilter(this);
    scroll_->setRange(1, 100);
    scroll_->setGeometry(310, 10, 16, 245);
    tabs_ = new QTabBar(this);
    tabs_->setGeometry(10, 262, 316, 28);
    for (const SortOrder &order : orders_)
        tabs_->addTab(order.tab);
    const auto addButton = [this](const QString &text, const QString &objectName, int y) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(objectName);
        b->setGeometry(345, y, 85, 25);
        b->setAutoDefault(false);
        return b;
    };
    select_ = addButton(QStringLiteral("&Select"), "select", 10);
    insert_ = addButton(QStringLiteral("&Insert"), "insert", 45);
    change_ = addButton(QStringLiteral("&Change"), "change", 75);
    delete_ = addButton(QStringLiteral("&Delete"), "delete", 105);
    close_ = addButton(QStringLiteral("Cl&ose"), "close", 265);
    connect(select_, &QPushButton::clicked, this, &BrowseWindow::selectRecord);
    connect(insert_, &QPushButton::clicked, this, &BrowseWindow::insertRecord);
    connect(change_, &QPushButton::clicked, this, &BrowseWindow::changeRecord);
    connect(delete_, &QPushButton::clicked, this, &BrowseWindow::deleteRecord);
    connect(close_, &QPushButton::clicked, this, &QDialog::reject);
    connect(list_, &QTreeWidget::customContextMenuRequested, this, &BrowseWindow::popup);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { selectMode_ ? selectRecord() : changeRecord(); });
    connect(list_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *item) {
        if (!filling_ && item)
            page_->select(list_->indexOfTopLevelItem(item));
        if (!filling_)
            redisplay();
    });
    connect(scroll_, &QScrollBar::actionTriggered, this, [this](int action) {
        // Moved by the bar, the list is no longer where the typed locator put it.
        locator_.clear();
        switch (action) {
        case QAbstractSlider::SliderSingleStepAdd: if (!page_->lineDown()) failed(); break;
        case QAbstractSlider::SliderSingleStepSub: if (!page_->lineUp()) failed(); break;
        case QAbstractSlider::SliderPageStepAdd: if (!page_->pageDown()) failed(); break;
        case QAbstractSlider::SliderPageStepSub: if (!page_->pageUp()) failed(); break;
        default: return;
        }
        redisplay();
    });
    connect(scroll_, &QScrollBar::sliderReleased, this, [this] {
        locator_.clear();
        if (!page_->dragThumb(scroll_->sliderPosition())) {
            failed();
            return;
        }
        redisplay();
    });
    setSelectMode(false);
    // A list without a form only selects.
    for (QPushButton *edit : {insert_, change_, delete_})
        edit->setVisible(bool(makeForm_));
}

BrowseWindow::~BrowseWindow()
{
    if (using_)
        releaseFiles();
}

void BrowseWindow::releaseFiles()
{
    files_.release(id_);
    for (FileId other : alsoUses_)
        files_.release(other);
    using_ = false;
}

void BrowseWindow::setTexts(const ListTexts &texts)
{
    texts_ = texts;
    select_->setText(texts.select);
    insert_->setText(texts.insert);
    change_->setText(texts.change);
    delete_->setText(texts.remove);
    close_->setText(texts.close);
}

void BrowseWindow::setSelectMode(bool select)
{
    selectMode_ = select;
    select_->setVisible(select);
    select_->setEnabled(select);
    select_->setDefault(select);
}

QTreeWidget *BrowseWindow::listBox() const
{
    return list_;
}

QPushButton *BrowseWindow::button(const QString &name) const
{
    return findChild<QPushButton *>(name);
}

int BrowseWindow::rowsThatFit()
{
    // From the list box's own height, so that it holds before the window is first shown. The
    // heights of a row and of the header are measured once: they follow the font only.
    if (rowHeight_ == 0) {
        rowHeight_ = std::max(1, list_->itemDelegate()->sizeHint(QStyleOptionViewItem(), QModelIndex()).height());
        headerHeight_ = list_->header()->sizeHint().height();
    }
    return std::max(1, (list_->height() - headerHeight_ - 2 * list_->frameWidth()) / rowHeight_);
}

void BrowseWindow::openView()
{
    const SortOrder &order = orders_[size_t(std::max(0, tabs_->currentIndex()))];
    view_.reset();
    auto view = std::make_unique<View>(file_);
    if (sortColumn_ >= 0)
        view->setFieldOrder(file_.def().fieldIndex(columnFields_[sortColumn_]), descending_);
    else
        view->setOrder(file_.def().keyIndex(order.key));
    view->setFilter(order.filter);
    std::vector<QVariant> fixed;
    if (bindings_) {
        const QHash<QString, QVariant> values = bindings_();
        for (auto it = values.begin(); it != values.end(); ++it)
            view->bind(it.key(), it.value());
        for (const QString &name : order.range)
            fixed.push_back(values.value(name));
        if (!fixed.empty())
            view->setRange(fixed, fixed);
    }
    if (view->open() != NoError) {
        // The list goes on without its filter.
        ShowStandardMessage(36);
        view->setFilter(QString());
        view->open();
    }
    view_ = std::move(view);
    page_ = std::make_unique<BrowsePage>(file_, *view_, rowsThatFit());
    page_->setFixedLeading(std::move(fixed));
}

bool BrowseWindow::start()
{
    files_.use(id_);
    for (FileId other : alsoUses_)
        files_.use(other);
    using_ = true;
    openAtDesign(*this);
    layout_.record(*this);
    const QString positions = profilePath(files_.directory(), settingsfile::Positions);
    WidgetPlacement placement(*this);
    RestoreWindowPlacement(positions, objectName(), placement);
    currentFormat_ = restoreListFormat(positions, objectName(), listControl_, format_, formatKeys_);
    if (!lastTabKey_.isEmpty()) {
        const int tab = restoreLastTab(profilePath(files_.directory(), settingsfile::Preferences), lastTabKey_, 0,
                                       settings().saveLastTab);
        tabs_->setCurrentIndex(std::clamp(tab, 0, std::max(0, tabs_->count() - 1)));
    }
    columns_ = parseListFormat(listFormatWithDateFormat(currentFormat_, settings().dateFormat));
    // Each row is shown through its column's field and picture, found once.
    cells_.clear();
    for (size_t i = 0; i < columns_.size() && i < size_t(columnFields_.size()); ++i)
        cells_.push_back({file_.def().fieldIndex(columnFields_[qsizetype(i)]),
                          parsePicture(columns_[i].picture.mid(1).chopped(1))});
    const DialogUnits units(list_->font());
    for (ListColumn &c : columns_)
        c.width = units.x(c.width);
    QStringList headers;
    for (const ListColumn &c : columns_)
        headers << c.header;
    list_->setHeaderLabels(headers);
    for (size_t i = 0; i < columns_.size(); ++i)
        list_->header()->resizeSection(int(i), columns_[i].width);
    if (explorer_)
        fitColumns();
    connect(tabs_, &QTabBar::currentChanged, this, [this] {
        const ReadTogether together(file_);
        const Record current = file_.buffer();
        locator_.clear();
        openView();
        file_.buffer() = current;
        if (!page_->locate() || !page_->buildSteps(orders_[size_t(tabs_->currentIndex())].alphabet)) {
            failed();
            return;
        }
        recount();
        redisplay();
    });
    const ReadTogether together(file_);
    openView();
    const bool ok = (selectMode_ ? page_->locate() : page_->top())
                    && page_->buildSteps(orders_[size_t(std::max(0, tabs_->currentIndex()))].alphabet);
    if (!ok)
        return false;
    recount();
    redisplay();
    list_->setFocus();
    return true;
}

void BrowseWindow::setCountTitle(const QString &before, const QString &after)
{
    countTitle_ = [before, after](qint64 records) { return before + QString::number(records) + after; };
}

void BrowseWindow::refresh()
{
    const ReadTogether together(file_);
    const Record current = file_.buffer();
    openView();
    file_.buffer() = current;
    if (!page_->locate() || !page_->buildSteps(orders_[size_t(std::max(0, tabs_->currentIndex()))].alphabet)) {
        failed();
        return;
    }
    recount();
    redisplay();
}

void BrowseWindow::refill()
{
    const ReadTogether together(file_);
    locator_.clear();
    openView();
    if (!page_->top() || !page_->buildSteps(orders_[size_t(std::max(0, tabs_->currentIndex()))].alphabet)) {
        failed();
        return;
    }
    recount();
    redisplay();
}

void BrowseWindow::addHelpButton()
{
    auto *help = new QPushButton(QStringLiteral("Help"), this);
    help->setObjectName(QStringLiteral("help"));
    help->setGeometry(345, 235, 85, 25);
    help->setAutoDefault(false);
    connect(help, &QPushButton::clicked, this, [this] { openHelp(objectName()); });
    help->show();
}

QPushButton *BrowseWindow::addButton(const QString &text, const QString &name, QRect place,
                                     std::function<void()> action, bool needsRow)
{
    auto *b = new QPushButton(text, this);
    b->setObjectName(name);
    b->setGeometry(place);
    b->setAutoDefault(false);
    const bool live = bool(action);
    if (live)
        connect(b, &QPushButton::clicked, this, std::move(action));
    b->setEnabled(live);
    ownButtons_.push_back({b, needsRow, live});
    return b;
}

void BrowseWindow::setDrag(const QString &format, const QString &field)
{
    list_->format = format;
    list_->carried = [this, field](int row) {
        if (!page_ || row < 0 || row >= int(page_->rows().size()))
            return QByteArray();
        return page_->rows()[size_t(row)].record.get(field).toString().toUtf8();
    };
}

void BrowseWindow::setExplorerStyle()
{
    explorer_ = true;
    formatKeys_ = explorerFormatKeys();
    tabs_->hide();
    list_->setToolTip(QStringLiteral("Click on header to change order, or right-click for options"));
    QHeaderView *header = list_->header();
    header->setStretchLastSection(false);
    header->setSectionsClickable(true);
    header->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(header, &QHeaderView::sectionClicked, this, &BrowseWindow::headerClicked);
    connect(header, &QHeaderView::customContextMenuRequested, this,
            [this, header](const QPoint &at) { headerMenu()->exec(header->mapToGlobal(at)); });
}

void BrowseWindow::markHeader(int column, const QString &mark)
{
    if (column >= 0 && column < int(columns_.size()))
        list_->headerItem()->setText(column, mark + columns_[size_t(column)].header);
}

void BrowseWindow::headerClicked(int column)
{
    if (column < 0 || column >= int(columns_.size()) || column >= columnFields_.size())
        return;
    // A column that shows a text of the list's own (a joined name) has no field to order on.
    if (columnTexts_.count(column)) {
        interaction().message(QStringLiteral("Xplore Template - Re-Order Option"),
                              QStringLiteral("Data cannot be ordered on column: ") + columns_[size_t(column)].header
                                  + QStringLiteral(" (") + columnFields_[column] + ')',
                              Icon::Information, OK, OK);
        return;
    }
    markHeader(sortColumn_, QString());
    descending_ = column == sortColumn_ && !descending_;
    sortColumn_ = column;
    markHeader(column, descending_ ? QStringLiteral("<") : QStringLiteral(">"));
    refill();
}

void BrowseWindow::keyOrder()
{
    markHeader(sortColumn_, QString());
    sortColumn_ = -1;
    descending_ = false;
    refill();
}

std::unique_ptr<QMenu> BrowseWindow::headerMenu()
{
    auto menu = std::make_unique<QMenu>(this);
    menu->addAction(QStringLiteral("Escape"));
    menu->addAction(QStringLiteral("Key Sequence"), this, &BrowseWindow::keyOrder);
    return menu;
}

void BrowseWindow::fitColumns()
{
    QHeaderView *header = list_->header();
    // The list box has no scroll bar of its own (the list's bar stands beside it).
    int remaining = list_->width() - 2 * list_->frameWidth();
    int last = -1;
    for (int i = 0; i < int(columns_.size()); ++i) {
        if (header->isSectionHidden(i))
            continue;
        const int width = std::min(columns_[size_t(i)].width, remaining);
        header->resizeSection(i, width);
        remaining -= width;
        last = i;
    }
    if (last >= 0)
        header->resizeSection(last, header->sectionSize(last) + remaining);
}

void BrowseWindow::placeList(QRect place, const QString &locatorPrompt)
{
    constexpr int BarWidth = 16, TabHeight = 28, Gap = 5, FieldHeight = 22;
    list_->setGeometry(place.adjusted(0, 0, -BarWidth, 0));
    scroll_->setGeometry(place.right() - BarWidth + 1, place.top(), BarWidth, place.height());
    int below = place.bottom() + 1 + Gap;
    if (!explorer_) {
        tabs_->setGeometry(place.left(), below, place.width(), TabHeight);
        below += TabHeight + Gap;
    }
    const int promptWidth = 55;
    addLocatorField(locatorPrompt, QRect(place.left(), below, promptWidth, FieldHeight),
                    QRect(place.left() + promptWidth, below, 250, FieldHeight));
}

void BrowseWindow::addLocatorField(const QString &prompt, QRect promptPlace, QRect place)
{
    auto *label = new QLabel(prompt, this);
    label->setGeometry(promptPlace);
    locatorField_ = new QLineEdit(this);
    locatorField_->setObjectName(QStringLiteral("locator"));
    locatorField_->setGeometry(place);
    locatorField_->setReadOnly(true);
    locatorField_->setFocusPolicy(Qt::NoFocus);
    label->setBuddy(locatorField_);
}

void BrowseWindow::setColumnText(int column, std::function<QString(const Record &)> text)
{
    columnTexts_[column] = std::move(text);
}

bool BrowseWindow::readHighlighted()
{
    if (!page_ || page_->selected() < 0)
        return false;
    const BrowseRow &row = page_->rows()[size_t(page_->selected())];
    file_.buffer() = row.record;
    return file_.reget(row.position) == NoError;
}

void BrowseWindow::addNavigationToolbar(QRect place)
{
    auto *bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("navigation"));
    bar->setOrientation(place.height() > place.width() ? Qt::Vertical : Qt::Horizontal);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    bar->setGeometry(place);
    const struct {
        Navigation where;
        const char *text, *tip;
    } moves[] = {{Navigation::InsertAnother, "+", "Insert a new Record"},
                 {Navigation::Last, ">|", "Go to the Last Page"},
                 {Navigation::First, "|<", "Go to the First Page"},
                 {Navigation::NextPage, ">>", "Go to the Next Page"},
                 {Navigation::PreviousPage, "<<", "Go to the Prior Page"},
                 {Navigation::Next, ">", "Go to the Next Record"},
                 {Navigation::Previous, "<", "Go to the Prior Record"}};
    for (const auto &[where, text, tip] : moves) {
        QAction *act = bar->addAction(QString::fromLatin1(text));
        act->setToolTip(QString::fromLatin1(tip));
        // A list without a form only selects.
        act->setEnabled(where != Navigation::InsertAnother || bool(makeForm_));
        const Navigation target = where;
        connect(act, &QAction::triggered, this, [this, target] {
            if (target == Navigation::InsertAnother)
                insertRecord();
            else if (move(target))
                redisplay();
            else
                failed();
        });
    }
}

bool BrowseWindow::move(Navigation where)
{
    switch (where) {
    case Navigation::First: return page_->top();
    case Navigation::Last: return page_->bottom();
    case Navigation::Next: return page_->lineDown();
    case Navigation::Previous: return page_->lineUp();
    case Navigation::NextPage: return page_->pageDown();
    case Navigation::PreviousPage: return page_->pageUp();
    case Navigation::InsertAnother:
    case Navigation::None: break;
    }
    return true;
}

void BrowseWindow::recount()
{
    if (countTitle_)
        setWindowTitle(countTitle_(file_.records()));
}

void BrowseWindow::redisplay()
{
    if (!page_)
        return; // a read failed and the list has closed
    // The names the rows show (a category's) are read together.
    const ReadTogether together(file_);
    filling_ = true;
    list_->clear();
    const FileDef &def = file_.def();
    for (const BrowseRow &row : page_->rows()) {
        QStringList cells;
        for (size_t i = 0; i < cells_.size(); ++i) {
            const auto own = columnTexts_.find(int(i));
            const int field = cells_[i].field;
            if (own != columnTexts_.end())
                cells << own->second(row.record);
            else if (field < 0)
                cells << QString();
            else
                cells << formatValue(cells_[i].picture, def.fields[size_t(field)].isText()
                                                            ? QVariant(row.record.text(field))
                                                            : QVariant(row.record.number(field)));
        }
        list_->addTopLevelItem(new QTreeWidgetItem(cells));
    }
    if (page_->selected() >= 0)
        list_->setCurrentItem(list_->topLevelItem(page_->selected()));
    const bool rows = page_->selected() >= 0;
    change_->setEnabled(rows);
    delete_->setEnabled(rows);
    select_->setEnabled(selectMode_ && rows);
    for (const OwnButton &own : ownButtons_)
        if (own.live && own.needsRow)
            own.button->setEnabled(rows);
    if (locatorField_)
        locatorField_->setText(locator_.text());
    scroll_->setVisible(page_->full());
    const QSignalBlocker quiet(scroll_);
    scroll_->setValue(std::max(1, page_->thumb()));
    filling_ = false;
    Q_EMIT highlightChanged();
}

void BrowseWindow::failed()
{
    reject(); // message 35 has been shown
}

void BrowseWindow::callForm(Request request)
{
    if (!makeForm_)
        return;
    const bool rows = page_->selected() >= 0;
    const BrowseRow before = rows ? page_->rows()[size_t(page_->selected())] : BrowseRow{Record(file_.def()), {}};
    if (request == Request::Insert) {
        file_.buffer().clear();
        if (beforeInsert_)
            beforeInsert_(file_.buffer());
    } else {
        if (!rows)
            return;
        file_.buffer() = before.record;
        file_.watch();
        file_.reget(before.position);
    }
    formRequest() = request;
    std::unique_ptr<FormWindow> form = makeForm_(files_);
    // A form that leaves the other windows usable has the list wait, disabled, until it closes.
    QWidget &list = placedWidget(*this);
    const bool waits = form->othersUsable();
    if (waits)
        list.setEnabled(false);
    const Response answer = form->call();
    if (waits)
        list.setEnabled(true);
    form.reset();
    const Navigation asked = formNavigation();
    // Insert and change locate on the record as saved; otherwise around where the list stood.
    if (answer != Response::Completed || request == Request::Delete)
        file_.buffer() = before.record;
    const SortOrder &order = orders_[size_t(std::max(0, tabs_->currentIndex()))];
    if (!page_->locate() || !page_->buildSteps(order.alphabet)) {
        failed();
        return;
    }
    recount();
    redisplay();
    list_->setFocus();
    // A form with navigation buttons asked for a move: make it and call the form again.
    if (asked == Navigation::None || request == Request::Delete)
        return;
    if (asked == Navigation::InsertAnother || (asked == Navigation::Next && request == Request::Insert)) {
        callForm(Request::Insert);
        return;
    }
    if (!move(asked)) {
        failed();
        return;
    }
    redisplay();
    callForm(Request::Change);
}

void BrowseWindow::insertRecord() { callForm(Request::Insert); }
void BrowseWindow::copyRecord() { callForm(Request::Copy); }
void BrowseWindow::changeRecord() { callForm(Request::Change); }
void BrowseWindow::deleteRecord() { callForm(Request::Delete); }

void BrowseWindow::selectRecord()
{
    if (!selectMode_ || page_->selected() < 0)
        return;
    const BrowseRow &row = page_->rows()[size_t(page_->selected())];
    file_.buffer() = row.record;
    file_.reget(row.position);
    response_ = Response::Completed;
    accept();
}

std::unique_ptr<QMenu> BrowseWindow::popupMenu()
{
    auto menu = std::make_unique<QMenu>(this);
    const bool rows = page_->selected() >= 0;
    const auto addSelect = [&] {
        menu->addAction(texts_.select, this, &BrowseWindow::selectRecord)->setEnabled(rows && selectMode_);
    };
    if (texts_.selectFirstInPopup)
        addSelect();
    // A list without a form only selects.
    if (makeForm_) {
        menu->addAction(texts_.insert, this, &BrowseWindow::insertRecord);
        menu->addAction(texts_.change, this, &BrowseWindow::changeRecord)->setEnabled(rows);
        menu->addAction(texts_.remove, this, &BrowseWindow::deleteRecord)->setEnabled(rows);
    }
    if (!texts_.selectFirstInPopup && texts_.selectInPopup) {
        menu->addSeparator();
        addSelect();
    }
    if (popupTail_) {
        popupTail_(*menu, rows);
        return menu;
    }
    if (!ownButtons_.empty())
        menu->addSeparator();
    for (const OwnButton &own : ownButtons_)
        if (own.button->isVisibleTo(this))
            menu->addAction(own.button->text(), own.button, &QPushButton::click)->setEnabled(own.button->isEnabled());
    return menu;
}

void BrowseWindow::popup(const QPoint &at)
{
    popupMenu()->exec(list_->viewport()->mapToGlobal(at));
}

bool BrowseWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        keyPressEvent(static_cast<QKeyEvent *>(event));
        return event->isAccepted();
    }
    if (event->type() == QEvent::Wheel && (watched == list_ || watched == list_->viewport() || watched == scroll_)) {
        wheel(static_cast<QWheelEvent *>(event)->angleDelta().y());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

// The wheel moves the list three rows a notch, as the bar's arrows do.
void BrowseWindow::wheel(int delta)
{
    constexpr int Notch = 120, RowsANotch = 3;
    if (!page_)
        return;
    wheelDelta_ += delta;
    bool moved = false;
    while (std::abs(wheelDelta_) >= Notch) {
        const bool down = wheelDelta_ < 0;
        wheelDelta_ += down ? Notch : -Notch;
        for (int i = 0; i < RowsANotch; ++i)
            if (!(down ? page_->lineDown() : page_->lineUp())) {
                failed();
                return;
            }
        moved = true;
    }
    if (moved) {
        locator_.clear();
        redisplay();
    }
}

void BrowseWindow::keyPressEvent(QKeyEvent *event)
{
    bool ok = true;
    const SortOrder &order = orders_[size_t(std::max(0, tabs_->currentIndex()))];
    switch (event->key()) {
    case Qt::Key_Down: ok = page_->lineDown(); break;
    case Qt::Key_Up: ok = page_->lineUp(); break;
    case Qt::Key_PageDown: ok = page_->pageDown(); break;
    case Qt::Key_PageUp: ok = page_->pageUp(); break;
    case Qt::Key_Home: ok = page_->top(); break;
    case Qt::Key_End: ok = page_->bottom(); break;
    case Qt::Key_Insert: insertRecord(); return;
    case Qt::Key_Delete: deleteRecord(); return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (event->modifiers() & Qt::ControlModifier)
            changeRecord();
        else if (selectMode_)
            selectRecord();
        else
            event->ignore();
        return;
    case Qt::Key_Backspace:
        if (order.locator == LocatorKind::Incremental && locator_.backspace())
            ok = page_->locateOn(locator_.text());
        break;
    default: {
        const QString text = event->text();
        if (text.size() != 1 || !text[0].isPrint() || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            event->ignore();
            return;
        }
        if (order.locator == LocatorKind::Step)
            ok = page_->stepLocate(text[0]);
        else if (order.locator == LocatorKind::Incremental && locator_.type(text[0]))
            ok = page_->locateOn(locator_.text());
    }
    }
    event->accept();
    if (!ok) {
        failed();
        return;
    }
    redisplay();
}

void BrowseWindow::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    if (!using_)
        return;
    layout_.apply(size(), resizingOf(objectName()));
    if (explorer_)
        fitColumns();
    if (page_ && page_->capacity() != rowsThatFit()) {
        page_->setCapacity(rowsThatFit());
        if (page_->selected() >= 0 && !page_->locate()) {
            failed();
            return;
        }
        redisplay();
    }
}

void BrowseWindow::done(int result)
{
    if (using_) {
        if (!lastTabKey_.isEmpty())
            saveLastTab(profilePath(files_.directory(), settingsfile::Preferences), lastTabKey_, tabs_->currentIndex());
        const QString positions = profilePath(files_.directory(), settingsfile::Positions);
        saveListFormat(positions, objectName(), listControl_,
                       listFormatWithWidths(currentFormat_, DialogUnits::columnWidths(*list_->header())), formatKeys_);
        WidgetPlacement placement(*this);
        SaveWindowPlacement(positions, objectName(), placement);
        page_.reset();
        view_.reset();
        releaseFiles();
    }
    QDialog::done(result);
}

} // namespace crx
