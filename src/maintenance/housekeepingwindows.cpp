#include "housekeepingwindows.h"

#include "albumlists.h"
#include "childwindow.h"
#include "datafile.h"
#include "filemanager.h"
#include "fileset.h"
#include "housekeeping.h"
#include "interaction.h"
#include "launchers.h"
#include "pagebuttons.h"
#include "processwindow.h"
#include "profile.h"
#include "settings.h"
#include "widgetplacement.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace crx {

namespace {

constexpr int FileNumberWidth = 30;

Response runPass(std::unique_ptr<BatchProcess> process, const QString &message, QWidget *parent)
{
    ProcessWindow window(*process, message, parent);
    return window.run();
}

void buildAlbums(MainFrame &frame)
{
    if (interaction().choose(QStringLiteral("Housekeeping"),
                             QStringLiteral("This process will copy information from the songs database to the album "
                                            "database.  Only songs that are not \"joined\" to an existing album will be "
                                            "examined."),
                             Icon::Exclamation, {QStringLiteral("&Proceed"), QStringLiteral("Cancel")}, 1)
        != 0)
        return;
    runPass(buildAlbumsProcess(frame.files()), QStringLiteral("Copying..."), &frame);
}

void padFileNumbers(MainFrame &frame)
{
    // The album pass follows the song pass, also after Cancel.
    runPass(padFileNumbersProcess(frame.files(), FileId::Cantorix), QString(), &frame);
    runPass(padFileNumbersProcess(frame.files(), FileId::Album), QString(), &frame);
}

void datesToYears(MainFrame &frame)
{
    runPass(datesToYearsProcess(frame.files(), FileId::Cantorix), QStringLiteral("Converting Song Dates"), &frame);
    runPass(datesToYearsProcess(frame.files(), FileId::Album), QStringLiteral("Converting Album Dates"), &frame);
}

} // namespace

DeleteAlbumsSelection::DeleteAlbumsSelection(FileSet &files, QWidget *parent) : QDialog(parent), files_(files)
{
    setObjectName(QStringLiteral("DeleteAlbumsSelection"));
    setWindowTitle(QStringLiteral("Delete Albums and Related Songs"));
    resize(330, 120);
    const auto entry = [this](const QString &prompt, const QString &name, int y, const QString &value) {
        auto *label = pageLabel(this, prompt, QRect(10, y + 3, 130, 18));
        auto *edit = new QLineEdit(value, this);
        edit->setObjectName(name);
        edit->setMaxLength(FileNumberWidth);
        edit->setGeometry(145, y, 140, 22);
        label->setBuddy(edit);
        pageButton(this, QStringLiteral("..."), name + QStringLiteral("LookUp"), QRect(290, y, 30, 22),
                   QStringLiteral("Choose an album"));
        return edit;
    };
    starting_ = entry(QStringLiteral("&Starting File Number:"), QStringLiteral("starting"), 10, startingFileNumber());
    ending_ = entry(QStringLiteral("&Ending File Number:"), QStringLiteral("ending"), 40, endingFileNumber());
    for (QLineEdit *e : {starting_, ending_})
        connect(findChild<QPushButton *>(e->objectName() + QStringLiteral("LookUp")), &QPushButton::clicked, this,
                [this, e] { lookUp(e); });
    auto *ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setGeometry(170, 85, 70, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &DeleteAlbumsSelection::accept);
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cancel"));
    cancel->setGeometry(250, 85, 70, 25);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    openAtDesign(*this);
    WidgetPlacement placement(*this);
    RestoreWindowPlacement(profilePath(files_.directory(), settingsfile::Positions), objectName(), placement);
}

void DeleteAlbumsSelection::lookUp(QLineEdit *entry)
{
    DataFile &albums = files_.use(FileId::Album);
    if (selectFrom<SelectAlbum>(files_, this))
        entry->setText(albums.buffer().get("ALB:FileNumber").toString());
    files_.release(FileId::Album);
}

void DeleteAlbumsSelection::accept()
{
    startingFileNumber() = starting_->text();
    endingFileNumber() = ending_->text();
    runPass(deleteAlbumRangeProcess(files_, startingFileNumber(), endingFileNumber()), QStringLiteral("Deleting Albums"),
            this);
    QDialog::accept();
}

void DeleteAlbumsSelection::done(int result)
{
    startingFileNumber() = starting_->text();
    endingFileNumber() = ending_->text();
    WidgetPlacement placement(*this);
    SaveWindowPlacement(profilePath(files_.directory(), settingsfile::Positions), objectName(), placement);
    QDialog::done(result);
}

void registerMaintenanceWindows()
{
    launchers().add(QStringLiteral("BuildAlbums"), &buildAlbums);
    launchers().add(QStringLiteral("TestAlbumLinks"), [](MainFrame &frame) {
        runPass(testAlbumLinksProcess(frame.files()), QStringLiteral("Testing Link Integrity"), &frame);
    });
    launchers().add(QStringLiteral("SetSidesToOne"), [](MainFrame &frame) {
        runPass(sideZeroToOneProcess(frame.files()), QString(), &frame);
    });
    launchers().add(QStringLiteral("PadFileNumbers"), &padFileNumbers);
    launchers().add(QStringLiteral("CalculateAlbumTimes"), [](MainFrame &frame) {
        runPass(albumTimesProcess(frame.files()), QStringLiteral("Calculating Album Times"), &frame);
    });
    launchers().add(QStringLiteral("ConvertDatesToYears"), &datesToYears);
    launchers().add(QStringLiteral("FileManager"), &openChild<FileManager, &FileManager::start>);
    launchers().add(QStringLiteral("DeleteAlbumsSelection"),
                    &openChild<DeleteAlbumsSelection, &DeleteAlbumsSelection::start>);
}

} // namespace crx
