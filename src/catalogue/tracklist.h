// The track list of an album form: the album's songs in running order (side,
// then track number), with the columns Track, Artist, Title, Time, Media,
// File Number, Release Date, BPM and In/Out. Rows can be dragged out and
// songs dropped in (drag identifier "Songs"); typing a side number jumps to
// that side.
#pragma once

#include <QByteArray>
#include <QTreeWidget>

class QDropEvent;
class QMimeData;
#include <vector>

namespace crx {

class FileSet;

class TrackList : public QTreeWidget
{
    Q_OBJECT
public:
    // The drag format of songs: what lists with the drag identifier "Songs" carry (song identifiers).
    static QString dragFormat();
    // Takes a drag or drop that carries songs and refuses any other; true when it takes it.
    static bool acceptSongs(QDropEvent &event);
    // The song identifiers a drop of songs carries.
    static std::vector<qint64> droppedSongs(const QMimeData &data);

    // The album lists show the song's category after the other columns (and keep their format
    // under a control name of their own). The CD player shows Track, Time, Title, Artist and
    // Release, and takes no drops.
    enum class Columns { Tracks, WithCategory, Player };
    TrackList(FileSet &files, QWidget *parent = nullptr, Columns columns = Columns::Tracks);

    // The list shows the songs of the album; of one side only when side is not -1.
    void setAlbum(qint64 album, int side = -1);
    // Reads the songs again, highlighting the song with identifier highlight (or the row
    // that was highlighted).
    void refresh(qint64 highlight = -1);

    struct Song {
        QByteArray position;
        qint64 id;
        int side;
        int track;
    };
    const std::vector<Song> &songs() const { return songs_; }
    // The highlighted song, or none.
    const Song *highlighted() const;
    // Reads the highlighted song into the song file's buffer; false when there is none.
    bool readHighlighted();
    // Highlights the first song with this track number, when there is one.
    void highlightTrack(int track);

    // The column format: restored from the position file's section (or the design when the
    // design changed), and saved there.
    void restoreFormat(const QString &positionsFile, const QString &section, const QString &dateFormat);
    void saveFormat(const QString &positionsFile, const QString &section) const;

Q_SIGNALS:
    void dropped(qint64 songId);
    void insertPressed();
    void deletePressed();
    void changePressed();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    QMimeData *mimeData(const QList<QTreeWidgetItem *> &items) const override;
    QStringList mimeTypes() const override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void showColumns();
    QString listControl() const;

    FileSet &files_;
    qint64 album_ = 0;
    int side_ = -1;
    std::vector<Song> songs_;
    Columns columns_;
    QString designed_;
    QString format_; // as designed or as the person left it, with its own date pictures
    QString dateFormat_;
    QStringList pictures_;
};

} // namespace crx
