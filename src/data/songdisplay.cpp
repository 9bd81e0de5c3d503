#include "songdisplay.h"

#include "datafile.h"
#include "fileset.h"
#include "record.h"

namespace crx {

QString displayTitle(Record &song)
{
    QString title = song.get("MUS:Title").toString();
    if (title.contains(QLatin1String("(Skips)")))
        song.set("MUS:Skips", 1);
    else if (song.get("MUS:Skips").toInt() != 0)
        title += QStringLiteral(" (Skips)");
    const QString mix = song.get("MUS:Mix").toString();
    if (!mix.isEmpty())
        title += QStringLiteral(" (") + mix + ')';
    while (title.endsWith(' '))
        title.chop(1);
    return title;
}

QString displayTime(qint64 time)
{
    if (time <= 0)
        return {};
    const qint64 seconds = (time - 1) / 100;
    return QStringLiteral("%1:%2").arg(seconds / 60, 2).arg(seconds % 60, 2, 10, QChar('0'));
}

QString categoryName(FileSet &files, qint64 id)
{
    if (id == 0)
        return {};
    DataFile &categories = files.use(FileId::Categories);
    const Record kept = categories.buffer();
    categories.buffer().clear();
    categories.buffer().set("CAT:CategoryID", id);
    QString name;
    if (categories.get(categories.def().keyIndex("CAT:KeyCategoryID")) == NoError)
        name = categories.buffer().get("CAT:Category").toString();
    categories.buffer() = kept;
    files.release(FileId::Categories);
    return name;
}

QString CategoryNames::of(FileSet &files, qint64 id)
{
    auto found = names_.find(id);
    if (found == names_.end())
        found = names_.emplace(id, categoryName(files, id)).first;
    return found->second;
}

} // namespace crx
