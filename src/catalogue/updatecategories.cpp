#include "updatecategories.h"

#include <QLineEdit>

namespace crx {

UpdateCategories::UpdateCategories(FileSet &files, QWidget *parent)
    : FormWindow(files, FileId::Categories, QStringLiteral("UpdateCategories"),
                 {QStringLiteral("Add Category"), QStringLiteral("Change Category")}, QSize(460, 100),
                 DittoKey::Grave, parent)
{
    name_ = addField(QStringLiteral("&Category:"), QStringLiteral("CAT:Category"), QStringLiteral("@s30"),
                     QRect(10, 16, 70, 22), QRect(85, 16, 365, 22));
}

} // namespace crx
