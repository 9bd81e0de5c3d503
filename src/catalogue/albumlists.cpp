#include "albumlists.h"

#include "albumform.h"
#include "albumwizards.h"
#include "browsecategories.h"
#include "fileset.h"
#include "globals.h"
#include "labelwizardcall.h"
#include "placement.h"
#include "profile.h"
#include "referencelists.h"
#include "settings.h"
#include "songdisplay.h"
#include "songform.h"
#include "tracklist.h"

#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTreeWidget>

namespace crx {

namespace {

const QString ByCategory = QStringLiteral("category"), ByCategoryArtist = QStringLiteral("categoryArtist");
constexpr int CategoryTab = 3, CategoryArtistTab = 4;
constexpr int CategoryColumn = 5;

QString albumFormat(bool categoryColumn)
{
    return QStringLiteral("120L(2)|M~Artist~L(2)@s50@120L(2)|M~Album~L(2)@s50@50L(2)|M~Media~L(2)@s20@"
                          "60L(2)|M~File Number~L(2)@s20@70L(2)|M~Released~L(2)@d2@")
           + (categoryColumn ? QStringLiteral("80L(2)|M~Category~L(2)@s30@") : QString())
           + QStringLiteral("80L(2)|M~XCCD~L(2)@s32@");
}

QStringList albumFields(bool categoryColumn)
{
    QStringList fields = {QStringLiteral("ALB:Artist"), QStringLiteral("ALB:Album"), QStringLiteral("ALB:Media"),
                          QStringLiteral("ALB:FileNumber"), QStringLiteral("ALB:ReleaseDate")};
    if (categoryColumn)
        fields << QStringLiteral("ALB:CategoryID");
    return fields << QStringLiteral("ALB:XCCD");
}

std::vector<SortOrder> albumOrders()
{
    const auto order = [](const char *tab, const char *key, QStringList range = {}) {
        return SortOrder{QString::fromLatin1(tab), QString::fromLatin1(key), LocatorKind::Incremental,
                         Alphabet::LettersDigitsPunctuation, QString(), std::move(range)};
    };
    return {order("Album", "ALB:KeyAlbum"), order("Artist", "ALB:KeyArtist"), order("File #", "ALB:KeyFileNumber"),
            order("Category", "ALB:KeyCategory", {ByCategory}),
            order("Cat/Art", "ALB:KeyCategoryArtist", {ByCategoryArtist})};
}

QRect buttonPlace(int x, int row)
{
    return QRect(x, 10 + row * 30, 100, 25);
}

} // namespace

AlbumList::AlbumList(FileSet &files, const QString &name, const QString &title, bool categoryColumn,
                     FormFactory form, QWidget *parent)
    : BrowseWindow(files, FileId::Album, name, title, albumFormat(categoryColumn), albumFields(categoryColumn),
                   albumOrders(), std::move(form), parent),
      files_(files)
{
    setLastTabKey(QStringLiteral("AlbumTab"));
    setBindings([this] {
        return QHash<QString, QVariant>{{ByCategory, byCategory_}, {ByCategoryArtist, byCategoryArtist_}};
    });
    if (categoryColumn) {
        alsoUses(FileId::Categories);
        setColumnText(CategoryColumn, [this](const Record &album) {
            return categoryName(files_, album.get("ALB:CategoryID").toLongLong());
        });
    }
}

qint64 AlbumList::tabCategory() const
{
    switch (tabs()->currentIndex()) {
    case CategoryTab: return byCategory_;
    case CategoryArtistTab: return byCategoryArtist_;
    default: return 0;
    }
}

void AlbumList::addCategoryButton(QRect place)
{
    QPushButton *choose = addButton(QStringLiteral("Select Cate&gory"), QStringLiteral("selectCategory"), place, [this] {
        const int tab = tabs()->currentIndex();
        if (const std::optional<qint64> chosen = chooseCategory(files_, this)) {
            (tab == CategoryTab ? byCategory_ : byCategoryArtist_) = *chosen;
            refill();
        }
    });
    const auto showOnCategoryTabs = [this, choose] {
        const int tab = tabs()->currentIndex();
        choose->setVisible(tab == CategoryTab || tab == CategoryArtistTab);
    };
    connect(tabs(), &QTabBar::currentChanged, this, showOnCategoryTabs);
    showOnCategoryTabs();
}

void AlbumList::startInsertsInTabCategory()
{
    setBeforeInsert([this](Record &album) {
        if (const qint64 category = tabCategory())
            album.set("ALB:CategoryID", category);
    });
}

void AlbumList::changeAlbum()
{
    if (!readHighlighted())
        return;
    const Record album = files_.file(FileId::Album).buffer();
    formRequest() = Request::Change;
    UpdateAlbum form(files_, this);
    if (form.call() != Response::Completed)
        files_.file(FileId::Album).buffer() = album;
    refresh();
}

template <typename Wizard>
void AlbumList::runWizard()
{
    const Record before = files_.file(FileId::Album).buffer();
    Wizard wizard(files_, this);
    if (wizard.call() != Response::Completed)
        files_.file(FileId::Album).buffer() = before;
    refresh();
}

BrowseAlbums::BrowseAlbums(FileSet &files, QWidget *parent)
    : AlbumList(files, QStringLiteral("BrowseAlbums"), QStringLiteral("Albums"), true,
                [](FileSet &set) { return std::make_unique<UpdateAlbum>(set); }, parent)
{
    resize(730, 420);
    placeList(QRect(10, 10, 606, 310), QStringLiteral("Locate:"));
    setTexts(ListTexts::adding());
    constexpr int X = 622;
    button(QStringLiteral("insert"))->setGeometry(buttonPlace(X, 0));
    addButton(QStringLiteral("Cop&y"), QStringLiteral("copy"), buttonPlace(X, 1), [this] { copyRecord(); }, true)
        ->setToolTip(QStringLiteral("Copy record"));
    button(QStringLiteral("change"))->setGeometry(buttonPlace(X, 2));
    button(QStringLiteral("delete"))->setGeometry(buttonPlace(X, 3));
    // The query and printing come with the query and the reports.
    addButton(QStringLiteral("&Query"), QStringLiteral("query"), buttonPlace(X, 4), {});
    addButton(QStringLiteral("Reset"), QStringLiteral("reset"), buttonPlace(X, 5), {});
    addButton(QStringLiteral("Album Wi&zard"), QStringLiteral("albumWizard"), buttonPlace(X, 6),
              [this] { runWizard<AlbumWizard>(); });
    addButton(QStringLiteral("CDDB W&izard"), QStringLiteral("cddbWizard"), buttonPlace(X, 7),
              [this] { runWizard<CDDBWizard>(); });
    addButton(QStringLiteral("&Print"), QStringLiteral("print"), buttonPlace(X, 8), {})
        ->setToolTip(QStringLiteral("Print information"));
    addCategoryButton(buttonPlace(X, 9));
    button(QStringLiteral("close"))->setGeometry(buttonPlace(X, 12));
    setCountTitle(QStringLiteral("Albums - "), QStringLiteral(" entries"));
    startInsertsInTabCategory();
    setPopupTail([this](QMenu &menu, bool rows) {
        menu.addAction(QStringLiteral("Cop&y"), this, &BrowseWindow::copyRecord)->setEnabled(rows);
        menu.addSeparator();
        menu.addAction(QStringLiteral("Album Wi&zard"), this, [this] { runWizard<AlbumWizard>(); });
        // Printing comes with the reports.
        menu.addAction(QStringLiteral("&Print"))->setEnabled(false);
        menu.addAction(QStringLiteral("Create Label..."), this, [this] {
                if (readHighlighted())
                    callLabelWizard(files_, this);
            })->setEnabled(rows && hasLabelWizard());
        menu.addAction(QStringLiteral("Quick CD Cover"))->setEnabled(false);
    });
}

SelectAlbum::SelectAlbum(FileSet &files, QWidget *parent)
    : AlbumList(files, QStringLiteral("SelectAlbum"), QStringLiteral("Select Album"), false, {}, parent)
{
    resize(730, 420);
    placeList(QRect(10, 10, 606, 310), QStringLiteral("Locate:"));
    constexpr int X = 622;
    button(QStringLiteral("select"))->setGeometry(buttonPlace(X, 0));
    addButton(QStringLiteral("&Change"), QStringLiteral("changeAlbum"), buttonPlace(X, 1), [this] { changeAlbum(); },
              true);
    addCategoryButton(buttonPlace(X, 2));
    button(QStringLiteral("close"))->setGeometry(buttonPlace(X, 12));
    ListTexts texts;
    texts.selectFirstInPopup = true;
    setTexts(texts);
    setSelectMode(true);
    setCountTitle(QStringLiteral("Select Album - "), QStringLiteral(" entries"));
}

BrowseAlbumsAndSongs::BrowseAlbumsAndSongs(FileSet &files, QWidget *parent)
    : AlbumList(files, QStringLiteral("BrowseAlbumsAndSongs"), QStringLiteral("Browse Albums and Songs"), true,
                [](FileSet &set) { return std::make_unique<UpdateAlbum>(set); }, parent),
      songs_(new TrackList(files, this, TrackList::Columns::WithCategory))
{
    resize(760, 600);
    placeList(QRect(10, 10, 616, 220), QStringLiteral("Locate:"));
    songs_->setGeometry(10, 300, 616, 290);
    songs_->setAcceptDrops(false);
    songs_->setDragDropMode(QAbstractItemView::DragOnly);
    songs_->restoreFormat(profilePath(files.directory(), settingsfile::Positions), objectName(),
                          settings().dateFormat);
    setTexts(ListTexts::adding());
    constexpr int X = 632;
    button(QStringLiteral("insert"))->setGeometry(buttonPlace(X, 0));
    addButton(QStringLiteral("Cop&y"), QStringLiteral("copy"), buttonPlace(X, 1), [this] { copyRecord(); }, true);
    button(QStringLiteral("change"))->setGeometry(buttonPlace(X, 2));
    button(QStringLiteral("delete"))->setGeometry(buttonPlace(X, 3));
    addButton(QStringLiteral("Wi&zard"), QStringLiteral("albumWizard"), buttonPlace(X, 4),
              [this] { runWizard<AlbumWizard>(); });
    addButton(QStringLiteral("CDDB W&izard"), QStringLiteral("cddbWizard"), buttonPlace(X, 5),
              [this] { runWizard<CDDBWizard>(); });
    // The query comes with the query wizard.
    addButton(QStringLiteral("&Query"), QStringLiteral("query"), buttonPlace(X, 6), {})
        ->setToolTip(QStringLiteral("Select records by query"));
    addButton(QStringLiteral("&Reset"), QStringLiteral("reset"), buttonPlace(X, 7), {})
        ->setToolTip(QStringLiteral("Reset query"));
    addButton(QStringLiteral("Edit All Son&gs"), QStringLiteral("editAllSongs"), buttonPlace(X, 8),
              [this] { editAllSongs(); }, true)
        ->setToolTip(QStringLiteral("Edit all songs"));
    addCategoryButton(buttonPlace(X, 9));
    button(QStringLiteral("close"))->setGeometry(QRect(X, 565, 100, 25));
    setCountTitle([this](qint64 albums) {
        return QStringLiteral("Albums (%1) and Songs (%2)").arg(albums).arg(files_.file(FileId::Cantorix).records());
    });
    alsoUses(FileId::Cantorix);
    startInsertsInTabCategory();
    connect(this, &BrowseWindow::highlightChanged, this, &BrowseAlbumsAndSongs::showSongsOfHighlighted);
    connect(songs_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { songPopupMenu()->exec(songs_->viewport()->mapToGlobal(at)); });
}

BrowseAlbumsAndSongs::~BrowseAlbumsAndSongs() = default;

void BrowseAlbumsAndSongs::showSongsOfHighlighted()
{
    // Re-read at every redisplay: a form may have changed the album's songs.
    const int row = page().selected();
    songs_->setAlbum(row < 0 ? 0 : page().rows()[size_t(row)].record.get("ALB:AlbumID").toLongLong());
}

void BrowseAlbumsAndSongs::editAllSongs()
{
    if (!readHighlighted())
        return;
    const Record album = files_.file(FileId::Album).buffer();
    std::vector<QByteArray> positions;
    for (const TrackList::Song &song : songs_->songs())
        positions.push_back(song.position);
    editSongsInTurn(files_, album, positions, this);
    files_.file(FileId::Album).buffer() = album;
    refresh();
}

std::unique_ptr<QMenu> BrowseAlbumsAndSongs::songPopupMenu()
{
    auto menu = std::make_unique<QMenu>(this);
    menu->addAction(QStringLiteral("Album Wi&zard"), this, [this] { runWizard<AlbumWizard>(); });
    // The quick insert comes with the reports.
    menu->addAction(QStringLiteral("Create Label..."), this, [this] { callLabelWizard(files_, this); })
        ->setEnabled(hasLabelWizard() && files_.file(FileId::Album).buffer().get("ALB:AlbumID").toLongLong() != 0);
    menu->addAction(QStringLiteral("Quick CD Insert"))->setEnabled(false);
    return menu;
}

void BrowseAlbumsAndSongs::done(int result)
{
    songs_->saveFormat(profilePath(files_.directory(), settingsfile::Positions), objectName());
    AlbumList::done(result);
}

} // namespace crx
