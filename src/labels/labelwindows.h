// The label windows: the label list "Browse Labels" (BrowseLabels), the
// label form on six tabs (UpdateLabels), and the favourite fonts: the list
// "Favorite Fonts" (SelectFont) and its two forms (UpdateFonts,
// UpdateFontFreeform).
#pragma once

#include "browsewindow.h"
#include "favouritefonts.h"
#include "formwindow.h"
#include "labelcomposer.h"

#include <QFont>
#include <vector>

class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QTabWidget;

namespace crx {

// How a favourite font is drawn: its face (one Linux lacks, such as Arial or MS Sans Serif,
// drawn in its metric-compatible Liberation face), size and style.
QFont drawnFont(const FavouriteFont &font, const QFont &otherwise);

class SelectFont : public BrowseWindow
{
    Q_OBJECT
public:
    explicit SelectFont(FileSet &files, QWidget *parent = nullptr);
};

// Opens "Favorite Fonts" to choose one for a label element; true with its id when one was chosen.
bool chooseFavouriteFont(FileSet &files, QWidget *parent, qint64 &id);

class UpdateFonts : public FormWindow
{
    Q_OBJECT
public:
    explicit UpdateFonts(FileSet &files, QWidget *parent = nullptr);
    // Insert and change go straight to "Choose Font": confirming completes the form,
    // cancelling cancels it; the form itself shows only when the font is refused.
    Response call() override;
};

class UpdateFontFreeform : public FormWindow
{
    Q_OBJECT
public:
    explicit UpdateFontFreeform(FileSet &files, QWidget *parent = nullptr);
};

// What the label form and the label wizard share: the insert priming, the option groups, the
// "Select Font" buttons with the font feedback, the elements of the label's type and
// "Select File".
class LabelForm : public FormWindow
{
    Q_OBJECT
public:
    // Shows the elements of the label's type as the record stands.
    virtual void showType();

protected:
    LabelForm(FileSet &files, const QString &name, Titles titles, QSize size, QWidget *parent);
    // A "Select Font" button for the element's font field, and the controls drawn in its font.
    void addFontButton(QWidget *page, QRect place, const char *field, QList<QWidget *> drawn,
                       QLabel *description = nullptr);
    QGroupBox *addOption(QWidget *page, const QString &title, const char *field, const QStringList &choices,
                         QRect place);
    // The label type option, showing the type's elements when a radio is chosen.
    void addTypeOption(QWidget *page, QRect place);
    // A page's text with its font button and the font's description.
    QPlainTextEdit *addText(QWidget *page, const char *memo, const char *font, QRect place);
    // The general fields: description, the CD's spine, title and picture, the cassette's title and flap.
    void addGeneralFields(QWidget *page, int top);
    void showFonts();
    void selectFile();
    bool isCd();
    // Priming at open: a picture position still at none (or at the one given) becomes this.
    void primePosition(qint64 fromX, qint64 toX, qint64 fromY, qint64 toY);

    FileSet &files_;
    QLineEdit *image_ = nullptr;
    QList<QWidget *> cdOnly_, cassetteOnly_;

private:
    struct FontElement {
        const char *field;
        QList<QWidget *> drawn;
        QLabel *description;
    };
    std::vector<FontElement> fonts_;
};

class UpdateLabels : public LabelForm
{
    Q_OBJECT
public:
    explicit UpdateLabels(FileSet &files, QWidget *parent = nullptr);
    bool prepare() override;
    QTabWidget *sheet() const { return sheet_; }
    void showType() override;

private:
    void sizeChosen();

    QTabWidget *sheet_;
    QGroupBox *imageGroup_;
    QWidget *width_, *height_, *widthPrompt_, *heightPrompt_;
};

// "Add Label Wizard": a new label filled from an album or from the songs of a file number,
// walked page by page.
class LabelWizard : public LabelForm
{
    Q_OBJECT
public:
    explicit LabelWizard(FileSet &files, QWidget *parent = nullptr);
    bool prepare() override;
    int page() const { return page_; } // 1 to 6
    QPushButton *nextButton() const { return next_; }
    QPushButton *backButton() const { return back_; }

    void selectAlbum();
    void selectFileNumber();

private:
    void showPage(int page);
    void compose(const LabelComposition &composition);

    QTabWidget *sheet_;
    QPushButton *next_, *back_;
    int page_ = 1;
};

class BrowseLabels : public BrowseWindow
{
    Q_OBJECT
public:
    explicit BrowseLabels(FileSet &files, QWidget *parent = nullptr);
};

// Registers the launcher of "&Labels".
void registerLabelWindows();

} // namespace crx
