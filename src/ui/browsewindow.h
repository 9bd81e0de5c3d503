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
#include "resizing.h"
#include "view.h"

#include <QDialog>
#include <functional>
#include <memory>

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
    // The seven moves on a toolbar of their own.
    void addNavigationToolbar();
    // The title shows the file's record count between these texts.
    void setCountTitle(const QString &before, const QString &after);
    // A filter's reset value changed, or a refresh is wanted: reopen and refill from the current record.
    void refresh();
    // A list move: what the navigation buttons and the forms with navigation buttons ask for.
    bool move(Navigation where);
    // Opens the list and fills its first page; false when the list cannot show (a read failed).
    bool start();
    Response response() const { return response_; }

    BrowsePage &page() { return *page_; }
    QTreeWidget *listBox() const { return list_; }
    QScrollBar *scrollBar() const { return scroll_; }
    QPushButton *button(const QString &name) const;
    QTabBar *tabs() const { return tabs_; }

    // The right-click menu as it stands for the current page.
    std::unique_ptr<QMenu> popupMenu();

    void insertRecord();
    void changeRecord();
    void deleteRecord();
    void selectRecord();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void done(int result) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void openView();
    void redisplay();
    void recount();
    void failed();
    void callForm(Request request);
    void popup(const QPoint &at);
    int rowsThatFit() const;

    FileSet &files_;
    FileId id_;
    DataFile &file_;
    QString format_;        // as designed
    QString currentFormat_; // as the list shows it: the person's own, when saved
    std::vector<ListColumn> columns_;
    QStringList columnFields_;
    ControlLayout layout_;
    std::vector<SortOrder> orders_;
    FormFactory makeForm_;
    std::function<QHash<QString, QVariant>()> bindings_;
    QString countBefore_, countAfter_; // the count is taken when records may have changed, not at every redisplay
    std::unique_ptr<View> view_;
    std::unique_ptr<BrowsePage> page_;
    IncrementalLocator locator_;
    QTreeWidget *list_;
    QScrollBar *scroll_;
    QTabBar *tabs_;
    QPushButton *select_, *insert_, *change_, *delete_, *close_;
    ListTexts texts_;
    bool selectMode_ = false;
    bool using_ = false;
    bool filling_ = false;
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
