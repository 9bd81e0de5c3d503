#include "firstrun.h"

#include "datafile.h"

namespace crx {

QStringList defaultMediaFormats()
{
    return {"CD", "LP", "EP", "7\" Single", "CD Single", "Cassette (Dolby B)", "Cassette (Dolby C)",
            "Cassette (Dolby S)", "Cassette (DBX)", "Cassette (HX Pro)", "Cassette (Prerecorded)", "Other"};
}

void addDefaultMediaFormats(DataFile &media)
{
    if (media.records() != 0)
        return;
    for (const QString &name : defaultMediaFormats()) {
        media.buffer().clear();
        media.buffer().set("MED:Media", name);
        media.add();
    }
}

bool offerAlbumCopy(qint64 albums, qint64 songs, const QString &previousVersion)
{
    return albums == 0 && songs > 0 && previousVersion.trimmed().toDouble() < 50.1;
}

} // namespace crx
