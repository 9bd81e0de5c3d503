// The record layouts of every catalogue file: fields, keys, disk names and
// layout versions. Everything that needs to know a file's shape (the SQL of
// the storage engine, field access by name, filters, later import/export and
// report field lists) reads it from here.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace crx {

enum class FieldType { Text, Long, Byte, Decimal6, Decimal2, Date, Time, Memo };

struct FieldDef {
    QString name;       // without prefix: "Artist"
    FieldType type;
    int width;          // characters for Text and Memo, 0 otherwise

    bool isText() const { return type == FieldType::Text || type == FieldType::Memo; }
};

struct KeyDef {
    QString name;                // without prefix: "SongsByArtist"
    std::vector<int> components; // field indexes
    bool unique = false;
    bool nocase = true;
    bool opt = false;
    bool primary = false;
};

enum class FileId {
    Cantorix, Album, Categories, Media, Artists, Labels, Fonts,
    PlaylistMaster, PlaylistDetails, AddWizard, CRXTips, Configuration,
    ImportSongs, ImportAlbums
};
constexpr int FileCount = 14;

struct FileDef {
    FileId id;
    QString label;      // "Cantorix"
    QString prefix;     // "MUS"
    QString diskName;   // "crxdata"; empty when set at run time
    QString layout;     // the layout stored in the file: "Cantorix" also for ImportSongs
    int layoutVersion;
    bool ownerPassword; // opened under the fixed owner password
    std::vector<FieldDef> fields;
    std::vector<KeyDef> keys;

    QString fieldName(int field) const { return prefix + ':' + fields[size_t(field)].name; }
    QString keyName(int key) const { return prefix + ':' + keys[size_t(key)].name; }
    // Index of a field by its name with or without prefix ("MUS:Artist" or "Artist"), -1 if none.
    int fieldIndex(const QString &name) const;
    // Index of a key by its name with or without prefix, -1 if none.
    int keyIndex(const QString &name) const;
    // The key whose single component is this numeric identifier field, for numbering.
    int primaryKey() const;
};

const FileDef &fileDef(FileId id);
const std::vector<const FileDef *> &allFiles();
// The file with this label ("Album"), or nullptr.
const FileDef *fileByLabel(const QString &label);

} // namespace crx

namespace crx {

// A link between two files: child.childField holds parent.parentField.
struct Relation {
    FileId parent;
    FileId child;
    const char *parentField;
    const char *childField;
};

const std::vector<Relation> &relations();
// The relation that makes `parent` the parent of `child`, or nullptr.
const Relation *relationBetween(FileId parent, FileId child);

} // namespace crx
