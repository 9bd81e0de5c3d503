#include "readcd.h"

#include "cdaudio.h"
#include "datafile.h"
#include "fileset.h"
#include "globals.h"
#include "interaction.h"
#include "numbering.h"
#include "profile.h"
#include "settings.h"
#include "standardmessages.h"
#include "transaction.h"

#include <vector>

namespace crx {
namespace {

constexpr int ProgressSteps = 25;
constexpr int QueryLineLimit = 255;
constexpr qint32 EnhancedCdTime = 540000; // 90 minutes in hundredths

struct Track {
    int number;
    qint32 length; // a time value
    QString offset;
};

QString trackCommand(const char *what, int track)
{
    return QStringLiteral("status cdaudio %1 track %2").arg(QLatin1String(what)).arg(track);
}

// The add wizard's rows: a missing row gets the album's artist and "Track n", a row already
// there only the new time.
bool writeWizardRows(FileSet &files, const std::vector<Track> &tracks, const QString &artist, qint64 instance)
{
    DataFile &rows = files.use(FileId::AddWizard);
    Record &row = rows.buffer();
    bool ok = true;
    for (const Track &t : tracks) {
        const auto keyOnly = [&] {
            row.clear();
            row.set("AW:Instance", instance);
            row.set("AW:Side", 1);
            row.set("AW:Track", t.number);
        };
        keyOnly();
        const bool there = rows.get(rows.def().primaryKey()) == NoError;
        if (!there) {
            keyOnly();
            row.set("AW:Artist", artist.isEmpty() ? QStringLiteral("Various") : artist);
            row.set("AW:Title", QStringLiteral("Track %1").arg(t.number));
        }
        row.set("AW:Time", t.length + 1);
        if ((there ? rows.put() : rows.add()) != NoError) {
            ShowStandardMessage(31, QStringLiteral("Put"), rows.def().label);
            ok = false;
            break;
        }
    }
    rows.flush();
    files.release(FileId::AddWizard);
    return ok;
}

// The album's songs, in one transaction: a song already there for the track only gets its
// time and offset, a missing one is added with the album's fields and the next MUS:ID.
int writeAlbumSongs(DataFile &songs, const Record &album, int side, const std::vector<Track> &tracks)
{
    const FileDef &def = songs.def();
    Record &song = songs.buffer();
    const std::optional<qint64> first = nextIdentifier(songs);
    if (!first)
        return lastCode();
    qint64 nextId = *first;
    for (const Track &t : tracks) {
        const auto keyOnly = [&] {
            song.clear();
            song.set("MUS:AlbumID", album.get("ALB:AlbumID"));
            song.set("MUS:Side", side);
            song.set("MUS:TrackNumber", t.number);
        };
        keyOnly();
        const bool there = songs.get(def.keyIndex("MUS:KeyAlbumID")) == NoError;
        if (!there) {
            keyOnly();
            song.set("MUS:ID", nextId++);
            for (const char *field : {"Artist", "Album", "Media", "FileNumber", "ReleaseDate", "CategoryID"})
                song.set(QStringLiteral("MUS:") + QLatin1String(field),
                         album.get(QStringLiteral("ALB:") + QLatin1String(field)));
            song.set("MUS:Title", QStringLiteral("Track %1").arg(t.number));
        }
        song.set("MUS:Time", t.length + 1);
        song.set("MUS:CDDBString", t.offset);
        if (const int code = there ? songs.put() : songs.add(); code != NoError)
            return code;
    }
    return NoError;
}

bool writeSongs(FileSet &files, const Record &album, int side, const std::vector<Track> &tracks)
{
    DataFile &songs = files.use(FileId::Cantorix);
    const Record kept = songs.buffer();
    bool ok = false;
    if (beginTransaction({&songs}, 2) != NoError) {
        songs.buffer() = kept;
        ShowStandardMessage(34, QStringLiteral("Update"), songs.def().label);
    } else if (writeAlbumSongs(songs, album, side, tracks) != NoError || commitTransaction() != NoError) {
        const StorageResult failure = lastResult();
        rollbackTransaction();
        songs.buffer() = kept;
        setResult(failure);
        ShowStandardMessage(31, QStringLiteral("Put"), songs.def().label);
    } else {
        songs.buffer() = kept;
        ok = true;
    }
    files.release(FileId::Cantorix);
    return ok;
}

} // namespace

QString openDisc(const QString &workingDirectory, bool *opened)
{
    // A reply that is not a number ("Error:265") reads as 0.
    const int device = SendMciCommand(QStringLiteral("open cdaudio shareable")).toInt();
    if (opened)
        *opened = device >= 1 && device <= 3;
    if ((device < 1 || device > 3) && profileNumber(readOtherSetting(workingDirectory, "IgnoreMCIError")) != 0)
        return QStringLiteral("CD player not available.  Ensure that no other program is using the CD-ROM drive.");
    if (SendMciCommand(QStringLiteral("status cdaudio ready")).isEmpty())
        return QStringLiteral("CD player not ready.");
    if (SendMciCommand({}, true) == QLatin1String("open"))
        return QStringLiteral("CD player door open.");
    return {};
}

QString discSignature(int tracks)
{
    SendMciCommand(QStringLiteral("set cdaudio time format tmsf"));
    QString signature = QString::number(tracks).rightJustified(2, QLatin1Char(' '));
    signature += QString::number(MsfToTime(SendMciCommand(QStringLiteral("status cdaudio length"))));
    for (int t = 1; t <= qMin(tracks, 3); ++t)
        signature += QString::number(MsfToTime(SendMciCommand(trackCommand("length", t))));
    signature.truncate(24);
    return signature;
}

DiscIdentity identifyDisc()
{
    DiscIdentity disc;
    SendMciCommand(QStringLiteral("set cdaudio time format tmsf"));
    disc.tracks = qMax(0, SendMciCommand(QStringLiteral("status cdaudio number of tracks")).toInt());
    const int n = disc.tracks;
    disc.signature = discSignature(n);

    TrackTable &table = trackTable();
    table.clear();
    SendMciCommand(QStringLiteral("set cdaudio time format msf"));
    for (int t = 1; t <= n; ++t) {
        const qint64 position = MsfToFrames(SendMciCommand(trackCommand("position", t)));
        const qint64 length = MsfToFrames(SendMciCommand(trackCommand("length", t)));
        table.push_back({qint32(position), qint32(length)});
    }
    disc.id = ComputeDiscId(table);

    QString line = disc.id.id + QLatin1Char(' ') + QString::number(n);
    for (const TrackEntry &t : table)
        line += QLatin1Char(' ') + QString::number(t.position);
    line += QLatin1Char(' ') + QString::number(disc.id.leadOutSeconds);
    disc.queryLine = line.size() > QueryLineLimit ? QueryLineTooLong : line;
    return disc;
}

bool ReadCompactDisc(FileSet &files, ReadMode mode, bool writeTracks, ReadingProgress &progress, qint64 instance)
{
    // The device is given back only when this read opened it: one the player holds stays its.
    bool opened = false;
    const QString failure = openDisc(files.directory(), &opened);
    const auto giveBack = [opened] {
        if (opened)
            SendMciCommand(QStringLiteral("close cdaudio"));
    };
    if (!failure.isEmpty()) {
        if (!(mode == ReadMode::IdentifyQuietly && !writeTracks))
            interaction().message(QStringLiteral("Error"), failure, Icon::Exclamation, OK, OK);
        giveBack();
        return false;
    }
    progress.start(ProgressSteps);
    const DiscIdentity disc = identifyDisc();
    Record &album = files.file(FileId::Album).buffer();
    album.set("ALB:CDIdentifier", disc.signature);
    album.set("ALB:XCCD", disc.id.id);
    album.set("ALB:TotalTime", disc.id.playingTime);
    album.set("ALB:CDDBString", disc.queryLine);

    const QString discTalk = profilePath(files.directory(), settingsfile::DiscTalk);
    writeProfile(discTalk, QStringLiteral("CDDB"), QStringLiteral("CDDB"), disc.queryLine);
    writeProfile(discTalk, QStringLiteral("Default"), QStringLiteral("AutomaticMode"),
                 settings().cddbAutomaticMode ? QStringLiteral("Y") : QStringLiteral("N"));

    SendMciCommand(QStringLiteral("set cdaudio time format tmsf"));
    if (!writeTracks && mode != ReadMode::Full) {
        giveBack();
        progress.finish();
        return true;
    }
    album.set("ALB:TotalTime", disc.id.playingTime + 1);
    progress.advance();

    std::vector<Track> tracks;
    SendMciCommand(QStringLiteral("set cdaudio time format tmsf"));
    qint64 sum = 0;
    const TrackTable &table = trackTable();
    for (int t = 1; t <= disc.tracks; ++t) {
        progress.setLine(QStringLiteral("Track %1 of %2").arg(t).arg(disc.tracks));
        const qint32 length = MsfToTime(SendMciCommand(trackCommand("length", t)));
        tracks.push_back({t, length, QString::number(table[size_t(t - 1)].position).left(8)});
        sum += length;
        progress.advance();
    }
    const qint32 discTime = MsfToTime(SendMciCommand(QStringLiteral("status cdaudio length")));
    album.set("ALB:TotalTime", discTime);

    // Some drives give an enhanced CD's track lengths to the end of the disc: then they add up
    // to far more than the disc. A long disc whose tracks add up to its length keeps them.
    if (sum > EnhancedCdTime && sum > discTime + 100 * disc.tracks) {
        progress.setLine(QStringLiteral("Enhanced CD Detected"));
        for (size_t t = 0; t + 1 < tracks.size(); ++t)
            tracks[t].length -= tracks[t + 1].length;
    }
    giveBack();
    progress.finish();

    if (writeTracks)
        return writeWizardRows(files, tracks, album.get("ALB:Artist").toString(), instance);
    if (album.get("ALB:AlbumID").toLongLong() != 0)
        return writeSongs(files, album, globals().side, tracks);
    return true;
}

} // namespace crx
