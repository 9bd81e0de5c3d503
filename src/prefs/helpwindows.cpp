#include "helpwindows.h"

#include "buildinfo.h"
#include "childwindow.h"
#include "fileset.h"
#include "launchers.h"
#include "pagebuttons.h"
#include "picture.h"
#include "profile.h"
#include "settings.h"
#include "widgetplacement.h"

#include <QApplication>
#include <QCheckBox>
#include <QDate>
#include <QDir>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QStyle>
#include <QTime>

namespace crx {

namespace {

// The application code the compile information shows.
const QString ApplicationCode = QStringLiteral("CRXPRO");

QPushButton *button(QWidget *window, const QString &text, const QString &name, QRect place)
{
    auto *b = new QPushButton(text, window);
    b->setObjectName(name);
    b->setGeometry(place);
    return b;
}

QString versionText()
{
    return QStringLiteral("Cantorix Pro Version ") + programVersion();
}

} // namespace

UpdateCRXTips::UpdateCRXTips(FileSet &files, QWidget *parent) : QDialog(parent), files_(files), tips_(files)
{
    setObjectName(QStringLiteral("UpdateCRXTips"));
    setWindowTitle(QStringLiteral("Tip of the Day"));
    resize(420, 220);
    pageLabel(this, QStringLiteral("Cantorix Pro Tip of the Day..."), QRect(70, 12, 330, 20), QStringLiteral("heading"))
        ->setStyleSheet(QStringLiteral("font-weight: bold"));
    auto *bulb = new QLabel(this);
    bulb->setObjectName(QStringLiteral("bulb"));
    bulb->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(40, 40));
    bulb->setGeometry(15, 12, 44, 44);
    text_ = pageLabel(this, QString(), QRect(70, 40, 335, 110), QStringLiteral("tip"));
    text_->setWordWrap(true);
    text_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    showAtStart_ = new QCheckBox(QStringLiteral("Show tips at start up"), this);
    showAtStart_->setObjectName(QStringLiteral("showTips"));
    showAtStart_->setToolTip(QStringLiteral("Show tip at startup"));
    showAtStart_->setGeometry(15, 155, 250, 22);
    showAtStart_->setChecked(settings().showTips);
    connect(button(this, QStringLiteral("&Back"), QStringLiteral("back"), QRect(170, 185, 75, 25)), &QPushButton::clicked,
            this, [this] {
                tips_.back();
                show();
            });
    connect(button(this, QStringLiteral("&Next"), QStringLiteral("next"), QRect(250, 185, 75, 25)), &QPushButton::clicked,
            this, [this] {
                tips_.next();
                show();
            });
    QPushButton *close = button(this, QStringLiteral("Cl&ose"), QStringLiteral("close"), QRect(330, 185, 75, 25));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    openAtDesign(*this);
    WidgetPlacement placement(*this);
    RestoreWindowPlacement(profilePath(files_.directory(), settingsfile::Positions), objectName(), placement);
}

bool UpdateCRXTips::start()
{
    const QString preferences = profilePath(files_.directory(), settingsfile::Preferences);
    if (!tips_.start(readProfileNumber(preferences, QStringLiteral("Settings"), QStringLiteral("Tip"), 1)))
        return false;
    show();
    return true;
}

void UpdateCRXTips::show()
{
    text_->setText(tips_.text());
}

void UpdateCRXTips::done(int result)
{
    // Closing keeps the choice and where the person stopped, whichever way it closes.
    settings().showTips = showAtStart_->isChecked();
    const QString preferences = profilePath(files_.directory(), settingsfile::Preferences);
    writeProfile(preferences, QStringLiteral("Settings"), QStringLiteral("ShowTips"),
                 settings().showTips ? QStringLiteral("1") : QStringLiteral("0"));
    writeProfile(preferences, QStringLiteral("Settings"), QStringLiteral("Tip"), QString::number(tips_.current()));
    WidgetPlacement placement(*this);
    SaveWindowPlacement(profilePath(files_.directory(), settingsfile::Positions), objectName(), placement);
    QDialog::done(result);
}

CompileInformation::CompileInformation(const QString &directory, QWidget *parent) : QDialog(parent), directory_(directory)
{
    setObjectName(QStringLiteral("CompileDate"));
    setWindowTitle(QStringLiteral("Compile Information"));
    resize(300, 230);
    const QDateTime built(QLocale::c().toDate(buildDate().simplified(), QStringLiteral("MMM d yyyy")),
                          QTime::fromString(buildTime(), QStringLiteral("HH:mm:ss")));
    const QString date = formatValue(QStringLiteral("@d17"), dayNumber(built.date().year(), built.date().month(),
                                                                      built.date().day()));
    const QString time = formatValue(QStringLiteral("@t3"), qint64(built.time().msecsSinceStartOfDay() / 10 + 1));
    // A 64-bit build: the flag of a 32-bit one is 0 here.
    const std::pair<const char *, QString> fields[] = {{"Version", versionText()},
                                                       {"Application", ApplicationCode},
                                                       {"Creation Date:", date},
                                                       {"Change Date:", date},
                                                       {"Creation Time:", time},
                                                       {"Change Time:", time},
                                                       {"32-bit", QString::number(sizeof(void *) == 4 ? 1 : 0)}};
    int y = 10;
    for (const auto &[prompt, value] : fields) {
        pageLabel(this, QString::fromLatin1(prompt), QRect(10, y + 2, 95, 18));
        auto *shown = new QLineEdit(value, this);
        shown->setObjectName(QString::fromLatin1(prompt).remove(':').remove(' ').remove('-').toLower());
        shown->setReadOnly(true);
        shown->setGeometry(110, y, 180, 22);
        y += 26;
    }
    connect(button(this, QStringLiteral("Cl&ose"), QStringLiteral("close"), QRect(215, y + 5, 75, 25)), &QPushButton::clicked,
            this, &QDialog::accept);
    resize(300, y + 40);
    openAtDesign(*this);
    WidgetPlacement placement(*this);
    RestoreWindowPlacement(profilePath(directory_, settingsfile::Positions), objectName(), placement);
}

void CompileInformation::done(int result)
{
    WidgetPlacement placement(*this);
    SaveWindowPlacement(profilePath(directory_, settingsfile::Positions), objectName(), placement);
    QDialog::done(result);
}

About::About(FileSet &files, QWidget *parent) : QDialog(parent), files_(files)
{
    setObjectName(QStringLiteral("About"));
    setWindowTitle(QStringLiteral("About"));
    resize(440, 300);
    logo_ = new QLabel(this);
    logo_->setObjectName(QStringLiteral("logo"));
    logo_->setGeometry(10, 10, 420, 220);
    logo_->setPixmap(QPixmap(QDir(QApplication::applicationDirPath()).filePath(QStringLiteral("crx2000a.gif"))));
    logo_->setCursor(Qt::PointingHandCursor);
    logo_->setToolTip(QStringLiteral("Compile Information"));
    logo_->installEventFilter(this);
    pageLabel(this, versionText(), QRect(10, 238, 420, 18), QStringLiteral("version"))->setAlignment(Qt::AlignCenter);
    connect(button(this, QStringLiteral("&Return to Cantorix Pro"), QStringLiteral("return"), QRect(140, 265, 160, 25)),
            &QPushButton::clicked, this, &QDialog::accept);
    openAtDesign(*this);
}

bool About::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == logo_ && event->type() == QEvent::MouseButtonPress) {
        CompileInformation window(files_.directory(), this);
        window.exec();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

UpdateTip::UpdateTip(FileSet &files, QWidget *parent)
    : FormWindow(files, FileId::CRXTips, QStringLiteral("UpdateCRXTips"), {QStringLiteral("Add Tip"), QStringLiteral("Change Tip")},
                 QSize(420, 170), DittoKey::Apostrophe, parent)
{
    addMemo(QStringLiteral("TIP:Tip"), QRect(10, 10, 400, 110));
}

BrowseCRXTips::BrowseCRXTips(FileSet &files, QWidget *parent)
    : BrowseWindow(files, FileId::CRXTips, QStringLiteral("Tips"), QStringLiteral("Tips"),
                   QStringLiteral("250L(2)|M~Tip~L(2)@s255@"), {QStringLiteral("TIP:Tip")},
                   {{QStringLiteral("By Number"), QStringLiteral("TIP:KeyID"), LocatorKind::None,
                     Alphabet::LettersDigitsPunctuation, QString(), {}}},
                   [](FileSet &set) { return std::make_unique<UpdateTip>(set); }, parent)
{
}

void registerHelpWindows()
{
    launchers().add(QStringLiteral("BrowseCRXTips"), &openList<BrowseCRXTips>);
    launchers().add(QStringLiteral("UpdateCRXTips"), [](MainFrame &frame) {
        UpdateCRXTips window(frame.files(), &frame);
        if (window.start())
            window.exec();
    });
    launchers().add(QStringLiteral("About"), &openChild<About, &About::start>);
}

} // namespace crx
