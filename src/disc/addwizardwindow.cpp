#include "addwizardwindow.h"

#include "addwizardcall.h"
#include "autocomplete.h"
#include "childwindow.h"
#include "datafile.h"
#include "fileset.h"
#include "globals.h"
#include "interaction.h"
#include "launchers.h"
#include "pagebuttons.h"
#include "readcd.h"
#include "readingcdwindow.h"
#include "referencelists.h"
#include "settings.h"
#include "songdisplay.h"
#include "songentry.h"
#include "trackform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QTreeWidget>

namespace crx {
namespace {

constexpr int PromptX = 10, PromptWidth = 120, EntryX = 135, RowHeight = 22, RowStep = 28;
constexpr int Width = 730, Height = 440;
constexpr FileId OpenFiles[] = {FileId::AddWizard, FileId::Album, FileId::Categories, FileId::Media};

QRect promptAt(int row)
{
    return {PromptX, 10 + row * RowStep, PromptWidth, RowHeight};
}

QRect entryAt(int row, int width)
{
    return {EntryX, 10 + row * RowStep, width, RowHeight};
}


} // namespace

AddWizardWindow::AddWizardWindow(FileSet &files, bool compilation, QWidget *parent)
    : FormWindow(files, FileId::Cantorix,
                 compilation ? QStringLiteral("AddCompilation") : QStringLiteral("AddSingleArtist"),
                 {compilation ? QStringLiteral("Add Compilation") : QStringLiteral("Add Album by Single Artist"), {}},
                 QSize(Width, Height), DittoKey::Grave, parent),
      files_(files), compilation_(compilation), instance_(files.directory())
{
    sheet_ = new QTabWidget(this);
    sheet_->setGeometry(10, 10, 480, 380);
    auto *general = new QWidget;
    auto *songs = new QWidget;
    sheet_->addTab(general, QStringLiteral("General"));
    sheet_->addTab(songs, QStringLiteral("Songs"));
    buildGeneral(general);
    buildSongs(songs);

    connect(pageButton(this, QStringLiteral("&Read Compact Disc Information"), QStringLiteral("readCd"),
                       QRect(500, 35, 220, 25)),
            &QPushButton::clicked, this, &AddWizardWindow::readCompactDisc);
    connect(pageButton(this, QStringLiteral("Edit All Son&gs"), QStringLiteral("editAllSongs"),
                       QRect(500, 70, 220, 25)),
            &QPushButton::clicked, this, &AddWizardWindow::editAllTracks);
    addToAlbums_ = new QCheckBox(QStringLiteral("Add Information to Album Database"), this);
    addToAlbums_->setObjectName(QStringLiteral("addToAlbums"));
    addToAlbums_->setGeometry(10, Height - 35, 280, 25);
    // The box is the value the song form goes by while the wizard is open.
    connect(addToAlbums_, &QCheckBox::toggled, this,
            [](bool on) { settings().autoAddToAlbums = on ? QStringLiteral("1") : QString(); });
    helpButton()->hide();
    cancelButton()->setGeometry(helpButton()->geometry());
    okButton()->setGeometry(cancelButton()->geometry().translated(-81, 0));

    session().setInsertOnly(true);
    session().setBeforeInsert([this] {
        Record &carrier = session().file().buffer();
        carrier.clear();
        return prepareNewSong(files_, carrier, files_.file(FileId::Album).buffer(), 0, 1);
    });
}

AddWizardWindow::~AddWizardWindow()
{
    if (opened_)
        for (const FileId id : OpenFiles)
            files_.release(id);
}

void AddWizardWindow::buildGeneral(QWidget *page)
{
    int row = 0;
    if (compilation_) {
        addField(QStringLiteral("&Compilation Name:"), QStringLiteral("MUS:Album"), QStringLiteral("@s50"),
                 promptAt(row), entryAt(row, 320), {}, page);
        ++row;
    } else {
        addField(QStringLiteral("&Artist:"), QStringLiteral("MUS:Artist"), QStringLiteral("@s50"), promptAt(0),
                 entryAt(0, 320), {}, page);
        addField(QStringLiteral("A&lbum:"), QStringLiteral("MUS:Album"), QStringLiteral("@s50"), promptAt(1),
                 entryAt(1, 320), {}, page);
        row = 2;
    }
    addField(QStringLiteral("&Release Date:"), QStringLiteral("MUS:ReleaseDate"), QStringLiteral("@d17"),
             promptAt(row), entryAt(row, 100), {}, page);
    addField(QStringLiteral("&File Number:"), QStringLiteral("MUS:FileNumber"), QStringLiteral("@s20"),
             promptAt(row + 1), entryAt(row + 1, 150), {}, page);

    category_ = addNameList(page, QStringLiteral("&Category:"), QStringLiteral("category"), promptAt(row + 2),
                            entryAt(row + 2, 220), fileDef(FileId::Categories).fields[1].width);
    const auto takeCategory = [this](bool check) {
        return crx::takeCategory(files_, *category_, session().file().buffer(), "MUS:CategoryID", check);
    };
    addControl(
        category_,
        [this](const Record &r) {
            category_->setCurrentText(categoryName(files_, r.get("MUS:CategoryID").toLongLong()));
        },
        takeCategory);
    checkOnLeave(category_->lineEdit(), [takeCategory] { return takeCategory(true); }, category_);

    media_ = addNameList(page, QStringLiteral("&Media:"), QStringLiteral("MUS:Media"), promptAt(row + 3),
                         entryAt(row + 3, 150), fileDef(FileId::Media).fields[0].width);
    addControl(
        media_, [this](const Record &r) { showMedia(*media_, r.get("MUS:Media").toString()); },
        [this](bool check) { return takeMedia(check); });
    checkOnLeave(media_->lineEdit(), [this] { return takeMedia(true); }, media_);
}

bool AddWizardWindow::takeMedia(bool check)
{
    Record &carrier = session().file().buffer();
    // The single-artist wizard looks the name up in the media file, the compilation wizard
    // takes only a name of its list and says nothing.
    if (!compilation_)
        return crx::takeMedia(*media_, carrier, "MUS:Media", check);
    const int found = listEntry(*media_);
    if (found >= 0)
        carrier.set("MUS:Media", media_->itemText(found));
    return found >= 0 || !check;
}

void AddWizardWindow::buildSongs(QWidget *page)
{
    rows_ = new QTreeWidget(page);
    rows_->setObjectName(QStringLiteral("rows"));
    rows_->setGeometry(10, 10, 455, 290);
    rows_->setRootIsDecorated(false);
    rows_->setAllColumnsShowFocus(true);
    QStringList headers{QStringLiteral("Track")};
    if (compilation_)
        headers << QStringLiteral("Artist");
    headers << QStringLiteral("Title") << QStringLiteral("Time");
    rows_->setHeaderLabels(headers);
    rows_->headerItem()->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);
    rows_->setColumnWidth(0, 50);
    if (compilation_)
        rows_->setColumnWidth(1, 140);
    rows_->setColumnWidth(headers.size() - 2, compilation_ ? 170 : 310);
    rows_->setColumnWidth(headers.size() - 1, 55);
    connect(rows_, &QTreeWidget::itemDoubleClicked, this, &AddWizardWindow::changeTrack);
    const auto key = [this](QKeySequence sequence, void (AddWizardWindow::*run)()) {
        auto *shortcut = new QShortcut(sequence, rows_);
        shortcut->setContext(Qt::WidgetShortcut);
        connect(shortcut, &QShortcut::activated, this, run);
    };
    key(Qt::Key_Insert, &AddWizardWindow::addTrack);
    key(Qt::Key_Delete, &AddWizardWindow::deleteTrack);
    key(Qt::Key_Return, &AddWizardWindow::changeTrack);

    addMoveButtons(page, QPoint(10, 310), [this](Move mode) { moveTrack(mode); });
    const struct {
        const char *text, *name;
        int x;
        void (AddWizardWindow::*run)();
    } rowButtons[] = {{"&Add", "addTrack", 235, &AddWizardWindow::addTrack},
                      {"&Change", "changeTrack", 315, &AddWizardWindow::changeTrack},
                      {"&Delete", "deleteTrack", 395, &AddWizardWindow::deleteTrack}};
    for (const auto &b : rowButtons)
        connect(pageButton(page, QString::fromLatin1(b.text), QString::fromLatin1(b.name), QRect(b.x, 310, 70, 25)),
                &QPushButton::clicked, this, b.run);
}

bool AddWizardWindow::prepare()
{
    formRequest() = Request::Insert;
    if (!opened_)
        for (const FileId id : OpenFiles)
            files_.use(id);
    opened_ = true;
    fillMediaList(files_, *media_);
    fillCategoryList(files_, *category_);
    if (!FormWindow::prepare())
        return false;
    addToAlbums_->setChecked(true);
    settings().autoAddToAlbums = QStringLiteral("1");
    if (!compilation_ && settings().autoComplete)
        new ArtistCompleter(files_, *qobject_cast<QLineEdit *>(control(QStringLiteral("MUS:Artist"))), false);
    showRows();
    if (compilation_ && globals().readDiscInAddWizard) {
        globals().readDiscInAddWizard = false;
        QMetaObject::invokeMethod(this, &AddWizardWindow::readCompactDisc, Qt::QueuedConnection);
    }
    return true;
}

void AddWizardWindow::done(int result)
{
    // The song form goes by the setting again.
    settings().autoAddToAlbums = loadSettings(files_.directory()).autoAddToAlbums;
    FormWindow::done(result);
}

void AddWizardWindow::accept()
{
    if (!takeChecked())
        return;
    // When nothing could be written, the wizard stays open with its rows for another try.
    if (writeWizardAlbum(files_, session().file().buffer(),
                         {compilation_, addToAlbums_->isChecked(), discSignature_, instance()}))
        done(QDialog::Accepted);
}

void AddWizardWindow::showRows(int highlightTrack)
{
    const QByteArray highlighted = rows_->currentItem() ? rows_->currentItem()->data(0, Qt::UserRole).toByteArray()
                                                        : QByteArray();
    DataFile &file = files_.file(FileId::AddWizard);
    const WizardRows read = readWizardRows(file, instance());
    if (!read.error.isEmpty()) {
        // The list keeps what it showed; the rows are still in the file.
        interaction().message(QStringLiteral("Unexpected Error"), read.error + QLatin1Char('|') + file.path(),
                              Icon::Exclamation, OK, OK);
        return;
    }
    rows_->clear();
    for (const WizardRow &row : read.rows) {
        QStringList texts{QString::number(row.track).rightJustified(3)};
        if (compilation_)
            texts << row.artist;
        texts << row.title << (row.time == 0 ? QString() : wizardTimeText(row.time));
        auto *item = new QTreeWidgetItem(rows_, texts);
        item->setData(0, Qt::UserRole, row.position);
        item->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);
        item->setTextAlignment(texts.size() - 1, Qt::AlignRight | Qt::AlignVCenter);
        if (row.track == highlightTrack || (highlightTrack < 0 && row.position == highlighted))
            rows_->setCurrentItem(item);
    }
    if (!rows_->currentItem() && rows_->topLevelItemCount() > 0)
        rows_->setCurrentItem(rows_->topLevelItem(0));
}

int AddWizardWindow::highlightedTrack() const
{
    return rows_->currentItem() ? rows_->currentItem()->text(0).trimmed().toInt() : -1;
}

bool AddWizardWindow::callTrackForm(Request request)
{
    formRequest() = request;
    TrackForm form(files_, compilation_, instance(), this);
    return form.call() == Response::Completed;
}

void AddWizardWindow::addTrack()
{
    if (callTrackForm(Request::Insert))
        showRows(files_.file(FileId::AddWizard).buffer().get("AW:Track").toInt());
}

void AddWizardWindow::changeTrack()
{
    QTreeWidgetItem *item = rows_->currentItem();
    if (!item || files_.file(FileId::AddWizard).reget(item->data(0, Qt::UserRole).toByteArray()) != NoError)
        return;
    callTrackForm(Request::Change);
    showRows();
}

void AddWizardWindow::deleteTrack()
{
    QTreeWidgetItem *item = rows_->currentItem();
    if (!item || files_.file(FileId::AddWizard).reget(item->data(0, Qt::UserRole).toByteArray()) != NoError)
        return;
    const int below = rows_->indexOfTopLevelItem(item) + 1;
    if (callTrackForm(Request::Delete) && below < rows_->topLevelItemCount())
        rows_->setCurrentItem(rows_->topLevelItem(below));
    showRows();
}

void AddWizardWindow::moveTrack(Move mode)
{
    const int track = highlightedTrack();
    if (track >= 0)
        moveWizardRow(files_, instance(), track, mode);
    showRows();
}

void AddWizardWindow::readCompactDisc()
{
    takeTyped();
    // The reader takes a new row's artist from the album buffer and leaves the disc's
    // identifiers there: the caller's album is kept as it was.
    Record &album = files_.file(FileId::Album).buffer();
    const Record kept = album;
    album.set("ALB:Artist", compilation_ ? QStringLiteral("Various") : session().file().buffer().get("MUS:Artist"));
    ReadingCdWindow progress(this);
    if (ReadCompactDisc(files_, ReadMode::Full, true, progress, instance()))
        discSignature_ = album.get("ALB:CDIdentifier").toString();
    album = kept;
    showRows();
    sheet_->setCurrentIndex(1);
}

void AddWizardWindow::editAllTracks()
{
    DataFile &file = files_.file(FileId::AddWizard);
    const WizardRows read = readWizardRows(file, instance());
    bool toTheEnd = read.error.isEmpty();
    for (const WizardRow &row : read.rows) {
        if (file.reget(row.position) != NoError) {
            interaction().message(QStringLiteral("Unexpected Error"),
                                  lastResult().text + QLatin1Char('|') + file.path(), Icon::Exclamation, OK, OK);
            continue;
        }
        if (!callTrackForm(Request::Change)) {
            toTheEnd = false;
            break;
        }
    }
    if (toTheEnd)
        interaction().message(QStringLiteral("Information"), QStringLiteral("End of songs on this album."),
                              Icon::Information, OK, OK);
    showRows();
}

void registerDiscWindows()
{
    launchers().add(QStringLiteral("AddSingleArtist"), &openForm<AddSingleArtist>);
    launchers().add(QStringLiteral("AddCompilation"), &openForm<AddCompilation>);
    setAddWizardCall([](FileSet &files, AddWizardKind kind, QWidget *parent) {
        if (kind == AddWizardKind::Compilation)
            AddCompilation(files, parent).call();
        else
            AddSingleArtist(files, parent).call();
    });
}

} // namespace crx
