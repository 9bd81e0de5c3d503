// The window of a list: the page in a list box with the columns of its
// format, a scroll bar of its own mapped to the step table, the sort orders
// on tabs, Select, Insert, Change, Delete and Close, the popup menu, the keys
// and the locators. Each list of the program is one of these with its file,
// sort orders, format and form.
#pragma once

#include "browsepage.h"
#include "formsession.h"
#include "listformat.h"
#include "locator.h"
#include "picture.h"
#include "placement.h"
#include "resizing.h"
#include "view.h"

#include <QDialog>
#include <functional>
#include <map>
#include <memory>

class QLineEdit;
class QMenu;
class QPushButton;
class QScrollBar;
class QTabBar;
class QTreeWidget;

namespace crx {

class FileSet;
class FormWindow;

enum class LocatorKind { None, Step, Incremental };

struct SortOrder {
    QString tab;
    QString key;
    LocatorKind locator = LocatorKind::None;
    Alphabet alphabet = Alphabet::Letters;
    QString filter;      // over field names and the names the list binds
    QStringList range;   // bound names whose values the key's leading fields must equal
};

// The texts of a list's buttons and popup, where a list words them its own way.
struct ListTexts {
    QString insert = QStringLiteral("&Insert");
    QString change = QStringLiteral("&Change");
    QString remove = QStringLiteral("&Delete");
    QString select = QStringLiteral("&Select");
    QString close = QStringLiteral("Cl&ose");
    bool selectFirstInPopup = false; // "&Select|&Add|..." rather than "&Insert|...|-|&Select"
    bool selectInPopup = true;       // a list that never selects leaves Select out of its popup

    // The texts of a list that adds records and never selects: "&Add", and no Select.
    static ListTexts adding()
    {
        ListTexts texts;
        texts.insert = QStringLiteral("&Add");
        texts.selectInPopup = false;
        return texts;
    }
};

class BrowseWindow : public QDialog
{
    Q_OBJECT
public:
    using FormFactory = std::function<std::unique_ptr<FormWindow>(FileSet &)>;

    // columnFields names the field each column of the format shows; a list without a form only selects.
    BrowseWindow(FileSet &files, FileId file, const QString &name, const QString &title, const QString &format,
                 QStringList columnFields, std::vector<SortOrder> orders, FormFactory form, QWidget *parent = nullptr);
    ~BrowseWindow() override;

    void setTexts(const ListTexts &texts);

    // Select mode: the caller asks for a record; Select is shown and the default.
    void setSelectMode(bool select);
    // The values of the names the sort orders' filters use ("BRW1::Sort4:Reset:CAT:CategoryID").
    void setBindings(std::function<QHash<QString, QVariant>()> bindings) { bindings_ = std::move(bindings); }
    // A "Help" button above Close that opens the list's help page.
    void addHelpButton();
    // A button of the list's own; its action is also offered, after the edits, in the popup
    // menu (enabled as the button is). One that needs a row is enabled only while the list
    // has one; one without an action stays greyed (its feature is not there yet).
    QPushButton *addButton(const QString &text, const QString &name, QRect place, std::function<void()> action,
                           bool needsRow = false);
    // What the popup offers after the edits, instead of the list's own buttons.
    void setPopupTail(std::function<void(QMenu &, bool rows)> tail) { popupTail_ = std::move(tail); }
    // Rows can be dragged out, carrying the field's values (joined by commas) in this format.
    void setDrag(const QString &format, const QString &field);
    // Called with the cleared buffer before an insert request goes to the form.
    void setBeforeInsert(std::function<void(Record &)> fill) { beforeInsert_ = std::move(fill); }
    // The column format is kept under this control name in the position file ("?Browse").
    void setListControl(const QString &control) { listControl_ = control; }
    // Another file the list reads for its rows (a joined category); kept open while the list is.
    void alsoUses(FileId file) { alsoUses_.push_back(file); }
    // Explorer style: no tabs; a click on a column header orders the list on that column
    // (marked ">" rising, "<" falling), the header's popup goes back to the key order, the shown
    // columns always fill the list, and the format is kept under the explorer keys.
    void setExplorerStyle();
    void headerClicked(int column);
    std::unique_ptr<QMenu> headerMenu();
    // The column the list is ordered on by its header (-1: the key order), and which way.
    int sortColumn() const { return sortColumn_; }
    bool sortedDescending() const { return descending_; }
    // A field below the list that shows the locator's text as it is typed.
    void addLocatorField(const QString &prompt, QRect promptPlace, QRect place);
    // The list box with its scroll bar filling this place, the tabs below it (when the list has
    // them) and the locator field with its prompt below those.
    void placeList(QRect place, const QString &locatorPrompt);
    // A column whose text the list works out from the row's record (a joined name, two values).
    void setColumnText(int column, std::function<QString(const Record &)> text);
    // The tab the list opens on is kept under this key of the preferences ("SongTab").
    void setLastTabKey(const QString &key) { lastTabKey_ = key; }
    // Reads the highlighted record back into the file's buffer; false when there is none.
    bool readHighlighted();
    // The seven moves on a toolbar of their own, standing in this place (upright when it is
    // taller than wide).
    void addNavigationToolbar(QRect place);
    // The title shows the file's record count between these texts.
    void setCountTitle(const QString &before, const QString &after);
    // The title made from the file's record count.
    void setCountTitle(std::function<QString(qint64 records)> title) { countTitle_ = std::move(title); }
    // A filter's reset value changed, or a refresh is wanted: reopen and refill from the current record.
    void refresh();
    // A filter's value changed: reopen and fill from the first row.
    void refill();
    // A list move: what the navigation buttons and the forms with navigation buttons ask for.
    bool move(Navigation where);
    // Opens the list and fills its first page; false when the list cannot show (a read failed).
    bool start();
    Response response() const { return response_; }

    BrowsePage &page() { return *page_; }
    QTreeWidget *listBox() const;
    QScrollBar *scrollBar() const { return scroll_; }
    QPushButton *button(const QString &name) const;
    QTabBar *tabs() const { return tabs_; }
    QLineEdit *locatorField() const { return locatorField_; }

    // The right-click menu as it stands for the current page.
    std::unique_ptr<QMenu> popupMenu();

    void insertRecord();
    void copyRecord();
    void changeRecord();
    void deleteRecord();
    void selectRecord();

Q_SIGNALS:
    // The highlighted row changed (or the list was refilled).
    void highlightChanged();

protected:
    FileSet &files() { return files_; }
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void done(int result) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void openView();
    void releaseFiles();
    void redisplay();
    void fitColumns();
    void markHeader(int column, const QString &mark);
    void keyOrder();
    void recount();
    void failed();
    void callForm(Request request);
    void popup(const QPoint &at);
    void wheel(int delta);
    int rowsThatFit();

    FileSet &files_;
    FileId id_;
    DataFile &file_;
    QString format_;        // as designed
    QString currentFormat_; // as the list shows it: the person's own, when saved
    std::vector<ListColumn> columns_;
    QStringList columnFields_;
    struct Cell {
        int field; // -1: a name the file does not have
        Picture picture;
    };
    std::vector<Cell> cells_; // the field and picture of each column shown
    ControlLayout layout_;
    std::vector<SortOrder> orders_;
    FormFactory makeForm_;
    std::function<QHash<QString, QVariant>()> bindings_;
    // The count is taken when records may have changed, not at every redisplay.
    std::function<QString(qint64)> countTitle_;
    std::map<int, std::function<QString(const Record &)>> columnTexts_;
    struct OwnButton {
        QPushButton *button;
        bool needsRow;
        bool live;
    };
    std::vector<OwnButton> ownButtons_;
    std::function<void(QMenu &, bool)> popupTail_;
    std::function<void(Record &)> beforeInsert_;
    QString lastTabKey_;
    QString listControl_ = QStringLiteral("?Browse:1");
    QLineEdit *locatorField_ = nullptr;
    std::vector<FileId> alsoUses_;
    bool explorer_ = false;
    ListFormatKeys formatKeys_;
    int sortColumn_ = -1;
    bool descending_ = false;
    std::unique_ptr<View> view_;
    std::unique_ptr<BrowsePage> page_;
    IncrementalLocator locator_;
    class ListBox;
    ListBox *list_;
    QScrollBar *scroll_;
    QTabBar *tabs_;
    QPushButton *select_, *insert_, *change_, *delete_, *close_;
    ListTexts texts_;
    bool selectMode_ = false;
    bool using_ = false;
    bool filling_ = false;
    int rowHeight_ = 0, headerHeight_ = 0; // measured when first needed
    int wheelDelta_ = 0; // of the wheel turned, what has not moved the list yet
    Response response_ = Response::Cancelled;
};

// Opens a list of this kind in select mode, modally; true when a record was selected (it is
// then in the file's buffer).
template <typename List>
bool selectFrom(FileSet &files, QWidget *parent = nullptr)
{
    List list(files, parent);
    list.setSelectMode(true);
    if (!list.start())
        return false;
    list.exec();
    return list.response() == Response::Completed;
}

} // namespace crx
