#include "prefswindows.h"

#include "fileset.h"
#include "interaction.h"
#include "launchers.h"
#include "mainframe.h"
#include "pagebuttons.h"
#include "preferences.h"
#include "profile.h"
#include "settings.h"
#include "widgetplacement.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>

namespace crx {

namespace {

const QStringList WizardKeys = {"AutoAddToAlbums", "AddMode", "LabelArtistTitleOrder", "GLO:Delimiter", "UDKPrompt",
                                "NotesLabel", "Setup", "Interface", "SU_Albums", "SU_Songs", "SU_Playlists", "SU_Labels",
                                "ShowTips", "Logo", "DefaultWizardCompilation", "SetupWizardComplete"};
const QStringList PreferenceKeys = {"AutoAddToAlbums", "AddMode", "LabelArtistTitleOrder", "GLO:Delimiter", "UDKPrompt",
                                    "NotesLabel", "Setup", "ForcePreview", "Interface", "CDDBAutomaticMode", "SU_Albums",
                                    "SU_Songs", "SU_Playlists", "SU_Labels", "Logo", "AltCasFmt", "UseLog", "ShowTips",
                                    "SaveLastTab", "DefaultWizardCompilation", "AutoComplete"};

bool *flagOf(Settings &s, const QString &key)
{
    const std::pair<const char *, bool *> flags[] = {
        {"SU_Albums", &s.openAlbumsAtStart}, {"SU_Songs", &s.openSongsAtStart}, {"SU_Playlists", &s.openPlaylistsAtStart},
        {"SU_Labels", &s.openLabelsAtStart}, {"ShowTips", &s.showTips}, {"SaveLastTab", &s.saveLastTab},
        {"AutoComplete", &s.autoComplete}, {"DefaultWizardCompilation", &s.defaultWizardCompilation},
        {"AltCasFmt", &s.altCasFmt}, {"ForcePreview", &s.forcePreview}, {"CDDBAutomaticMode", &s.cddbAutomaticMode},
        {"UseLog", &s.useLog}};
    for (const auto &[name, flag] : flags)
        if (key == QLatin1String(name))
            return flag;
    return nullptr;
}

QComboBox *dateList(QWidget *page, const QString &shown, QRect place)
{
    auto *list = new QComboBox(page);
    list->setObjectName(QStringLiteral("dateFormat"));
    list->addItems(dateFormatTexts());
    // A stored picture not in the table shows as it is.
    if (list->findText(shown) < 0)
        list->addItem(shown);
    list->setCurrentText(shown);
    list->setGeometry(place);
    return list;
}

} // namespace

void storeDateFormat(QWidget *window, const QString &directory, const QString &storedBefore, const QString &chosenText,
                     bool wizard)
{
    if (asksYearConversion(storedBefore, chosenText, wizard)
        && interaction().message(QStringLiteral("Basic Format Changed"),
                                 QStringLiteral("Convert existing entries to Year Only format (day and month information "
                                                "will be lost!)?"),
                                 Icon::Question, Yes | No, Yes)
               == Yes)
        if (auto *frame = qobject_cast<MainFrame *>(window->window()))
            launchers().run(QStringLiteral("ConvertDatesToYears"), *frame);
    settings().dateFormat = dateFormatPicture(chosenText, storedBefore);
    writeProfile(profilePath(directory, settingsfile::Preferences), QStringLiteral("Settings"), QStringLiteral("DateFormat"),
                 settings().dateFormat);
}

// ---- setup wizard ----

SetupWizard::SetupWizard(FileSet &files, QWidget *parent) : QDialog(parent), files_(files)
{
    setObjectName(QStringLiteral("SetupWizard"));
    setWindowTitle(QStringLiteral("Setup Wizard"));
    resize(480, 300);
    reloadSettings(files_.directory());
    storedDate_ = settings().dateFormat;
    steps_ = new QStackedWidget(this);
    steps_->setObjectName(QStringLiteral("steps"));
    steps_->setGeometry(10, 10, 460, 240);
    const auto step = [this](const QString &title) {
        auto *page = new QWidget(steps_);
        pageLabel(page, title, QRect(0, 0, 460, 22), QStringLiteral("title"))->setStyleSheet(QStringLiteral("font-weight: bold"));
        steps_->addWidget(page);
        return page;
    };
    const auto words = [](QWidget *page, const QString &text, QRect place) {
        QLabel *l = pageLabel(page, text, place);
        l->setWordWrap(true);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    };
    QWidget *welcome = step(QStringLiteral("Welcome"));
    words(welcome,
          QStringLiteral("Welcome to Cantorix Pro, the catalogue of your music collection.  Find any song at once with the "
                         "quick locators of every list, narrow the lists with the query wizards, print your collection in "
                         "the reports, and play your CDs in the integrated CD player, which recognises the albums you have "
                         "catalogued.  This wizard sets the few basic options; press Next to begin."),
          QRect(0, 30, 460, 200));
    QWidget *date = step(QStringLiteral("Date"));
    words(date, QStringLiteral("Your reports and screen can use a common date format for "), QRect(0, 30, 460, 20));
    words(date, QStringLiteral("release dates.   Please select a format:"), QRect(0, 50, 460, 20));
    date_ = dateList(date, storedDate_.isEmpty() ? QStringLiteral("Year Only") : dateFormatText(storedDate_),
                     QRect(0, 80, 200, 24));
    QWidget *udk = step(QStringLiteral("User Defined Key Field"));
    words(udk,
          QStringLiteral("Each song has four fields for additional information, and one field of your own that the song "
                         "list can be ordered by (a label, a catalogue number, a mood).  Give that field a name:"),
          QRect(0, 30, 460, 60));
    udk_ = new QLineEdit(settings().udkPrompt, udk);
    udk_->setObjectName(QStringLiteral("udkPrompt"));
    udk_->setMaxLength(20);
    udk_->setGeometry(0, 100, 200, 22);
    QWidget *start = step(QStringLiteral("Start Up"));
    const std::pair<const char *, const char *> startFlags[] = {{"SU_Albums", "Albums"},
                                                                {"SU_Songs", "Songs"},
                                                                {"SU_Labels", "Labels that you've created for cassettes and CDs"},
                                                                {"SU_Playlists", "Customized \"Playlists\""},
                                                                {"ShowTips", "Tips"}};
    int y = 35;
    for (const auto &[key, text] : startFlags) {
        auto *box = new QCheckBox(QString::fromLatin1(text), start);
        box->setObjectName(QString::fromLatin1(key));
        box->setGeometry(10, y, 440, 22);
        box->setChecked(*flagOf(settings(), QString::fromLatin1(key)));
        flags_[QString::fromLatin1(key)] = box;
        y += 28;
    }
    flags_["ShowTips"]->setToolTip(QStringLiteral("Show tip at startup"));
    QWidget *done = step(QStringLiteral("Done"));
    words(done,
          QStringLiteral("That is all Cantorix Pro needs to begin.  You can change these and every other option later in "
                         "File > Setup (the preferences), and keep your categories and media formats in their lists "
                         "under Browse."),
          QRect(0, 30, 460, 80));
    words(done, QStringLiteral("Press Finish to complete your setup."), QRect(0, 120, 460, 20));

    back_ = pageButton(this, QStringLiteral("&Back"), QStringLiteral("back"), QRect(150, 265, 75, 25));
    next_ = pageButton(this, QStringLiteral("&Next"), QStringLiteral("next"), QRect(230, 265, 75, 25));
    finish_ = pageButton(this, QStringLiteral("&Finish"), QStringLiteral("finish"), QRect(310, 265, 75, 25));
    QPushButton *cancel = pageButton(this, QStringLiteral("Cancel"), QStringLiteral("cancel"), QRect(395, 265, 75, 25));
    connect(back_, &QPushButton::clicked, this, [this] { go(-1); });
    connect(next_, &QPushButton::clicked, this, [this] { go(1); });
    connect(finish_, &QPushButton::clicked, this, &SetupWizard::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    go(0);
    openAtDesign(*this);
    restorePlacement(*this, files_.directory());
}

int SetupWizard::step() const
{
    return steps_->currentIndex() + 1;
}

void SetupWizard::go(int by)
{
    steps_->setCurrentIndex(std::clamp(steps_->currentIndex() + by, 0, steps_->count() - 1));
    const bool last = steps_->currentIndex() == steps_->count() - 1;
    back_->setEnabled(steps_->currentIndex() > 0);
    next_->setEnabled(!last);
    finish_->setVisible(last);
    finish_->setDefault(last);
    next_->setDefault(!last);
}

void SetupWizard::accept()
{
    Settings &s = settings();
    s.udkPrompt = udk_->text().trimmed();
    for (const auto &[key, box] : flags_)
        *flagOf(s, key) = box->isChecked();
    s.setupWizardComplete = true;
    writeSettings(files_.directory(), s, WizardKeys);
    storeDateFormat(this, files_.directory(), storedDate_, date_->currentText(), true);
    savePlacement(*this, files_.directory());
    QDialog::accept();
}

// ---- preferences ----

QCheckBox *Preferences::check(QWidget *page, const QString &text, const QString &key, QRect place, bool on)
{
    auto *box = new QCheckBox(text, page);
    box->setObjectName(key);
    box->setGeometry(place);
    box->setChecked(on);
    flags_[key] = box;
    return box;
}

QButtonGroup *Preferences::choice(QWidget *page, const QString &title, const QStringList &texts, const QString &chosen,
                                  QRect place)
{
    auto *box = new QGroupBox(title, page);
    box->setGeometry(place);
    auto *group = new QButtonGroup(box);
    for (int i = 0; i < texts.size(); ++i) {
        auto *r = new QRadioButton(texts[i], box);
        r->setGeometry(10 + (i / 4) * 100, 20 + (i % 4) * 24, 200, 22);
        r->setChecked(texts[i] == chosen || (i == 0 && !texts.contains(chosen)));
        group->addButton(r, i);
    }
    return group;
}

Preferences::Preferences(FileSet &files, QWidget *parent) : QDialog(parent), files_(files)
{
    setObjectName(QStringLiteral("Preferences"));
    setWindowTitle(QStringLiteral("Preferences"));
    resize(580, 340);
    reloadSettings(files_.directory());
    const Settings &s = settings();
    auto *tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("tabs"));
    tabs->setGeometry(10, 10, 560, 285);
    const auto tab = [tabs](const QString &title) {
        auto *page = new QWidget(tabs);
        tabs->addTab(page, title);
        return page;
    };

    QWidget *general = tab(QStringLiteral("General"));
    interface_ = choice(general, QStringLiteral("Interface"), {QStringLiteral("Standard"), QStringLiteral("Explorer")},
                        s.interface, QRect(10, 10, 200, 75));
    pageLabel(general, QStringLiteral("Date Format:"), QRect(230, 15, 100, 20));
    shownDate_ = dateFormatText(s.dateFormat);
    date_ = dateList(general, shownDate_, QRect(230, 37, 220, 24));
    check(general, QStringLiteral("Use auto-completion when entering artist name"), QStringLiteral("AutoComplete"),
          QRect(10, 95, 440, 22), s.autoComplete);
    auto *prompts = new QGroupBox(QStringLiteral("Prompts (Field Labels)"), general);
    prompts->setGeometry(10, 125, 450, 90);
    pageLabel(prompts, QStringLiteral("User Defined Key Field:"), QRect(10, 25, 180, 20));
    udk_ = new QLineEdit(s.udkPrompt, prompts);
    udk_->setObjectName(QStringLiteral("udkPrompt"));
    udk_->setMaxLength(20);
    udk_->setGeometry(200, 23, 180, 22);
    pageLabel(prompts, QStringLiteral("Notes Field (on DJ Log):"), QRect(10, 55, 180, 20));
    notes_ = new QLineEdit(s.notesLabel, prompts);
    notes_->setObjectName(QStringLiteral("notesLabel"));
    notes_->setMaxLength(20);
    notes_->setGeometry(200, 53, 180, 22);

    QWidget *start = tab(QStringLiteral("Start Up"));
    auto *show = new QGroupBox(QStringLiteral("Show At Start Up"), start);
    show->setGeometry(10, 10, 200, 130);
    int y = 22;
    for (const auto &[key, text, on] : {std::tuple{"SU_Albums", "Albums", s.openAlbumsAtStart},
                                        std::tuple{"SU_Songs", "Songs", s.openSongsAtStart},
                                        std::tuple{"SU_Labels", "Labels", s.openLabelsAtStart},
                                        std::tuple{"SU_Playlists", "Playlists", s.openPlaylistsAtStart}}) {
        check(show, QString::fromLatin1(text), QString::fromLatin1(key), QRect(10, y, 180, 22), on);
        y += 26;
    }
    check(start, QStringLiteral("Tips"), QStringLiteral("ShowTips"), QRect(230, 32, 200, 22), s.showTips)
        ->setToolTip(QStringLiteral("Show tip at startup"));
    check(start, QStringLiteral("At start up, select last order tab used"), QStringLiteral("SaveLastTab"),
          QRect(10, 150, 440, 22), s.saveLastTab);

    QWidget *adding = tab(QStringLiteral("Adding"));
    addMode_ = choice(adding, QStringLiteral("Add Mode"),
                      {QStringLiteral("Normal"), QStringLiteral("Compilation"), QStringLiteral("Single Artist"),
                       QStringLiteral("Ask Each Time")},
                      s.addMode, QRect(10, 10, 200, 120));
    check(adding, QStringLiteral("When adding from CD Player, use the Compilation Wizard"),
          QStringLiteral("DefaultWizardCompilation"), QRect(10, 140, 440, 22), s.defaultWizardCompilation);
    check(adding, QStringLiteral("Automatically Add Album Information to Album Database"), QStringLiteral("AutoAddToAlbums"),
          QRect(10, 168, 440, 22), s.autoAddToAlbums == QLatin1String("1"));

    QWidget *labels = tab(QStringLiteral("Labels"));
    order_ = choice(labels, QStringLiteral("Label Wizard Order"),
                    {QStringLiteral("Artist - Title"), QStringLiteral("Title - Artist")}, s.labelArtistTitleOrder,
                    QRect(10, 10, 200, 75));
    delimiter_ = choice(labels, QStringLiteral("Track #/Song Delimiter"),
                        {QStringLiteral("."), QStringLiteral("]"), QStringLiteral(">"), QStringLiteral(")"),
                         QStringLiteral("*"), QStringLiteral("}")},
                        s.delimiter, QRect(230, 10, 220, 120));
    check(labels, QStringLiteral("Use Alternate Cassette Format"), QStringLiteral("AltCasFmt"), QRect(10, 140, 440, 22),
          s.altCasFmt);
    check(labels, QStringLiteral("Preview on single \"Quick CD Covers\""), QStringLiteral("ForcePreview"),
          QRect(10, 168, 440, 22), s.forcePreview);

    QWidget *cddb = tab(QStringLiteral("CDDB"));
    QLabel *about = pageLabel(cddb,
                              QStringLiteral("The CDDB is a database of compact discs on the Internet: from the disc id of "
                                             "a CD it gives the album and track titles.  DiscTalk, the program Cantorix Pro "
                                             "runs for it, looks your discs up there and sends new ones in.  In automatic "
                                             "mode it asks nothing and takes the first disc that matches."),
                              QRect(10, 10, 450, 90));
    about->setWordWrap(true);
    check(cddb, QStringLiteral("Call DiscTalk in automatic mode"), QStringLiteral("CDDBAutomaticMode"),
          QRect(10, 110, 440, 22), s.cddbAutomaticMode);

    QWidget *house = tab(QStringLiteral("Housekeeping"));
    check(house, QStringLiteral("Log MCI traffic (Warning:  The log will be large!)"), QStringLiteral("UseLog"),
          QRect(10, 10, 440, 22), s.useLog);
    housekeeping(house);

    QWidget *logo = tab(QStringLiteral("Logo"));
    pageLabel(logo, QStringLiteral("Logo to appear on selected reports:"), QRect(10, 15, 400, 20));
    logo_ = new QLineEdit(s.logo, logo);
    logo_->setObjectName(QStringLiteral("logo"));
    logo_->setMaxLength(255);
    logo_->setGeometry(10, 40, 360, 22);
    connect(pageButton(logo, QStringLiteral("&Browse"), QStringLiteral("browse"), QRect(380, 38, 75, 25)),
            &QPushButton::clicked, this, [this] {
                const QString chosen = interaction().openFile(QStringLiteral("Choose a File"), files_.directory(),
                                                              QStringLiteral("All Files (*)"));
                if (!chosen.isEmpty())
                    logo_->setText(chosen);
            });

    auto *ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setGeometry(410, 305, 75, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &Preferences::accept);
    QPushButton *cancel = pageButton(this, QStringLiteral("Cancel"), QStringLiteral("cancel"), QRect(495, 305, 75, 25));
    connect(cancel, &QPushButton::clicked, this, &Preferences::reject);
    QPushButton *wizard = pageButton(this, QStringLiteral("Use Setup Wi&zard"), QStringLiteral("wizard"), QRect(10, 305, 130, 25));
    connect(wizard, &QPushButton::clicked, this, [this] {
        SetupWizard setup(files_, parentWidget());
        setup.exec();
        QDialog::reject();
    });
    openAtDesign(*this);
    restorePlacement(*this, files_.directory());
}

void Preferences::housekeeping(QWidget *page)
{
    const auto run = [this](const char *name) {
        if (auto *frame = qobject_cast<MainFrame *>(parentWidget() ? parentWidget()->window() : nullptr))
            launchers().run(QString::fromLatin1(name), *frame);
    };
    const auto asked = [](const QString &text) {
        return interaction().message(QStringLiteral("Housekeeping"), text, Icon::Question, Yes | No, No) == Yes;
    };
    connect(pageButton(page, QStringLiteral("Create Album Database from Cantorix Database"), QStringLiteral("createAlbums"),
                       QRect(10, 45, 300, 25)),
            &QPushButton::clicked, this, [=] {
                if (asked(QStringLiteral("This function will create the album database based on information in your main "
                                         "Cantorix Pro database.  It may take some time to complete.  This should only be "
                                         "required if you are upgrading from version 1.1, or if you have imported song "
                                         "information from a text-file.  Are you sure you wish to continue?")))
                    run("BuildAlbums");
            });
    connect(pageButton(page, QStringLiteral("Test Album Database Link Integrity"), QStringLiteral("testLinks"),
                       QRect(10, 75, 300, 25)),
            &QPushButton::clicked, this, [=] {
                if (asked(QStringLiteral("This function will test (and fix where possible) the links between the album "
                                         "database and your main Cantorix Pro database.  It may take some time to "
                                         "complete.  This should only be required if you are upgrading from version 1.1.  "
                                         "Are you sure you wish to continue?")))
                    run("TestAlbumLinks");
            });
    connect(pageButton(page, QStringLiteral("Mass Modifications"), QStringLiteral("massModifications"), QRect(10, 105, 300, 25)),
            &QPushButton::clicked, this, [=] {
                QApplication::beep();
                const int chosen = interaction().choose(
                    QStringLiteral("Mass Modifications"),
                    QStringLiteral("These functions will process every \"Song\" record in your database.  \"Side/Disc\" "
                                   "will set the side/disc to 1 if it is zero.  \"File Number\" will add leading zeroes to "
                                   "numeric file numbers."),
                    Icon::Question, {QStringLiteral("Side/Disc"), QStringLiteral("File Number"), QStringLiteral("Cancel")}, 2);
                if (chosen == 0)
                    run("SetSidesToOne");
                else if (chosen == 1)
                    run("PadFileNumbers");
            });
    connect(pageButton(page, QStringLiteral("File Manager"), QStringLiteral("fileManager"), QRect(10, 135, 300, 25)),
            &QPushButton::clicked, this, [=] { run("FileManager"); });
    pageLabel(page, QStringLiteral("These functions should only be used to correct known problems"), QRect(10, 175, 450, 18));
    pageLabel(page, QStringLiteral("in earlier versions.  They can cause damage if used improperly.."), QRect(10, 193, 450, 18));
}

void Preferences::accept()
{
    Settings &s = settings();
    for (const auto &[key, box] : flags_)
        if (bool *flag = flagOf(s, key))
            *flag = box->isChecked();
    s.autoAddToAlbums = flags_["AutoAddToAlbums"]->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    s.addMode = addMode_->checkedButton()->text();
    s.labelArtistTitleOrder = order_->checkedButton()->text();
    s.delimiter = delimiter_->checkedButton()->text();
    s.udkPrompt = udk_->text().trimmed();
    s.notesLabel = notes_->text().trimmed();
    s.interface = interface_->checkedButton()->text();
    s.logo = logo_->text().trimmed();
    writeSettings(files_.directory(), s, PreferenceKeys);
    writeProfile(profilePath(files_.directory(), settingsfile::DiscTalk), QStringLiteral("Default"),
                 QStringLiteral("AutomaticMode"), s.cddbAutomaticMode ? QStringLiteral("Y") : QStringLiteral("N"));
    const QString chosen = date_->currentText();
    if (chosen != shownDate_)
        interaction().message(QStringLiteral("Information"),
                              QStringLiteral("Date format changes will not affect currently open windows.  You can close "
                                             "and re-open windows, or exit and restart Cantorix Pro to view information "
                                             "using the new date format."),
                              Icon::Information, OK, OK);
    storeDateFormat(this, files_.directory(), s.dateFormat, chosen, false);
    savePlacement(*this, files_.directory());
    QDialog::accept();
}

void Preferences::reject()
{
    // Every change made in the window is undone.
    reloadSettings(files_.directory());
    savePlacement(*this, files_.directory());
    QDialog::reject();
}

void registerPrefsWindows()
{
    launchers().add(QStringLiteral("Preferences"), [](MainFrame &frame) {
        Preferences window(frame.files(), &frame);
        window.exec();
    });
    launchers().add(QStringLiteral("SetupWizard"), [](MainFrame &frame) {
        SetupWizard window(frame.files(), &frame);
        window.exec();
    });
}

} // namespace crx
