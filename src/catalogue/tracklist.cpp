#include "tracklist.h"

#include "datafile.h"
#include "dialogunits.h"
#include "fileset.h"
#include "listformat.h"
#include "picture.h"
#include "placement.h"
#include "referencelists.h"
#include "songdisplay.h"
#include "transaction.h"
#include "view.h"

#include <QDragEnterEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>

namespace crx {

namespace {

const QString DesignedFormat = QStringLiteral(
    "45L(2)|M~Track~L(2)@s8@120L(2)|M~Artist~L(2)@s30@130L(2)|M~Title~L(2)@s30@40R(2)|M~Time~R(2)@s8@"
    "50L(2)|M~Media~L(2)@s20@60L(2)|M~File Number~L(2)@s20@70L(2)|M~Release Date~L(2)@d2@"
    "35R(2)|M~BPM~R(2)@n4b@60L(2)|M~In/Out~L(2)@s20@");
const QString WithCategory = QStringLiteral("80L(2)|M~Category~L(2)@s30@");
const QString PlayerFormat = QStringLiteral("30C(2)|M~Track~C(2)@n3@35R(2)|M~Time~R(2)@t4b@"
                                            "120L(2)|M~Title~L(2)@s50@100L(2)|M~Artist~L(2)@s50@"
                                            "55L(2)|M~Release~L(2)@d17@");

QString designedFormat(TrackList::Columns columns)
{
    switch (columns) {
    case TrackList::Columns::Tracks: return DesignedFormat;
    case TrackList::Columns::WithCategory: return DesignedFormat + WithCategory;
    case TrackList::Columns::Player: return PlayerFormat;
    }
    return DesignedFormat;
}
const QString FormControl = QStringLiteral("?Browse:2"), BrowseControl = QStringLiteral("?List");
constexpr int HighestSide = 255;

} // namespace

QString TrackList::dragFormat()
{
    return QStringLiteral("application/x-cantorix-songs");
}

TrackList::TrackList(FileSet &files, QWidget *parent, Columns columns)
    : QTreeWidget(parent), files_(files), columns_(columns), designed_(designedFormat(columns)), format_(designed_)
{
    setObjectName(QStringLiteral("trackList"));
    setRootIsDecorated(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(true);
    setAcceptDrops(columns != Columns::Player);
    setDragDropMode(columns != Columns::Player ? QAbstractItemView::DragDrop : QAbstractItemView::DragOnly);
    setContextMenuPolicy(Qt::CustomContextMenu);
    showColumns();
}

void TrackList::showColumns()
{
    // The format keeps its designed date pictures; the date format is the display's.
    const std::vector<ListColumn> columns = parseListFormat(listFormatWithDateFormat(format_, dateFormat_));
    QStringList headers;
    pictures_.clear();
    for (const ListColumn &c : columns) {
        headers << c.header;
        pictures_ << c.picture.mid(1).chopped(1);
    }
    setHeaderLabels(headers);
    const DialogUnits units(font());
    for (size_t i = 0; i < columns.size(); ++i)
        header()->resizeSection(int(i), units.x(columns[i].width));
}

void TrackList::restoreFormat(const QString &positionsFile, const QString &section, const QString &dateFormat)
{
    format_ = restoreListFormat(positionsFile, section, listControl(), designed_);
    dateFormat_ = dateFormat;
    showColumns();
}

void TrackList::saveFormat(const QString &positionsFile, const QString &section) const
{
    saveListFormat(positionsFile, section, listControl(),
                   listFormatWithWidths(format_, DialogUnits::columnWidths(*header())));
}

QString TrackList::listControl() const
{
    return columns_ == Columns::Tracks ? FormControl : BrowseControl;
}

void TrackList::setAlbum(qint64 album, int side)
{
    album_ = album;
    side_ = side;
    refresh();
}

void TrackList::refresh(qint64 highlight)
{
    if (highlight < 0 && highlighted())
        highlight = highlighted()->id;
    const int row = currentIndex().row();
    clear();
    songs_.clear();
    // Album 0 is no album: the songs that have none are not its songs.
    if (album_ == 0)
        return;
    DataFile &songs = files_.use(FileId::Cantorix);
    const Record kept = songs.buffer();
    const ReadTogether together(songs);
    View view(songs);
    view.setOrder(songs.def().keyIndex("MUS:KeyAlbumID"));
    const int from = side_ < 0 ? 0 : side_, to = side_ < 0 ? HighestSide : side_;
    view.setRange({qlonglong(album_), from}, {qlonglong(album_), to});
    if (view.open() == NoError && view.setToStart() == NoError) {
        while (view.next() == NoError) {
            Record &s = songs.buffer();
            songs_.push_back({songs.position(), s.get("MUS:ID").toLongLong(), s.get("MUS:Side").toInt(),
                              s.get("MUS:TrackNumber").toInt()});
            if (columns_ == Columns::Player) {
                auto *item = new QTreeWidgetItem(
                    QStringList{formatValue(pictures_.value(0), s.get("MUS:TrackNumber")),
                                formatValue(pictures_.value(1), s.get("MUS:Time")), displayTitle(s),
                                s.get("MUS:Artist").toString(), formatValue(pictures_.value(4), s.get("MUS:ReleaseDate"))});
                item->setTextAlignment(0, Qt::AlignCenter);
                item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
                addTopLevelItem(item);
                continue;
            }
            const QStringList cells = {
                QStringLiteral("(%1)%2").arg(songs_.back().side).arg(songs_.back().track, 3),
                s.get("MUS:Artist").toString(),
                displayTitle(s),
                displayTime(s.get("MUS:Time").toLongLong()),
                s.get("MUS:Media").toString(),
                s.get("MUS:FileNumber").toString(),
                formatValue(pictures_.value(6), s.get("MUS:ReleaseDate")),
                formatValue(pictures_.value(7), s.get("MUS:BeatsPerMinute")),
                s.get("MUS:InOut").toString(),
            };
            addTopLevelItem(new QTreeWidgetItem(
                columns_ == Columns::WithCategory ? cells + QStringList{categoryName(files_, s.get("MUS:CategoryID").toLongLong())}
                              : cells));
        }
    }
    songs.buffer() = kept;
    files_.release(FileId::Cantorix);
    int select = std::min(std::max(row, 0), int(songs_.size()) - 1);
    for (size_t i = 0; i < songs_.size(); ++i)
        if (songs_[i].id == highlight)
            select = int(i);
    if (select >= 0)
        setCurrentItem(topLevelItem(select));
}

const TrackList::Song *TrackList::highlighted() const
{
    const int row = currentIndex().row();
    return row >= 0 && row < int(songs_.size()) ? &songs_[size_t(row)] : nullptr;
}

void TrackList::highlightTrack(int track)
{
    for (size_t i = 0; i < songs_.size(); ++i)
        if (songs_[i].track == track) {
            setCurrentItem(topLevelItem(int(i)));
            scrollToItem(currentItem());
            return;
        }
}

bool TrackList::readHighlighted()
{
    const Song *song = highlighted();
    return song && files_.file(FileId::Cantorix).reget(song->position) == NoError;
}

void TrackList::keyPressEvent(QKeyEvent *event)
{
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    if (event->key() == Qt::Key_Insert) {
        Q_EMIT insertPressed();
        return;
    }
    if (event->key() == Qt::Key_Delete) {
        Q_EMIT deletePressed();
        return;
    }
    if (ctrl && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        Q_EMIT changePressed();
        return;
    }
    const QString text = event->text();
    if (ctrl || text.trimmed().isEmpty() || songs_.empty()) {
        QTreeWidget::keyPressEvent(event);
        return;
    }
    // The first digit of the highlighted song's side steps down a row; another side number jumps there.
    const Song *current = highlighted();
    if (current && text.front() == QString::number(current->side).front()) {
        const int next = std::min(currentIndex().row() + 1, int(songs_.size()) - 1);
        setCurrentItem(topLevelItem(next));
        return;
    }
    const int side = text.front().isDigit() ? text.front().digitValue() : 0;
    for (size_t i = 0; i < songs_.size(); ++i)
        if (songs_[i].side >= side) {
            setCurrentItem(topLevelItem(int(i)));
            return;
        }
}

QStringList TrackList::mimeTypes() const
{
    return {dragFormat()};
}

QMimeData *TrackList::mimeData(const QList<QTreeWidgetItem *> &items) const
{
    QStringList ids;
    for (QTreeWidgetItem *item : items) {
        const int row = indexOfTopLevelItem(item);
        if (row >= 0 && row < int(songs_.size()))
            ids << QString::number(songs_[size_t(row)].id);
    }
    auto *data = new QMimeData;
    data->setData(dragFormat(), ids.join(',').toLatin1());
    return data;
}

bool TrackList::acceptSongs(QDropEvent &event)
{
    const bool songs = event.mimeData()->hasFormat(dragFormat());
    if (songs)
        event.acceptProposedAction();
    else
        event.ignore();
    return songs;
}

std::vector<qint64> TrackList::droppedSongs(const QMimeData &data)
{
    std::vector<qint64> ids;
    for (const QByteArray &id : data.data(dragFormat()).split(','))
        if (!id.isEmpty())
            ids.push_back(id.toLongLong());
    return ids;
}

void TrackList::dragEnterEvent(QDragEnterEvent *event)
{
    acceptSongs(*event);
}

void TrackList::dragMoveEvent(QDragMoveEvent *event)
{
    acceptSongs(*event);
}

void TrackList::dropEvent(QDropEvent *event)
{
    if (acceptSongs(*event))
        for (const qint64 id : droppedSongs(*event->mimeData()))
            Q_EMIT dropped(id);
}

} // namespace crx
