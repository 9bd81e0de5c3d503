#include "selectfilenumber.h"

#include "browsecategories.h"
#include "referencelists.h"
#include "songdisplay.h"

#include <QPushButton>
#include <QTabBar>
#include <QTreeWidget>

namespace crx {

namespace {

const QString CategoryName = QStringLiteral("category");

std::vector<SortOrder> orders()
{
    const auto order = [](const char *tab, const char *key, QStringList range = {}) {
        return SortOrder{QString::fromLatin1(tab), QString::fromLatin1(key), LocatorKind::Incremental,
                         Alphabet::LettersDigitsPunctuation, QString(), std::move(range)};
    };
    return {order("By Artist", "MUS:SongsByArtist"),   order("By Title", "MUS:SongsByTitle"),
            order("By Album", "MUS:SongsByAlbum"),     order("By Media", "MUS:SongsByMedia"),
            order("By Category", "MUS:SongsByCategory", {CategoryName}),
            order("By Chart #", "MUS:SongsByChartNumber")};
}

} // namespace

SelectFileNumber::SelectFileNumber(FileSet &files, QWidget *parent)
    : BrowseWindow(files, FileId::Cantorix, QStringLiteral("SelectFileNumber"), QStringLiteral("Select File Number"),
                   QStringLiteral("120L(2)|M~Artist~L(2)@s30@120L(2)|M~Title~L(2)@s30@120L(2)|M~Album~L(2)@s30@"
                                  "50L(2)|M~Media~L(2)@s20@60L(2)|M~File Number~L(2)@s10@"
                                  "70L(2)|M~Release Date~L(2)@d2@80L(2)|M~Category~L(2)@s30@"),
                   {QStringLiteral("MUS:Artist"), QStringLiteral("MUS:Title"), QStringLiteral("MUS:Album"),
                    QStringLiteral("MUS:Media"), QStringLiteral("MUS:FileNumber"), QStringLiteral("MUS:ReleaseDate"),
                    QStringLiteral("MUS:CategoryID")},
                   orders(), {}, parent),
      files_(files)
{
    resize(660, 400);
    placeList(QRect(10, 10, 536, 320), QStringLiteral("Locate:"));
    button(QStringLiteral("select"))->setGeometry(552, 10, 100, 25);
    addButton(QStringLiteral("&Select Category"), QStringLiteral("selectCategory"), QRect(552, 45, 100, 25), [this] {
        if (const std::optional<qint64> chosen = chooseCategory(files_, this)) {
            category_ = *chosen;
            refill();
        }
    });
    addNavigationToolbar(QRect(552, 80, 100, 200));
    button(QStringLiteral("close"))->setGeometry(552, 365, 100, 25);
    ListTexts texts;
    texts.selectFirstInPopup = true;
    setTexts(texts);
    setSelectMode(true);
    setCountTitle(QStringLiteral("Browse Music Database - "), QStringLiteral(" entries"));
    setBindings([this] { return QHash<QString, QVariant>{{CategoryName, category_}}; });
    alsoUses(FileId::Categories);
    setColumnText(6, [this](const Record &song) {
        return categoryName(files_, song.get("MUS:CategoryID").toLongLong());
    });
}

} // namespace crx
