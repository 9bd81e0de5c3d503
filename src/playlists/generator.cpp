#include "generator.h"

#include "datafile.h"
#include "fileset.h"
#include "numbering.h"
#include "picture.h"
#include "result.h"
#include "transaction.h"

namespace crx {
namespace {

constexpr qint64 FirstDayNumber = 3000; // smaller release values are years
constexpr int RecentDays = 90;
constexpr int WaitSeconds = 2;

qint64 uniform(std::mt19937_64 &random, qint64 low, qint64 high)
{
    return std::uniform_int_distribution<qint64>(low, qMax(low, high))(random);
}

QString failure(const char *file)
{
    return QStringLiteral("There was an error (%1 - %2) adding to the %3 file")
        .arg(lastResult().code)
        .arg(lastResult().text, QLatin1String(file));
}

int yearOf(qint64 day)
{
    int year = 0, month = 0, date = 0;
    dateOfDay(day, &year, &month, &date);
    return year;
}

// A release value against a date limit: a year compares with the limit's year.
bool before(qint64 release, qint64 limit)
{
    return release > 0 && release < FirstDayNumber ? release < yearOf(limit) : release < limit;
}

bool after(qint64 release, qint64 limit)
{
    return release > 0 && release < FirstDayNumber ? release > yearOf(limit) : release > limit;
}

// Released lately: a day within the last 90 days, or a year from this one on.
bool recent(qint64 release, const QDate &today, qint64 todayNumber)
{
    return release < FirstDayNumber ? release >= today.year() : release >= todayNumber - RecentDays;
}

bool wanted(const Record &song, const GeneratorChoices &c, bool halfDraw, const QDate &today, qint64 todayNumber)
{
    const qint64 release = song.get("MUS:ReleaseDate").toLongLong();
    if ((c.from != 0 && before(release, c.from)) || (c.to != 0 && after(release, c.to)))
        return false;
    if (c.category != 0 && song.get("MUS:CategoryID").toLongLong() != c.category)
        return false;
    if (release == 0 || !halfDraw)
        return true;
    if (c.weighting == Weighting::RecentRelease)
        return recent(release, today, todayNumber);
    if (c.weighting == Weighting::OlderRelease)
        return !recent(release, today, todayNumber);
    return true;
}

// Adds the playlist under the highest id plus one, or the first after it that clashes with none.
qint64 addPlaylist(DataFile &master, qint64 todayNumber, QStringList &errors)
{
    qint64 id = nextIdentifier(master).value_or(1);
    const int byId = master.def().keyIndex("PLD:KeyPlaylistID");
    const int byName = master.def().keyIndex("PLD:KeyPlaylistDescription");
    const auto clashes = [&](int key) {
        Record &r = master.buffer();
        r.clear();
        r.set("PLD:PlaylistID", id);
        r.set("PLD:PlaylistDescription", QStringLiteral("Play List #%1").arg(id));
        return master.get(key) == NoError;
    };
    while (clashes(byId) || clashes(byName))
        ++id;
    Record &playlist = master.buffer();
    playlist.clear();
    playlist.set("PLD:PlaylistID", id);
    playlist.set("PLD:PlaylistDescription", QStringLiteral("Play List #%1").arg(id));
    playlist.set("PLD:LastEditDate", todayNumber);
    if (master.add() != NoError)
        errors << failure("Play List Master");
    return id;
}

} // namespace

GeneratedPlaylist generatePlaylist(FileSet &files, const GeneratorChoices &choices, std::mt19937_64 &random,
                                   const QDate &today)
{
    GeneratedPlaylist out;
    DataFile &songs = files.use(FileId::Cantorix);
    DataFile &master = files.use(FileId::PlaylistMaster);
    DataFile &details = files.use(FileId::PlaylistDetails);
    const Record keptSong = songs.buffer(), keptPlaylist = master.buffer(), keptEntry = details.buffer();
    const qint64 todayNumber = dayNumber(today.year(), today.month(), today.day());
    if (songs.highestRecordNumber() == 0) {
        out.noSongs = true;
    } else {
        const bool framed = beginTransaction({&master, &details}, WaitSeconds) == NoError;
        out.playlist = addPlaylist(master, todayNumber, out.errors);
        const bool halves = choices.weighting != Weighting::None;
        for (; out.entries < choices.size && out.draws < MostDraws; ++out.draws) {
            const qint64 n = songs.highestRecordNumber();
            const bool halfDraw = halves && uniform(random, 1, 2) == 1;
            qint64 r = uniform(random, 1, n);
            if (halfDraw && choices.weighting == Weighting::RecentAddition)
                r = uniform(random, qMax<qint64>(1, n / 2), n);
            else if (halfDraw && choices.weighting == Weighting::OlderAddition)
                r = uniform(random, 1, qMax<qint64>(1, n / 2));
            if (songs.reget(QByteArray::number(r)) != NoError || !wanted(songs.buffer(), choices, halfDraw, today, todayNumber))
                continue;
            Record &entry = details.buffer();
            entry.clear();
            entry.set("PLA:PlaylistID", out.playlist);
            entry.set("PLA:PlaylistSeq", ++out.entries);
            entry.set("PLA:ID", songs.buffer().get("MUS:ID"));
            if (details.add() != NoError)
                out.errors << failure("Play List Details");
        }
        if (framed && commitTransaction() != NoError) {
            out.errors << failure("Play List Master");
            rollbackTransaction();
        }
    }
    songs.buffer() = keptSong;
    master.buffer() = keptPlaylist;
    details.buffer() = keptEntry;
    files.release(FileId::PlaylistDetails);
    files.release(FileId::PlaylistMaster);
    files.release(FileId::Cantorix);
    return out;
}

} // namespace crx
