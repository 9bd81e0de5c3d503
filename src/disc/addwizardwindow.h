// The add wizard's windows: AddSingleArtist ("Add Album by Single Artist")
// and AddCompilation ("Add Compilation"). An insert form on the song file
// whose record carries the album's values; its tracks are rows of the
// scratch file AddWizard under the wizard's instance number until OK makes
// them an album and its songs (addwizard.h).
#pragma once

#include "addwizard.h"
#include "formwindow.h"

class QCheckBox;
class QComboBox;
class QTabWidget;
class QTreeWidget;

namespace crx {

class AddWizardWindow : public FormWindow
{
    Q_OBJECT
public:
    AddWizardWindow(FileSet &files, bool compilation, QWidget *parent = nullptr);
    ~AddWizardWindow() override;

    bool prepare() override;
    qint64 instance() const { return instance_.number(); }
    QTabWidget *sheet() const { return sheet_; }
    QTreeWidget *rowList() const { return rows_; }
    QWidget *control(const QString &name) const { return findChild<QWidget *>(name); }

    void addTrack();
    void changeTrack();
    void deleteTrack();
    void moveTrack(Move mode);
    void readCompactDisc();
    void editAllTracks();

protected:
    void accept() override;
    void done(int result) override;

private:
    void buildGeneral(QWidget *page);
    void buildSongs(QWidget *page);
    void showRows(int highlightTrack = -1);
    // The highlighted row's track number, or -1.
    int highlightedTrack() const;
    // Opens the track form on the row in the scratch file's buffer; true when left with Ok.
    bool callTrackForm(Request request);
    bool takeMedia(bool check);

    FileSet &files_;
    bool compilation_;
    WizardInstance instance_;
    QTabWidget *sheet_;
    QComboBox *media_, *category_;
    QTreeWidget *rows_;
    QCheckBox *addToAlbums_;
    QString discSignature_;
    bool opened_ = false;
};

class AddSingleArtist : public AddWizardWindow
{
    Q_OBJECT
public:
    explicit AddSingleArtist(FileSet &files, QWidget *parent = nullptr) : AddWizardWindow(files, false, parent) {}
};

class AddCompilation : public AddWizardWindow
{
    Q_OBJECT
public:
    explicit AddCompilation(FileSet &files, QWidget *parent = nullptr) : AddWizardWindow(files, true, parent) {}
};

// Registers the launchers of F4 and F6 and the wizard the song form and the album explorer call.
void registerDiscWindows();

} // namespace crx
