// The album forms that add albums: the album wizard, the CDDB wizard and
// the compilations-from-clipboard form. They share the album form's logic
// (numbering, completion, the track list of the current side and its
// operations) and always start a new album. Cancel gives up the album being
// added with its songs. The CDDB wizard and the compilations form go on with
// a new album after each one is written.
#pragma once

#include "albumform.h"

#include "record.h"

class QLabel;
class QRadioButton;

namespace crx {

class AlbumAdder : public UpdateAlbum
{
    Q_OBJECT
public:
    bool prepare() override;
    // Completed when at least one album was written; the last one is then the current album.
    Response call() override;

    int step() const;
    QPushButton *nextButton() const { return next_; }
    QPushButton *backButton() const { return back_; }
    QPushButton *finishButton() const { return finish_; }
    int albumsWritten() const { return written_; }

protected:
    AlbumAdder(FileSet &files, const QString &name, const QString &title, QSize size, QWidget *parent);
    // A step of a wizard: a page of the sheet.
    QWidget *addStep(const QString &title);
    void showStep(int step);
    // The starting values of a new album (the identifiers are cleared already).
    virtual void startValues(Record &album) = 0;
    // Next is pressed on step.
    virtual void leaving(int) {}
    // After an album is written: true to go on with a new one in the same window.
    virtual bool goesOn() const = 0;
    // Whether an empty category file gets the five default categories on opening.
    virtual bool fillsCategories() const { return true; }
    // The new album has been started.
    virtual void restarted() {}
    void completed() override;
    bool holdsChanges() override;
    void givingUp() override;

private:
    void showStepButtons();
    QPushButton *next_, *back_, *finish_;
    int written_ = 0;
    Record lastWritten_;
};

class AlbumWizard : public AlbumAdder
{
    Q_OBJECT
public:
    explicit AlbumWizard(FileSet &files, QWidget *parent = nullptr);
    QRadioButton *option(const QString &text) const;

protected:
    void startValues(Record &album) override;
    void leaving(int step) override;
    bool goesOn() const override { return false; }

private:
    void nextSide();
    // The album's media says CD (in any letter case).
    bool isCompactDisc() const;
    QList<QRadioButton *> options_;
};

class CDDBWizard : public AlbumAdder
{
    Q_OBJECT
public:
    explicit CDDBWizard(FileSet &files, QWidget *parent = nullptr);
    // Opened from the CD player's new-disc offer, it takes its first Next (the look-up) at once.
    bool prepare() override;
    std::unique_ptr<QMenu> trackMenu() override;

protected:
    void startValues(Record &album) override;
    void leaving(int step) override;
    bool goesOn() const override { return true; }
    void restarted() override;

private:
    QLabel *firstLine_;
};

class MultiCompilationWizard : public AlbumAdder
{
    Q_OBJECT
public:
    explicit MultiCompilationWizard(FileSet &files, QWidget *parent = nullptr);
    bool prepare() override;
    std::unique_ptr<QMenu> trackMenu() override;

protected:
    void startValues(Record &album) override;
    bool goesOn() const override { return true; }
    bool fillsCategories() const override { return false; }
    void restarted() override;
};

} // namespace crx
