#include "mainframe.h"

#include "commands.h"
#include "fileset.h"
#include "firstrun.h"
#include "help.h"
#include "launchers.h"
#include "printer.h"
#include "profile.h"
#include "settings.h"
#include "standardmessages.h"
#include "startscreen.h"
#include "widgetplacement.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QSessionManager>
#include <QShortcut>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>

namespace crx {
namespace {

const FileId frameFiles[] = {FileId::Album, FileId::Artists, FileId::Media, FileId::Cantorix, FileId::Configuration};

const QString integrityQuestion = QStringLiteral(
    "This function will test (and fix where possible) the links between the album database and your main "
    "Cantorix Pro database.  It may take some time to complete.  This should only be required if you are upgrading "
    "from version 1.1.  Are you sure you wish to continue?");

// Pictures and outside programs come from the program's own directory first.
QString programFile(const QString &name)
{
    const QString own = QDir(QCoreApplication::applicationDirPath()).filePath(name);
    return QFile::exists(own) ? own : QString();
}

} // namespace

MainFrame::MainFrame(FileSet &files, QWidget *parent)
    : QMainWindow(parent), files_(files), workspace_(new QMdiArea(this))
{
    setWindowTitle(QStringLiteral("Cantorix Pro"));
    setObjectName(QStringLiteral("Main"));
    setCentralWidget(workspace_);
    resize(1000, 700);
    open();
}

MainFrame::~MainFrame()
{
    releaseFiles();
}

QString MainFrame::preferencesFile() const
{
    return profilePath(files_.directory(), settingsfile::Preferences);
}

QString MainFrame::positionsFile() const
{
    return profilePath(files_.directory(), settingsfile::Positions);
}

void MainFrame::open()
{
    // A first start fills the tips of the day.
    if (!QFile::exists(DataFile(fileDef(FileId::CRXTips), files_.directory()).path())) {
        addProgramTips(files_.use(FileId::CRXTips));
        files_.release(FileId::CRXTips);
    }
    for (FileId id : {FileId::Album, FileId::Artists, FileId::Media, FileId::Cantorix})
        files_.use(id);
    holdsFiles_ = true;
    addDefaultMediaFormats(files_.file(FileId::Media));
    if (files_.file(FileId::Artists).records() == 0)
        launchers().run(QStringLiteral("BuildArtists"), *this);

    buildMenus();
    buildToolbar();
    // The frame's hot keys are the program's: a text field does not keep Ctrl+A for itself.
    qApp->installEventFilter(this);
    // F1 opens the help page of the active window, or of the frame.
    auto *help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, &MainFrame::showHelp);
    statusBar();
    WidgetPlacement placement(*this);
    RestoreWindowPlacement(positionsFile(), objectName(), placement);

    files_.use(FileId::Configuration);
    const QString frameLogo = readOtherSetting(files_.directory(), "FrameLogo");
    if (!frameLogo.isEmpty())
        showLogo(frameLogo);
    previousVersion_ = readOtherSetting(files_.directory(), "Version");
    writeProfile(preferencesFile(), "Global Settings", "Version", ProgramVersion);
    const QString mainLogo = readOtherSetting(files_.directory(), "MainLogo");
    if (!mainLogo.isEmpty())
        showLogo(mainLogo);
    reloadSettings(files_.directory());
    refreshCommands();

    if (offerAlbumCopy(files_.file(FileId::Album).records(), files_.file(FileId::Cantorix).records(), previousVersion_)
        && interaction().message(QStringLiteral("Album Database Empty"),
                                 QStringLiteral("Do you want to copy your album information from the general music "
                                                "database into the album database? (Recommended)"),
                                 Icon::Question, Yes | No, Yes) == Yes) {
        launchers().run(QStringLiteral("BuildAlbums"), *this);
        writeProfile(preferencesFile(), "Settings", "AutoAddToAlbums", "1");
    }

    // Not cancelling the session manager's request answers yes.
    logOff_ = connect(qGuiApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager &) { sessionEnding(); });
}

void MainFrame::buildMenus()
{
    std::map<QString, QMenu *> menus;
    const auto menuFor = [&](const QStringList &path) {
        QMenu *parent = nullptr;
        QString key;
        for (const QString &title : path) {
            key += '/' + title;
            QMenu *&menu = menus[key];
            if (!menu) {
                menu = parent ? parent->addMenu(title) : menuBar()->addMenu(title);
                for (const Submenu &s : submenuTips())
                    if (s.path == path.mid(0, s.path.size()) && s.path.size() == key.count('/'))
                        menu->menuAction()->setStatusTip(s.tip);
            }
            parent = menu;
        }
        return parent;
    };
    for (const Command &command : commands()) {
        QMenu *menu = menuFor(command.menu);
        const QString text = command.text.section('\t', 0, 0);
        const QString hotKey = command.text.section('\t', 1);
        QAction *act = menu->addAction(text);
        if (!hotKey.isEmpty())
            act->setShortcut(QKeySequence(keySequenceText(hotKey)));
        act->setStatusTip(command.tip);
        act->setToolTip(command.tip);
        const QString target = command.target;
        connect(act, &QAction::triggered, this, [this, target] { dispatch(target); });
        actions_.emplace_back(act, &command);
    }
}

namespace {

// What Alt and a letter stands for in a child window: a button, a tab or a prompt's field
// whose text underlines that letter.
bool activateMnemonic(QWidget &window, const QKeySequence &pressed)
{
    const auto matches = [&](const QString &text) { return QKeySequence::mnemonic(text) == pressed; };
    for (QAbstractButton *button : window.findChildren<QAbstractButton *>())
        if (button->isVisibleTo(&window) && button->isEnabled() && matches(button->text())) {
            button->setFocus(Qt::ShortcutFocusReason);
            button->animateClick();
            return true;
        }
    for (QTabWidget *sheet : window.findChildren<QTabWidget *>())
        for (int i = 0; i < sheet->count(); ++i)
            if (sheet->isVisibleTo(&window) && sheet->isTabEnabled(i) && matches(sheet->tabText(i))) {
                sheet->setCurrentIndex(i);
                return true;
            }
    for (QLabel *label : window.findChildren<QLabel *>())
        if (label->buddy() && label->isVisibleTo(&window) && label->buddy()->isEnabled() && matches(label->text())) {
            label->buddy()->setFocus(Qt::ShortcutFocusReason);
            return true;
        }
    return false;
}

} // namespace

bool MainFrame::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::ShortcutOverride)
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != this)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    const QKeySequence pressed(key->keyCombination());
    // In a child window Alt and a letter is the window's own before it opens a menu, as in a
    // dialog of its own.
    if (key->modifiers() == Qt::AltModifier && workspace_->isAncestorOf(widget))
        if (QMdiSubWindow *child = workspace_->activeSubWindow(); child && child->widget()
            && activateMnemonic(*child->widget(), pressed)) {
            event->accept();
            return true;
        }
    for (const auto &[act, command] : actions_)
        if (act->isEnabled() && !act->shortcut().isEmpty() && act->shortcut() == pressed) {
            // Not taken by the field: the shortcut goes to the frame's command.
            event->ignore();
            return true;
        }
    return false;
}

void MainFrame::buildToolbar()
{
    QToolBar *bar = addToolBar(QStringLiteral("Toolbar"));
    bar->setObjectName(QStringLiteral("toolbar"));
    for (const ToolbarButton &button : toolbarButtons()) {
        QAction *act = bar->addAction(button.text);
        const QString target = button.target;
        connect(act, &QAction::triggered, this, [this, target] { dispatch(target); });
        toolbarActions_.emplace_back(act, target);
    }
    logo_ = new QLabel(bar);
    logo_->setObjectName(QStringLiteral("logo"));
    bar->addWidget(logo_);
    showLogo(programFile(QStringLiteral("crxtoolb.gif")));
}

void MainFrame::showLogo(const QString &image)
{
    const QString path = QDir(files_.directory()).absoluteFilePath(image);
    if (!image.isEmpty() && QFile::exists(path)) {
        logo_->setPixmap(QPixmap(path));
        logo_->setProperty("image", path);
    }
}

bool MainFrame::available(const QString &target) const
{
    for (const Command &c : commands())
        if (c.target == target && (c.how == How::Outside || c.how == How::Builtin))
            return true;
    if (target == QLatin1String("Preferences"))
        return launchers().has(target) || launchers().has(QStringLiteral("SetupWizard"));
    return launchers().has(resolveTarget(target, settings().interface));
}

void MainFrame::refreshCommands()
{
    for (auto &[act, command] : actions_)
        act->setEnabled(available(command->target));
    for (auto &[act, target] : toolbarActions_)
        act->setEnabled(available(target));
}

QAction *MainFrame::action(const QString &menuText, const QString &itemText) const
{
    for (const auto &[act, command] : actions_)
        if (command->menu.join('/') == menuText && command->text.section('\t', 0, 0) == itemText)
            return act;
    return nullptr;
}

void MainFrame::dispatch(const QString &target)
{
    if (startScreen_)
        startScreen_->close();
    if (target == QLatin1String("CRXBACK")) {
        startOutside(QStringLiteral("crxback"), {QStringLiteral("crxdata.tps, crxalbum.tps, crxconf.tps, crxcat.tps, etc.")}, false);
        return;
    }
    if (target == QLatin1String("RD4CRX")) {
        startOutside(QStringLiteral("RD4CRX"), {}, true);
        return;
    }
    if (target == QLatin1String("TestAlbumLinks")
        && interaction().message(QStringLiteral("Housekeeping"), integrityQuestion, Icon::Question, Yes | No, No) != Yes)
        return;
    if (target == QLatin1String("Preferences") && !settings().setupWizardComplete) {
        launchers().run(QStringLiteral("SetupWizard"), *this);
        return;
    }
    for (const Command &c : commands())
        if (c.target == target && c.how == How::Builtin) {
            builtin(target);
            return;
        }
    launchers().run(resolveTarget(target, settings().interface), *this);
}

void MainFrame::builtin(const QString &target)
{
    if (target == QLatin1String("Exit")) {
        close();
    } else if (target == QLatin1String("Cut") || target == QLatin1String("Copy") || target == QLatin1String("Paste")) {
        if (QWidget *focus = QApplication::focusWidget())
            QMetaObject::invokeMethod(focus, target.toLower().toLatin1().constData());
    } else if (target == QLatin1String("Tile")) {
        workspace_->tileSubWindows();
    } else if (target == QLatin1String("Cascade")) {
        workspace_->cascadeSubWindows();
    } else if (target == QLatin1String("PrintSetup")) {
        printer().setup();
    } else if (target == QLatin1String("HelpContents") || target == QLatin1String("HelpSearch")) {
        openHelp(QString());
    } else if (target == QLatin1String("HelpHowTo")) {
        openHelp(QStringLiteral("howtouse"));
    } else if (target == QLatin1String("ArrangeIcons")) {
        // Minimised windows in a row along the bottom of the workspace.
        int x = 0;
        for (QMdiSubWindow *w : workspace_->subWindowList())
            if (w->isMinimized()) {
                w->move(x, workspace_->viewport()->height() - w->height());
                x += w->width();
            }
    }
}

void MainFrame::startOutside(const QString &program, const QStringList &arguments, bool reportFailure)
{
    const QString own = programFile(program);
    const bool started = interaction().startProgram(own.isEmpty() ? program : own, arguments, files_.directory());
    if (!started && reportFailure)
        interaction().message(QStringLiteral("Error"),
                              QStringLiteral("Report designer not found.  If you have purchased this add-on, please "
                                             "ensure that it has been installed into the same directory as Cantorix Pro"),
                              Icon::Exclamation, OK, OK);
}

void MainFrame::showHelp()
{
    QMdiSubWindow *active = workspace_->activeSubWindow();
    const QString topic = active && active->widget() ? active->widget()->objectName() : objectName();
    openHelp(topic);
}

void MainFrame::showStartScreen()
{
    startScreen_ = new StartScreen(ProgramVersion, programFile(QStringLiteral("crx2000a.gif")));
    connect(startScreen_, &StartScreen::finished, this, [this] { QTimer::singleShot(0, this, &MainFrame::startUpSequence); });
    startScreen_->show();
}

void MainFrame::startUpSequence()
{
    const Settings &s = settings();
    if (!s.setupWizardComplete)
        launchers().run(QStringLiteral("SetupWizard"), *this);
    if (s.showTips) {
        if (s.dbgMode) {
            interaction().message(QStringLiteral("Introduction"), QStringLiteral("Add Tips"), Icon::Information, OK, OK);
            launchers().run(QStringLiteral("BrowseCRXTips"), *this);
        } else {
            launchers().run(QStringLiteral("UpdateCRXTips"), *this);
        }
    }
    const std::pair<bool, const char *> lists[] = {{s.openSongsAtStart, "BrowseSongs"},
                                                   {s.openAlbumsAtStart, "BrowseAlbums"},
                                                   {s.openPlaylistsAtStart, "BrowsePlayLists"},
                                                   {s.openLabelsAtStart, "BrowseLabels"}};
    for (const auto &[wanted, target] : lists)
        if (wanted)
            dispatch(QString::fromLatin1(target));
}

void MainFrame::sessionEnding()
{
    // The close runs once the request has been answered.
    QTimer::singleShot(0, this, &QWidget::close);
}

void MainFrame::closeEvent(QCloseEvent *event)
{
    workspace_->closeAllSubWindows();
    if (!workspace_->subWindowList().isEmpty()) {
        event->ignore(); // a child window refused to close
        return;
    }
    if (startScreen_)
        startScreen_->close();
    releaseFiles();
    disconnect(logOff_);
    WidgetPlacement placement(*this);
    SaveWindowPlacement(positionsFile(), objectName(), placement);
    event->accept();
}

void MainFrame::releaseFiles()
{
    if (!holdsFiles_)
        return;
    holdsFiles_ = false;
    for (FileId id : frameFiles)
        files_.release(id);
}

} // namespace crx
