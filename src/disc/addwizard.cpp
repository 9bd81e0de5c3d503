#include "addwizard.h"

#include "datafile.h"
#include "fileset.h"
#include "interaction.h"
#include "numbering.h"
#include "standardmessages.h"
#include "storedorder.h"
#include "transaction.h"
#include "view.h"

#include <QDir>
#include <QLockFile>
#include <functional>
#include <set>

namespace crx {
namespace {

constexpr int WizardSide = 1;
constexpr int IdTries = 10000;

std::set<qint64> &heldInstances()
{
    static std::set<qint64> held;
    return held;
}

// Messages collected inside a transaction, shown once it has ended.
class Messages
{
public:
    void add(const QString &title, const QString &text) { shown_.push_back({title, text}); }
    void show() const
    {
        for (const auto &[title, text] : shown_)
            interaction().message(title, text, Icon::Exclamation, OK, OK);
    }

private:
    std::vector<std::pair<QString, QString>> shown_;
};

// Finds a record by one key from the values set in the buffer, keeping the buffer.
bool exists(DataFile &file, const char *key, const std::function<void(Record &)> &values)
{
    const Record kept = file.buffer();
    file.buffer().clear();
    values(file.buffer());
    const bool found = file.get(file.def().keyIndex(QLatin1String(key))) == NoError;
    file.buffer() = kept;
    return found;
}

// The album of step 1; its id, or 0 when none is added (or, with addAlbum off, found).
qint64 writeAlbum(DataFile &albums, const Record &carrier, const WizardAlbum &how, Messages &messages)
{
    const QString artist = how.compilation ? QStringLiteral("Various") : carrier.get("MUS:Artist").toString();
    QString name = carrier.get("MUS:Album").toString();
    const auto sameAlbum = [&](const char *key) {
        return exists(albums, key, [&](Record &a) {
            a.set("ALB:Album", name);
            a.set("ALB:Artist", artist);
        });
    };
    if (!how.addAlbum) {
        albums.buffer().clear();
        albums.buffer().set("ALB:Album", name);
        albums.buffer().set("ALB:Artist", artist);
        return albums.get(albums.def().keyIndex("ALB:KeyAlbum")) == NoError
                   ? albums.buffer().get("ALB:AlbumID").toLongLong()
                   : 0;
    }
    qint64 id = nextIdentifier(albums).value_or(1);
    while (exists(albums, "ALB:KeyAlbumID", [&](Record &a) { a.set("ALB:AlbumID", id); }))
        ++id;
    const QString signature = how.discSignature;
    const bool signatureTaken = !signature.trimmed().isEmpty()
                                && exists(albums, "ALB:KeyCDIdentifier",
                                          [&](Record &a) { a.set("ALB:CDIdentifier", signature); });
    if (sameAlbum("ALB:KeyAlbum"))
        name += QStringLiteral(" (Copy)");
    if (sameAlbum("ALB:KeyArtist")) {
        messages.add(QStringLiteral("Warning"),
                     QStringLiteral("The artist and album information is a duplicate of information already in "
                                    "the database"));
        return 0;
    }
    Record &album = albums.buffer();
    album.clear();
    album.set("ALB:AlbumID", id);
    album.set("ALB:CDIdentifier", signatureTaken ? QString() : signature);
    album.set("ALB:Notes", carrier.get("MUS:Notes"));
    for (const char *field : {"FileNumber", "Media", "ReleaseDate", "CategoryID"})
        album.set(QStringLiteral("ALB:") + QLatin1String(field),
                  carrier.get(QStringLiteral("MUS:") + QLatin1String(field)));
    album.set("ALB:Album", name);
    album.set("ALB:Artist", artist);
    if (albums.add() == NoError)
        return id;
    const QString error = lastResult().text;
    const Record tried = album;
    QString keys;
    const struct {
        const char *key, *field, *name;
    } uniques[] = {{"ALB:KeyAlbumID", "ALB:AlbumID", "[ID]"},
                   {"ALB:KeyCDIdentifier", "ALB:CDIdentifier", "[CD]"},
                   {"ALB:KeyAlbum", "ALB:Album", "[Album]"},
                   {"ALB:KeyArtist", "ALB:Artist", "[Artist]"}};
    for (const auto &u : uniques)
        if (exists(albums, u.key, [&](Record &a) { a.values() = tried.values(); }))
            keys += QLatin1String(u.name);
    messages.add(QStringLiteral("Error"),
                 QStringLiteral("Error adding album information:||") + error + QLatin1Char(' ') + keys);
    return 0;
}

// A free song id from id on: a taken one jumps to the song count when that is higher, then
// counts up; 0 when none was found within the tries.
qint64 freeSongId(DataFile &songs, qint64 id)
{
    const auto taken = [&](qint64 n) { return exists(songs, "MUS:KeyID", [n](Record &s) { s.set("MUS:ID", n); }); };
    if (!taken(id))
        return id;
    id = qMax(id, songs.records());
    for (int tries = 0; tries < IdTries; ++tries, ++id)
        if (!taken(id))
            return id;
    return 0;
}

// The songs of step 2, each row removed once its song is written or has failed.
void writeSongs(DataFile &songs, DataFile &rows, const Record &carrier, qint64 albumId, const WizardAlbum &how,
                Messages &messages)
{
    const WizardRows read = readWizardRows(rows, how.instance);
    qint64 id = qMax<qint64>(1, carrier.get("MUS:ID").toLongLong());
    for (const WizardRow &row : read.rows) {
        Record &song = songs.buffer();
        song = carrier;
        song.rowId = 0;
        song.set("MUS:AlbumID", albumId);
        song.set("MUS:TrackNumber", row.track);
        song.set("MUS:Title", row.title.trimmed().isEmpty() ? QStringLiteral("Track %1").arg(row.track) : row.title);
        if (how.compilation)
            song.set("MUS:Artist", row.artist);
        if (row.time != 0) {
            song.set("MUS:Time", row.time);
            song.set("MUS:AdditionalInformation1", wizardTimeText(row.time));
        }
        const Record prepared = song;
        id = freeSongId(songs, id);
        songs.buffer() = prepared;
        songs.buffer().set("MUS:ID", id);
        if (id == 0 || songs.add() != NoError)
            messages.add(QStringLiteral("Error!"),
                         QStringLiteral("Error adding to music database from Wizard:  ")
                             + (id == 0 ? QStringLiteral("no free song identifier") : lastResult().text));
        ++id;
        if (rows.reget(row.position) == NoError)
            rows.remove();
    }
    if (!read.error.isEmpty())
        messages.add(QStringLiteral("Error!"), QStringLiteral("Error adding from Wizard:  ") + read.error);
}

void swapError(qint64 instance, int track, const QString &error, const QString &section)
{
    interaction().message(QStringLiteral("Error!"),
                          QStringLiteral("Record swap error: ") + error
                              + QStringLiteral("|AddWizard, AW:KeyInstance|Key Field AW:Instance = %1"
                                               "|Key Field AW:Side = %2|Key Field AW:Track = %3|Section = ")
                                    .arg(instance)
                                    .arg(WizardSide)
                                    .arg(track)
                              + section,
                          Icon::Exclamation, OK, OK);
}

} // namespace

QString wizardTimeText(qint64 time)
{
    const qint64 seconds = (time - 1) / 100;
    return QString::asprintf("%lld:%02lld:%02lld", seconds / 3600, seconds / 60 % 60, seconds % 60).right(5);
}

WizardInstance::WizardInstance(const QString &catalogueDirectory)
{
    const QDir dir(catalogueDirectory);
    for (qint64 n = 1;; ++n) {
        if (heldInstances().count(n))
            continue;
        auto lock = std::make_unique<QLockFile>(dir.filePath(QStringLiteral(".crxwizard%1.lock").arg(n)));
        lock->setStaleLockTime(0);
        // A directory that takes no lock files cannot be shared with another program anyway.
        if (lock->tryLock(0) || lock->error() != QLockFile::LockFailedError) {
            number_ = n;
            if (lock->isLocked())
                lock_ = std::move(lock);
            heldInstances().insert(n);
            return;
        }
    }
}

WizardInstance::~WizardInstance()
{
    heldInstances().erase(number_);
}

WizardRows readWizardRows(DataFile &rows, qint64 instance)
{
    WizardRows out;
    const Record kept = rows.buffer();
    View view(rows);
    view.setOrder(rows.def().primaryKey());
    view.setRange({qlonglong(instance), WizardSide}, {qlonglong(instance), WizardSide});
    int code = view.open();
    if (code == NoError)
        code = view.setToStart();
    while (code == NoError) {
        code = view.next();
        if (code != NoError)
            break;
        const Record &r = rows.buffer();
        out.rows.push_back({rows.position(), r.get("AW:Track").toInt(), r.get("AW:Artist").toString(),
                            r.get("AW:Title").toString(), r.get("AW:Time").toLongLong()});
    }
    if (code != RecordNotAvailable)
        out.error = lastResult().text;
    rows.buffer() = kept;
    return out;
}

bool moveWizardRow(FileSet &files, qint64 instance, int track, Move mode)
{
    DataFile &file = files.use(FileId::AddWizard);
    std::optional<SwapFailure> failure;
    const bool moved = moveStoredEntry({file, {qlonglong(instance), WizardSide}, "AW:Track"}, track, mode, failure);
    files.release(FileId::AddWizard);
    if (failure)
        swapError(instance, failure->number, failure->error, failure->section);
    return moved;
}

std::optional<qint64> writeWizardAlbum(FileSet &files, const Record &carrier, const WizardAlbum &how)
{
    DataFile &albums = files.use(FileId::Album);
    DataFile &songs = files.use(FileId::Cantorix);
    DataFile &rows = files.use(FileId::AddWizard);
    const Record keptAlbum = albums.buffer(), keptSong = songs.buffer(), keptRow = rows.buffer();
    Messages messages;
    std::optional<qint64> albumId;
    bool framed = beginTransaction({&albums, &songs, &rows}, 2) == NoError;
    if (framed) {
        albumId = writeAlbum(albums, carrier, how, messages);
        writeSongs(songs, rows, carrier, *albumId, how, messages);
        if (commitTransaction() != NoError) {
            const StorageResult failure = lastResult();
            rollbackTransaction();
            setResult(failure);
            framed = false;
            albumId.reset();
        }
    }
    albums.buffer() = keptAlbum;
    songs.buffer() = keptSong;
    rows.buffer() = keptRow;
    files.release(FileId::AddWizard);
    files.release(FileId::Cantorix);
    files.release(FileId::Album);
    if (framed)
        messages.show();
    else
        ShowStandardMessage(34, QStringLiteral("Add"), songs.def().label);
    return albumId;
}

} // namespace crx
