#include "cdplayerwindow.h"

#include "albumform.h"
#include "cdaudio.h"
#include "childwindow.h"
#include "datafile.h"
#include "fileset.h"
#include "formsession.h"
#include "interaction.h"
#include "launchers.h"
#include "pagebuttons.h"
#include "picture.h"
#include "placement.h"
#include "profile.h"
#include "settings.h"
#include "songform.h"
#include "tracklist.h"
#include "albumwizards.h"
#include "widgetplacement.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

namespace crx {
namespace {

constexpr int Width = 560, Height = 430;
constexpr int DefaultInterval = 150; // hundredths, when CDTimer asks for 10 or less
const QString Name = QStringLiteral("IntegratedCDPlayer");

// While a window the player called is open, the player does not poll.
class Calling
{
public:
    explicit Calling(bool &flag) : flag_(flag), was_(flag) { flag_ = true; }
    ~Calling() { flag_ = was_; }

private:
    bool &flag_;
    bool was_;
};

QGroupBox *group(QWidget *parent, const QString &title, QRect place)
{
    auto *box = new QGroupBox(title, parent);
    box->setGeometry(place);
    return box;
}

// Rows of a prompt and its value down a group; the values, named as given.
QList<QLabel *> valueRows(QGroupBox *box, std::initializer_list<std::pair<const char *, const char *>> rows)
{
    QList<QLabel *> values;
    int y = 20;
    for (const auto &[text, name] : rows) {
        pageLabel(box, QString::fromLatin1(text), QRect(10, y, 100, 20));
        values << pageLabel(box, QString(), QRect(115, y, 60, 20), QString::fromLatin1(name));
        y += 25;
    }
    return values;
}

QStringList openWindowTitles()
{
    QStringList titles;
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window->isVisible() && !window->windowTitle().isEmpty())
            titles << window->windowTitle();
    return titles;
}

} // namespace

IntegratedCDPlayer::IntegratedCDPlayer(FileSet &files, QWidget *parent)
    : QDialog(parent), files_(files), player_(files)
{
    setObjectName(Name);
    setWindowTitle(QStringLiteral("CD Player"));
    resize(Width, Height);

    QGroupBox *current = group(this, QStringLiteral("Current"), QRect(10, 5, 265, 110));
    const QList<QLabel *> now = valueRows(
        current, {{"Track:", "track"}, {"Track Position:", "trackPosition"}, {"CD Position:", "discPosition"}});
    track_ = now[0];
    trackPosition_ = now[1];
    discPosition_ = now[2];
    connect(pageButton(current, QStringLiteral("&Edit"), QStringLiteral("editSong"), QRect(185, 75, 70, 25)),
            &QPushButton::clicked, this, &IntegratedCDPlayer::editSong);

    QGroupBox *total = group(this, QStringLiteral("Total"), QRect(285, 5, 265, 110));
    const QList<QLabel *> all = valueRows(
        total, {{"Tracks on CD:", "trackCount"}, {"Track Length:", "trackLength"}, {"CD Length:", "discLength"}});
    trackCount_ = all[0];
    trackLength_ = all[1];
    discLength_ = all[2];
    connect(pageButton(total, QStringLiteral("Edit"), QStringLiteral("editAlbum"), QRect(185, 75, 70, 25)),
            &QPushButton::clicked, this, &IntegratedCDPlayer::editAlbum);

    pageLabel(this, QStringLiteral("Tracks on CD"), QRect(10, 120, 200, 18));
    tracks_ = new TrackList(files_, this, TrackList::Columns::Player);
    tracks_->setGeometry(10, 138, 540, 140);
    connect(tracks_, &QTreeWidget::itemActivated, this, [this] {
        if (const TrackList::Song *song = tracks_->highlighted()) {
            player_.playTrack(song->track);
            if (settings().cdTimer > 0)
                pollNow();
        }
    });
    connect(tracks_, &TrackList::changePressed, this, &IntegratedCDPlayer::editSong);

    bar_ = new QProgressBar(this);
    bar_->setObjectName(QStringLiteral("progress"));
    bar_->setGeometry(10, 285, 540, 18);
    bar_->setRange(0, 100);
    bar_->setTextVisible(false);
    bar_->setCursor(Qt::PointingHandCursor);
    bar_->installEventFilter(this);
    auto *caption = pageLabel(this, QStringLiteral("click here to locate within the track"), QRect(10, 304, 540, 16));
    caption->setAlignment(Qt::AlignCenter);

    const struct {
        const char *text, *name;
        void (CdPlayer::*run)();
    } commands[] = {{"Pre&vious", "previous", &CdPlayer::previous}, {"&Next", "next", &CdPlayer::next},
                    {"Bac&k", "back", &CdPlayer::back},             {"Fo&rward", "forward", &CdPlayer::forward},
                    {"&Play", "play", &CdPlayer::play},             {"&Stop", "stop", &CdPlayer::stop},
                    {"Pa&use", "pause", &CdPlayer::pause}};
    int x = 10;
    for (const auto &c : commands) {
        const auto run = c.run;
        connect(pageButton(this, QString::fromLatin1(c.text), QString::fromLatin1(c.name), QRect(x, 325, 62, 25)),
                &QPushButton::clicked, this, [this, run] { command(run); });
        x += 68;
    }
    connect(pageButton(this, QStringLiteral("Cl&ose"), QStringLiteral("close"), QRect(x, 325, 62, 25)),
            &QPushButton::clicked, this, &QDialog::reject);
    mode_ = pageLabel(this, QString(), QRect(10, 355, 540, 18));
    mode_->setObjectName(QStringLiteral("mode"));

    QGroupBox *status = group(this, QStringLiteral("Status"), QRect(10, 375, 540, 48));
    deviceState_ = pageLabel(status, QString(), QRect(10, 20, 120, 20), QStringLiteral("deviceState"));
    phase_ = pageLabel(status, QString(), QRect(140, 20, 60, 20), QStringLiteral("phase"));
    pageLabel(status, QStringLiteral("Performance:"), QRect(260, 20, 85, 20));
    performance_ = pageLabel(status, QString(), QRect(345, 20, 50, 20), QStringLiteral("performance"));
    connect(pageButton(status, QStringLiteral("Set"), QStringLiteral("setUp"), QRect(460, 17, 70, 25)),
            &QPushButton::clicked, this, &IntegratedCDPlayer::setUp);

    connect(&timer_, &QTimer::timeout, this, &IntegratedCDPlayer::tick);
}

IntegratedCDPlayer::~IntegratedCDPlayer()
{
    if (using_) {
        player_.close();
        files_.release(FileId::Cantorix);
        files_.release(FileId::Album);
    }
}

bool IntegratedCDPlayer::start()
{
    files_.use(FileId::Album);
    files_.use(FileId::Cantorix);
    using_ = true;
    openAtDesign(*this);
    layout_.record(*this);
    const QString positions = profilePath(files_.directory(), settingsfile::Positions);
    WidgetPlacement placement(*this);
    RestoreWindowPlacement(positions, Name, placement);
    tracks_->restoreFormat(positions, Name, settings().dateFormat);

    QString failure;
    if (!player_.open(openWindowTitles(), failure)) {
        interaction().message(QStringLiteral("Error"), failure, Icon::Exclamation, OK, OK);
        return false;
    }
    showState();
    const int interval = settings().cdTimer > 10 ? settings().cdTimer : DefaultInterval;
    timer_.start(interval * 10);
    // The first poll finds the disc in the drive.
    QTimer::singleShot(0, this, &IntegratedCDPlayer::tick);
    return true;
}

void IntegratedCDPlayer::tick()
{
    if (settings().cdTimer > 0 && !calling_)
        pollNow();
}

void IntegratedCDPlayer::pollNow()
{
    const PlayerNews news = player_.poll();
    showState();
    if (news.albumChanged)
        showAlbum();
    if (news.trackChanged || news.albumChanged)
        tracks_->highlightTrack(player_.state().currentTrack);
    if (news.offer)
        offerToAdd();
}

void IntegratedCDPlayer::command(void (CdPlayer::*run)())
{
    (player_.*run)();
    if (settings().cdTimer > 0)
        pollNow();
}

void IntegratedCDPlayer::showState()
{
    const PlayerState &s = player_.state();
    track_->setText(formatValue(QStringLiteral("n3"), s.currentTrack));
    trackPosition_->setText(playerTime(s.positionInTrack));
    discPosition_->setText(playerTime(s.discPosition));
    trackCount_->setText(formatValue(QStringLiteral("n3"), s.trackCount));
    trackLength_->setText(playerTime(s.trackLength));
    discLength_->setText(playerTime(s.discLength));
    bar_->setValue(std::clamp(s.trackLength > 0 ? s.progress : 0, 0, 100));
    // Why nothing is heard, or why playing stopped early, after the mode.
    const QString problem = cdAudio().soundProblem();
    mode_->setText(problem.isEmpty() ? s.mode : QStringLiteral("%1 (%2)").arg(s.mode, problem));
    deviceState_->setText(s.deviceState);
    phase_->setText(s.pollPhase);
    performance_->setText(QString::number(s.performance));
}

void IntegratedCDPlayer::showAlbum()
{
    setWindowTitle(player_.title());
    tracks_->setAlbum(player_.album());
}

void IntegratedCDPlayer::offerToAdd()
{
    const Calling calling(calling_);
    const int answer = interaction().choose(QStringLiteral("New CD Found"), QStringLiteral("Add this CD to the database?"),
                                            Icon::Question,
                                            {QStringLiteral("&Yes"), QStringLiteral("&CDDB"), QStringLiteral("&No")}, 0);
    if (answer == 2) {
        player_.stopDetecting();
        showState();
        return;
    }
    player_.beforeWizard();
    showState();
    if (answer == 0) {
        AlbumWizard wizard(files_, this);
        wizard.call();
    } else {
        CDDBWizard wizard(files_, this);
        wizard.call();
    }
    QString failure;
    if (!player_.afterWizard(failure)) {
        interaction().message(QStringLiteral("Error"), failure, Icon::Exclamation, OK, OK);
        QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
        return;
    }
    showState();
}

void IntegratedCDPlayer::editSong()
{
    if (!tracks_->readHighlighted())
        return;
    const Calling calling(calling_);
    formRequest() = Request::Change;
    UpdateSong form(files_, this);
    form.call();
    tracks_->refresh();
}

void IntegratedCDPlayer::editAlbum()
{
    if (player_.album() == 0)
        return;
    DataFile &albums = files_.file(FileId::Album);
    albums.buffer().clear();
    albums.buffer().set("ALB:AlbumID", player_.album());
    if (albums.get(albums.def().keyIndex("ALB:KeyAlbumID")) != NoError)
        return;
    const Calling calling(calling_);
    formRequest() = Request::Change;
    UpdateAlbum form(files_, this);
    form.call();
    // The album's name may have changed, and its songs with it.
    player_.identify();
    showAlbum();
}

void IntegratedCDPlayer::setUp()
{
    const Calling calling(calling_);
    CDSetup setup(files_.directory(), this);
    setup.exec();
}

bool IntegratedCDPlayer::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == bar_ && event->type() == QEvent::MouseButtonPress) {
        const auto *click = static_cast<QMouseEvent *>(event);
        const int percent = int(click->position().x()) * 100 / qMax(1, bar_->width());
        player_.locate(percent);
        if (settings().cdTimer > 0)
            pollNow();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void IntegratedCDPlayer::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    if (using_)
        layout_.apply(size(), resizingOf(Name));
}

void IntegratedCDPlayer::done(int result)
{
    timer_.stop();
    if (using_) {
        const QString positions = profilePath(files_.directory(), settingsfile::Positions);
        tracks_->saveFormat(positions, Name);
        WidgetPlacement placement(*this);
        SaveWindowPlacement(positions, Name, placement);
        player_.close();
    }
    QDialog::done(result);
}

CDSetup::CDSetup(const QString &directory, QWidget *parent) : QDialog(parent), directory_(directory)
{
    setObjectName(QStringLiteral("CDSetup"));
    setWindowTitle(QStringLiteral("CD Player Preferences"));
    resize(330, 160);
    QGroupBox *box = group(this, QStringLiteral("Check CD Status Every n 100ths of a Second"), QRect(10, 10, 310, 105));
    choices_ = new QButtonGroup(this);
    // Three columns, filled downwards.
    const int values[] = {100, 250, 1000, 150, 300, 0, 200, 500};
    for (int i = 0; i < 8; ++i) {
        auto *choice = new QRadioButton(values[i] == 0 ? QStringLiteral("Do Not Check") : QString::number(values[i]), box);
        choice->setObjectName(QStringLiteral("every%1").arg(values[i]));
        choice->setGeometry(10 + i / 3 * 100, 22 + i % 3 * 26, 95, 22);
        choices_->addButton(choice, values[i]);
    }
    if (QAbstractButton *now = choices_->button(settings().cdTimer))
        now->setChecked(true);
    auto *ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setGeometry(170, 125, 70, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cancel"));
    cancel->setGeometry(250, 125, 70, 25);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    openAtDesign(*this);
    const QString positions = profilePath(directory_, settingsfile::Positions);
    WidgetPlacement placement(*this);
    RestoreWindowPlacement(positions, objectName(), placement);
}

int CDSetup::chosen() const
{
    return choices_->checkedId();
}

void CDSetup::accept()
{
    if (chosen() >= 0) {
        settings().cdTimer = chosen();
        writeProfile(profilePath(directory_, settingsfile::Preferences), QStringLiteral("Settings"),
                     QStringLiteral("CDTimer"), QString::number(chosen()));
    }
    QDialog::accept();
}

void CDSetup::reject()
{
    reloadSettings(directory_);
    QDialog::reject();
}

void CDSetup::done(int result)
{
    const QString positions = profilePath(directory_, settingsfile::Positions);
    WidgetPlacement placement(*this);
    SaveWindowPlacement(positions, objectName(), placement);
    QDialog::done(result);
}

void registerCdPlayer()
{
    launchers().add(Name, &openChild<IntegratedCDPlayer, &IntegratedCDPlayer::start>);
}

} // namespace crx
