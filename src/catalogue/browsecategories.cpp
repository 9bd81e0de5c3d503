#include "browsecategories.h"

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

} // namespace crx
