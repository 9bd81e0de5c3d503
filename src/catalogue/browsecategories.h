// The category list: one tab in category order with a step locator; its form is UpdateCategories.
#pragma once

#include "browsewindow.h"

namespace crx {

class BrowseCategories : public BrowseWindow
{
    Q_OBJECT
public:
    explicit BrowseCategories(FileSet &files, QWidget *parent = nullptr);
};

} // namespace crx
