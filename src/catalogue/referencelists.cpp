#include "referencelists.h"

#include "datafile.h"
#include "fileset.h"
#include "interaction.h"

#include "songentry.h"
#include "standardmessages.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <functional>

namespace crx {

namespace {

// Reads every record of the file in key order; the buffer is kept.
void readAll(FileSet &files, FileId id, const char *key, const std::function<void(const Record &)> &take)
{
    DataFile &file = files.use(id);
    const Record kept = file.buffer();
    if (file.setToStart(file.def().keyIndex(key)) == NoError)
        while (file.next() == NoError)
            take(file.buffer());
    file.buffer() = kept;
    files.release(id);
}

} // namespace

// The keys sort names regardless of letter case.
void fillMediaList(FileSet &files, QComboBox &list)
{
    list.clear();
    readAll(files, FileId::Media, "MED:KeyMedia", [&list](const Record &r) { list.addItem(r.get("MED:Media").toString()); });
}

void fillCategoryList(FileSet &files, QComboBox &list)
{
    list.clear();
    readAll(files, FileId::Categories, "CAT:KeyCategory", [&list](const Record &r) {
        list.addItem(r.get("CAT:Category").toString(), r.get("CAT:CategoryID"));
    });
}

int listEntry(const QComboBox &list)
{
    return list.findText(list.currentText().trimmed(), Qt::MatchFixedString);
}

QComboBox *addNameList(QWidget *page, const QString &prompt, const QString &name, QRect promptPlace, QRect place,
                       int width)
{
    auto *label = new QLabel(prompt, page);
    label->setGeometry(promptPlace);
    auto *list = new QComboBox(page);
    list->setObjectName(name);
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    list->lineEdit()->setMaxLength(width);
    list->setGeometry(place);
    label->setBuddy(list);
    return list;
}

void showMedia(QComboBox &list, const QString &media)
{
    list.setCurrentText(media.isEmpty() && list.count() > 0 ? list.itemText(0) : media);
}

void addSwapButtons(QWidget *page, QLineEdit &artist, QLineEdit &title, QPoint at)
{
    const auto small = [page](const QString &text, const char *name, const QString &tip, QPoint place) {
        auto *button = new QPushButton(text, page);
        button->setObjectName(QString::fromLatin1(name));
        button->setToolTip(tip);
        button->setGeometry(QRect(place, QSize(24, 22)));
        button->setAutoDefault(false);
        button->setFocusPolicy(Qt::NoFocus);
        return button;
    };
    QObject::connect(small(QStringLiteral("\u21c4"), "swapOrder", QStringLiteral("Swap order of artist name"), at),
                     &QPushButton::clicked, &artist, [&artist] {
                         artist.setText(swapArtistOrder(artist.text()));
                         artist.setModified(true);
                     });
    QObject::connect(small(QStringLiteral("\u21c5"), "swapTitle", QStringLiteral("Swap artist and title"),
                           at + QPoint(0, title.y() - artist.y())),
                     &QPushButton::clicked, &artist, [&artist, &title] {
                         const QString name = artist.text();
                         artist.setText(title.text());
                         title.setText(name);
                         artist.setModified(true);
                         title.setModified(true);
                     });
}

bool takeMedia(const QComboBox &list, Record &record, const char *field, bool check)
{
    const int found = listEntry(list);
    record.set(field, found >= 0 ? list.itemText(found) : list.currentText().trimmed());
    if (!check || found >= 0)
        return true;
    ShowStandardMessage(11, QStringLiteral("Media"), fileDef(FileId::Media).label);
    return false;
}

bool takeCategory(FileSet &files, QComboBox &list, Record &record, const char *field, bool check)
{
    const QString name = list.currentText().trimmed();
    if (name.isEmpty()) {
        record.set(QLatin1String(field), 0);
        return true;
    }
    const int found = listEntry(list);
    if (found >= 0) {
        record.set(QLatin1String(field), list.itemData(found));
        return true;
    }
    if (!check)
        return true;
    if (interaction().message(QStringLiteral("Category not found"), QStringLiteral("Add new category?"),
                              Icon::Exclamation, Yes | No, Yes)
        != Yes)
        return false;
    QString error;
    const qint64 id = addCategory(files, name, &error);
    if (id == 0) {
        interaction().message(QStringLiteral("Error!"), QStringLiteral("Unable to add category - ") + error,
                              Icon::Exclamation, OK, OK);
        return false;
    }
    fillCategoryList(files, list);
    record.set(QLatin1String(field), id);
    list.setCurrentText(name);
    return true;
}

} // namespace crx
