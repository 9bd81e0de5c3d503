#include "filemanager.h"

#include "datafile.h"
#include "dialogunits.h"
#include "fileset.h"
#include "interaction.h"
#include "listformat.h"
#include "pagebuttons.h"
#include "placement.h"
#include "profile.h"
#include "result.h"
#include "settings.h"
#include "structureexample.h"
#include "widgetplacement.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

namespace crx {

namespace {

const QString Section = QStringLiteral("FileManager"), ListName = QStringLiteral("?ListQueue");
const QString Design = QStringLiteral("12L(2)|M~~@s2@120L(2)|M~Database~@s40@40R(2)|M~Records~@s10@200L(2)|M~File~@s144@");
const QString Tick = QStringLiteral("\u2713");

struct Entry {
    FileId id;
    const char *description;
};
const Entry Entries[] = {{FileId::AddWizard, "Add Wizard Temporary Files"},
                         {FileId::Album, "Albums"},
                         {FileId::Artists, "Artists"},
                         {FileId::Categories, "Categories"},
                         {FileId::Fonts, "Fonts"},
                         {FileId::ImportAlbums, "Albums"},
                         {FileId::ImportSongs, "Songs"},
                         {FileId::Labels, "Labels"},
                         {FileId::CRXTips, "Tips"},
                         {FileId::Media, "Media Tyes"},
                         {FileId::Cantorix, "Songs"},
                         {FileId::PlaylistDetails, "Playlist Details (Songs)"},
                         {FileId::PlaylistMaster, "Playlist Master (Descriptions)"}};

bool tagged(const QTreeWidgetItem &entry)
{
    return entry.data(FileManager::Tick, Qt::UserRole).toBool();
}

void setTagged(QTreeWidgetItem &entry, bool on)
{
    entry.setData(FileManager::Tick, Qt::UserRole, on);
    entry.setText(FileManager::Tick, on ? Tick : QString());
}

} // namespace

FileManager::FileManager(FileSet &files, QWidget *parent) : QDialog(parent), files_(files)
{
    setObjectName(QStringLiteral("FileManager"));
    setWindowTitle(QStringLiteral("File Manager"));
    resize(520, 330);
    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("list"));
    list_->setGeometry(10, 10, 400, 270);
    list_->setRootIsDecorated(false);
    list_->setHeaderLabels({QString(), QStringLiteral("Database"), QStringLiteral("Records"), QStringLiteral("File")});
    std::vector<std::pair<QString, FileId>> sorted;
    for (const Entry &e : Entries)
        sorted.emplace_back(QString::fromLatin1(e.description), e.id);
    std::stable_sort(sorted.begin(), sorted.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    for (const auto &[description, id] : sorted) {
        auto *entry = new QTreeWidgetItem({QString(), description, QStringLiteral("?"), QString()});
        entry->setData(Database, Qt::UserRole, int(id));
        entry->setTextAlignment(Records, Qt::AlignRight | Qt::AlignVCenter);
        setTagged(*entry, false);
        list_->addTopLevelItem(entry);
    }
    list_->setCurrentItem(list_->topLevelItem(0));
    list_->viewport()->installEventFilter(this);
    list_->installEventFilter(this);

    const auto button = [this](const QString &text, const QString &name, int row, const QString &tip, auto action) {
        QPushButton *b = pageButton(this, text, name, QRect(420, 10 + row * 30, 90, 25), tip);
        connect(b, &QPushButton::clicked, this, action);
    };
    button(QStringLiteral("&Tag All"), QStringLiteral("tagAll"), 0, QStringLiteral("Tag all the files"), [this] { tagAll(true); });
    button(QStringLiteral("&Untag All"), QStringLiteral("untagAll"), 1, QStringLiteral("Untag all of the files"),
           [this] { tagAll(false); });
    button(QStringLiteral("&Build"), QStringLiteral("build"), 2, QStringLiteral("Build the key files for the tagged data files"),
           &FileManager::build);
    button(QStringLiteral("&Pack"), QStringLiteral("pack"), 3, QStringLiteral("Pack the tagged data files"), &FileManager::pack);
    button(QStringLiteral("&Release"), QStringLiteral("release"), 4,
           QStringLiteral("Release any held records in the tagged files"), &FileManager::release);
    button(QStringLiteral("&Fix"), QStringLiteral("fix"), 5, QString(), &FileManager::fix);
    button(QStringLiteral("&Info"), QStringLiteral("info"), 6, QString(), &FileManager::info);
    button(QStringLiteral("&Done"), QStringLiteral("done"), 8, QStringLiteral("Close this window"), &QDialog::accept);

    // What an action is working on, below the list while it runs.
    progress_ = new QWidget(this);
    progress_->setGeometry(10, 285, 400, 40);
    current_ = pageLabel(progress_, QString(), QRect(0, 0, 400, 18), QStringLiteral("currentFile"));
    left_ = pageLabel(progress_, QString(), QRect(0, 20, 400, 18), QStringLiteral("filesLeft"));
    progress_->hide();

    openAtDesign(*this);
    const QString positions = profilePath(files_.directory(), settingsfile::Positions);
    const std::vector<ListColumn> columns = parseListFormat(restoreListFormat(positions, Section, ListName, Design));
    const DialogUnits units(font());
    for (size_t c = 0; c < columns.size() && int(c) < list_->columnCount(); ++c)
        list_->setColumnWidth(int(c), units.x(columns[c].width));
    WidgetPlacement placement(*this);
    RestoreWindowPlacement(positions, objectName(), placement);
}

void FileManager::done(int result)
{
    const QString positions = profilePath(files_.directory(), settingsfile::Positions);
    saveListFormat(positions, Section, ListName, listFormatWithWidths(Design, DialogUnits::columnWidths(*list_->header())));
    WidgetPlacement placement(*this);
    SaveWindowPlacement(positions, objectName(), placement);
    QDialog::done(result);
}

bool FileManager::eventFilter(QObject *watched, QEvent *event)
{
    // A click on an entry's tick, or the space bar, tags or untags it.
    if (watched == list_->viewport() && event->type() == QEvent::MouseButtonPress) {
        const QPoint at = static_cast<QMouseEvent *>(event)->position().toPoint();
        if (list_->header()->logicalIndexAt(at.x()) == Tick)
            toggle(list_->itemAt(at));
    } else if (watched == list_ && event->type() == QEvent::KeyPress
               && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Space) {
        toggle(list_->currentItem());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void FileManager::toggle(QTreeWidgetItem *entry)
{
    if (entry)
        setTagged(*entry, !tagged(*entry));
}

void FileManager::tagAll(bool on)
{
    for (int i = 0; i < list_->topLevelItemCount(); ++i)
        setTagged(*list_->topLevelItem(i), on);
}

void FileManager::run(const Action &action)
{
    std::vector<QTreeWidgetItem *> work;
    for (int i = 0; i < list_->topLevelItemCount(); ++i)
        if (tagged(*list_->topLevelItem(i)))
            work.push_back(list_->topLevelItem(i));
    if (work.empty() && list_->currentItem())
        work.push_back(list_->currentItem());
    progress_->show();
    for (size_t n = 0; n < work.size(); ++n) {
        const FileId id = FileId(work[n]->data(Database, Qt::UserRole).toInt());
        current_->setText(QStringLiteral("Current File :  ") + fileDef(id).label.left(20));
        left_->setText(QStringLiteral("Files Left     :  %1").arg(int(work.size() - n), 3));
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        action(*work[n], id);
    }
    progress_->hide();
}

void FileManager::showCount(QTreeWidgetItem &entry, DataFile &file)
{
    entry.setText(Records, QString::number(file.records()));
}

bool FileManager::openAlone(QTreeWidgetItem &, FileId id, DataFile &file)
{
    if (!QFileInfo::exists(file.path()))
        return false; // a missing file is passed over
    QString reason;
    if (files_.useCount(id) > 0)
        reason = QStringLiteral("the file is open in another window");
    else if (file.open() != NoError)
        reason = lastResult().text;
    if (reason.isEmpty())
        return true;
    interaction().message(QStringLiteral("File Access Error"),
                          QStringLiteral("This option requires exclusive file access.|Please ensure no other users are in "
                                         "the system. |An error occured trying to open the file : Error ")
                              + reason,
                          Icon::Exclamation, OK, OK);
    return false;
}

void FileManager::alone(const std::function<int(DataFile &file)> &work, const QString &failure)
{
    run([this, &work, &failure](QTreeWidgetItem &entry, FileId id) {
        DataFile &file = files_.file(id);
        if (!openAlone(entry, id, file))
            return false;
        const bool done = work(file) == NoError;
        if (!done)
            interaction().message(QStringLiteral("File Access Error"), failure + lastResult().text, Icon::Exclamation, OK, OK);
        showCount(entry, file);
        file.close();
        return done;
    });
}

void FileManager::build()
{
    alone([](DataFile &file) { return file.rebuildKeys(); },
          QStringLiteral("An error occured trying to build the keys : Error "));
}

void FileManager::pack()
{
    alone([](DataFile &file) { return file.pack(); }, QStringLiteral("An error occured trying to pack the file : Error "));
}

void FileManager::release()
{
    // The storage engine holds no records between reads: the file is opened alone and counted.
    alone([](DataFile &) { return int(NoError); }, QString());
}

void FileManager::fix()
{
    run([this](QTreeWidgetItem &, FileId id) {
        const QString path = files_.file(id).path();
        const QString name = QFileInfo(path).fileName();
        const QString example = exampleName(name);
        QString error;
        const QChar code = ds_MakeExample(fileDef(id), path, QFileInfo(path).absoluteDir().filePath(example), error);
        const QString problem = code == '1'   ? QStringLiteral("Unable to create the structure example file.")
                                : code == '2' ? QStringLiteral("Not a catalogue file.")
                                : code == '3' ? QStringLiteral("Error creating the structure example file : ") + error.trimmed()
                                              : QString();
        if (!problem.isEmpty()) {
            interaction().message(QStringLiteral("Error"), problem, Icon::Exclamation, OK, OK);
            return false;
        }
        // "crxfix NAME.tps? ? /E:NAME.tpe? /K ": each "?" before an owner text, empty for these files.
        return interaction().startProgram(ownProgram(QStringLiteral("crxfix")),
                                          {name + '?', QStringLiteral("?"), QStringLiteral("/E:") + example + '?',
                                           QStringLiteral("/K"), QString()},
                                          files_.directory());
    });
}

void FileManager::info()
{
    run([this](QTreeWidgetItem &entry, FileId id) {
        DataFile &file = files_.file(id);
        const bool wasOpen = file.isOpen();
        if (!wasOpen && file.open() != NoError) {
            entry.setText(Records, QStringLiteral("?"));
            entry.setText(File, QStringLiteral("Error : ") + lastResult().text);
            return false;
        }
        showCount(entry, file);
        entry.setText(File, QFileInfo(file.path()).fileName());
        if (!wasOpen)
            file.close();
        return true;
    });
}

} // namespace crx
