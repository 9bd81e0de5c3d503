// "Update the Cantorix Database": the form of one song, on the form engine.
// Six tabs (General, DJ, Recording/Performance, Custom, Notes, Associated
// Files) and a row below them with the side and track, "Default with Album
// Information", OK and Cancel. The rules of song entry are in songentry.h.
#pragma once

#include "formwindow.h"

#include <functional>
#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QRadioButton;
class QTabWidget;

namespace crx {

class NumberSpin;
class SoundFileButtons;

class UpdateSong : public FormWindow
{
    Q_OBJECT
public:
    explicit UpdateSong(FileSet &files, QWidget *parent = nullptr);
    ~UpdateSong() override;

    bool prepare() override;

    QTabWidget *sheet() const { return sheet_; }
    QWidget *control(const QString &name) const;

protected:
    void beforeValidation() override;
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildGeneral(QWidget *page);
    void buildDj(QWidget *page);
    void buildRecording(QWidget *page);
    void buildCustom(QWidget *page);
    void buildNotes(QWidget *page);
    void buildFiles(QWidget *page);

    void fillLists();
    void showCategoryName();
    bool takeCategory(bool check);
    bool takeTime(bool check);
    void showSideAndTrack();
    void defaultWithAlbum();

    FileSet &files_;
    QTabWidget *sheet_;
    QLineEdit *artist_, *title_, *album_, *time_, *udk_, *wavFile_;
    QLabel *udkPrompt_;
    QComboBox *media_, *category_;
    QLabel *sideAndTrack_;
    QPushButton *withAlbum_;
    SoundFileButtons *soundButtons_;
    std::optional<Record> copied_;
    bool ready_ = false; // the lists are filled and the record is shown
};

// Opens the song form with a change request for each song at these positions in turn (the
// album's songs in running order), with the album's defaults, going on only while the form is
// left with OK and the song still belongs to the album.
void editSongsInTurn(FileSet &files, const Record &album, const std::vector<QByteArray> &songs, QWidget *parent);

} // namespace crx
