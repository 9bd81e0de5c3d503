// The category list: one tab in category order with a step locator; its form is UpdateCategories.
#pragma once

#include "browsewindow.h"

#include <optional>

namespace crx {

class BrowseCategories : public BrowseWindow
{
    Q_OBJECT
public:
    explicit BrowseCategories(FileSet &files, QWidget *parent = nullptr);
};

// Opens the category list to choose one; the chosen category's identifier, or none when the
// person closed it.
std::optional<qint64> chooseCategory(FileSet &files, QWidget *parent);

} // namespace crx
