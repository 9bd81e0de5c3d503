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
    std::unique_ptr<QMenu> trackMenu();

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

protected:
    void done(int result) override;

private:
    void buildGeneral(QWidget *page);
    void buildSongs(QWidget *page);
    void buildFiles(QWidget *page);
    void buildDisc(QWidget *page);
    void buildOther(QWidget *page);
    // Calls the song form on the song in the song file's buffer; returns its response.
    Response callSongForm(Request request);
    void enableSongButtons();
    void showImage();
    qint64 albumId();

    FileSet &files_;
    QTabWidget *sheet_;
    QLineEdit *artist_, *album_, *image_;
    QComboBox *media_, *category_;
    NumberSpin *side_;
    TrackList *tracks_;
    QLabel *picture_;
    SoundFileButtons *soundButtons_;
    QList<QPushButton *> rowButtons_; // Copy, Change, Delete: only with songs
};

} // namespace crx
