// The small help windows: the tip of the day ("Cantorix Pro Tip of the
// Day..."), the about box and "Compile Information".
#pragma once

#include "browsewindow.h"
#include "formwindow.h"
#include "tipoftheday.h"

#include <QDialog>

class QCheckBox;
class QLabel;

namespace crx {

class FileSet;

class UpdateCRXTips : public QDialog
{
    Q_OBJECT
public:
    explicit UpdateCRXTips(FileSet &files, QWidget *parent = nullptr);
    // Shows the tip after the one shown last; false when there is none (the window does not open).
    bool start();
    QLabel *tipText() const { return text_; }
    void done(int result) override;

private:
    void show();

    FileSet &files_;
    TipOfTheDay tips_;
    QLabel *text_;
    QCheckBox *showAtStart_;
};

class CompileInformation : public QDialog
{
    Q_OBJECT
public:
    explicit CompileInformation(const QString &directory, QWidget *parent = nullptr);
    void done(int result) override;

private:
    QString directory_;
};

class About : public QDialog
{
    Q_OBJECT
public:
    explicit About(FileSet &files, QWidget *parent = nullptr);
    bool start() { return true; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    FileSet &files_;
    QLabel *logo_;
};

// A tip as the tip maintenance list adds, changes or deletes it; Ctrl+' fills the text from the
// tip last saved here.
class UpdateTip : public FormWindow
{
    Q_OBJECT
public:
    explicit UpdateTip(FileSet &files, QWidget *parent = nullptr);
};

// "Tips": the tips in their order, to write them.
class BrowseCRXTips : public BrowseWindow
{
    Q_OBJECT
public:
    explicit BrowseCRXTips(FileSet &files, QWidget *parent = nullptr);
};

// Installs "UpdateCRXTips", "BrowseCRXTips" and "About".
void registerHelpWindows();

} // namespace crx
