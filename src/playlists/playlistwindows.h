// The playlist windows: the list "Playlists" (BrowsePlayLists), the playlist
// form with its entries (UpdatePlaylist), the entry form
// (UpdatePlaylistDetails) and "Generate Play List" (GeneratePlaylist).
#pragma once

#include "browsewindow.h"
#include "formwindow.h"
#include "playlistentries.h"

#include <QTreeWidget>

class QComboBox;
class QLabel;
class QTabWidget;

namespace crx {

class NumberSpin;

// The entries of the playlist form: songs dropped from the song lists (their drag format)
// are taken; Insert, Delete and Enter ask for the entry form.
class PlaylistEntryList : public QTreeWidget
{
    Q_OBJECT
public:
    explicit PlaylistEntryList(QWidget *parent = nullptr);

Q_SIGNALS:
    void dropped(qint64 song);
    void insertPressed();
    void deletePressed();
    void changePressed();

protected:
    QStringList mimeTypes() const override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};

class UpdatePlaylist : public FormWindow
{
    Q_OBJECT
public:
    explicit UpdatePlaylist(FileSet &files, QWidget *parent = nullptr);

    bool prepare() override;
    PlaylistEntryList *entryList() const { return entries_; }
    QTabWidget *sheet() const { return sheet_; }
    QString totalTimeText() const;

    void addEntry();
    void changeEntry();
    void deleteEntry();
    void moveEntry(Move mode);
    void updateChart();
    void dropSong(qint64 song);

protected:
    void beforeValidation() override;
    void givingUp() override;

private:
    qint64 playlist();
    // Reads the entries again, highlighting the one numbered seq (or the row highlighted).
    void showEntries(int seq = -1);
    int highlightedSeq() const;
    // Opens the entry form on the entry in the buffer; true when it was left with Ok.
    bool callEntryForm(Request request);
    void swapFailed(const SwapFailure &failure);

    FileSet &files_;
    QTabWidget *sheet_;
    PlaylistEntryList *entries_;
    QLabel *total_, *lastEdit_;
    std::vector<PlaylistEntry> shown_;
    bool opened_ = false;
};

class UpdatePlaylistDetails : public FormWindow
{
    Q_OBJECT
public:
    explicit UpdatePlaylistDetails(FileSet &files, QWidget *parent = nullptr);
    bool prepare() override;
    void selectSong();

private:
    void showSong();

    FileSet &files_;
    QLineEdit *artist_, *title_;
};

class BrowsePlayLists : public BrowseWindow
{
    Q_OBJECT
public:
    explicit BrowsePlayLists(FileSet &files, QWidget *parent = nullptr);
    void generate();
};

class GeneratePlaylistWindow : public QDialog
{
    Q_OBJECT
public:
    explicit GeneratePlaylistWindow(FileSet &files, QWidget *parent = nullptr);
    // The playlist made by the last Ok, or 0.
    qint64 generated() const { return generated_; }

protected:
    void accept() override;
    void done(int result) override;

private:
    // The category typed, as its id (0 for all); false when the name is not a category's.
    bool takeCategory(qint64 &id);

    FileSet &files_;
    NumberSpin *size_;
    QLineEdit *from_, *to_;
    QComboBox *category_, *weighting_;
    qint64 generated_ = 0;
};

// Registers the launcher of "&Play Lists".
void registerPlaylistWindows();

} // namespace crx
