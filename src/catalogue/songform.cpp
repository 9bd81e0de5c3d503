#include "songform.h"

#include "addwizardcall.h"
#include "albumlists.h"
#include "associatedfile.h"
#include "autocomplete.h"
#include "datafile.h"
#include "fileset.h"
#include "globals.h"
#include "interaction.h"
#include "numberspin.h"
#include "picture.h"
#include "referencelists.h"
#include "selectaddmode.h"
#include "settings.h"
#include "songdisplay.h"
#include "songentry.h"
#include "standardmessages.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

namespace crx {

namespace {

constexpr int PromptX = 10, PromptWidth = 130, EntryX = 145, RowHeight = 22, RowStep = 28;
const QString TimePicture = QStringLiteral("@t4");

QRect promptAt(int row)
{
    return {PromptX, 10 + row * RowStep, PromptWidth, RowHeight};
}

QRect entryAt(int row, int width)
{
    return {EntryX, 10 + row * RowStep, width, RowHeight};
}

// The files the form reads beside the songs, held while it is open.
constexpr FileId ReadFiles[] = {FileId::Album, FileId::Categories, FileId::Media, FileId::Artists};

} // namespace

UpdateSong::UpdateSong(FileSet &files, QWidget *parent)
    : FormWindow(files, FileId::Cantorix, QStringLiteral("UpdateSong"),
                 {QStringLiteral("Adding Information"), QStringLiteral("Changing Information")}, QSize(580, 430),
                 DittoKey::Grave, parent),
      files_(files)
{
    for (FileId id : ReadFiles)
        files_.use(id);
    setWindowTitle(QStringLiteral("Update the Cantorix Database"));
    setHelpContext(QStringLiteral("UpdateCantorix"));
    session().setKeyNames({{QStringLiteral("MUS:KeyID"), QStringLiteral("Unique Song ID")}});
    sheet_ = new QTabWidget(this);
    sheet_->setObjectName(QStringLiteral("sheet"));
    sheet_->setGeometry(10, 10, 560, 330);
    const std::pair<const char *, void (UpdateSong::*)(QWidget *)> tabs[] = {
        {"General", &UpdateSong::buildGeneral},
        {"DJ", &UpdateSong::buildDj},
        {"Recording/Performance", &UpdateSong::buildRecording},
        {"Custom", &UpdateSong::buildCustom},
        {"&Notes", &UpdateSong::buildNotes},
        {"Associated Files", &UpdateSong::buildFiles},
    };
    for (const auto &[title, build] : tabs) {
        auto *page = new QWidget;
        sheet_->addTab(page, QString::fromLatin1(title));
        (this->*build)(page);
    }
    sideAndTrack_ = new QLabel(this);
    sideAndTrack_->setObjectName(QStringLiteral("sideAndTrack"));
    sideAndTrack_->setGeometry(10, 352, 70, RowHeight);
    withAlbum_ = new QPushButton(QStringLiteral("Default with Album Information"), this);
    withAlbum_->setObjectName(QStringLiteral("withAlbum"));
    withAlbum_->setGeometry(90, 350, 220, 25);
    withAlbum_->setAutoDefault(false);
    connect(withAlbum_, &QPushButton::clicked, this, &UpdateSong::defaultWithAlbum);
    connect(cancelButton(), &QPushButton::clicked, this, [] { globals().lastFormButton = QStringLiteral("Cancel"); });
    // Left with OK: the form closed on it (saved, or unchanged), not kept open by a refused value.
    connect(okButton(), &QPushButton::clicked, this, [this] {
        if (!isVisible())
            globals().lastFormButton = QStringLiteral("OK");
    });
    connect(sheet_, &QTabWidget::currentChanged, this, &UpdateSong::showCategoryName);
}

UpdateSong::~UpdateSong()
{
    for (FileId id : ReadFiles)
        files_.release(id);
}

QWidget *UpdateSong::control(const QString &name) const
{
    return findChild<QWidget *>(name);
}

void UpdateSong::buildGeneral(QWidget *page)
{
    artist_ = addField(QStringLiteral("&Artist:"), QStringLiteral("MUS:Artist"), QStringLiteral("@s50"), promptAt(0),
                       entryAt(0, 340), {}, page);
    title_ = addField(QStringLiteral("&Title:"), QStringLiteral("MUS:Title"), QStringLiteral("@s50"), promptAt(1),
                      entryAt(1, 340), {}, page);
    addSwapButtons(page, *artist_, *title_, QPoint(EntryX + 345, 10));
    album_ = addField(QStringLiteral("&Album:"), QStringLiteral("MUS:Album"), QStringLiteral("@s50"), promptAt(2),
                      entryAt(2, 340), {}, page);

    const FileDef &def = session().file().def();
    media_ = addNameList(page, QStringLiteral("&Media:"), QStringLiteral("MUS:Media"), promptAt(3), entryAt(3, 150),
                         def.fields[size_t(def.fieldIndex("MUS:Media"))].width);
    addControl(
        media_,
        [this](const Record &r) { showMedia(*media_, r.get("MUS:Media").toString()); },
        [this](bool check) { return takeMedia(*media_, session().file().buffer(), "MUS:Media", check); });
    checkOnLeave(
        media_->lineEdit(), [this] { return takeMedia(*media_, session().file().buffer(), "MUS:Media", true); }, media_);

    auto *timePrompt = new QLabel(QStringLiteral("T&ime:"), page);
    timePrompt->setGeometry(promptAt(4));
    time_ = new QLineEdit(page);
    time_->setObjectName(QStringLiteral("MUS:Time"));
    time_->setGeometry(entryAt(4, 80));
    timePrompt->setBuddy(time_);
    addControl(
        time_, [this](const Record &r) { time_->setText(formatValue(TimePicture, r.get("MUS:Time"))); },
        [this](bool check) { return takeTime(check); });
    checkOnLeave(time_, [this] { return takeTime(true); }, time_);

    addField(QStringLiteral("&File Number:"), QStringLiteral("MUS:FileNumber"), QStringLiteral("@s20"), promptAt(5),
             entryAt(5, 150), {}, page);
    addField(QStringLiteral("&Release Date:"), QStringLiteral("MUS:ReleaseDate"), QStringLiteral("@d17"),
             promptAt(6), entryAt(6, 100), {}, page);

    category_ = addNameList(page, QStringLiteral("&Category:"), QStringLiteral("category"), promptAt(7),
                            entryAt(7, 220), fileDef(FileId::Categories).fields[1].width);
    addControl(
        category_, [this](const Record &) { showCategoryName(); }, [this](bool check) { return takeCategory(check); });
    checkOnLeave(category_->lineEdit(), [this] { return takeCategory(true); }, category_);

    for (NumberSpin *spin : {addSpin(QStringLiteral("Track &Number:"), QStringLiteral("MUS:TrackNumber"), 3, false,
                                     promptAt(8), entryAt(8, 60), page, QStringLiteral("Track"), 99),
                             addSpin(QStringLiteral("&Side/Disc:"), QStringLiteral("MUS:Side"), 2, true, promptAt(9),
                                     entryAt(9, 60), page)})
        connect(spin, &QSpinBox::valueChanged, this, &UpdateSong::showSideAndTrack);
}

void UpdateSong::buildDj(QWidget *page)
{
    addSpin(QStringLiteral("Beats Per Minute:"), QStringLiteral("MUS:BeatsPerMinute"), 4, true, promptAt(0),
            entryAt(0, 70), page)
        ->setToolTip(QStringLiteral("Beats Per Minute (BPM)"));
    addSpin(QStringLiteral("Highest Chart Number:"), QStringLiteral("MUS:ChartNumber"), 3, true, promptAt(1),
            entryAt(1, 60), page, QStringLiteral("Chart"), 100);
    addField(QStringLiteral("Mix:"), QStringLiteral("MUS:Mix"), QStringLiteral("@s30"), promptAt(2), entryAt(2, 220),
             {}, page)
        ->setToolTip(QStringLiteral("Mix or version specific information"));
    addField(QStringLiteral("Style:"), QStringLiteral("MUS:Style"), QStringLiteral("@s30"), promptAt(3),
             entryAt(3, 220), {}, page);
    addSpin(QStringLiteral("Rating:"), QStringLiteral("MUS:Rating"), 2, true, promptAt(4), entryAt(4, 50), page,
            QStringLiteral("MUS:Rating"), 10);
    addField(QStringLiteral("In/Out:"), QStringLiteral("MUS:InOut"), QStringLiteral("@s20"), promptAt(5),
             entryAt(5, 150), {}, page)
        ->setToolTip(QStringLiteral("In/Out information"));
    addCheck(QStringLiteral("Skips"), QStringLiteral("MUS:Skips"), QRect(PromptX, 10 + 6 * RowStep, 120, RowHeight), page);
    addCheck(QStringLiteral("Do Not Play"), QStringLiteral("MUS:DoNotPlay"),
             QRect(PromptX, 10 + 7 * RowStep, 120, RowHeight), page);
    addCheck(QStringLiteral("Live"), QStringLiteral("MUS:Live"), QRect(PromptX, 10 + 8 * RowStep, 120, RowHeight), page);

    auto *ending = new QGroupBox(QStringLiteral("Type of Ending"), page);
    ending->setObjectName(QStringLiteral("MUS:EndType"));
    ending->setGeometry(EntryX + 100, 10 + 6 * RowStep, 200, 3 * RowStep);
    QList<QRadioButton *> options;
    for (int i = 0; const char *word : {"Slow", "Fast", "Abrupt"}) {
        auto *option = new QRadioButton(QString::fromLatin1(word), ending);
        option->setGeometry(10, 20 + i++ * 20, 150, 20);
        options << option;
    }
    addControl(
        ending,
        [options](const Record &r) {
            // No option is chosen while the song holds none of the three words.
            for (QRadioButton *option : options) {
                option->setAutoExclusive(false);
                option->setChecked(option->text() == r.get("MUS:EndType").toString());
                option->setAutoExclusive(true);
            }
        },
        [this, options](bool) {
            for (QRadioButton *option : options)
                if (option->isChecked())
                    session().file().buffer().set("MUS:EndType", option->text());
            return true;
        });
}

void UpdateSong::buildRecording(QWidget *page)
{
    auto *recording = new QLabel(QStringLiteral("Recording Information:"), page);
    recording->setGeometry(PromptX, 10, 200, RowHeight);
    addMemo(QStringLiteral("MUS:Recording"), QRect(PromptX, 35, 530, 90), page)
        ->setToolTip(QStringLiteral("Recording Information (Engineer, Producer, Etc)"));
    addField(QStringLiteral("Composer:"), QStringLiteral("MUS:Composer"), QStringLiteral("@s80"),
             QRect(PromptX, 135, 100, RowHeight), QRect(115, 135, 425, RowHeight), {}, page);
    auto *performance = new QLabel(QStringLiteral("Performance Notes:"), page);
    performance->setGeometry(PromptX, 165, 200, RowHeight);
    addMemo(QStringLiteral("MUS:PerformanceNotes"), QRect(PromptX, 190, 530, 90), page);
}

void UpdateSong::buildCustom(QWidget *page)
{
    udk_ = addField(QStringLiteral("User Defined Key Field:"), QStringLiteral("MUS:UserDefinedKeyField"),
                    QStringLiteral("@s30"), promptAt(0), entryAt(0, 220), {}, page);
    udk_->setToolTip(QStringLiteral("See File/Preferences/Customization to label this field to suit your needs"));
    for (QLabel *label : page->findChildren<QLabel *>())
        if (label->buddy() == udk_)
            udkPrompt_ = label;
    for (int n = 1; n <= 3; ++n)
        addField(QStringLiteral("Additional Information %1:").arg(n),
                 QStringLiteral("MUS:AdditionalInformation%1").arg(n), QStringLiteral("@s80"), promptAt(n),
                 entryAt(n, 395), {}, page);
}

void UpdateSong::buildNotes(QWidget *page)
{
    addMemo(QStringLiteral("MUS:Notes"), QRect(PromptX, 10, 530, 270), page);
}

void UpdateSong::buildFiles(QWidget *page)
{
    wavFile_ = addField(QStringLiteral("WAV/MP3 File:"), QStringLiteral("MUS:AssociatedWAVFile"),
                        QStringLiteral("@s128"), QRect(PromptX, 10, 100, RowHeight), QRect(115, 10, 300, RowHeight),
                        {}, page);
    soundButtons_ = new SoundFileButtons(*wavFile_, page, QRect(420, 10, 26, RowHeight));
}

bool UpdateSong::prepare()
{
    DataFile &songs = session().file();
    const int mode = globals().songEntryMode;
    const int side = globals().side;
    copied_.reset();
    if (formRequest() == Request::Copy) {
        copied_ = songs.buffer();
        formRequest() = Request::Insert;
    } else if (formRequest() == Request::Insert && mode == 0) {
        AddModeChoice choice = addModeChoice(settings().addMode, songs.buffer());
        if (choice == AddModeChoice::Ask) {
            const QString chosen = SelectAddMode(this).ask();
            choice = chosen.startsWith('C')   ? AddModeChoice::Compilation
                     : chosen.startsWith('S') ? AddModeChoice::SingleArtist
                                              : AddModeChoice::Form;
        }
        // A wizard enters the songs instead; this form then closes without showing itself.
        if ((choice == AddModeChoice::Compilation || choice == AddModeChoice::SingleArtist)
            && callAddWizard(files_,
                             choice == AddModeChoice::Compilation ? AddWizardKind::Compilation
                                                                  : AddWizardKind::SingleArtist,
                             parentWidget()))
            return false;
    }
    if (formRequest() != Request::Delete)
        fillLists();
    session().setBeforeInsert(
        [this, mode, side] { return prepareNewSong(files_, session().file().buffer(), currentAlbum(), mode, side); });
    if (!FormWindow::prepare())
        return false;

    Record &song = songs.buffer();
    if (session().request() == Request::Insert) {
        if (song.get("MUS:Media").toString().isEmpty())
            song.set("MUS:Media", QStringLiteral("CD"));
        if (mode != 0) {
            fillFromAlbum(song, currentAlbum(), true, side);
            withAlbum_->hide();
            album_->setEnabled(false);
            media_->setEnabled(false);
            if (mode == 2) {
                song.set("MUS:Artist", currentAlbum().get("ALB:Artist"));
                artist_->setEnabled(false);
            }
        }
        if (copied_) {
            // The copy keeps its new identifier and takes everything else from the song copied.
            const QVariant id = song.get("MUS:ID");
            song.values() = copied_->values();
            song.set("MUS:ID", id);
        }
    }
    const QString udkPrompt = settings().udkPrompt;
    if (!udkPrompt.trimmed().isEmpty()) {
        QString prompt = udkPrompt;
        while (prompt.endsWith(' '))
            prompt.chop(1);
        udkPrompt_->setText(prompt + ':');
    }
    if (settings().autoComplete)
        new ArtistCompleter(files_, *artist_, false);
    ready_ = true;
    load();
    soundButtons_->enable();
    showSideAndTrack();
    return true;
}

void UpdateSong::fillLists()
{
    fillMediaList(files_, *media_);
    fillCategoryList(files_, *category_);
}

void UpdateSong::showCategoryName()
{
    if (ready_)
        category_->setCurrentText(categoryName(files_, session().file().buffer().get("MUS:CategoryID").toLongLong()));
}

bool UpdateSong::takeCategory(bool check)
{
    return crx::takeCategory(files_, *category_, session().file().buffer(), "MUS:CategoryID", check);
}

bool UpdateSong::takeTime(bool check)
{
    bool ok = false;
    const qint64 typed = readValue(TimePicture, time_->text(), &ok).toLongLong();
    if (!ok) {
        if (check)
            QApplication::beep();
        return false;
    }
    const qint64 time = songTime(typed);
    session().file().buffer().set("MUS:Time", time);
    if (check)
        time_->setText(formatValue(TimePicture, time));
    return true;
}

void UpdateSong::showSideAndTrack()
{
    const auto value = [this](const char *field) { return static_cast<QSpinBox *>(control(field))->value(); };
    const int side = value("MUS:Side");
    sideAndTrack_->setText((side == 0 ? QString() : QString::number(side) + '-')
                           + QStringLiteral("%1").arg(value("MUS:TrackNumber"), 3));
}

void UpdateSong::defaultWithAlbum()
{
    takeTyped();
    if (!selectFrom<SelectAlbum>(files_, this))
        return;
    fillFromAlbum(session().file().buffer(), files_.file(FileId::Album).buffer(),
                  session().request() == Request::Insert, globals().side);
    load();
}

void UpdateSong::beforeValidation()
{
    Record &song = session().file().buffer();
    linkToAlbum(files_, song);
    addArtistDefault(files_, song);
}

void UpdateSong::changeEvent(QEvent *event)
{
    FormWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        showCategoryName();
}

void UpdateSong::resizeEvent(QResizeEvent *event)
{
    FormWindow::resizeEvent(event);
    showCategoryName();
}

void editSongsInTurn(FileSet &files, const Record &album, const std::vector<QByteArray> &songs, QWidget *parent)
{
    DataFile &songFile = files.file(FileId::Cantorix);
    const qint64 albumId = album.get("ALB:AlbumID").toLongLong();
    for (const QByteArray &song : songs) {
        if (songFile.reget(song) != NoError || songFile.buffer().get("MUS:AlbumID").toLongLong() != albumId)
            break;
        currentAlbum() = album;
        globals().lastFormButton.clear();
        formRequest() = Request::Change;
        UpdateSong form(files, parent);
        form.call();
        if (globals().lastFormButton != QLatin1String("OK"))
            break;
    }
}

} // namespace crx
