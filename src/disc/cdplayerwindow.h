// "CD Player" (IntegratedCDPlayer): plays the disc in the drive, follows its
// track and times with a poll on the window's timer, lists the songs of the
// disc's album and offers to add a disc the catalogue does not have. Its
// preferences window "CD Player Preferences" (CDSetup) sets how often it polls.
#pragma once

#include "cdplayer.h"
#include "resizing.h"

#include <QDialog>
#include <QTimer>

class QButtonGroup;
class QLabel;
class QProgressBar;
class QPushButton;

namespace crx {

class FileSet;
class TrackList;

class IntegratedCDPlayer : public QDialog
{
    Q_OBJECT
public:
    explicit IntegratedCDPlayer(FileSet &files, QWidget *parent = nullptr);
    ~IntegratedCDPlayer() override;

    // Opens the files and the device and starts polling; false when the device cannot be had
    // (the message was shown).
    bool start();

    const CdPlayer &player() const { return player_; }
    TrackList *trackList() const { return tracks_; }
    QProgressBar *progressBar() const { return bar_; }
    // A poll now, as the timer's.
    void pollNow();

protected:
    void done(int result) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void tick();
    // Runs a command and shows at once what it changed, when the player polls.
    void command(void (CdPlayer::*run)());
    void showState();
    void showAlbum();
    void offerToAdd();
    void editSong();
    void editAlbum();
    void setUp();

    FileSet &files_;
    CdPlayer player_;
    QTimer timer_;
    ControlLayout layout_;
    bool using_ = false;
    bool calling_ = false; // a window it called is open: no polls meanwhile
    TrackList *tracks_;
    QLabel *track_, *trackPosition_, *discPosition_, *trackCount_, *trackLength_, *discLength_;
    QLabel *mode_, *deviceState_, *phase_, *performance_;
    QProgressBar *bar_;
};

class CDSetup : public QDialog
{
    Q_OBJECT
public:
    CDSetup(const QString &directory, QWidget *parent = nullptr);
    int chosen() const;

protected:
    void accept() override;
    void reject() override;
    void done(int result) override;

private:
    QString directory_;
    QButtonGroup *choices_;
};

// Registers the launcher of "&CD Player" and "Play CD".
void registerCdPlayer();

} // namespace crx
