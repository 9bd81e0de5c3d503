// The label windows: the label list "Browse Labels" (BrowseLabels), the
// label form on six tabs (UpdateLabels), and the favourite fonts: the list
// "Favorite Fonts" (SelectFont) and its two forms (UpdateFonts,
// UpdateFontFreeform).
#pragma once

#include "browsewindow.h"
#include "favouritefonts.h"
#include "formwindow.h"

#include <QFont>
#include <vector>

class QGroupBox;
class QLabel;
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

class UpdateLabels : public FormWindow
{
    Q_OBJECT
public:
    explicit UpdateLabels(FileSet &files, QWidget *parent = nullptr);
    bool prepare() override;
    QTabWidget *sheet() const { return sheet_; }
    // Shows the elements of the label's type and the picture's group as the record stands.
    void showType();

private:
    // A "Select Font" button for the element's font field, and the controls drawn in its font.
    void addFontButton(QWidget *page, QRect place, const char *field, QList<QWidget *> drawn,
                       QLabel *description = nullptr);
    QGroupBox *addOption(QWidget *page, const QString &title, const char *field, const QStringList &choices,
                         QRect place);
    void showFonts();
    void sizeChosen();
    void selectFile();

    struct FontElement {
        const char *field;
        QList<QWidget *> drawn;
        QLabel *description;
    };
    FileSet &files_;
    QTabWidget *sheet_;
    std::vector<FontElement> fonts_;
    QList<QWidget *> cdOnly_, cassetteOnly_;
    QGroupBox *imageGroup_;
    QWidget *width_, *height_, *widthPrompt_, *heightPrompt_;
    QLineEdit *image_;
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
