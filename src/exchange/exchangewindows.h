// The windows of the comma-separated exchange: "Assign fields for Import...",
// "Choose Fields for Export..." for songs and for albums, "Enter Picture...",
// and their progress, shown in the same window once the person presses OK.
// Each runs beside the other windows.
#pragma once

#include "delimited.h"
#include "delimitedexport.h"
#include "songimport.h"

#include <QDialog>
#include <memory>

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QStackedWidget;
class QTreeWidget;

namespace crx {

class FileSet;
class ProgressPage;

// "Enter Picture...": true with the picture given; a picture must begin with "@".
bool enterPicture(QWidget *parent, QString &picture);

class ImportDelimitedFile : public QDialog
{
    Q_OBJECT
public:
    explicit ImportDelimitedFile(FileSet &files, QWidget *parent = nullptr);
    ~ImportDelimitedFile() override;
    // Asks for the file and reads its first lines; false when the window is not to open.
    bool start();
    void accept() override;
    void done(int result) override;

    QTreeWidget *columnList() const { return columnList_; }
    QTreeWidget *targetList() const { return targetList_; }
    QPushButton *button(const QString &name) const;
    QCheckBox *stripHeader() const { return strip_; }

private:
    void fillColumns();
    void fillTargets();
    void nextLine();
    void changePicture();
    void assign();
    void automatic();
    void unassign();
    void importOver();

    FileSet &files_;
    DelimitedLines lines_;
    std::vector<ImportColumn> columns_;
    std::map<QString, int> assigned_;
    int shown_ = 1;
    QStackedWidget *pages_;
    QTreeWidget *columnList_, *targetList_;
    QLabel *record_;
    QCheckBox *strip_;
    ProgressPage *progress_;
    std::unique_ptr<SongImport> import_;
};

class ExportDelimited : public QDialog
{
    Q_OBJECT
public:
    ExportDelimited(FileSet &files, ExportKind kind, QWidget *parent = nullptr);
    bool start() { return true; }
    void accept() override;
    void done(int result) override;

    QListWidget *allFields() const { return all_; }
    QListWidget *exportFields() const { return chosen_; }
    QPushButton *button(const QString &name) const;
    QCheckBox *header() const { return header_; }

private:
    void add();
    void remove();
    void shift(int by);
    void changePicture();
    void showKind();
    void exportOver(bool cancelled);

    FileSet &files_;
    ExportKind kind_;
    std::vector<ExportField> picked_;
    QStackedWidget *pages_;
    QListWidget *all_, *chosen_;
    QLabel *kind_text_;
    QCheckBox *header_;
    ProgressPage *progress_;
    std::unique_ptr<DelimitedExport> export_;
    QString path_;
};

class ExportSongsDelimited : public ExportDelimited
{
    Q_OBJECT
public:
    explicit ExportSongsDelimited(FileSet &files, QWidget *parent = nullptr)
        : ExportDelimited(files, ExportKind::Songs, parent)
    {
    }
};

class ExportAlbumsDelimited : public ExportDelimited
{
    Q_OBJECT
public:
    explicit ExportAlbumsDelimited(FileSet &files, QWidget *parent = nullptr)
        : ExportDelimited(files, ExportKind::Albums, parent)
    {
    }
};

// Installs "ImportDelimitedFile", "ExportSongsDelimited" and "ExportAlbumsDelimited".
void registerExchangeWindows();

} // namespace crx
