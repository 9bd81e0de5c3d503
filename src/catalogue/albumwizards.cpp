#include "albumwizards.h"

#include "albumsongs.h"
#include "datafile.h"
#include "fileset.h"
#include "globals.h"
#include "numberspin.h"
#include "settings.h"
#include "songentry.h"
#include "tracklist.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

namespace crx {

namespace {

constexpr int ButtonWidth = 75, ButtonHeight = 25, Margin = 10;

QLabel *text(QWidget *page, const QString &line, int y)
{
    auto *label = new QLabel(line, page);
    label->setGeometry(10, y, 600, 22);
    return label;
}

// The album's fields on a page below its step text.
QWidget *fieldsBelow(QWidget *page, int y)
{
    auto *fields = new QWidget(page);
    fields->setGeometry(0, y, 620, 260);
    return fields;
}

} // namespace

AlbumAdder::AlbumAdder(FileSet &files, const QString &name, const QString &title, QSize size, QWidget *parent)
    : UpdateAlbum(files, name, {title, title}, size, QRect(10, 10, size.width() - 20, size.height() - 60), parent),
      lastWritten_(fileDef(FileId::Album))
{
    setWindowTitle(title);
    setSideOnly(true);
    setComparesRecord(true);
    const int y = size.height() - Margin - ButtonHeight;
    const int right = size.width() - Margin;
    const auto place = [&](const QString &label, const char *objectName, int slot) {
        auto *b = new QPushButton(label, this);
        b->setObjectName(QString::fromLatin1(objectName));
        b->setGeometry(right - slot * (ButtonWidth + 6) - ButtonWidth, y, ButtonWidth, ButtonHeight);
        b->setAutoDefault(false);
        return b;
    };
    // Finish stands where OK would, Next and Back before it.
    back_ = place(QStringLiteral("&Back"), "back", 4);
    next_ = place(QStringLiteral("&Next"), "next", 3);
    finish_ = place(QStringLiteral("&Finish"), "finish", 2);
    okButton()->hide();
    connect(next_, &QPushButton::clicked, this, [this] {
        leaving(step());
        showStep(step() + 1);
    });
    connect(back_, &QPushButton::clicked, this, [this] { showStep(step() - 1); });
    connect(sheet(), &QTabWidget::currentChanged, this, &AlbumAdder::showStepButtons);
    connect(finish_, &QPushButton::clicked, this, &AlbumAdder::accept);
    checksEveryField(finish_);
}

QWidget *AlbumAdder::addStep(const QString &title)
{
    auto *page = new QWidget;
    sheet()->addTab(page, title);
    return page;
}

int AlbumAdder::step() const
{
    return sheet()->currentIndex();
}

void AlbumAdder::showStep(int step)
{
    sheet()->setCurrentIndex(std::clamp(step, 0, sheet()->count() - 1));
    showStepButtons();
}

// Back, Next and Finish as the step in front asks, however it came to the front.
void AlbumAdder::showStepButtons()
{
    const int last = sheet()->count() - 1;
    const int step = this->step();
    back_->setEnabled(step > 0);
    next_->setEnabled(step < last);
    // A form of one page has OK and no steps.
    const bool stepped = okButton()->isHidden();
    back_->setVisible(stepped);
    next_->setVisible(stepped);
    finish_->setVisible(stepped && step == last);
}

bool AlbumAdder::prepare()
{
    // Always a new album, whatever was asked.
    formRequest() = Request::Insert;
    Record &album = files().file(FileId::Album).buffer();
    album.set("ALB:CDIdentifier", QString());
    album.set("ALB:XCCD", QString());
    startValues(album);
    if (fillsCategories())
        addDefaultCategories(files());
    if (!UpdateAlbum::prepare())
        return false;
    showStep(0);
    rememberShown();
    return true;
}

Response AlbumAdder::call()
{
    UpdateAlbum::call();
    if (written_ == 0)
        return Response::Cancelled;
    currentAlbum() = lastWritten_;
    files().file(FileId::Album).buffer() = lastWritten_;
    return Response::Completed;
}

void AlbumAdder::completed()
{
    ++written_;
    lastWritten_ = session().file().buffer();
    if (!goesOn()) {
        UpdateAlbum::completed();
        return;
    }
    globals().side = 1;
    if (sideField())
        sideField()->setValue(1);
    if (!startInsert()) {
        QDialog::reject();
        return;
    }
    restarted();
    load();
    showSongs();
    showStep(0);
    rememberShown();
}

// Songs added to the album are work Cancel would give up, as typed fields are.
bool AlbumAdder::holdsChanges()
{
    return UpdateAlbum::holdsChanges() || albumHasSongs(files(), albumId());
}

void AlbumAdder::givingUp()
{
    // The album being added is given up with its songs.
    deleteSongsOf(files(), albumId());
}

AlbumWizard::AlbumWizard(FileSet &files, QWidget *parent)
    : AlbumAdder(files, QStringLiteral("AlbumWizard"), QStringLiteral("Album Wizard"), QSize(650, 470), parent)
{
    QWidget *type = addStep(QStringLiteral("Type"));
    text(type, QStringLiteral("Step 1:  Select the kind of album you are adding."), 10);
    const auto group = [&](const QString &title, QStringList labels, int y) {
        auto *box = new QGroupBox(title, type);
        box->setGeometry(10, y, 300, 30 + 24 * int(labels.size()));
        for (int i = 0; const QString &label : labels) {
            auto *option = new QRadioButton(label, box);
            option->setGeometry(10, 22 + 24 * i++, 250, 22);
            options_ << option;
        }
    };
    group(QStringLiteral("Number of Artists"), {QStringLiteral("Single Artist Album"), QStringLiteral("Compilation")},
          40);
    group(QStringLiteral("Number of Discs/Sides"),
          {QStringLiteral("One Disc or Side"), QStringLiteral("Multi-Disc CD"), QStringLiteral("Cassette")}, 130);
    option(settings().defaultWizardCompilation ? QStringLiteral("Compilation") : QStringLiteral("Single Artist Album"))
        ->setChecked(true);
    option(QStringLiteral("One Disc or Side"))->setChecked(true);

    QWidget *general = addStep(QStringLiteral("General"));
    text(general, QStringLiteral("Step 2:  Enter the basic album information."), 10);
    QWidget *fields = fieldsBelow(general, 40);
    buildGeneral(fields, true);
    addSideField(fields, QRect(10, 10 + 7 * 28, 100, 22), QRect(115, 10 + 7 * 28, 60, 22));

    QWidget *songs = addStep(QStringLiteral("Songs"));
    buildSongs(songs, true);
    auto *nextSide = new QPushButton(QStringLiteral("Next &Disc or Side"), songs);
    nextSide->setObjectName(QStringLiteral("nextSide"));
    nextSide->setGeometry(515, 160, 105, 25);
    connect(nextSide, &QPushButton::clicked, this, &AlbumWizard::nextSide);
    // The quick CD cover comes with the printed lists.
    auto *cover = new QPushButton(QStringLiteral("Print Quick CD Cover"), songs);
    cover->setObjectName(QStringLiteral("quickCover"));
    cover->setGeometry(380, 308, 140, 25);
    cover->setEnabled(false);
}

QRadioButton *AlbumWizard::option(const QString &label) const
{
    for (QRadioButton *o : options_)
        if (o->text() == label)
            return o;
    return nullptr;
}

void AlbumWizard::startValues(Record &album)
{
    album.set("ALB:Artist", QString());
    album.set("ALB:Album", QString());
    album.set("ALB:FileNumber", QString());
}

bool AlbumWizard::isCompactDisc() const
{
    return mediaList()->currentText().contains(QLatin1String("CD"), Qt::CaseInsensitive);
}

void AlbumWizard::leaving(int step)
{
    if (step == 1 && isCompactDisc())
        readCompactDisc();
    if (step != 0)
        return;
    if (option(QStringLiteral("Single Artist Album"))->isChecked()) {
        globals().songEntryMode = 2;
    } else {
        globals().songEntryMode = 3;
        if (artistEntry()->text().trimmed().isEmpty()) {
            artistEntry()->setText(QStringLiteral("Various"));
            artistEntry()->setModified(true);
        }
    }
    const bool oneSide = option(QStringLiteral("One Disc or Side"))->isChecked();
    for (const char *name : {"side", "sidePrompt", "nextSide"})
        findChild<QWidget *>(QString::fromLatin1(name))->setVisible(!oneSide);
}

void AlbumWizard::nextSide()
{
    sideField()->setValue(sideField()->value() + 1);
    if (isCompactDisc())
        readCompactDisc();
    editAllSongs();
}

CDDBWizard::CDDBWizard(FileSet &files, QWidget *parent)
    : AlbumAdder(files, QStringLiteral("CDDBWizard"), QStringLiteral("CDDB Wizard"), QSize(650, 470), parent)
{
    QWidget *type = addStep(QStringLiteral("Type"));
    firstLine_ = text(type, QStringLiteral("Step 1:  Insert the CD and press Next."), 10);
    firstLine_->setObjectName(QStringLiteral("firstLine"));
    text(type, QStringLiteral("Next asks the CDDB service for the titles of the disc."), 40);
    text(type, QStringLiteral("Press Cancel if you are done adding CDs."), 70);

    QWidget *general = addStep(QStringLiteral("General"));
    text(general, QStringLiteral("Step 2:  Enter the basic album information."), 10);
    buildGeneral(fieldsBelow(general, 40), true);

    QWidget *songs = addStep(QStringLiteral("Songs"));
    auto *page = new QWidget(songs);
    text(songs, QStringLiteral("Step 3:  Enter the song details."), 5);
    page->setGeometry(0, 25, 620, 345);
    buildSongs(page, true);
    // Here "Read CD Information" repeats the CDDB look-up.
    auto *readCd = findChild<QPushButton *>(QStringLiteral("readCd"));
    readCd->disconnect();
    connect(readCd, &QPushButton::clicked, this, &CDDBWizard::lookUpCddb);
    auto *swap = new QPushButton(QStringLiteral("Swap artist and title information for all songs"), page);
    swap->setObjectName(QStringLiteral("swapAll"));
    swap->setGeometry(380, 308, 235, 25);
    connect(swap, &QPushButton::clicked, this, &CDDBWizard::swapArtistsAndTitles);
}

bool CDDBWizard::prepare()
{
    if (!AlbumAdder::prepare())
        return false;
    if (globals().readDiscInAddWizard) {
        globals().readDiscInAddWizard = false;
        QMetaObject::invokeMethod(nextButton(), &QPushButton::click, Qt::QueuedConnection);
    }
    return true;
}

void CDDBWizard::startValues(Record &album)
{
    album.set("ALB:Artist", QString());
    album.set("ALB:Album", QString());
    album.set("ALB:FileNumber", QString());
    album.set("ALB:Media", QStringLiteral("CD"));
}

void CDDBWizard::leaving(int step)
{
    if (step == 0)
        lookUpCddb();
    if (step != 1)
        return;
    takeTyped();
    albumDataToSongs(files(), session().file().buffer(), globals().side);
    globals().songEntryMode = 3;
    showSongs();
}

std::unique_ptr<QMenu> CDDBWizard::trackMenu()
{
    auto menu = std::make_unique<QMenu>(this);
    const bool rows = !trackList()->songs().empty();
    menu->addAction(QStringLiteral("&Add"), this, &CDDBWizard::addSong);
    menu->addAction(QStringLiteral("&Edit"), this, &CDDBWizard::changeSong)->setEnabled(rows);
    menu->addAction(QStringLiteral("&Delete"), this, &CDDBWizard::deleteSong)->setEnabled(rows);
    menu->addAction(QStringLiteral("Edit All Son&gs"), this, &CDDBWizard::editAllSongs)->setEnabled(rows);
    menu->addSeparator();
    menu->addAction(QStringLiteral("Swap Artist/Titles"), this, &CDDBWizard::swapArtistsAndTitles);
    menu->addAction(QStringLiteral("Cascade Album Changes to Songs"), this, &CDDBWizard::cascade);
    return menu;
}

void CDDBWizard::restarted()
{
    firstLine_->setText(QStringLiteral("Step 1:  Insert another CD and press Next."));
    session().file().buffer().set("ALB:Media", QStringLiteral("CD"));
    globals().songEntryMode = 1;
}

MultiCompilationWizard::MultiCompilationWizard(FileSet &files, QWidget *parent)
    : AlbumAdder(files, QStringLiteral("ToolMultiCompilationWizard"), QStringLiteral("Compilations from Clipboard  (New)"),
                 QSize(650, 640), parent)
{
    QWidget *page = addStep(QStringLiteral("Compilation"));
    sheet()->tabBar()->hide();
    QWidget *fields = fieldsBelow(page, 0);
    fields->setGeometry(0, 0, 620, 180);
    buildGeneral(fields);
    // Loading song lines from the clipboard comes with the clipboard exchange.
    auto *load = new QPushButton(QStringLiteral("&Load from clipboard"), fields);
    load->setObjectName(QStringLiteral("loadClipboard"));
    load->setGeometry(480, 10, 130, 25);
    load->setEnabled(false);
    auto *songs = new QWidget(page);
    songs->setGeometry(0, 180, 620, 345);
    buildSongs(songs, true);
    okButton()->show();
}

bool MultiCompilationWizard::prepare()
{
    if (!AlbumAdder::prepare())
        return false;
    globals().songEntryMode = 3;
    return true;
}

std::unique_ptr<QMenu> MultiCompilationWizard::trackMenu()
{
    auto menu = std::make_unique<QMenu>(this);
    const bool rows = !trackList()->songs().empty();
    menu->addAction(QStringLiteral("&Add"), this, &MultiCompilationWizard::addSong);
    menu->addAction(QStringLiteral("&Edit"), this, &MultiCompilationWizard::changeSong)->setEnabled(rows);
    menu->addAction(QStringLiteral("&Delete"), this, &MultiCompilationWizard::deleteSong)->setEnabled(rows);
    menu->addSeparator();
    menu->addAction(QStringLiteral("Replace..."), this, &MultiCompilationWizard::replaceText);
    return menu;
}

void MultiCompilationWizard::startValues(Record &album)
{
    album.set("ALB:Album", QString());
    album.set("ALB:Artist", QStringLiteral("Various"));
}

void MultiCompilationWizard::restarted()
{
    session().file().buffer().set("ALB:Artist", QStringLiteral("Various"));
    albumEntry()->setFocus();
}

} // namespace crx
