// "Update Album": the form of one album with its track list, on the form
// engine. Tabs General, Songs, Notes, Associated Files, Compact Disc and
// Other. The songs are added, copied, changed and deleted through the song
// form, moved in the running order, edited one after another, given the
// album's data (Cascade) and re-assigned by file number; the song passes are
// in albumsongs.h.
#pragma once

#include "formwindow.h"

class QComboBox;
class QLabel;
class QMenu;
class QTabWidget;

namespace crx {

class NumberSpin;
class SoundFileButtons;
class TrackList;
enum class Move;

class UpdateAlbum : public FormWindow
{
    Q_OBJECT
public:
    explicit UpdateAlbum(FileSet &files, QWidget *parent = nullptr);
    ~UpdateAlbum() override;

    bool prepare() override;

    QTabWidget *sheet() const { return sheet_; }
    TrackList *trackList() const { return tracks_; }
    QWidget *control(const QString &name) const;
    // The track list's right-click menu as it stands.
    virtual std::unique_ptr<QMenu> trackMenu();

    void addSong();
    void copySong();
    void changeSong();
    void deleteSong();
    void editAllSongs();
    void moveSong(Move mode);
    void cascade();
    void reassignSongs();
    void swapArtistsAndTitles();
    void replaceText();
    // "Read CD Information": reads the disc in the drive into the album and its songs.
    void readCompactDisc();
    // "Read" on the Compact Disc tab: the disc signature only, and whether it changed.
    void readDiscIdentifier();
    // The CDDB button: the disc read and looked up through DiscTalk, its titles into the album.
    void lookUpCddb();

protected:
    // The variants: a window of this name and title with an empty sheet of the given size.
    UpdateAlbum(FileSet &files, const QString &name, Titles titles, QSize size, QRect sheet, QWidget *parent);
    void done(int result) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

    // The album's fields; with required, Artist and Album are marked and may not stay blank.
    void buildGeneral(QWidget *page, bool required = false);
    // The track list with its buttons; a wizard's have "Edit" for Change and no Cascade or Re-assign.
    void buildSongs(QWidget *page, bool wizard = false);
    // The Side/Disc field (the side songs are added to).
    void addSideField(QWidget *page, QRect prompt, QRect place);
    // The track list shows only the songs of the current side.
    void setSideOnly(bool sideOnly) { sideOnly_ = sideOnly; }
    void showSongs();
    qint64 albumId();
    FileSet &files() { return files_; }
    QLineEdit *artistEntry() const { return artist_; }
    QLineEdit *albumEntry() const { return album_; }
    QComboBox *mediaList() const { return media_; }
    NumberSpin *sideField() const { return side_; }

private:
    void buildLists(QWidget *page);
    void buildFiles(QWidget *page);
    void buildDisc(QWidget *page);
    void buildOther(QWidget *page);
    // Calls the song form on the song in the song file's buffer; returns its response.
    Response callSongForm(Request request);
    void enableSongButtons();
    void showImage();

    FileSet &files_;
    QTabWidget *sheet_;
    QLineEdit *artist_, *album_, *image_ = nullptr;
    QComboBox *media_, *category_;
    NumberSpin *side_ = nullptr;
    TrackList *tracks_;
    QLabel *picture_ = nullptr;
    QLineEdit *discId_ = nullptr;
    SoundFileButtons *soundButtons_ = nullptr;
    bool sideOnly_ = false;
    QList<QPushButton *> rowButtons_; // Copy, Change, Delete: only with songs
};

} // namespace crx
