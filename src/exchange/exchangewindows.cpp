#include "exchangewindows.h"

#include "childwindow.h"
#include "dialogunits.h"
#include "fileset.h"
#include "interaction.h"
#include "launchers.h"
#include "pagebuttons.h"
#include "profile.h"
#include "progresspage.h"
#include "settings.h"
#include "widgetplacement.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <array>

namespace crx {

namespace {

constexpr int PictureWidth = 30;
const QString ImportFilter = QStringLiteral("Import Files (*.CSV *.csv);;All Files (*)");
const QString ExportFilter = QStringLiteral("Export Files (*.CSV *.csv);;All Files (*)");

QString errorText(int code, const QString &text)
{
    return QStringLiteral("Error #%1 - %2").arg(code).arg(text);
}

QTreeWidget *list(QWidget *parent, const QString &name, const QStringList &headings, QRect place)
{
    auto *l = new QTreeWidget(parent);
    l->setObjectName(name);
    l->setHeaderLabels(headings);
    l->setRootIsDecorated(false);
    l->setGeometry(place);
    return l;
}

QCheckBox *checkBox(QWidget *page, const QString &text, const QString &name, QRect place)
{
    auto *box = new QCheckBox(text, page);
    box->setObjectName(name);
    box->setGeometry(place);
    return box;
}

// "OK" (the default) and "Cancel", which closes the window, side by side from this place.
QPushButton *okAndCancel(QDialog &window, QWidget *page, QPoint at)
{
    auto *ok = new QPushButton(QStringLiteral("OK"), page);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setGeometry(at.x(), at.y(), 70, 25);
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), page);
    cancel->setObjectName(QStringLiteral("cancel"));
    cancel->setGeometry(at.x() + 80, at.y(), 70, 25);
    QObject::connect(cancel, &QPushButton::clicked, &window, &QDialog::reject);
    return ok;
}

} // namespace

bool enterPicture(QWidget *parent, QString &picture)
{
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("EnterPicture"));
    dialog.setWindowTitle(QStringLiteral("Enter Picture..."));
    auto *layout = new QVBoxLayout(&dialog);
    auto *prompt = new QLabel(QStringLiteral("Picture"), &dialog);
    auto *entry = new QLineEdit(picture, &dialog);
    entry->setObjectName(QStringLiteral("picture"));
    entry->setMaxLength(PictureWidth);
    prompt->setBuddy(entry);
    layout->addWidget(prompt);
    layout->addWidget(entry);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    layout->addWidget(buttons);
    const auto valid = [&] {
        if (entry->text().trimmed().isEmpty() || entry->text().startsWith('@'))
            return true;
        interaction().message(QStringLiteral("Invalid Picture!"), QStringLiteral("Pictures must begin with \"@\""),
                              Icon::Exclamation, OK, OK);
        entry->setFocus();
        entry->selectAll();
        return false;
    };
    QObject::connect(entry, &QLineEdit::editingFinished, &dialog, [&] {
        if (!entry->text().trimmed().isEmpty() && !entry->text().startsWith('@'))
            valid();
    });
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
        if (valid())
            dialog.accept();
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (dialog.exec() != QDialog::Accepted || entry->text().trimmed().isEmpty())
        return false;
    picture = entry->text().trimmed();
    return true;
}

// ---- import ----

ImportDelimitedFile::ImportDelimitedFile(FileSet &files, QWidget *parent) : QDialog(parent), files_(files)
{
    setObjectName(QStringLiteral("ImportDelimitedFile"));
    setWindowTitle(QStringLiteral("Assign fields for Import..."));
    resize(600, 400);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    pages_ = new QStackedWidget(this);
    layout->addWidget(pages_);
    auto *page = new QWidget(pages_);
    pages_->addWidget(page);
    columnList_ = list(page, QStringLiteral("columns"), {"Import Field", "Picture", "Value"}, QRect(10, 10, 280, 300));
    targetList_ = list(page, QStringLiteral("targets"), {"Target Field", "=", "Import Field"}, QRect(310, 10, 280, 300));
    // Widths for the texts the columns hold, in dialog units of the window's font.
    const DialogUnits units(font());
    for (auto [l, widths] : {std::pair{columnList_, std::array{55, 50}}, std::pair{targetList_, std::array{130, 10}}})
        for (int c = 0; c < 2; ++c)
            l->setColumnWidth(c, units.x(widths[size_t(c)]));
    record_ = pageLabel(page, QStringLiteral("Rec# 1"), QRect(10, 318, 80, 20), QStringLiteral("record"));
    pageButton(page, QStringLiteral("&Next"), QStringLiteral("next"), QRect(90, 315, 60, 25));
    pageButton(page, QStringLiteral("&Picture"), QStringLiteral("picture"), QRect(155, 315, 60, 25));
    pageButton(page, QStringLiteral("&Assign"), QStringLiteral("assign"), QRect(310, 315, 65, 25));
    pageButton(page, QStringLiteral("A&uto"), QStringLiteral("auto"), QRect(380, 315, 65, 25));
    pageButton(page, QStringLiteral("&Unassign"), QStringLiteral("unassign"), QRect(450, 315, 70, 25));
    strip_ = checkBox(page, QStringLiteral("Strip header record (field names)"), QStringLiteral("stripHeader"),
                      QRect(10, 350, 280, 22));
    QPushButton *ok = okAndCancel(*this, page, QPoint(440, 365));
    progress_ = new ProgressPage(QString(), pages_);
    pages_->addWidget(progress_);
    connect(button("next"), &QPushButton::clicked, this, &ImportDelimitedFile::nextLine);
    connect(button("picture"), &QPushButton::clicked, this, &ImportDelimitedFile::changePicture);
    connect(button("assign"), &QPushButton::clicked, this, &ImportDelimitedFile::assign);
    connect(button("auto"), &QPushButton::clicked, this, &ImportDelimitedFile::automatic);
    connect(button("unassign"), &QPushButton::clicked, this, &ImportDelimitedFile::unassign);
    connect(ok, &QPushButton::clicked, this, &ImportDelimitedFile::accept);
    // A column highlights the target it is assigned to, and a target its column.
    connect(columnList_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *item) {
        if (!item)
            return;
        for (const auto &[target, column] : assigned_)
            if (column == columnList_->indexOfTopLevelItem(item)) {
                const QSignalBlocker quiet(targetList_);
                targetList_->setCurrentItem(targetList_->topLevelItem(int(importTargets().indexOf(target))));
            }
    });
    connect(targetList_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *item) {
        if (!item)
            return;
        const auto found = assigned_.find(item->text(0));
        if (found != assigned_.end()) {
            const QSignalBlocker quiet(columnList_);
            columnList_->setCurrentItem(columnList_->topLevelItem(found->second));
        }
    });
    connect(progress_, &ProgressPage::over, this, &ImportDelimitedFile::importOver);
    fillTargets();
    openAtDesign(*this);
    restorePlacement(*this, files_.directory());
}

ImportDelimitedFile::~ImportDelimitedFile() = default;

QPushButton *ImportDelimitedFile::button(const QString &name) const
{
    return findChild<QPushButton *>(name);
}

bool ImportDelimitedFile::start()
{
    for (;;) {
        const QString path = interaction().openFile(QStringLiteral("Import File"), files_.directory(), ImportFilter);
        if (path.isEmpty())
            return false;
        if (!lines_.open(path)) {
            interaction().message(QStringLiteral("Cannot OPEN ") + path, errorText(lines_.errorCode(), lines_.errorText()),
                                  Icon::Exclamation, OK, OK);
            return false;
        }
        if (lines_.size() == 0) {
            interaction().message(QStringLiteral("Attention!"), QStringLiteral("That file is empty!  Please pick another file."),
                                  Icon::Exclamation, OK, OK);
            continue;
        }
        if (!lines_.looksLikeText()) {
            interaction().message(QStringLiteral("Attention!"),
                                  QStringLiteral("That file is not a text file!  Please pick another file."),
                                  Icon::Exclamation, OK, OK);
            continue;
        }
        break;
    }
    QString first, second;
    if (!lines_.next(first))
        return false;
    const bool hasSecond = lines_.next(second);
    columns_ = importColumns(first, hasSecond ? &second : nullptr);
    lines_.rewind();
    lines_.next(first);
    showLine(columns_, first);
    shown_ = 1;
    button("next")->setEnabled(hasSecond);
    fillColumns();
    return true;
}

void ImportDelimitedFile::fillColumns()
{
    const int current = columnList_->currentItem() ? columnList_->indexOfTopLevelItem(columnList_->currentItem()) : 0;
    columnList_->clear();
    for (const ImportColumn &c : columns_)
        columnList_->addTopLevelItem(new QTreeWidgetItem({c.name, c.picture, c.value.left(100)}));
    if (columnList_->topLevelItemCount() > 0)
        columnList_->setCurrentItem(columnList_->topLevelItem(std::min(current, columnList_->topLevelItemCount() - 1)));
    record_->setText(QStringLiteral("Rec# %1").arg(shown_));
}

void ImportDelimitedFile::fillTargets()
{
    const int current = targetList_->currentItem() ? targetList_->indexOfTopLevelItem(targetList_->currentItem()) : 0;
    targetList_->clear();
    for (const QString &target : importTargets()) {
        const auto found = assigned_.find(target);
        const bool assigned = found != assigned_.end();
        targetList_->addTopLevelItem(new QTreeWidgetItem(
            {target, assigned ? QStringLiteral("=") : QString(), assigned ? columns_[size_t(found->second)].name : QString()}));
    }
    targetList_->setCurrentItem(targetList_->topLevelItem(current));
}

void ImportDelimitedFile::nextLine()
{
    QString line;
    if (lines_.next(line)) {
        ++shown_;
        showLine(columns_, line);
        fillColumns();
    }
    button("auto")->setEnabled(false);
    // Next stays only while a further line is there.
    button("next")->setEnabled(lines_.position() < lines_.size());
}

void ImportDelimitedFile::changePicture()
{
    QTreeWidgetItem *item = columnList_->currentItem();
    if (!item)
        return;
    ImportColumn &column = columns_[size_t(columnList_->indexOfTopLevelItem(item))];
    QString picture = column.picture;
    if (enterPicture(this, picture)) {
        column.picture = picture;
        fillColumns();
    }
}

void ImportDelimitedFile::assign()
{
    QTreeWidgetItem *target = targetList_->currentItem();
    QTreeWidgetItem *column = columnList_->currentItem();
    if (!target || !column)
        return;
    assigned_[target->text(0)] = columnList_->indexOfTopLevelItem(column);
    fillTargets();
}

void ImportDelimitedFile::automatic()
{
    for (const QString &target : importTargets()) {
        if (assigned_.count(target))
            continue;
        for (size_t c = 0; c < columns_.size(); ++c)
            if (columns_[c].value == target) {
                assigned_[target] = int(c);
                break;
            }
    }
    strip_->setChecked(true);
    fillTargets();
}

void ImportDelimitedFile::unassign()
{
    if (QTreeWidgetItem *target = targetList_->currentItem())
        assigned_.erase(target->text(0));
    fillTargets();
}

void ImportDelimitedFile::accept()
{
    if (import_)
        return;
    if (assigned_.empty()) {
        interaction().message(QStringLiteral("No Fields Selected for Import!"),
                              QStringLiteral("You must select one or more fields to import."), Icon::Exclamation, OK, OK);
        return;
    }
    import_ = std::make_unique<SongImport>(files_, lines_, ImportPlan{columns_, assigned_, strip_->isChecked()});
    setWindowTitle(QStringLiteral("Importing Records"));
    pages_->setCurrentWidget(progress_);
    if (!import_->start()) {
        importOver();
        return;
    }
    progress_->run([this] { return import_->tick(); }, [this] { return import_->percent(); },
                   [this] { import_->cancel(); });
}

void ImportDelimitedFile::done(int result)
{
    savePlacement(*this, files_.directory());
    QDialog::done(result);
}

void ImportDelimitedFile::importOver()
{
    if (import_->outcome() == SongImport::Outcome::AddFailed)
        interaction().message(QStringLiteral("Cannot ADD to Cantorix!"),
                              errorText(import_->errorCode(), import_->errorText()), Icon::Exclamation, OK, OK);
    if (import_->outcome() == SongImport::Outcome::Done) {
        progress_->complete();
        // The album build pass comes with the housekeeping passes; until then the import says it is done.
        if (launchers().has(QStringLiteral("BuildAlbums"))) {
            if (interaction().message(QStringLiteral("Import Complete"),
                                      QStringLiteral("The Songs database has been updated.  Do you want to create Albums "
                                                     "database entries for the imported songs?"),
                                      Icon::Question, Yes | No, Yes)
                    == Yes)
                if (auto *frame = qobject_cast<MainFrame *>(window()))
                    launchers().run(QStringLiteral("BuildAlbums"), *frame);
        } else {
            interaction().message(QStringLiteral("Import Complete"), QStringLiteral("The Songs database has been updated."),
                                  Icon::Information, OK, OK);
        }
    }
    QDialog::accept();
}

// ---- export ----

ExportDelimited::ExportDelimited(FileSet &files, ExportKind kind, QWidget *parent)
    : QDialog(parent), files_(files), kind_(kind)
{
    setObjectName(kind == ExportKind::Songs ? QStringLiteral("ExportSongsDelimited") : QStringLiteral("ExportAlbumsDelimited"));
    setWindowTitle(QStringLiteral("Choose Fields for Export..."));
    resize(520, 360);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    pages_ = new QStackedWidget(this);
    layout->addWidget(pages_);
    auto *page = new QWidget(pages_);
    pages_->addWidget(page);
    pageLabel(page, QStringLiteral("All Fields"), QRect(10, 8, 200, 18));
    pageLabel(page, QStringLiteral("Export Fields"), QRect(310, 8, 200, 18));
    all_ = new QListWidget(page);
    all_->setObjectName(QStringLiteral("allFields"));
    all_->setGeometry(10, 28, 200, 280);
    chosen_ = new QListWidget(page);
    chosen_->setObjectName(QStringLiteral("exportFields"));
    chosen_->setGeometry(310, 28, 200, 200);
    for (QListWidget *l : {all_, chosen_})
        l->setSelectionMode(QAbstractItemView::ExtendedSelection);
    for (const ExportField &f : crx::exportFields(kind))
        all_->addItem(f.field);
    pageButton(page, QStringLiteral("&Add ->"), QStringLiteral("add"), QRect(220, 40, 80, 25));
    pageButton(page, QStringLiteral("&Remove"), QStringLiteral("remove"), QRect(220, 75, 80, 25));
    pageButton(page, QStringLiteral("Shift &Up"), QStringLiteral("up"), QRect(220, 120, 80, 25));
    pageButton(page, QStringLiteral("Shift &Down"), QStringLiteral("down"), QRect(220, 155, 80, 25));
    pageButton(page, QStringLiteral("&Picture"), QStringLiteral("picture"), QRect(220, 200, 80, 25));
    auto *group = new QGroupBox(QStringLiteral("Picture"), page);
    group->setGeometry(310, 232, 200, 45);
    kind_text_ = new QLabel(group);
    kind_text_->setObjectName(QStringLiteral("kind"));
    kind_text_->setGeometry(10, 18, 180, 20);
    header_ = checkBox(page, QStringLiteral("Include header record with field names"), QStringLiteral("header"),
                       QRect(10, 318, 290, 22));
    QPushButton *ok = okAndCancel(*this, page, QPoint(360, 318));
    progress_ = new ProgressPage(QString(), pages_);
    pages_->addWidget(progress_);
    connect(button("add"), &QPushButton::clicked, this, &ExportDelimited::add);
    connect(button("remove"), &QPushButton::clicked, this, &ExportDelimited::remove);
    connect(button("up"), &QPushButton::clicked, this, [this] { shift(-1); });
    connect(button("down"), &QPushButton::clicked, this, [this] { shift(1); });
    connect(button("picture"), &QPushButton::clicked, this, &ExportDelimited::changePicture);
    connect(chosen_, &QListWidget::currentRowChanged, this, &ExportDelimited::showKind);
    connect(ok, &QPushButton::clicked, this, &ExportDelimited::accept);
    connect(progress_, &ProgressPage::over, this, &ExportDelimited::exportOver);
    openAtDesign(*this);
    restorePlacement(*this, files_.directory());
}

QPushButton *ExportDelimited::button(const QString &name) const
{
    return findChild<QPushButton *>(name);
}

void ExportDelimited::add()
{
    const bool first = picked_.empty();
    for (int row = 0; row < all_->count(); ++row) {
        if (!all_->item(row)->isSelected())
            continue;
        const ExportField &offered = crx::exportFields(kind_)[size_t(row)];
        if (std::any_of(picked_.begin(), picked_.end(), [&](const ExportField &f) { return f.field == offered.field; }))
            continue;
        picked_.push_back(offered);
        chosen_->addItem(offered.field);
    }
    if (first && !picked_.empty())
        chosen_->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    showKind();
}

void ExportDelimited::remove()
{
    for (int row = chosen_->count() - 1; row >= 0; --row)
        if (chosen_->item(row)->isSelected()) {
            picked_.erase(picked_.begin() + row);
            delete chosen_->takeItem(row);
        }
    showKind();
}

void ExportDelimited::shift(int by)
{
    const int row = chosen_->currentRow(), to = row + by;
    if (row < 0 || to < 0 || to >= chosen_->count())
        return;
    std::swap(picked_[size_t(row)], picked_[size_t(to)]);
    chosen_->insertItem(to, chosen_->takeItem(row));
    chosen_->setCurrentRow(to);
}

void ExportDelimited::changePicture()
{
    if (picked_.empty())
        return;
    if (chosen_->currentRow() < 0)
        chosen_->setCurrentRow(0);
    QString picture = picked_[size_t(chosen_->currentRow())].picture;
    if (enterPicture(this, picture))
        picked_[size_t(chosen_->currentRow())].picture = picture;
    showKind();
}

void ExportDelimited::showKind()
{
    const int row = chosen_->currentRow();
    kind_text_->setText(row >= 0 && row < int(picked_.size()) ? pictureKind(picked_[size_t(row)].picture, QStringLiteral("Alpha-numeric"))
                                                              : QString());
}

void ExportDelimited::accept()
{
    if (export_)
        return;
    if (picked_.empty()) {
        interaction().message(QStringLiteral("No Fields Selected for Export!"),
                              QStringLiteral("You must select one or more fields to export."), Icon::Exclamation, OK, OK);
        return;
    }
    path_ = interaction().saveFile(QStringLiteral("Export File"), files_.directory(), ExportFilter);
    if (path_.isEmpty())
        return;
    export_ = std::make_unique<DelimitedExport>(files_, kind_, picked_, header_->isChecked());
    QString error;
    if (!export_->create(path_, error)) {
        interaction().message(QStringLiteral("Cannot CREATE ") + path_, errorText(export_->errorCode(), error),
                              Icon::Exclamation, OK, OK);
        export_.reset();
        return;
    }
    export_->onWriteError([this](const QString &reason) {
        return interaction().choose(QStringLiteral("Cannot ADD to ") + path_, errorText(export_->errorCode(), reason), Icon::Exclamation,
                                    {QStringLiteral("Abort"), QStringLiteral("Retry")}, 0)
               == 1;
    });
    setWindowTitle(QStringLiteral("Exporting Records"));
    pages_->setCurrentWidget(progress_);
    if (!export_->start()) {
        exportOver(false);
        return;
    }
    progress_->run([this] { return export_->tick(); }, [this] { return export_->percent(); },
                   [this] { export_->cancel(); });
}

void ExportDelimited::done(int result)
{
    savePlacement(*this, files_.directory());
    QDialog::done(result);
}

void ExportDelimited::exportOver(bool cancelled)
{
    if (cancelled)
        export_->cancel();
    QString error;
    if (export_->finish(error))
        progress_->complete();
    else if (!export_->abandoned())
        interaction().message(QStringLiteral("Cannot CLOSE ") + path_, errorText(export_ ? export_->errorCode() : 0, error), Icon::Exclamation, OK, OK);
    QDialog::accept();
}

void registerExchangeWindows()
{
    launchers().add(QStringLiteral("ImportDelimitedFile"), &openChild<ImportDelimitedFile, &ImportDelimitedFile::start>);
    launchers().add(QStringLiteral("ExportSongsDelimited"), &openChild<ExportSongsDelimited, &ExportSongsDelimited::start>);
    launchers().add(QStringLiteral("ExportAlbumsDelimited"), &openChild<ExportAlbumsDelimited, &ExportAlbumsDelimited::start>);
}

} // namespace crx
