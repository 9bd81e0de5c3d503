// The housekeeping passes as the frame starts them, each with its progress
// window, and "Delete Albums and Related Songs" in front of the range deletion.
#pragma once

#include <QDialog>

class QLineEdit;

namespace crx {

class FileSet;

class DeleteAlbumsSelection : public QDialog
{
    Q_OBJECT
public:
    explicit DeleteAlbumsSelection(FileSet &files, QWidget *parent = nullptr);
    bool start() { return true; }
    void accept() override;
    void done(int result) override;

private:
    void lookUp(QLineEdit *entry);

    FileSet &files_;
    QLineEdit *starting_, *ending_;
};

// Installs "BuildAlbums", "TestAlbumLinks", "SetSidesToOne", "PadFileNumbers",
// "CalculateAlbumTimes", "ConvertDatesToYears", "DeleteAlbumsSelection" and "FileManager".
void registerMaintenanceWindows();

} // namespace crx
