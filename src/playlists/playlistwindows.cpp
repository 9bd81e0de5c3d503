#include "playlistwindows.h"

#include "chart.h"
#include "childwindow.h"
#include "datafile.h"
#include "fileset.h"
#include "generator.h"
#include "interaction.h"
#include "launchers.h"
#include "numberspin.h"
#include "pagebuttons.h"
#include "picture.h"
#include "placement.h"
#include "processwindow.h"
#include "profile.h"
#include "referencelists.h"
#include "selectfilenumber.h"
#include "settings.h"
#include "standardmessages.h"
#include "storedorder.h"
#include "tracklist.h"
#include "transaction.h"
#include "widgetplacement.h"

#include <QComboBox>
#include <QDragEnterEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTabWidget>

namespace crx {
namespace {

constexpr int FormWidth = 640, FormHeight = 450;

QString timeText(qint64 time)
{
    return formatValue(QStringLiteral("t4"), time);
}

} // namespace

// ---- the entry list ----

PlaylistEntryList::PlaylistEntryList(QWidget *parent) : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("entries"));
    setRootIsDecorated(false);
    setAllColumnsShowFocus(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setHeaderLabels({QStringLiteral("Seq"), QStringLiteral("Artist"), QStringLiteral("Title"), QStringLiteral("Time"),
                     QStringLiteral("Notes")});
    const int widths[] = {45, 140, 160, 55, 150};
    for (int i = 0; i < 5; ++i)
        setColumnWidth(i, widths[i]);
}

QStringList PlaylistEntryList::mimeTypes() const
{
    return {TrackList::dragFormat()};
}

void PlaylistEntryList::dragEnterEvent(QDragEnterEvent *event)
{
    TrackList::acceptSongs(*event);
}

void PlaylistEntryList::dragMoveEvent(QDragMoveEvent *event)
{
    TrackList::acceptSongs(*event);
}

void PlaylistEntryList::dropEvent(QDropEvent *event)
{
    if (TrackList::acceptSongs(*event))
        for (const qint64 id : TrackList::droppedSongs(*event->mimeData()))
            Q_EMIT dropped(id);
}

void PlaylistEntryList::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Insert)
        Q_EMIT insertPressed();
    else if (event->key() == Qt::Key_Delete)
        Q_EMIT deletePressed();
    else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        Q_EMIT changePressed();
    else
        QTreeWidget::keyPressEvent(event);
}

// ---- the playlist form ----

UpdatePlaylist::UpdatePlaylist(FileSet &files, QWidget *parent)
    : FormWindow(files, FileId::PlaylistMaster, QStringLiteral("UpdatePlaylist"),
                 {QStringLiteral("Adding a Playlist Record"), QStringLiteral("Changing a Playlist Record")},
                 QSize(FormWidth, FormHeight), DittoKey::Grave, parent),
      files_(files)
{
    setOthersUsable(true);
    session().setKeyNames({{QStringLiteral("PLD:KeyPlaylistID"), QStringLiteral("PLD:KeyPlaylistID")},
                           {QStringLiteral("PLD:KeyPlaylistDescription"), QStringLiteral("Playlists")}});
    sheet_ = new QTabWidget(this);
    sheet_->setGeometry(10, 10, FormWidth - 20, FormHeight - 55);
    auto *list = new QWidget;
    auto *notes = new QWidget;
    sheet_->addTab(list, QStringLiteral("Play List"));
    sheet_->addTab(notes, QStringLiteral("Notes"));

    addField(QStringLiteral("&Playlist Description:"), QStringLiteral("PLD:PlaylistDescription"), QStringLiteral("@s30"),
             QRect(10, 10, 130, 22), QRect(145, 10, 160, 22), {}, list);
    pageLabel(list, QStringLiteral("Total Time:"), QRect(330, 10, 80, 22));
    total_ = pageLabel(list, QString(), QRect(415, 10, 90, 22), QStringLiteral("totalTime"));

    entries_ = new PlaylistEntryList(list);
    entries_->setGeometry(10, 40, FormWidth - 40, 260);
    connect(entries_, &PlaylistEntryList::dropped, this, &UpdatePlaylist::dropSong);
    connect(entries_, &PlaylistEntryList::insertPressed, this, &UpdatePlaylist::addEntry);
    connect(entries_, &PlaylistEntryList::deletePressed, this, &UpdatePlaylist::deleteEntry);
    connect(entries_, &PlaylistEntryList::changePressed, this, &UpdatePlaylist::changeEntry);
    connect(entries_, &QTreeWidget::itemDoubleClicked, this, &UpdatePlaylist::changeEntry);
    connect(entries_, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        QMenu menu(this);
        const bool rows = !shown_.empty();
        menu.addAction(QStringLiteral("&Add"), this, &UpdatePlaylist::addEntry);
        menu.addAction(QStringLiteral("&Change"), this, &UpdatePlaylist::changeEntry)->setEnabled(rows);
        menu.addAction(QStringLiteral("&Delete"), this, &UpdatePlaylist::deleteEntry)->setEnabled(rows);
        menu.exec(entries_->viewport()->mapToGlobal(at));
    });

    addMoveButtons(list, QPoint(10, 310), [this](Move mode) { moveEntry(mode); });
    connect(pageButton(list, QStringLiteral("Char&t"), QStringLiteral("chart"), QRect(140, 310, 70, 25),
                       QStringLiteral("Copy the current chart order into the last week column")),
            &QPushButton::clicked, this, &UpdatePlaylist::updateChart);
    const struct {
        const char *text, *name;
        int x;
        void (UpdatePlaylist::*run)();
    } buttons[] = {{"&Add", "addEntry", 380, &UpdatePlaylist::addEntry},
                   {"&Change", "changeEntry", 458, &UpdatePlaylist::changeEntry},
                   {"&Delete", "deleteEntry", 536, &UpdatePlaylist::deleteEntry}};
    for (const auto &b : buttons)
        connect(pageButton(list, QString::fromLatin1(b.text), QString::fromLatin1(b.name), QRect(b.x, 310, 72, 25)),
                &QPushButton::clicked, this, b.run);
    pageLabel(list, QStringLiteral("Drag from the \"Songs\" window and drop on the Playlist"), QRect(10, 345, 500, 20),
          QStringLiteral("hint"));

    addMemo(QStringLiteral("PLD:Notes"), QRect(10, 10, FormWidth - 40, 300), notes);
    pageLabel(notes, QStringLiteral("Last Edit Date:"), QRect(10, 320, 100, 22));
    lastEdit_ = pageLabel(notes, QString(), QRect(115, 320, 250, 22), QStringLiteral("lastEditDate"));
    helpButton()->hide();
    cancelButton()->setGeometry(helpButton()->geometry());
    okButton()->setGeometry(cancelButton()->geometry().translated(-81, 0));
}

bool UpdatePlaylist::prepare()
{
    if (!FormWindow::prepare())
        return false;
    opened_ = true;
    lastEdit_->setText(formatValue(QStringLiteral("d4"), session().file().buffer().get("PLD:LastEditDate")));
    showEntries();
    return true;
}

qint64 UpdatePlaylist::playlist()
{
    return session().file().buffer().get("PLD:PlaylistID").toLongLong();
}

QString UpdatePlaylist::totalTimeText() const
{
    return total_->text();
}

void UpdatePlaylist::showEntries(int seq)
{
    if (seq < 0)
        seq = highlightedSeq();
    const PlaylistEntries read = readPlaylistEntries(files_, playlist());
    if (!read.error.isEmpty()) {
        // The entries cannot be read: the form closes rather than show part of them.
        ShowStandardMessage(35, QStringLiteral("PlaylistDetails"));
        QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
    }
    shown_ = read.entries;
    entries_->clear();
    for (const PlaylistEntry &e : shown_) {
        auto *item = new QTreeWidgetItem(
            QStringList{QString::number(e.seq).rightJustified(5), e.artist, e.title, timeText(e.time), e.notes});
        item->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);
        item->setTextAlignment(3, Qt::AlignRight | Qt::AlignVCenter);
        entries_->addTopLevelItem(item);
        if (e.seq == seq)
            entries_->setCurrentItem(item);
    }
    if (!entries_->currentItem() && entries_->topLevelItemCount() > 0)
        entries_->setCurrentItem(entries_->topLevelItem(0));
    total_->setText(timeText(totalTime(shown_)));
    for (const char *name : {"changeEntry", "deleteEntry"})
        findChild<QPushButton *>(QLatin1String(name))->setEnabled(!shown_.empty());
}

int UpdatePlaylist::highlightedSeq() const
{
    const int row = entries_->currentIndex().row();
    return row >= 0 && row < int(shown_.size()) ? shown_[size_t(row)].seq : -1;
}

void UpdatePlaylist::swapFailed(const SwapFailure &failure)
{
    interaction().message(QStringLiteral("Error!"), swapErrorText(playlist(), failure), Icon::Exclamation, OK, OK);
}

void UpdatePlaylist::dropSong(qint64 song)
{
    const std::optional<int> seq = addSongToPlaylist(files_, playlist(), song);
    showEntries(seq.value_or(-1));
}

bool UpdatePlaylist::callEntryForm(Request request)
{
    formRequest() = request;
    UpdatePlaylistDetails form(files_, this);
    return form.call() == Response::Completed;
}

void UpdatePlaylist::addEntry()
{
    const int after = highlightedSeq();
    DataFile &details = files_.use(FileId::PlaylistDetails);
    details.buffer().clear();
    details.buffer().set("PLA:PlaylistID", playlist());
    const bool added = callEntryForm(Request::Insert);
    const int seq = details.buffer().get("PLA:PlaylistSeq").toInt();
    files_.release(FileId::PlaylistDetails);
    if (!added) {
        showEntries();
        return;
    }
    // The new entry goes directly after the one highlighted when Add was pressed.
    int placed = seq;
    if (after > 0 && seq != after + 1) {
        std::optional<SwapFailure> failure;
        if (movePlaylistEntry(files_, playlist(), seq, Move::AfterInsert, failure, after))
            placed = after + 1;
        if (failure)
            swapFailed(*failure);
    }
    showEntries(placed);
}

void UpdatePlaylist::changeEntry()
{
    const int row = entries_->currentIndex().row();
    if (row < 0 || row >= int(shown_.size()))
        return;
    const int seq = shown_[size_t(row)].seq;
    DataFile &details = files_.use(FileId::PlaylistDetails);
    if (details.reget(shown_[size_t(row)].position) == NoError)
        callEntryForm(Request::Change);
    files_.release(FileId::PlaylistDetails);
    showEntries(seq);
}

void UpdatePlaylist::deleteEntry()
{
    const int row = entries_->currentIndex().row();
    if (row < 0 || row >= int(shown_.size()))
        return;
    const int seq = shown_[size_t(row)].seq;
    DataFile &details = files_.use(FileId::PlaylistDetails);
    bool deleted = false;
    if (details.reget(shown_[size_t(row)].position) == NoError)
        deleted = callEntryForm(Request::Delete);
    files_.release(FileId::PlaylistDetails);
    if (deleted) {
        std::optional<SwapFailure> failure;
        closePlaylistGap(files_, playlist(), seq, failure);
        if (failure)
            swapFailed(*failure);
    }
    showEntries(seq);
}

void UpdatePlaylist::moveEntry(Move mode)
{
    const int seq = highlightedSeq();
    if (seq < 0)
        return;
    std::optional<SwapFailure> failure;
    movePlaylistEntry(files_, playlist(), seq, mode, failure);
    if (failure)
        swapFailed(*failure);
    // The moved entry stays highlighted where it went.
    const int row = entries_->currentIndex().row();
    const int last = int(shown_.size()) - 1;
    const int to = failure ? row
                   : mode == Move::UpOne   ? std::max(0, row - 1)
                   : mode == Move::DownOne ? std::min(last, row + 1)
                   : mode == Move::ToTop   ? 0
                                           : last;
    showEntries();
    if (to >= 0 && to < entries_->topLevelItemCount())
        entries_->setCurrentItem(entries_->topLevelItem(to));
}

void UpdatePlaylist::updateChart()
{
    if (interaction().message(QStringLiteral("Warning"),
                              QStringLiteral("This will copy the current chart standings into the notes field to be "
                                             "used as \"last week's chart positions\"."),
                              Icon::Exclamation, OK | Cancel, OK)
        != OK)
        return;
    const std::unique_ptr<BatchProcess> process = chartProcess(files_, playlist(), qint64(shown_.size()));
    ProcessWindow window(*process, QStringLiteral("Updating Chart"), this);
    window.run();
    showEntries();
}

void UpdatePlaylist::beforeValidation()
{
    const QDate today = QDate::currentDate();
    session().file().buffer().set("PLD:LastEditDate", dayNumber(today.year(), today.month(), today.day()));
}

void UpdatePlaylist::givingUp()
{
    // A new playlist given up takes the entries dropped into it along.
    if (session().request() != Request::Insert)
        return;
    const std::vector<PlaylistEntry> entries = readPlaylistEntries(files_, playlist()).entries;
    DataFile &details = files_.use(FileId::PlaylistDetails);
    if (beginTransaction({&details}, 2) == NoError) {
        bool removed = true;
        for (const PlaylistEntry &e : entries)
            removed = removed && details.reget(e.position) == NoError && details.remove() == NoError;
        if (!removed || commitTransaction() != NoError)
            rollbackTransaction();
    }
    files_.release(FileId::PlaylistDetails);
}

// ---- the entry form ----

UpdatePlaylistDetails::UpdatePlaylistDetails(FileSet &files, QWidget *parent)
    : FormWindow(files, FileId::PlaylistDetails, QStringLiteral("UpdatePlaylistDetails"),
                 {QStringLiteral("Adding a Playlist Detail"), QStringLiteral("Changing a Playlist Detail")},
                 QSize(470, 170), DittoKey::Grave, parent),
      files_(files)
{
    connect(pageButton(this, QStringLiteral("&Select Song"), QStringLiteral("selectSong"), QRect(10, 10, 100, 25)),
            &QPushButton::clicked, this, &UpdatePlaylistDetails::selectSong);
    const auto shown = [this](const QString &prompt, const char *name, int y) {
        pageLabel(this, prompt, QRect(10, y, 100, 22));
        auto *entry = new QLineEdit(this);
        entry->setObjectName(QLatin1String(name));
        entry->setGeometry(115, y, 345, 22);
        entry->setReadOnly(true);
        entry->setFocusPolicy(Qt::NoFocus);
        return entry;
    };
    artist_ = shown(QStringLiteral("&Artist:"), "artist", 45);
    title_ = shown(QStringLiteral("&Title:"), "title", 72);
    addField(QStringLiteral("&Playlist Notes:"), QStringLiteral("PLA:PlaylistNotes"), QStringLiteral("@s40"),
             QRect(10, 99, 100, 22), QRect(115, 99, 345, 22));
    helpButton()->hide();
    cancelButton()->setGeometry(helpButton()->geometry());
    okButton()->setGeometry(cancelButton()->geometry().translated(-81, 0));
}

bool UpdatePlaylistDetails::prepare()
{
    if (!FormWindow::prepare())
        return false;
    showSong();
    return true;
}

void UpdatePlaylistDetails::showSong()
{
    DataFile &songs = files_.use(FileId::Cantorix);
    const Record kept = songs.buffer();
    songs.buffer().clear();
    songs.buffer().set("MUS:ID", session().file().buffer().get("PLA:ID"));
    const bool found = songs.get(songs.def().keyIndex("MUS:KeyID")) == NoError;
    artist_->setText(found ? songs.buffer().get("MUS:Artist").toString() : QString());
    title_->setText(found ? songs.buffer().get("MUS:Title").toString() : QString());
    songs.buffer() = kept;
    files_.release(FileId::Cantorix);
}

void UpdatePlaylistDetails::selectSong()
{
    takeTyped();
    DataFile &songs = files_.use(FileId::Cantorix);
    if (selectFrom<SelectFileNumber>(files_, this))
        session().file().buffer().set("PLA:ID", songs.buffer().get("MUS:ID"));
    files_.release(FileId::Cantorix);
    showSong();
}

// ---- the playlist list ----

BrowsePlayLists::BrowsePlayLists(FileSet &files, QWidget *parent)
    : BrowseWindow(files, FileId::PlaylistMaster, QStringLiteral("BrowsePlayLists"), QStringLiteral("Playlists"),
                   QStringLiteral("80L(2)|M~Playlist Description~L(2)@s20@"),
                   {QStringLiteral("PLD:PlaylistDescription")},
                   {{QStringLiteral("By Description"), QStringLiteral("PLD:KeyPlaylistDescription"),
                     LocatorKind::Step, Alphabet::LettersDigitsPunctuation, QString(), {}}},
                   [](FileSet &set) { return std::make_unique<UpdatePlaylist>(set); }, parent)
{
    resize(420, 340);
    placeList(QRect(10, 10, 290, 240), QStringLiteral("Locate:"));
    setTexts(ListTexts::adding());
    const auto place = [](int row) { return QRect(310, 10 + row * 30, 100, 25); };
    button(QStringLiteral("insert"))->setGeometry(place(0));
    button(QStringLiteral("change"))->setGeometry(place(1));
    button(QStringLiteral("delete"))->setGeometry(place(2));
    // The playlist and chart reports come with the report catalogue.
    addButton(QStringLiteral("&Print"), QStringLiteral("print"), place(3), {})
        ->setToolTip(QStringLiteral("Print playlist (basic format)"));
    addButton(QStringLiteral("&Top 40"), QStringLiteral("top40"), place(4), {})
        ->setToolTip(QStringLiteral("Print playlist in a top-?? chart format"));
    button(QStringLiteral("close"))->setGeometry(place(8));
    setPopupTail([this](QMenu &menu, bool) {
        menu.addSeparator();
        menu.addAction(QStringLiteral("&Print"))->setEnabled(false);
        menu.addAction(QStringLiteral("&Top 40"))->setEnabled(false);
        menu.addAction(QStringLiteral("Report Wizard"))->setEnabled(false);
        menu.addSeparator();
        menu.addAction(QStringLiteral("Generate Play List"), this, &BrowsePlayLists::generate);
    });
}

void BrowsePlayLists::generate()
{
    GeneratePlaylistWindow window(files(), this);
    window.exec();
    refresh();
}

// ---- the generator ----

GeneratePlaylistWindow::GeneratePlaylistWindow(FileSet &files, QWidget *parent) : QDialog(parent), files_(files)
{
    setObjectName(QStringLiteral("GeneratePlaylist"));
    setWindowTitle(QStringLiteral("Generate Play List"));
    resize(440, 230);
    const auto row = [this](const QString &prompt, int y) { pageLabel(this, prompt, QRect(10, y, 220, 22)); };
    row(QStringLiteral("Play List Size (Number of Songs):"), 10);
    size_ = new NumberSpin(2, false, this);
    size_->setObjectName(QStringLiteral("size"));
    size_->setRange(0, 99);
    size_->setValue(20);
    size_->setGeometry(235, 10, 60, 22);
    row(QStringLiteral("Starting Release Date:"), 40);
    from_ = new QLineEdit(this);
    from_->setObjectName(QStringLiteral("from"));
    from_->setGeometry(235, 40, 120, 22);
    row(QStringLiteral("Ending Release Date:"), 70);
    to_ = new QLineEdit(this);
    to_->setObjectName(QStringLiteral("to"));
    to_->setGeometry(235, 70, 120, 22);
    category_ = addNameList(this, QStringLiteral("Category (Blank for All):"), QStringLiteral("category"),
                            QRect(10, 100, 220, 22), QRect(235, 100, 195, 22), 30);
    fillCategoryList(files_, *category_);
    category_->setCurrentText(QString());
    row(QStringLiteral("Weighting"), 130);
    weighting_ = new QComboBox(this);
    weighting_->setObjectName(QStringLiteral("weighting"));
    weighting_->addItems({QStringLiteral("No Weighting"), QStringLiteral("Recent Addition"),
                          QStringLiteral("Recent Release"), QStringLiteral("Older Addition"),
                          QStringLiteral("Older Release")});
    weighting_->setGeometry(235, 130, 195, 22);
    auto *ok = pageButton(this, QStringLiteral("&Ok"), QStringLiteral("ok"), QRect(280, 190, 70, 25));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(pageButton(this, QStringLiteral("Cancel"), QStringLiteral("cancel"), QRect(360, 190, 70, 25)),
            &QPushButton::clicked, this, &QDialog::reject);
    openAtDesign(*this);
    WidgetPlacement placement(*this);
    RestoreWindowPlacement(profilePath(files_.directory(), settingsfile::Positions), objectName(), placement);
}

bool GeneratePlaylistWindow::takeCategory(qint64 &id)
{
    id = 0;
    if (category_->currentText().trimmed().isEmpty())
        return true;
    const int found = listEntry(*category_);
    if (found < 0)
        return false;
    id = category_->itemData(found).toLongLong();
    return true;
}

void GeneratePlaylistWindow::accept()
{
    GeneratorChoices choices;
    choices.size = size_->value();
    // Dates as abbreviated month, day and year ("OCT 31,1959"), or as any date picture reads
    // them; one that is no date is refused and keeps the focus, as a category not in the list is.
    QLineEdit *refused = nullptr;
    const auto date = [&refused](QLineEdit *entry) {
        if (entry->text().trimmed().isEmpty())
            return qint64(0);
        bool read = false;
        const qint64 day = readValue(QStringLiteral("d3"), entry->text(), &read).toLongLong();
        if (!read && !refused)
            refused = entry;
        return day;
    };
    choices.from = date(from_);
    choices.to = date(to_);
    if (refused) {
        refused->setFocus();
        refused->selectAll();
        return;
    }
    if (!takeCategory(choices.category)) {
        category_->setFocus();
        category_->lineEdit()->selectAll();
        return;
    }
    choices.weighting = Weighting(weighting_->currentIndex());
    std::mt19937_64 random(std::random_device{}());
    const GeneratedPlaylist made = generatePlaylist(files_, choices, random, QDate::currentDate());
    if (made.noSongs)
        interaction().message(QStringLiteral("Error"), QStringLiteral("There are no songs to select from"),
                              Icon::Exclamation, OK, OK);
    for (const QString &error : made.errors)
        interaction().message(QStringLiteral("Error"), error, Icon::Exclamation, OK, OK);
    generated_ = made.playlist;
    QDialog::accept();
}

void GeneratePlaylistWindow::done(int result)
{
    WidgetPlacement placement(*this);
    SaveWindowPlacement(profilePath(files_.directory(), settingsfile::Positions), objectName(), placement);
    QDialog::done(result);
}

void registerPlaylistWindows()
{
    launchers().add(QStringLiteral("BrowsePlayLists"), &openList<BrowsePlayLists>);
}

} // namespace crx
