#include "artistdefaults.h"

#include "datafile.h"
#include "fileset.h"
#include "processwindow.h"

namespace crx {

std::unique_ptr<BatchProcess> artistDefaultsProcess(FileSet &files)
{
    auto process = std::make_unique<BatchProcess>(
        files, FileId::Cantorix, QStringLiteral("MUS:SongsByArtist"), [&files](DataFile &songs) {
            DataFile &artists = files.file(FileId::Artists);
            const QString artist = songs.buffer().get("MUS:Artist").toString();
            if (artist.isEmpty())
                return BatchProcess::Work::Done; // a song without an artist gives no default
            artists.buffer().clear();
            artists.buffer().set("ART:Artist", artist);
            artists.buffer().set("ART:CategoryID", songs.buffer().get("MUS:CategoryID"));
            const int code = artists.add();
            return code == NoError || code == DuplicateKey ? BatchProcess::Work::Done
                                                           : BatchProcess::Work::RewriteFailed;
        });
    process->setCycle(25);
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
