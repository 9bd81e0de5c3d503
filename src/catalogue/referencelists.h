// The drop-down lists of media formats and categories that the song and
// album forms share, and reading a category's name.
#pragma once

#include <QRect>
#include <QString>

class QComboBox;
class QLineEdit;
class QWidget;

namespace crx {

class FileSet;
class Record;

// Every media format, in name order.
void fillMediaList(FileSet &files, QComboBox &list);
// Every category with its identifier as the item's data, in name order.
void fillCategoryList(FileSet &files, QComboBox &list);


// The entry of the list the combo's text names (letter case ignored), or -1.
int listEntry(const QComboBox &list);

// An editable drop-down list of names (at most width characters) with its prompt, on a page.
QComboBox *addNameList(QWidget *page, const QString &prompt, const QString &name, QRect promptPlace, QRect place,
                       int width);

// Shows the media, or the first format of the list when there is none.
void showMedia(QComboBox &list, const QString &media);

// The two small buttons beside an artist entry and the entry below it: "Swap order of artist
// name" turns the artist's name round, "Swap artist and title" exchanges the two entries.
void addSwapButtons(QWidget *page, QLineEdit &artist, QLineEdit &title, QPoint at);

// Puts the media the list names into the record's field, as the media file spells it. When
// checking, a name that is no media format gives message 11 and false.
bool takeMedia(const QComboBox &list, Record &record, const char *field, bool check);

// Puts the category the list names into the record's field: 0 for a blank name, the id of a
// name in the list. When checking, a name not in the list asks "Add new category?": No
// refuses (false), Yes adds it under the next id and reloads the list.
bool takeCategory(FileSet &files, QComboBox &list, Record &record, const char *field, bool check);

} // namespace crx
