// The drop-down lists of media formats and categories that the song and
// album forms share, and reading a category's name.
#pragma once

#include <QString>

class QComboBox;

namespace crx {

class FileSet;

// Every media format, in name order.
void fillMediaList(FileSet &files, QComboBox &list);
// Every category with its identifier as the item's data, in name order.
void fillCategoryList(FileSet &files, QComboBox &list);

// The name of the category, or an empty text for none or an unknown one.
QString categoryName(FileSet &files, qint64 id);

// The entry of the list the combo's text names (letter case ignored), or -1.
int listEntry(const QComboBox &list);

} // namespace crx
