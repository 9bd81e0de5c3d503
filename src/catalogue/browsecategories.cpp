#include "browsecategories.h"

#include "fileset.h"
#include "updatecategories.h"

namespace crx {

BrowseCategories::BrowseCategories(FileSet &files, QWidget *parent)
    : BrowseWindow(files, FileId::Categories, QStringLiteral("BrowseCategories"), QStringLiteral("Categories"),
                   QStringLiteral("80L(2)|M~Category~L(2)@s30@"), {QStringLiteral("CAT:Category")},
                   {{QStringLiteral("By Category"), QStringLiteral("CAT:KeyCategory"), LocatorKind::Step,
                     Alphabet::LettersDigitsPunctuation, QString(), {}}},
                   [](FileSet &set) { return std::make_unique<UpdateCategories>(set); }, parent)
{
}

std::optional<qint64> chooseCategory(FileSet &files, QWidget *parent)
{
    if (!selectFrom<BrowseCategories>(files, parent))
        return std::nullopt;
    return files.file(FileId::Categories).buffer().get("CAT:CategoryID").toLongLong();
}

} // namespace crx
