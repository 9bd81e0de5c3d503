#include "explorerlists.h"

#include "albumform.h"
#include "fileset.h"
#include "referencelists.h"
#include "songdisplay.h"
#include "songform.h"
#include "tracklist.h"

#include <QPushButton>
#include <QTreeWidget>

namespace crx {

namespace {

constexpr int CategoryColumn = 5;

QRect buttonPlace(int row)
{
    return QRect(622, 10 + row * 30, 100, 25);
}

// The list box, its scroll bar and the locator below them; the buttons to their right.
void layOut(BrowseWindow &list)
{
    list.resize(730, 420);
    list.setExplorerStyle();
    list.placeList(QRect(10, 10, 606, 345), QStringLiteral("Locator:"));
    list.setTexts(ListTexts::adding());
}

// Add, Copy, Change and Delete in the first four places; Close in the last.
void placeEdits(BrowseWindow &list)
{
    list.button(QStringLiteral("insert"))->setGeometry(buttonPlace(0));
    list.addButton(QStringLiteral("Cop&y"), QStringLiteral("copy"), buttonPlace(1), [&list] { list.copyRecord(); },
                   true);
    list.button(QStringLiteral("change"))->setGeometry(buttonPlace(2));
    list.button(QStringLiteral("delete"))->setGeometry(buttonPlace(3));
    list.button(QStringLiteral("close"))->setGeometry(buttonPlace(12));
}

// The column formatting dialog comes with its own issue.
void addPropertiesButton(BrowseWindow &list, int row)
{
    list.addButton(QStringLiteral("View &Properties"), QStringLiteral("properties"), buttonPlace(row), {})
        ->setToolTip(QStringLiteral("Re-format Columns of BrowseBox"));
}

} // namespace

XploreSongs::XploreSongs(FileSet &files, QWidget *parent)
    : BrowseWindow(files, FileId::Cantorix, QStringLiteral("XploreSongs"), QStringLiteral("Explore Songs"),
                   QStringLiteral("120L(2)|M~Artist~L(2)@s50@120L(2)|M~Title~L(2)@s50@120L(2)|M~Album~L(2)@s50@"
                                  "50L(2)|M~Media~L(2)@s20@60L(2)|M~File Number~L(2)@s20@"
                                  "80L(2)|M~Category~L(2)@s30@50R(2)|M~Time~R(2)@t4b@"
                                  "70L(2)|M~Release Date~L(2)@d17@35R(2)|M~BPM~R(2)@n4b@"
                                  "90L(2)|M~User Defined Key Field~L(2)@s30@70L(2)|M~Last Played~L(2)@d17@"
                                  "70L(2)|M~Style~L(2)@s30@30R(2)|M~Trk~R(2)@n3b@30R(2)|M~Side/Disc~R(2)@n3b@"
                                  "40R(2)|M~Rating~R(2)@n2b@"),
                   {QStringLiteral("MUS:Artist"), QStringLiteral("MUS:Title"), QStringLiteral("MUS:Album"),
                    QStringLiteral("MUS:Media"), QStringLiteral("MUS:FileNumber"), QStringLiteral("MUS:CategoryID"),
                    QStringLiteral("MUS:Time"), QStringLiteral("MUS:ReleaseDate"),
                    QStringLiteral("MUS:BeatsPerMinute"), QStringLiteral("MUS:UserDefinedKeyField"),
                    QStringLiteral("MUS:LastPlayed"), QStringLiteral("MUS:Style"), QStringLiteral("MUS:TrackNumber"),
                    QStringLiteral("MUS:Side"), QStringLiteral("MUS:Rating")},
                   {{QString(), QStringLiteral("MUS:SongsByArtist"), LocatorKind::Incremental,
                     Alphabet::LettersDigitsPunctuation, QString(), {}}},
                   [](FileSet &set) { return std::make_unique<UpdateSong>(set); }, parent)
{
    layOut(*this);
    placeEdits(*this);
    addPropertiesButton(*this, 4);
    // The query, the text exchange and printing come with their own issues.
    addButton(QStringLiteral("&Search"), QStringLiteral("search"), buttonPlace(5), {});
    addButton(QStringLiteral("Reset Search"), QStringLiteral("resetSearch"), buttonPlace(6), {});
    addButton(QStringLiteral("&Import"), QStringLiteral("import"), buttonPlace(7), {});
    addButton(QStringLiteral("&Export"), QStringLiteral("export"), buttonPlace(8), {});
    addButton(QStringLiteral("&Print"), QStringLiteral("print"), buttonPlace(9), {});
    setListControl(QStringLiteral("?Browse"));
    alsoUses(FileId::Categories);
    setColumnText(CategoryColumn, [&files](const Record &song) {
        return categoryName(files, song.get("MUS:CategoryID").toLongLong());
    });
    setDrag(TrackList::dragFormat(), QStringLiteral("MUS:ID"));
}

XploreAlbums::XploreAlbums(FileSet &files, QWidget *parent)
    : BrowseWindow(files, FileId::Album, QStringLiteral("XploreAlbums"), QStringLiteral("Albums"),
                   QStringLiteral("120L(2)|M~Album~L(2)@s50@120L(2)|M~Artist~L(2)@s50@50L(2)|M~Media~L(2)@s20@"
                                  "60L(2)|M~File Number~L(2)@s20@70L(2)|M~Release Date~L(2)@d2@"
                                  "80L(2)|M~XCCD~L(2)@s32@"),
                   {QStringLiteral("ALB:Album"), QStringLiteral("ALB:Artist"), QStringLiteral("ALB:Media"),
                    QStringLiteral("ALB:FileNumber"), QStringLiteral("ALB:ReleaseDate"), QStringLiteral("ALB:XCCD")},
                   {{QString(), QStringLiteral("ALB:KeyAlbum"), LocatorKind::Incremental,
                     Alphabet::LettersDigitsPunctuation, QString(), {}}},
                   [](FileSet &set) { return std::make_unique<UpdateAlbum>(set); }, parent)
{
    layOut(*this);
    placeEdits(*this);
    addButton(QStringLiteral("Single Artist Wi&zard"), QStringLiteral("singleArtistWizard"), buttonPlace(4),
              [this] { addWithWizard(AddWizardKind::SingleArtist); });
    addButton(QStringLiteral("Compilation Wizard"), QStringLiteral("compilationWizard"), buttonPlace(5),
              [this] { addWithWizard(AddWizardKind::Compilation); });
    addPropertiesButton(*this, 6);
}

void XploreAlbums::addWithWizard(AddWizardKind kind)
{
    callAddWizard(files(), kind, this);
    refresh();
}

} // namespace crx
