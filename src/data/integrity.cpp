#include "integrity.h"

#include "datafile.h"
#include "fileset.h"
#include "standardmessages.h"
#include "tablesql.h"
#include "transaction.h"

namespace crx {
namespace {

enum class Action { None, Cascade, Restrict };

struct Rule {
    FileId parent;
    FileId child;
    const char *parentField;
    const char *childField;
    const char *childKey; // the child's key that starts with the link
    Action onChange;
    Action onDelete;
};

// In the order the routines apply them: for categories the albums come first.
const Rule rules[] = {
    {FileId::Album, FileId::Cantorix, "AlbumID", "AlbumID", "KeyAlbumID", Action::Cascade, Action::Cascade},
    {FileId::Categories, FileId::Album, "CategoryID", "CategoryID", "KeyCategory", Action::Restrict, Action::Restrict},
    {FileId::Categories, FileId::Cantorix, "CategoryID", "CategoryID", "SongsByCategory", Action::Cascade, Action::Restrict},
    {FileId::Media, FileId::Cantorix, "Media", "Media", "SongsByMedia", Action::Cascade, Action::Restrict},
    {FileId::PlaylistMaster, FileId::PlaylistDetails, "PlaylistID", "PlaylistID", "KeyPlaylistID", Action::None, Action::Cascade},
    {FileId::Cantorix, FileId::PlaylistDetails, "ID", "ID", "KeyID", Action::None, Action::Restrict},
};

std::vector<const Rule *> rulesOf(FileId parent)
{
    std::vector<const Rule *> out;
    for (const Rule &r : rules)
        if (r.parent == parent)
            out.push_back(&r);
    return out;
}

// The children and grandchildren a write may reach, opened through the use counts for as long as it runs.
class Family
{
public:
    Family(FileSet &files, FileId parent) : files_(files)
    {
        collect(parent);
        for (FileId id : children_)
            files_.use(id);
    }
    ~Family()
    {
        for (FileId id : children_)
            files_.release(id);
    }
    std::vector<DataFile *> withParent(DataFile &parent) const
    {
        std::vector<DataFile *> out{&parent};
        for (FileId id : children_)
            out.push_back(&files_.file(id));
        return out;
    }

private:
    void collect(FileId parent)
    {
        for (const Rule *r : rulesOf(parent))
            if (std::find(children_.begin(), children_.end(), r->child) == children_.end()) {
                children_.push_back(r->child);
                if (r->onDelete == Action::Cascade)
                    collect(r->child);
            }
    }

    FileSet &files_;
    std::vector<FileId> children_;
};

// Whether a child's link refers to the value: keys find text without regard to letter case.
bool sameLink(const FileDef &def, int field, const QVariant &a, const QVariant &b)
{
    if (def.fields[size_t(field)].isText())
        return keyText(normaliseText(a.toString(), def.fields[size_t(field)].width))
               == keyText(normaliseText(b.toString(), def.fields[size_t(field)].width));
    return a.toLongLong() == b.toLongLong();
}

// Whether the linking value changed at all: a new spelling ("cd" to "CD") is a change.
bool sameValue(const FileDef &def, int field, const QVariant &a, const QVariant &b)
{
    if (def.fields[size_t(field)].isText())
        return normaliseText(a.toString(), def.fields[size_t(field)].width)
               == normaliseText(b.toString(), def.fields[size_t(field)].width);
    return a.toLongLong() == b.toLongLong();
}

// After a read of the child file: 1 when it read a child whose link holds value, 0 when none,
// -1 when the read failed (message 35 shown).
int childRead(DataFile &child, const Rule &rule, const QVariant &value, int code)
{
    const FileDef &def = child.def();
    if (code == RecordNotAvailable)
        return 0;
    if (code != NoError) {
        SaveStorageError();
        ShowStandardMessage(35, def.label);
        return -1;
    }
    return sameLink(def, def.fieldIndex(rule.childField), child.buffer().get(rule.childField), value) ? 1 : 0;
}

// Reads the first child whose link holds value.
int firstChild(DataFile &child, const Rule &rule, const QVariant &value)
{
    child.buffer().clear();
    child.buffer().set(rule.childField, value);
    child.set(child.def().keyIndex(rule.childKey));
    return childRead(child, rule, value, child.next());
}

// Keeps the parent's buffer identity across a rolled-back rewrite.
struct Identity {
    qint64 rowId, version;
    bool watched;
};

bool deleteChildren(FileSet &files, const Rule &rule, const QVariant &value, QString &refusedBy);

// Applies the delete rules of parent to the children of the record holding `values`. A child
// that restricts the delete is named in refusedBy; its message waits for the transaction to end.
bool deleteRules(FileSet &files, FileId parent, const Record &record, QString &refusedBy)
{
    for (const Rule *rule : rulesOf(parent)) {
        const QVariant value = record.get(rule->parentField);
        DataFile &child = files.file(rule->child);
        if (rule->onDelete == Action::Restrict) {
            const int found = firstChild(child, *rule, value);
            if (found != 0) {
                if (found > 0)
                    refusedBy = child.def().label;
                return false;
            }
        } else if (rule->onDelete == Action::Cascade && !deleteChildren(files, *rule, value, refusedBy)) {
            return false;
        }
    }
    return true;
}

bool deleteChildren(FileSet &files, const Rule &rule, const QVariant &value, QString &refusedBy)
{
    DataFile &child = files.file(rule.child);
    for (;;) {
        const int found = firstChild(child, rule, value);
        if (found < 0)
            return false;
        if (found == 0)
            return true;
        // A song of an album is first checked against the playlists.
        const Record song = child.buffer();
        if (!deleteRules(files, rule.child, song, refusedBy))
            return false;
        child.buffer() = song;
        if (child.remove() != NoError) {
            SaveStorageError();
            ShowStandardMessage(17, child.def().label);
            return false;
        }
    }
}

bool cascadeChange(DataFile &child, const Rule &rule, const QVariant &from, const QVariant &to)
{
    // The children are listed before the first is rewritten: a rewrite moves a child out of the
    // old value's range, or (a new spelling of the same value) leaves it where it stood.
    std::vector<QByteArray> children;
    int found = firstChild(child, rule, from);
    while (found > 0) {
        children.push_back(child.position());
        found = childRead(child, rule, from, child.next());
    }
    if (found < 0)
        return false;
    for (const QByteArray &position : children) {
        int code = child.reget(position);
        if (code == NoError) {
            child.buffer().set(rule.childField, to);
            code = child.put();
        }
        if (code != NoError) {
            SaveStorageError();
            ShowStandardMessage(15, child.def().label);
            return false;
        }
    }
    return true;
}

} // namespace

QString linkingField(FileId file)
{
    for (const Rule &r : rules)
        if (r.parent == file && r.onChange != Action::None)
            return fileDef(file).prefix + ':' + r.parentField;
    return {};
}

UpdateResult updateRecord(FileSet &files, FileId id, WriteMode mode, const QVariant &originalLink)
{
    DataFile &file = files.file(id);
    const FileDef &def = file.def();
    const QString link = linkingField(id);
    if (!link.isEmpty() && !originalLink.isValid()) {
        setDriverResult(DriverError, 0, QStringLiteral("the original %1 was not given").arg(link));
        ShowStandardMessage(15, def.label);
        return NotSaved;
    }
    Family family(files, id);
    if (beginTransaction(family.withParent(file), 2) != NoError) {
        SaveStorageError();
        ShowStandardMessage(34, QStringLiteral("Update"), def.label);
        return NotSaved;
    }
    const QByteArray position = file.position();
    const Identity before{file.buffer().rowId, file.buffer().version, file.buffer().watched};
    const auto rollBack = [&] {
        rollbackTransaction();
        file.buffer().rowId = before.rowId;
        file.buffer().version = before.version;
        file.buffer().watched = before.watched;
    };
    const int code = file.put();
    if (code != NoError) {
        SaveStorageError();
        if (code == ChangedByAnotherStation) {
            if (mode == WriteMode::Form)
                ShowStandardMessage(38);
            else
                ShowStandardMessage(15, QStringLiteral("Record Changed by Another Station"));
            file.watch();
            file.reget(position);
            return ChangedElsewhere;
        }
        ShowStandardMessage(15, def.label);
        rollBack();
        return NotSaved;
    }

    const QVariant current = link.isEmpty() ? QVariant() : file.buffer().get(link);
    if (!link.isEmpty() && !sameValue(def, def.fieldIndex(link), current, originalLink)) {
        for (const Rule *rule : rulesOf(id)) {
            DataFile &child = files.file(rule->child);
            bool ok = true;
            if (rule->onChange == Action::Restrict) {
                const int found = firstChild(child, *rule, originalLink);
                ok = found == 0;
                if (!ok) {
                    // The message waits for the transaction to end: other windows write meanwhile.
                    rollBack();
                    file.buffer().set(link, originalLink);
                    if (found > 0)
                        ShowStandardMessage(12, child.def().label);
                    return NotSaved;
                }
            } else if (rule->onChange == Action::Cascade) {
                ok = cascadeChange(child, *rule, originalLink, current);
            }
            if (!ok) {
                rollBack();
                return NotSaved;
            }
        }
    }
    if (commitTransaction() != NoError) {
        SaveStorageError();
        ShowStandardMessage(15, def.label);
        rollBack();
        return NotSaved;
    }
    return Saved;
}

bool deleteRecord(FileSet &files, FileId id)
{
    DataFile &file = files.file(id);
    const FileDef &def = file.def();
    const QByteArray position = file.position();
    Family family(files, id);
    if (beginTransaction(family.withParent(file), 2) != NoError) {
        SaveStorageError();
        ShowStandardMessage(34, QStringLiteral("Delete"), def.label);
        return false;
    }
    if (file.reget(position) != NoError) {
        SaveStorageError();
        ShowStandardMessage(17, def.label);
        return false;
    }
    const Record record = file.buffer();
    QString refusedBy;
    if (!deleteRules(files, id, record, refusedBy)) {
        rollbackTransaction();
        file.reget(position);
        if (!refusedBy.isEmpty())
            ShowStandardMessage(13, refusedBy);
        return false;
    }
    file.buffer() = record;
    if (file.remove() != NoError) {
        SaveStorageError();
        ShowStandardMessage(17, def.label);
        return false;
    }
    if (commitTransaction() != NoError) {
        SaveStorageError();
        ShowStandardMessage(17, def.label);
        file.reget(position);
        return false;
    }
    return true;
}

} // namespace crx
