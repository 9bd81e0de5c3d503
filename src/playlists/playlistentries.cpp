#include "playlistentries.h"

#include "datafile.h"
#include "fileset.h"
#include "numbering.h"
#include "result.h"
#include "view.h"

namespace crx {

PlaylistEntries readPlaylistEntries(FileSet &files, qint64 playlist)
{
    PlaylistEntries out;
    DataFile &details = files.use(FileId::PlaylistDetails);
    DataFile &songs = files.use(FileId::Cantorix);
    const Record keptEntry = details.buffer(), keptSong = songs.buffer();
    const int songKey = songs.def().keyIndex("MUS:KeyID");
    View view(details);
    view.setOrder(details.def().primaryKey());
    view.setRange({qlonglong(playlist)}, {qlonglong(playlist)});
    int code = view.open();
    if (code == NoError)
        code = view.setToStart();
    while (code == NoError && (code = view.next()) == NoError) {
        const Record &e = details.buffer();
        PlaylistEntry entry{details.position(), e.get("PLA:PlaylistSeq").toInt(), e.get("PLA:ID").toLongLong(), {}, {},
                            0, e.get("PLA:PlaylistNotes").toString()};
        songs.buffer().clear();
        songs.buffer().set("MUS:ID", entry.song);
        if (songs.get(songKey) == NoError) {
            entry.artist = songs.buffer().get("MUS:Artist").toString();
            entry.title = songs.buffer().get("MUS:Title").toString();
            entry.time = songs.buffer().get("MUS:Time").toLongLong();
        }
        out.entries.push_back(entry);
    }
    if (code != RecordNotAvailable)
        out.error = lastResult().text;
    details.buffer() = keptEntry;
    songs.buffer() = keptSong;
    files.release(FileId::Cantorix);
    files.release(FileId::PlaylistDetails);
    return out;
}

qint64 totalTime(const std::vector<PlaylistEntry> &entries)
{
    qint64 hundredths = 0;
    for (const PlaylistEntry &e : entries)
        if (e.time > 0)
            hundredths += e.time - 1;
    return hundredths > 0 ? hundredths + 1 : 0;
}

std::optional<int> addSongToPlaylist(FileSet &files, qint64 playlist, qint64 song)
{
    DataFile &details = files.use(FileId::PlaylistDetails);
    const Record kept = details.buffer();
    Record &entry = details.buffer();
    entry.clear();
    entry.set("PLA:PlaylistID", playlist);
    entry.set("PLA:ID", song);
    std::optional<int> seq;
    if (addNumbered(details) == Numbering::Added)
        seq = entry.get("PLA:PlaylistSeq").toInt();
    details.buffer() = kept;
    files.release(FileId::PlaylistDetails);
    return seq;
}

bool movePlaylistEntry(FileSet &files, qint64 playlist, int seq, Move mode, std::optional<SwapFailure> &failure,
                       int afterSeq)
{
    DataFile &details = files.use(FileId::PlaylistDetails);
    const bool moved = moveStoredEntry({details, {qlonglong(playlist)}, "PLA:PlaylistSeq"}, seq, mode, failure, afterSeq);
    files.release(FileId::PlaylistDetails);
    return moved;
}

bool closePlaylistGap(FileSet &files, qint64 playlist, int seq, std::optional<SwapFailure> &failure)
{
    DataFile &details = files.use(FileId::PlaylistDetails);
    const bool closed = closeStoredGap({details, {qlonglong(playlist)}, "PLA:PlaylistSeq"}, seq, failure);
    files.release(FileId::PlaylistDetails);
    return closed;
}

QString swapErrorText(qint64 playlist, const SwapFailure &failure)
{
    return QStringLiteral("Record swap error: %1|PlaylistDetails, PLA:KeyPlaylistID|Key Field PLA:PlaylistID = %2"
                          "|Key Field PLA:PlaylistSeq = %3|Section = %4")
        .arg(failure.error)
        .arg(playlist)
        .arg(failure.number)
        .arg(failure.section);
}

} // namespace crx
