#include "artistdefaults.h"

#include "datafile.h"
#include "fileset.h"
#include "processwindow.h"
#include "tablesql.h"

namespace crx {

std::unique_ptr<BatchProcess> artistDefaultsProcess(FileSet &files)
{
    // Songs come in artist order, so the songs after an artist's first one would only be
    // refused as duplicates: they are passed over without asking the file.
    auto previous = std::make_shared<QString>();
    auto process = std::make_unique<BatchProcess>(
        files, FileId::Cantorix, QStringLiteral("MUS:SongsByArtist"), [&files, previous](DataFile &songs) {
            const QString artist = songs.buffer().get("MUS:Artist").toString();
            if (artist.isEmpty())
                return BatchProcess::Work::Done; // a song without an artist gives no default
            const QString key = keyText(artist);
            if (key == *previous)
                return BatchProcess::Work::Done;
            *previous = key;
            DataFile &artists = files.file(FileId::Artists);
            artists.buffer().clear();
            artists.buffer().set("ART:Artist", artist);
            artists.buffer().set("ART:CategoryID", songs.buffer().get("MUS:CategoryID"));
            const int code = artists.add();
            return code == NoError || code == DuplicateKey ? BatchProcess::Work::Done
                                                           : BatchProcess::Work::RewriteFailed;
        });
    process->writesTo(FileId::Artists);
    return process;
}

Response buildArtistDefaults(FileSet &files, QWidget *parent)
{
    const std::unique_ptr<BatchProcess> process = artistDefaultsProcess(files);
    ProcessWindow window(*process, QStringLiteral("Creating Artist Database"), parent);
    return window.run();
}

} // namespace crx
