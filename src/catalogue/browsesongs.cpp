#include "browsesongs.h"

#include "albumform.h"
#include "browsecategories.h"
#include "fileset.h"
#include "globals.h"
#include "interaction.h"
#include "launchers.h"
#include "mainframe.h"
#include "mediaandartists.h"
#include "referencelists.h"
#include "settings.h"
#include "songdisplay.h"
#include "songform.h"
#include "tracklist.h"

#include <QPushButton>
#include <QTabBar>
#include <QTreeWidget>

namespace crx {

namespace {

const QString Format = QStringLiteral(
    "120L(2)|M~Artist~L(2)@s50@120L(2)|M~Title~L(2)@s50@120L(2)|M~Album~L(2)@s50@50L(2)|M~Media~L(2)@s20@"
    "60L(2)|M~File Number~L(2)@s20@80L(2)|M~Category~L(2)@s30@50R(2)|M~Time~R(2)@t4b@"
    "70L(2)|M~Released~L(2)@d17@35R(2)|M~BPM~R(2)@n4b@90L(2)|M~User Defined Key Field~L(2)@s30@"
    "70L(2)|M~Last Played~L(2)@d17@50L(2)|M~Track~L(2)@s10@70L(2)|M~Style~L(2)@s30@"
    "40R(2)|M~Chart Number~R(2)@n3@");
constexpr int CategoryColumn = 5, TrackColumn = 11;
constexpr int UdkTab = 7;
const QString MediaName = QStringLiteral("media"), CategoryName = QStringLiteral("category");

std::vector<SortOrder> songOrders()
{
    const auto order = [](const char *tab, const char *key, QStringList range = {}) {
        return SortOrder{QString::fromLatin1(tab), QString::fromLatin1(key), LocatorKind::Incremental,
                         Alphabet::LettersDigitsPunctuation, QString(), std::move(range)};
    };
    return {order("By Artist", "MUS:SongsByArtist"),
            order("By Title", "MUS:SongsByTitle"),
            order("By Album", "MUS:SongsByAlbum"),
            order("By Media", "MUS:SongsByMedia", {MediaName}),
            order("By Category", "MUS:SongsByCategory", {CategoryName}),
            order("By Chart #", "MUS:SongsByChartNumber"),
            order("By BPM", "MUS:KeyBeatsPerMinute"),
            order("By UDK", "MUS:SongsByUserDefinedKey")};
}

// The report each tab prints, in the order of the tabs.
const char *const TabReports[] = {"ReportSongsByArtist", "ReportSongsByTitle",       "ReportSongsByAlbum",
                                  "ReportSongsByMedia",  "ReportSongsByCategory",    "ReportSongsByChartNumber",
                                  "ReportSongsByBPM",    "ReportSongsByUserDefinedKey"};

QString tabReport(int tab)
{
    return tab >= 0 && tab < int(std::size(TabReports)) ? QString::fromLatin1(TabReports[tab]) : QString();
}

} // namespace

QString sideAndTrack(const Record &song)
{
    const int side = song.get("MUS:Side").toInt(), track = song.get("MUS:TrackNumber").toInt();
    const QString sideText = side ? QStringLiteral("(%1)").arg(side) : QString();
    const QString trackText = track ? QString::number(track) : QString();
    return QStringLiteral("%1 %2").arg(sideText, 4).arg(trackText, 3).trimmed();
}

BrowseSongs::BrowseSongs(FileSet &files, QWidget *parent)
    : BrowseWindow(files, FileId::Cantorix, QStringLiteral("BrowseSongs"), QStringLiteral("Browse Songs"), Format,
                   {QStringLiteral("MUS:Artist"), QStringLiteral("MUS:Title"), QStringLiteral("MUS:Album"),
                    QStringLiteral("MUS:Media"), QStringLiteral("MUS:FileNumber"), QStringLiteral("MUS:CategoryID"),
                    QStringLiteral("MUS:Time"), QStringLiteral("MUS:ReleaseDate"),
                    QStringLiteral("MUS:BeatsPerMinute"), QStringLiteral("MUS:UserDefinedKeyField"),
                    QStringLiteral("MUS:LastPlayed"), QStringLiteral("MUS:TrackNumber"), QStringLiteral("MUS:Style"),
                    QStringLiteral("MUS:ChartNumber")},
                   songOrders(), [](FileSet &set) { return std::make_unique<UpdateSong>(set); }, parent),
      files_(files)
{
    resize(730, 440);
    placeList(QRect(10, 10, 606, 330), QStringLiteral("Locate:"));
    setTexts(ListTexts::adding());
    const auto place = [](int row) { return QRect(622, 10 + row * 30, 100, 25); };
    button(QStringLiteral("insert"))->setGeometry(place(0));
    addButton(QStringLiteral("Cop&y"), QStringLiteral("copy"), place(1), [this] { copyRecord(); }, true);
    button(QStringLiteral("change"))->setGeometry(place(2));
    button(QStringLiteral("delete"))->setGeometry(place(3));
    // The query comes with the query wizard.
    addButton(QStringLiteral("&Print"), QStringLiteral("print"), place(4), [this] { printList(); });
    addButton(QStringLiteral("&Query"), QStringLiteral("query"), place(5), {});
    addButton(QStringLiteral("Reset"), QStringLiteral("reset"), place(6), {});
    addButton(QStringLiteral("&Import"), QStringLiteral("import"), place(7), [this] { startBeside(QStringLiteral("ImportDelimitedFile")); });
    addButton(QStringLiteral("&Export"), QStringLiteral("export"), place(8), [this] { startBeside(QStringLiteral("ExportSongsDelimited")); });
    addButton(QStringLiteral("Album"), QStringLiteral("album"), place(9), [this] { openAlbum(); }, true);
    addButton(QStringLiteral("Se&lect Media"), QStringLiteral("selectMedia"), place(10), [this] { chooseMedia(); });
    addButton(QStringLiteral("Select Category"), QStringLiteral("selectCategory"), place(11),
              [this] { chooseCategory(); });
    button(QStringLiteral("close"))->setGeometry(place(13));

    const QString udk = settings().udkPrompt.left(10).trimmed();
    if (!udk.isEmpty())
        tabs()->setTabText(UdkTab, QStringLiteral("By ") + udk);
    setLastTabKey(QStringLiteral("SongTab"));
    setListControl(QStringLiteral("?Browse"));
    setCountTitle(QStringLiteral("Songs - "), QStringLiteral(" entries"));
    setBindings([this] {
        return QHash<QString, QVariant>{{MediaName, media_}, {CategoryName, category_}};
    });
    alsoUses(FileId::Categories);
    setColumnText(CategoryColumn, [this](const Record &song) {
        return categoryName(files_, song.get("MUS:CategoryID").toLongLong());
    });
    setColumnText(TrackColumn, &sideAndTrack);
    setDrag(TrackList::dragFormat(), QStringLiteral("MUS:ID"));
    // Print prints the list of the tab, where there is one.
    const auto printable = [this] { button(QStringLiteral("print"))->setEnabled(launchers().has(tabReport(tabs()->currentIndex()))); };
    connect(tabs(), &QTabBar::currentChanged, this, printable);
    printable();
    // The exchange windows where the program has them.
    button(QStringLiteral("import"))->setEnabled(launchers().has(QStringLiteral("ImportDelimitedFile")));
    button(QStringLiteral("export"))->setEnabled(launchers().has(QStringLiteral("ExportSongsDelimited")));
}

void BrowseSongs::printList()
{
    startBeside(tabReport(tabs()->currentIndex()));
}

void BrowseSongs::startBeside(const QString &name)
{
    // A report or an exchange from the list runs on a thread of its own, beside the list.
    if (auto *frame = qobject_cast<MainFrame *>(window()))
        launchers().run(name, *frame);
}

void BrowseSongs::openAlbum()
{
    if (!readHighlighted())
        return;
    DataFile &songs = files_.file(FileId::Cantorix);
    const Record song = songs.buffer();
    const qint64 id = song.get("MUS:AlbumID").toLongLong();
    DataFile &albums = files_.use(FileId::Album);
    albums.buffer().clear();
    albums.buffer().set("ALB:AlbumID", id);
    const bool found = id != 0 && albums.get(albums.def().keyIndex("ALB:KeyAlbumID")) == NoError;
    if (found) {
        formRequest() = Request::Change;
        UpdateAlbum form(files_, this);
        form.call();
    } else {
        interaction().message(QStringLiteral("Album"), QStringLiteral("This song is not on an album of the catalogue."),
                              Icon::Information, OK, OK);
    }
    files_.release(FileId::Album);
    // The album form may have changed its songs: the list stands on this song again.
    songs.buffer() = song;
    if (found)
        refresh();
}

void BrowseSongs::chooseMedia()
{
    if (const std::optional<QString> chosen = crx::chooseMedia(files_, this))
        filterMedia(*chosen);
}

void BrowseSongs::filterMedia(const QString &media)
{
    media_ = media;
    refill();
}

void BrowseSongs::filterCategory(qint64 category)
{
    category_ = category;
    refill();
}

void BrowseSongs::chooseCategory()
{
    if (const std::optional<qint64> chosen = crx::chooseCategory(files_, this))
        filterCategory(*chosen);
}

} // namespace crx
