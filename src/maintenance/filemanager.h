// "File Manager": the catalogue's keyed files in a list, and one storage
// action at a time on the tagged ones (or, with none tagged, the highlighted
// one): Build (the keys), Pack, Release, Fix (the structure example and
// crxfix) and Info (the record count and the disk name).
#pragma once

#include "schema.h"

#include <QDialog>

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

namespace crx {

class DataFile;
class FileSet;

class FileManager : public QDialog
{
    Q_OBJECT
public:
    enum Column { Tick, Database, Records, File };

    explicit FileManager(FileSet &files, QWidget *parent = nullptr);
    bool start() { return true; }
    QTreeWidget *list() const { return list_; }
    void done(int result) override;

    void tagAll(bool tagged);
    void build();
    void pack();
    void release();
    void fix();
    void info();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using Action = std::function<bool(QTreeWidgetItem &entry, FileId id)>;
    void run(const Action &action);
    void toggle(QTreeWidgetItem *entry);
    // Opens the file alone for an action that needs it to itself; false after the error box.
    bool openAlone(QTreeWidgetItem &entry, FileId id, DataFile &file);
    void showCount(QTreeWidgetItem &entry, DataFile &file);
    // Runs the work on each file opened alone, saying so when it fails.
    void alone(const std::function<int(DataFile &file)> &work, const QString &failure);

    FileSet &files_;
    QTreeWidget *list_;
    QLabel *current_, *left_;
    QWidget *progress_;
};

} // namespace crx
