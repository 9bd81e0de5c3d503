#include "cddblookup.h"

#include "datafile.h"
#include "discid.h"
#include "fileset.h"
#include "globals.h"
#include "interaction.h"
#include "linefile.h"
#include "numbering.h"
#include "profile.h"
#include "readcd.h"
#include "settings.h"
#include "songdisplay.h"
#include "standardmessages.h"
#include "transaction.h"

#include <QDir>
#include <QFile>

namespace crx {
namespace {

const QString LogName = QStringLiteral("CDDB_LOG.TXT");
constexpr int NotesWidth = 255;

QString afterEquals(const QString &line)
{
    return line.mid(line.indexOf(QLatin1Char('=')) + 1);
}

QString withoutLeadingBlanks(QString text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == QLatin1Char(' '))
        ++i;
    return text.mid(i);
}

// The track number of a "TTITLE3=" or "EXTT3=" line (n + 1), or 0.
int trackOf(const QString &line, int prefix)
{
    bool ok = false;
    const int n = line.mid(prefix, line.indexOf(QLatin1Char('=')) - prefix).toInt(&ok);
    return ok && n >= 0 ? n + 1 : 0;
}

// The category named (letter case ignored): its id, or 0.
qint64 categoryNamed(FileSet &files, const QString &name)
{
    DataFile &categories = files.use(FileId::Categories);
    const Record kept = categories.buffer();
    categories.buffer().clear();
    categories.buffer().set("CAT:Category", name);
    const qint64 id = categories.get(categories.def().keyIndex("CAT:KeyCategory")) == NoError
                          ? categories.buffer().get("CAT:CategoryID").toLongLong()
                          : 0;
    categories.buffer() = kept;
    files.release(FileId::Categories);
    return id;
}

// The songs the record names, each found by album, side and track or added (with the next
// song id); one transaction.
bool writeTrackTitles(FileSet &files, const Record &album, const CddbDisc &disc, qint64 category)
{
    DataFile &songs = files.use(FileId::Cantorix);
    const Record kept = songs.buffer();
    const FileDef &def = songs.def();
    bool ok = beginTransaction({&songs}, 2) == NoError;
    if (!ok)
        ShowStandardMessage(34, QStringLiteral("Update"), def.label);
    qint64 nextId = 0;
    for (auto it = disc.tracks.begin(); ok && it != disc.tracks.end(); ++it) {
        const auto &[track, found] = *it;
        Record &song = songs.buffer();
        const auto keyOnly = [&] {
            song.clear();
            song.set("MUS:AlbumID", album.get("ALB:AlbumID"));
            song.set("MUS:Side", globals().side);
            song.set("MUS:TrackNumber", track);
        };
        keyOnly();
        const bool there = songs.get(def.keyIndex("MUS:KeyAlbumID")) == NoError;
        if (!there) {
            if (nextId == 0)
                nextId = nextIdentifier(songs).value_or(1);
            keyOnly();
            song.set("MUS:ID", nextId++);
            song.set("MUS:CategoryID", category);
        }
        if (found.titled) {
            song.set("MUS:Title", found.title);
            song.set("MUS:Artist", found.artist);
            for (const char *field : {"MUS:Artist", "MUS:Title", "MUS:Album"})
                song.set(QLatin1String(field), ProperCase(song.get(QLatin1String(field)).toString()));
        }
        if (!found.notes.isEmpty())
            song.set("MUS:Notes", QString(song.get("MUS:Notes").toString() + found.notes)
                                      .replace(QLatin1String("\\n"), QLatin1String("\r\n")));
        ok = (there ? songs.put() : songs.add()) == NoError;
    }
    if (ok && commitTransaction() != NoError)
        ok = false;
    if (!ok && inTransaction()) {
        const StorageResult failure = lastResult();
        rollbackTransaction();
        setResult(failure);
        ShowStandardMessage(31, QStringLiteral("Put"), def.label);
    }
    songs.buffer() = kept;
    files.release(FileId::Cantorix);
    return ok;
}

} // namespace

int RunAndWait(const QString &program, const QString &workingDirectory)
{
    const int code = interaction().runAndWait(ownProgram(program), {}, workingDirectory);
    if (code < 0)
        interaction().message(QStringLiteral("Critical Error Message"),
                              QStringLiteral("EXE, Batch File or PIF File Not Found:") + program, Icon::Exclamation,
                              OK, OK);
    return code;
}

QString ProperCase(const QString &text, int width)
{
    QString out = withoutLeadingBlanks(text.toLower());
    if (out.isEmpty())
        return out;
    out[0] = out[0].toUpper();
    static const QString delimiters = QStringLiteral(" -(.&/");
    for (qsizetype i = 0; i + 1 < out.size() && i < width - 2; ++i)
        if (delimiters.contains(out[i]))
            out[i + 1] = out[i + 1].toUpper();
    return out;
}

CddbDisc readCddbRecord(const QStringList &lines)
{
    CddbDisc disc;
    QString before;
    bool sawTrack = false;
    int lastTitled = 0;
    for (const QString &line : lines) {
        if (line == before)
            continue;
        before = line;
        if (line.startsWith(QLatin1String("DTITLE="))) {
            // Only the first record counts: a title after the tracks begins the next one.
            if (sawTrack)
                break;
            const QString value = afterEquals(line);
            if (disc.titled) {
                disc.album += value;
                continue;
            }
            disc.titled = true;
            disc.artist = disc.album = value;
            if (const qsizetype slash = value.indexOf(QLatin1String(" / ")); slash >= 0) {
                disc.artist = withoutLeadingBlanks(value.left(slash));
                disc.album = withoutLeadingBlanks(value.mid(slash + 3));
            }
            const QString upper = disc.artist.toUpper();
            if (upper == QLatin1String("ERG") || upper == QLatin1String("PROMO ONLY"))
                disc.artist = QStringLiteral("Various");
        } else if (line.startsWith(QLatin1String("TTITLE"))) {
            const int track = trackOf(line, 6);
            if (track == 0)
                continue;
            sawTrack = true;
            CddbTrack &t = disc.tracks[track];
            const QString value = afterEquals(line);
            if (track == lastTitled) {
                t.title += value;
                continue;
            }
            lastTitled = track;
            t.titled = true;
            t.title = withoutLeadingBlanks(value);
            t.artist.clear();
            if (const qsizetype slash = value.indexOf(QLatin1String(" / ")); slash >= 0) {
                t.title = withoutLeadingBlanks(value.left(slash));
                t.artist = withoutLeadingBlanks(value.mid(slash + 3));
            } else if (const qsizetype dash = value.indexOf(QLatin1String(" - "));
                       dash >= 0 && disc.artist.toUpper().contains(QLatin1String("VARIOUS"))) {
                t.title = withoutLeadingBlanks(value.left(dash));
                t.artist = withoutLeadingBlanks(value.mid(dash + 3));
            }
        } else if (line.startsWith(QLatin1String("EXTD="))) {
            disc.notes += line.mid(5, NotesWidth);
        } else if (line.startsWith(QLatin1String("EXTT"))) {
            if (const int track = trackOf(line, 4); track > 0)
                disc.tracks[track].notes += afterEquals(line);
        }
    }
    return disc;
}

bool LookUpCddb(FileSet &files, ReadingProgress &progress)
{
    if (!ReadCompactDisc(files, ReadMode::Full, false, progress))
        return false;
    Record &album = files.file(FileId::Album).buffer();
    const DiscId id = ComputeDiscId(trackTable());
    album.set("ALB:XCCD", id.id);
    album.set("ALB:TotalTime", id.playingTime);

    const QDir dir(files.directory());
    QFile::remove(dir.filePath(LogName));
    RunAndWait(QStringLiteral("DiscTalk"), files.directory());

    album.set("ALB:Notes", QString());
    const QString current = files.file(FileId::Categories).buffer().get("CAT:Category").toString();
    const QString category = readProfile(profilePath(files.directory(), settingsfile::DiscTalk),
                                         QStringLiteral("CDDB"), QStringLiteral("Category"), current)
                                 .toUpper();
    qint64 categoryId = album.get("ALB:CategoryID").toLongLong();
    if (const qint64 found = categoryNamed(files, category); found != 0) {
        categoryId = found;
        album.set("ALB:CategoryID", found);
    }

    LineFile log(LineFile::ImportWidth);
    log.setName(dir.filePath(LogName));
    if (log.open() != NoError) {
        interaction().message(QStringLiteral("Error"), QStringLiteral("No information retrieved."), Icon::Exclamation,
                              OK, OK);
        return false;
    }
    QStringList lines;
    QString line;
    int code = NoError;
    while ((code = log.next(line)) == NoError)
        lines << line;
    log.close();
    if (code != RecordNotAvailable)
        interaction().message(QStringLiteral("Error"), QStringLiteral("Next line:  ") + lastResult().text,
                              Icon::Exclamation, OK, OK);

    const CddbDisc disc = readCddbRecord(lines);
    if (disc.titled) {
        album.set("ALB:Artist", disc.artist);
        album.set("ALB:Album", disc.album);
    }
    album.set("ALB:Notes", disc.notes);
    if (!disc.tracks.empty()) {
        album.set("ALB:Artist", ProperCase(album.get("ALB:Artist").toString()));
        album.set("ALB:Album", ProperCase(album.get("ALB:Album").toString()));
    }
    // The songs take the album's title and artist as they stand now.
    CddbDisc named = disc;
    for (auto &[track, t] : named.tracks)
        if (t.titled && t.artist.isEmpty())
            t.artist = album.get("ALB:Artist").toString();
    return writeTrackTitles(files, album, named, categoryId);
}

} // namespace crx
