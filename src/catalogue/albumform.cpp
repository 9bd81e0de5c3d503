#include "albumform.h"

#include "albumsongs.h"
#include "associatedfile.h"
#include "autocomplete.h"
#include "cddblookup.h"
#include "datafile.h"
#include "fileset.h"
#include "getreplacecommand.h"
#include "globals.h"
#include "interaction.h"
#include "numberspin.h"
#include "pagebuttons.h"
#include "profile.h"
#include "readcd.h"
#include "readingcdwindow.h"
#include "referencelists.h"
#include "selectfilenumber.h"
#include "settings.h"
#include "songdisplay.h"
#include "songentry.h"
#include "songform.h"
#include "tracklist.h"

#include <QComboBox>
#include <QDate>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

namespace crx {

namespace {

constexpr int PromptX = 10, PromptWidth = 100, EntryX = 115, RowHeight = 22, RowStep = 28;

QRect promptAt(int row)
{
    return {PromptX, 10 + row * RowStep, PromptWidth, RowHeight};
}

QRect entryAt(int row, int width)
{
    return {EntryX, 10 + row * RowStep, width, RowHeight};
}


constexpr FileId ReadFiles[] = {FileId::Cantorix, FileId::Categories, FileId::Media, FileId::Artists};

} // namespace

UpdateAlbum::UpdateAlbum(FileSet &files, const QString &name, Titles titles, QSize size, QRect sheet,
                         QWidget *parent)
    : FormWindow(files, FileId::Album, name, std::move(titles), size, DittoKey::Apostrophe, parent), files_(files)
{
    setDittoFields({QStringLiteral("ALB:Artist"), QStringLiteral("ALB:Album"), QStringLiteral("ALB:Media"),
                    QStringLiteral("ALB:FileNumber"), QStringLiteral("ALB:ReleaseDate"),
                    QStringLiteral("ALB:AssociatedWAVFile"), QStringLiteral("ALB:AssociatedImage"),
                    QStringLiteral("ALB:Playlist"), QStringLiteral("ALB:CDIdentifier"), QStringLiteral("ALB:XCCD"),
                    QStringLiteral("ALB:Rating")});
    for (FileId id : ReadFiles)
        files_.use(id);
    session().setKeyNames({{QStringLiteral("ALB:KeyAlbumID"), QStringLiteral("Album ID")},
                           {QStringLiteral("ALB:KeyAlbum"), QStringLiteral("Album")},
                           {QStringLiteral("ALB:KeyArtist"), QStringLiteral("Artist")},
                           {QStringLiteral("ALB:KeyCDIdentifier"), QStringLiteral("CD Serial Number")}});
    sheet_ = new QTabWidget(this);
    sheet_->setObjectName(QStringLiteral("sheet"));
    sheet_->setGeometry(sheet);
}

UpdateAlbum::UpdateAlbum(FileSet &files, QWidget *parent)
    : UpdateAlbum(files, QStringLiteral("UpdateAlbum"),
                  {QStringLiteral("Adding an Album Record"), QStringLiteral("Changing an Album Record")}, QSize(650, 470),
                  QRect(10, 10, 630, 410), parent)
{
    setWindowTitle(QStringLiteral("Update Album"));
    const std::pair<const char *, void (*)(UpdateAlbum *, QWidget *)> tabs[] = {
        {"General", [](UpdateAlbum *form, QWidget *page) { form->buildGeneral(page); }},
        {"Songs", [](UpdateAlbum *form, QWidget *page) { form->buildSongs(page); }},
        {"Notes", nullptr},
        {"Associated Files", [](UpdateAlbum *form, QWidget *page) { form->buildFiles(page); }},
        {"Compact Disc", [](UpdateAlbum *form, QWidget *page) { form->buildDisc(page); }},
        {"Other", [](UpdateAlbum *form, QWidget *page) { form->buildOther(page); }},
    };
    for (const auto &[title, build] : tabs) {
        auto *page = new QWidget;
        sheet_->addTab(page, QString::fromLatin1(title));
        if (build)
            build(this, page);
        else
            addMemo(QStringLiteral("ALB:Notes"), QRect(10, 10, 600, 350), page);
    }
}

UpdateAlbum::~UpdateAlbum()
{
    for (FileId id : ReadFiles)
        files_.release(id);
}

QWidget *UpdateAlbum::control(const QString &name) const
{
    return findChild<QWidget *>(name);
}

qint64 UpdateAlbum::albumId()
{
    return session().file().buffer().get("ALB:AlbumID").toLongLong();
}

void UpdateAlbum::buildGeneral(QWidget *page, bool required)
{
    const auto filledIn = [required](const QString &name) -> Check {
        if (!required)
            return {};
        return [name](const QString &text) {
            if (!text.trimmed().isEmpty())
                return true;
            interaction().message(QStringLiteral("Required Field"), name + QStringLiteral(" must be filled in."),
                                  Icon::Exclamation, OK, OK);
            return false;
        };
    };
    artist_ = addField(required ? QStringLiteral("&Artist*:") : QStringLiteral("&Artist:"), QStringLiteral("ALB:Artist"),
                       QStringLiteral("@s50"), promptAt(0), entryAt(0, 340), filledIn(QStringLiteral("Artist")), page);
    album_ = addField(required ? QStringLiteral("A&lbum*:") : QStringLiteral("A&lbum:"), QStringLiteral("ALB:Album"),
                      QStringLiteral("@s50"), promptAt(1), entryAt(1, 340), filledIn(QStringLiteral("Album")), page);
    if (required) {
        auto *note = new QLabel(QStringLiteral("* - Required Field"), page);
        note->setGeometry(EntryX, 10 + 6 * RowStep, 200, RowHeight);
    } else {
        addSwapButtons(page, *artist_, *album_, QPoint(EntryX + 345, 10));
    }
    buildLists(page);
}

void UpdateAlbum::buildLists(QWidget *page)
{
    const FileDef &def = session().file().def();
    media_ = addNameList(page, QStringLiteral("&Media:"), QStringLiteral("ALB:Media"), promptAt(2), entryAt(2, 150),
                         def.fields[size_t(def.fieldIndex("ALB:Media"))].width);
    addControl(
        media_,
        [this](const Record &r) { showMedia(*media_, r.get("ALB:Media").toString()); },
        [this](bool check) { return takeMedia(*media_, session().file().buffer(), "ALB:Media", check); });
    checkOnLeave(
        media_->lineEdit(), [this] { return takeMedia(*media_, session().file().buffer(), "ALB:Media", true); }, media_);
    category_ = addNameList(page, QStringLiteral("&Category:"), QStringLiteral("category"), promptAt(3),
                            entryAt(3, 220), fileDef(FileId::Categories).fields[1].width);
    const auto takeCategory = [this] {
        // A name that is not in the list keeps the focus: the album form offers no new category.
        Record &album = session().file().buffer();
        if (category_->currentText().trimmed().isEmpty()) {
            album.set("ALB:CategoryID", 0);
            return true;
        }
        const int found = listEntry(*category_);
        if (found < 0)
            return false;
        album.set("ALB:CategoryID", category_->itemData(found));
        return true;
    };
    addControl(
        category_,
        [this](const Record &r) { category_->setCurrentText(categoryName(files_, r.get("ALB:CategoryID").toLongLong())); },
        [takeCategory](bool) { return takeCategory(); });
    checkOnLeave(category_->lineEdit(), takeCategory, category_);
    addField(QStringLiteral("&File Number:"), QStringLiteral("ALB:FileNumber"), QStringLiteral("@s20"), promptAt(4),
             entryAt(4, 150), {}, page);
    addField(QStringLiteral("&Release Date:"), QStringLiteral("ALB:ReleaseDate"), QStringLiteral("@d2"), promptAt(5),
             entryAt(5, 100), {}, page);
}

void UpdateAlbum::addSideField(QWidget *page, QRect prompt, QRect place)
{
    auto *sidePrompt = new QLabel(QStringLiteral("Side/Disc:"), page);
    sidePrompt->setObjectName(QStringLiteral("sidePrompt"));
    sidePrompt->setGeometry(prompt);
    side_ = new NumberSpin(2, true, page);
    side_->setObjectName(QStringLiteral("side"));
    side_->setGeometry(place);
    sidePrompt->setBuddy(side_);
    connect(side_, &QSpinBox::valueChanged, this, [this](int side) {
        globals().side = side;
        if (sideOnly_)
            showSongs();
    });
}

void UpdateAlbum::showSongs()
{
    tracks_->setAlbum(albumId(), sideOnly_ ? globals().side : -1);
    enableSongButtons();
}

void UpdateAlbum::buildSongs(QWidget *page, bool wizard)
{
    tracks_ = new TrackList(files_, page);
    tracks_->setGeometry(10, 10, 500, 290);
    const int x = 515, w = 105;
    const struct {
        const char *text, *name, *tip;
        void (UpdateAlbum::*run)();
    } actions[] = {
        {"&Add", "addSong", "", &UpdateAlbum::addSong},
        {"Cop&y", "copySong", "Copy record", &UpdateAlbum::copySong},
        {wizard ? "Edit" : "&Change", "changeSong", "", &UpdateAlbum::changeSong},
        {"&Delete", "deleteSong", "", &UpdateAlbum::deleteSong},
        {"Edit All Son&gs", "editAllSongs", "", &UpdateAlbum::editAllSongs},
    };
    for (int i = 0; const auto &a : actions) {
        QPushButton *b = pageButton(page, QString::fromLatin1(a.text), QString::fromLatin1(a.name),
                                QRect(x, 10 + 30 * i++, w, 25), QString::fromLatin1(a.tip));
        connect(b, &QPushButton::clicked, this, a.run);
        if (i >= 2 && i <= 4)
            rowButtons_ << b;
    }
    addMoveButtons(page, QPoint(10, 308), [this](Move mode) { moveSong(mode); });
    connect(pageButton(page, wizard ? QStringLiteral("Read CD Information") : QStringLiteral("Read CD &Information"),
                   QStringLiteral("readCd"), QRect(140, 308, 130, 25)),
            &QPushButton::clicked, this, &UpdateAlbum::readCompactDisc);
    if (!wizard) {
        connect(pageButton(page, QStringLiteral("Cascade"), QStringLiteral("cascade"), QRect(280, 308, 80, 25)),
                &QPushButton::clicked, this, &UpdateAlbum::cascade);
        addSideField(page, QRect(x, 180, w, RowHeight), QRect(x, 205, 60, RowHeight));
        connect(pageButton(page, QStringLiteral("Re-assign Songs"), QStringLiteral("reassign"), QRect(x, 275, w, 25)),
                &QPushButton::clicked, this, &UpdateAlbum::reassignSongs);
    }

    connect(tracks_, &TrackList::insertPressed, this, &UpdateAlbum::addSong);
    connect(tracks_, &TrackList::deletePressed, this, &UpdateAlbum::deleteSong);
    connect(tracks_, &TrackList::changePressed, this, &UpdateAlbum::changeSong);
    connect(tracks_, &QTreeWidget::itemDoubleClicked, this, &UpdateAlbum::changeSong);
    connect(tracks_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { trackMenu()->exec(tracks_->viewport()->mapToGlobal(at)); });
    connect(tracks_, &TrackList::dropped, this, [this](qint64 song) {
        dropSong(files_, albumId(), song);
        showSongs();
    });
}

void UpdateAlbum::buildFiles(QWidget *page)
{
    QLineEdit *wav = addField(QStringLiteral("WAV/MP3 File:"), QStringLiteral("ALB:AssociatedWAVFile"),
                              QStringLiteral("@s128"), promptAt(0), entryAt(0, 330), {}, page);
    soundButtons_ = new SoundFileButtons(*wav, page, QRect(EntryX + 335, 10, 26, RowHeight));
    image_ = addField(QStringLiteral("Image:"), QStringLiteral("ALB:AssociatedImage"), QStringLiteral("@s128"),
                      promptAt(1), entryAt(1, 330), {}, page);
    addBrowseButton(*image_, page, QRect(EntryX + 335, 10 + RowStep, 26, RowHeight), QStringLiteral("Choose a File"),
                    QStringLiteral("All Files (*)"), [this] { showImage(); })
        ->setObjectName(QStringLiteral("browseImage"));
    connect(image_, &QLineEdit::editingFinished, this, &UpdateAlbum::showImage);
    picture_ = new QLabel(page);
    picture_->setObjectName(QStringLiteral("picture"));
    picture_->setGeometry(EntryX, 10 + 2 * RowStep, 200, 200);
    picture_->setFrameShape(QFrame::Box);
    picture_->setAlignment(Qt::AlignCenter);
    addField(QStringLiteral("Playlist:"), QStringLiteral("ALB:Playlist"), QStringLiteral("@s70"),
             QRect(PromptX, 330, PromptWidth, RowHeight), QRect(EntryX, 330, 400, RowHeight), {}, page);
}

void UpdateAlbum::buildDisc(QWidget *page)
{
    auto *local = new QGroupBox(QStringLiteral("Cantorix Pro CD Information"), page);
    local->setGeometry(10, 10, 600, 70);
    addField(QStringLiteral("CD Serial #:"), QStringLiteral("ALB:CDIdentifier"), QStringLiteral("@s24"),
             QRect(10, 30, 90, RowHeight), QRect(105, 30, 220, RowHeight), {}, local)
        ->setToolTip(QStringLiteral("CD Serial Number"));
    connect(pageButton(local, QStringLiteral("Read"), QStringLiteral("readId"), QRect(335, 29, 70, 25)),
            &QPushButton::clicked, this, &UpdateAlbum::readDiscIdentifier);
    auto *cddb = new QGroupBox(QStringLiteral("CDDB (Internet)"), page);
    cddb->setGeometry(10, 90, 600, 70);
    discId_ = addField(QStringLiteral("ID:"), QStringLiteral("ALB:XCCD"), QStringLiteral("@s32"),
                       QRect(10, 30, 90, RowHeight), QRect(105, 30, 220, RowHeight), {}, cddb);
    discId_->setToolTip(QStringLiteral("CDDB Number (Internet)"));
    discId_->installEventFilter(this);
    connect(pageButton(cddb, QStringLiteral("Get CD information from gnudb.org"), QStringLiteral("cddb"),
                   QRect(335, 29, 250, 25)),
            &QPushButton::clicked, this, &UpdateAlbum::lookUpCddb);
}

void UpdateAlbum::buildOther(QWidget *page)
{
    auto *recording = new QLabel(QStringLiteral("Recording:"), page);
    recording->setGeometry(PromptX, 10, 200, RowHeight);
    addMemo(QStringLiteral("ALB:Recording"), QRect(PromptX, 35, 600, 120), page);
    auto *performance = new QLabel(QStringLiteral("Performance:"), page);
    performance->setGeometry(PromptX, 165, 200, RowHeight);
    addMemo(QStringLiteral("ALB:Performance"), QRect(PromptX, 190, 600, 120), page);
    addSpin(QStringLiteral("Rating:"), QStringLiteral("ALB:Rating"), 2, true, QRect(PromptX, 325, PromptWidth, RowHeight),
            QRect(EntryX, 325, 50, RowHeight), page, QStringLiteral("Rating"), 10);
}

void UpdateAlbum::readCompactDisc()
{
    takeTyped();
    ReadingCdWindow progress(this);
    if (ReadCompactDisc(files_, ReadMode::Full, false, progress)) {
        const DiscId disc = ComputeDiscId(trackTable());
        Record &album = session().file().buffer();
        album.set("ALB:XCCD", disc.id);
        album.set("ALB:TotalTime", disc.playingTime);
    }
    load();
    showSongs();
}

void UpdateAlbum::lookUpCddb()
{
    takeTyped();
    ReadingCdWindow progress(this);
    LookUpCddb(files_, progress);
    load();
    showSongs();
}

void UpdateAlbum::readDiscIdentifier()
{
    takeTyped();
    Record &album = session().file().buffer();
    const QString kept = album.get("ALB:CDIdentifier").toString();
    ReadingCdWindow progress(this);
    if (ReadCompactDisc(files_, ReadMode::Identify, false, progress))
        interaction().message(QStringLiteral("Process complete"),
                              album.get("ALB:CDIdentifier").toString() != kept
                                  ? QStringLiteral("CD Identification updated.")
                                  : QStringLiteral("CD Identification not updated."),
                              Icon::Information, OK, OK);
    load();
    showSongs();
}

bool UpdateAlbum::eventFilter(QObject *watched, QEvent *event)
{
    // Coming to a blank disc id reads the disc; the focus a message box gives back does not.
    if (watched == discId_ && event->type() == QEvent::FocusIn && discId_->text().trimmed().isEmpty()) {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::MouseFocusReason
            || reason == Qt::ShortcutFocusReason)
            QMetaObject::invokeMethod(this, &UpdateAlbum::readCompactDisc, Qt::QueuedConnection);
    }
    return FormWindow::eventFilter(watched, event);
}

bool UpdateAlbum::prepare()
{
    // A copy is an insert that starts from the album copied.
    if (formRequest() == Request::Copy)
        formRequest() = Request::Insert;
    globals().songEntryMode = 1;
    globals().side = 1;
    session().setBeforeInsert([this] {
        // A starting album with a title is being copied.
        Record &album = session().file().buffer();
        QString title = album.get("ALB:Album").toString();
        if (!title.isEmpty()) {
            while (title.endsWith(' '))
                title.chop(1);
            album.set("ALB:Album", title + QStringLiteral(" - Copy"));
            album.set("ALB:CDIdentifier", QString());
        }
        album.set("ALB:ReleaseDate", QDate::currentDate().year());
        return true;
    });
    if (formRequest() != Request::Delete) {
        fillMediaList(files_, *media_);
        fillCategoryList(files_, *category_);
    }
    if (!FormWindow::prepare())
        return false;
    if (side_)
        side_->setValue(1);
    tracks_->restoreFormat(profilePath(files_.directory(), settingsfile::Positions), objectName(),
                           settings().dateFormat);
    showSongs();
    new ArtistCompleter(files_, *artist_, true);
    showImage();
    if (soundButtons_)
        soundButtons_->enable();
    return true;
}

void UpdateAlbum::done(int result)
{
    tracks_->saveFormat(profilePath(files_.directory(), settingsfile::Positions), objectName());
    // Songs added from now on are not this album's.
    globals().songEntryMode = 0;
    FormWindow::done(result);
}

void UpdateAlbum::showImage()
{
    if (!picture_)
        return;
    const QPixmap image(image_->text().trimmed());
    if (image.isNull())
        picture_->clear();
    else
        picture_->setPixmap(image.scaled(picture_->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void UpdateAlbum::enableSongButtons()
{
    const bool rows = !tracks_->songs().empty();
    for (QPushButton *b : rowButtons_)
        b->setEnabled(rows);
}

Response UpdateAlbum::callSongForm(Request request)
{
    // The song form takes its defaults from the album as it stands in this form.
    takeTyped();
    currentAlbum() = session().file().buffer();
    formRequest() = request;
    UpdateSong form(files_, this);
    return form.call();
}

void UpdateAlbum::addSong()
{
    const TrackList::Song *highlighted = tracks_->highlighted();
    const bool after = highlighted != nullptr;
    const int last = after ? highlighted->track : 0;
    DataFile &songs = files_.file(FileId::Cantorix);
    songs.buffer().clear();
    songs.buffer().set("MUS:AlbumID", albumId());
    if (callSongForm(Request::Insert) == Response::Completed) {
        const Record &song = songs.buffer();
        const qint64 id = song.get("MUS:ID").toLongLong();
        const int track = song.get("MUS:TrackNumber").toInt();
        if (after && track != last + 1)
            crx::moveSong(files_, albumId(), song.get("MUS:Side").toInt(), track, Move::AfterInsert, last);
        tracks_->refresh(id);
    }
    enableSongButtons();
}

void UpdateAlbum::copySong()
{
    if (!tracks_->readHighlighted())
        return;
    if (callSongForm(Request::Insert) == Response::Completed)
        tracks_->refresh(files_.file(FileId::Cantorix).buffer().get("MUS:ID").toLongLong());
    enableSongButtons();
}

void UpdateAlbum::changeSong()
{
    if (!tracks_->readHighlighted())
        return;
    callSongForm(Request::Change);
    tracks_->refresh();
}

void UpdateAlbum::deleteSong()
{
    const TrackList::Song *highlighted = tracks_->highlighted();
    if (!highlighted)
        return;
    const int side = highlighted->side, track = highlighted->track;
    if (!tracks_->readHighlighted())
        return;
    if (callSongForm(Request::Delete) == Response::Completed && track > 0)
        renumberAfterDelete(files_, albumId(), side, track);
    tracks_->refresh();
    enableSongButtons();
}

void UpdateAlbum::editAllSongs()
{
    takeTyped();
    std::vector<QByteArray> songs;
    for (const TrackList::Song &song : tracks_->songs())
        songs.push_back(song.position);
    editSongsInTurn(files_, session().file().buffer(), songs, this);
    tracks_->refresh();
}

void UpdateAlbum::moveSong(Move mode)
{
    const TrackList::Song *highlighted = tracks_->highlighted();
    if (!highlighted)
        return;
    const qint64 id = highlighted->id;
    crx::moveSong(files_, albumId(), highlighted->side, highlighted->track, mode);
    tracks_->refresh(id);
}

void UpdateAlbum::cascade()
{
    const int chosen = interaction().choose(
        QStringLiteral("Cascade Album Changes to Songs"),
        QStringLiteral("This process will copy (cascade) information from the album database to the song database "
                       "for one of two types of albums:||Single Artist:  Artist, Album, Media, File Number, Release "
                       "Date|Compilation:  Album, Media, File Number||Which process would you like to apply?"),
        Icon::Exclamation, {QStringLiteral("&Single Artist"), QStringLiteral("&Compilation"), QStringLiteral("Cancel")},
        2);
    if (chosen != 0 && chosen != 1)
        return;
    takeTyped();
    cascadeToSongs(files_, session().file().buffer(), chosen == 0);
    tracks_->refresh();
}

void UpdateAlbum::reassignSongs()
{
    takeTyped();
    const Record &album = session().file().buffer();
    const QString fileNumber = album.get("ALB:FileNumber").toString();
    const auto pickSong = [this] {
        if (!selectFrom<SelectFileNumber>(files_, this))
            return;
        DataFile &songs = files_.file(FileId::Cantorix);
        songs.buffer().set("MUS:AlbumID", albumId());
        if (songs.put() != NoError)
            interaction().message(QStringLiteral("Error"),
                                  QStringLiteral("Error updating song database - ") + lastResult().text,
                                  Icon::Exclamation, OK, OK);
    };
    if (fileNumber.isEmpty()) {
        pickSong();
    } else {
        const Button answer = interaction().message(
            QStringLiteral("Assign Songs To Album"),
            QStringLiteral("Do you want to assign all songs with file number \"") + fileNumber
                + QStringLiteral("\" and media type \"") + album.get("ALB:Media").toString()
                + QStringLiteral("\" to this album?"),
            Icon::Exclamation, Yes | No | Cancel, No);
        if (answer == No)
            pickSong();
        if (answer == Yes) {
            int count = 0;
            QString error;
            switch (reassignByFileNumber(files_, album, count, error)) {
            case Reassigned::Done:
                interaction().message(QStringLiteral("Process complete."),
                                      QString::number(count) + QStringLiteral(" songs assigned."), Icon::Information,
                                      OK, OK);
                break;
            case Reassigned::EndOfFile:
                interaction().message(QStringLiteral("Process failed."),
                                      QStringLiteral("No songs with that media type and file number were found."),
                                      Icon::Exclamation, OK, OK);
                break;
            case Reassigned::OtherMedia:
                interaction().message(QStringLiteral("Process failed."),
                                      QStringLiteral("No songs with that media type were found."), Icon::Exclamation,
                                      OK, OK);
                break;
            case Reassigned::OtherFileNumber:
                interaction().message(QStringLiteral("Process failed."),
                                      QStringLiteral("No songs with that file number were found."), Icon::Exclamation,
                                      OK, OK);
                break;
            case Reassigned::ReadError:
                interaction().message(QStringLiteral("Assignment Cancelled"),
                                      QStringLiteral("Error reading music database ") + error, Icon::Exclamation, OK,
                                      OK);
                break;
            }
        }
    }
    tracks_->refresh();
    enableSongButtons();
}

void UpdateAlbum::swapArtistsAndTitles()
{
    crx::swapArtistsAndTitles(files_, albumId(), globals().side);
    tracks_->refresh();
}

void UpdateAlbum::replaceText()
{
    GetReplaceCommand ask(profilePath(files_.directory(), settingsfile::Positions), this);
    ReplaceCommand command;
    if (!ask.ask(command))
        return;
    replaceInSongs(files_, albumId(), globals().side, command.field, command.find, command.replacement);
    tracks_->refresh();
}

std::unique_ptr<QMenu> UpdateAlbum::trackMenu()
{
    auto menu = std::make_unique<QMenu>(this);
    const bool rows = !tracks_->songs().empty();
    menu->addAction(QStringLiteral("&Add"), this, &UpdateAlbum::addSong);
    menu->addAction(QStringLiteral("&Change"), this, &UpdateAlbum::changeSong)->setEnabled(rows);
    menu->addAction(QStringLiteral("&Delete"), this, &UpdateAlbum::deleteSong)->setEnabled(rows);
    menu->addSeparator();
    menu->addAction(QStringLiteral("Cop&y"), this, &UpdateAlbum::copySong)->setEnabled(rows);
    menu->addSeparator();
    menu->addAction(QStringLiteral("Swap Artist/Titles"), this, &UpdateAlbum::swapArtistsAndTitles);
    menu->addAction(QStringLiteral("Replace Text..."), this, &UpdateAlbum::replaceText);
    return menu;
}

} // namespace crx
