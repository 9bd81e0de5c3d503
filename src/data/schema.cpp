#include "schema.h"

#include <QHash>
#include <stdexcept>

namespace crx {
namespace {

using T = FieldType;

struct KeySpec {
    const char *name;
    const char *components; // comma separated field names
    const char *rules;      // "primary", or words among unique dup opt
};

FileDef makeFile(FileId id, const char *label, const char *prefix, const char *disk, int version,
                 std::vector<FieldDef> fields, std::initializer_list<KeySpec> keys, bool password = false)
{
    FileDef def{id, label, prefix, disk, label, version, password, std::move(fields), {}};
    for (const KeySpec &k : keys) {
        KeyDef key;
        key.name = k.name;
        for (const QString &part : QString(k.components).split(',')) {
            int index = def.fieldIndex(part.trimmed());
            if (index < 0)
                throw std::logic_error("unknown key component");
            key.components.push_back(index);
        }
        const QStringList rules = QString(k.rules).split(' ', Qt::SkipEmptyParts);
        key.primary = rules.contains("primary");
        key.unique = key.primary || rules.contains("unique");
        key.opt = key.primary || rules.contains("opt");
        key.nocase = true; // every key of the catalogue compares text without regard to case
        def.keys.push_back(key);
    }
    return def;
}

std::vector<FieldDef> songFields()
{
    return {
        {"Artist", T::Text, 50}, {"Title", T::Text, 50}, {"Mix", T::Text, 30},
        {"Album", T::Text, 50}, {"Media", T::Text, 20}, {"FileNumber", T::Text, 20},
        {"ReleaseDate", T::Long, 0}, {"CategoryID", T::Long, 0}, {"ChartNumber", T::Byte, 0},
        {"TrackNumber", T::Byte, 0}, {"Side", T::Byte, 0}, {"Time", T::Time, 0},
        {"UserDefinedKeyField", T::Text, 30}, {"AdditionalInformation1", T::Text, 80},
        {"AdditionalInformation2", T::Text, 80}, {"AdditionalInformation3", T::Text, 80},
        {"BeatsPerMinute", T::Long, 0}, {"Style", T::Text, 30}, {"Composer", T::Text, 80},
        {"LastPlayed", T::Date, 0}, {"Skips", T::Byte, 0}, {"EndType", T::Text, 6},
        {"InOut", T::Text, 20}, {"Rating", T::Byte, 0}, {"Live", T::Byte, 0},
        {"DoNotPlay", T::Byte, 0}, {"ID", T::Long, 0}, {"AlbumID", T::Long, 0},
        {"CDDBString", T::Text, 8}, {"AssociatedWAVFile", T::Text, 128},
        {"Recording", T::Memo, 256}, {"PerformanceNotes", T::Memo, 256}, {"Notes", T::Memo, 2000},
    };
}

const std::initializer_list<KeySpec> songKeys = {
    {"SongsByArtist", "Artist,Title,Mix", "dup"},
    {"SongsByTitle", "Title,Artist", "dup"},
    {"SongsByAlbum", "Album,Artist,Side,TrackNumber,Title", "dup"},
    {"SongsByMedia", "Media,FileNumber,Title", "dup"},
    {"SongsByCategory", "CategoryID,Artist,Title,Album", "dup opt"},
    {"SongsByChartNumber", "ChartNumber,Artist,Title", "dup opt"},
    {"SongsByUserDefinedKey", "UserDefinedKeyField,Artist,Title", "dup opt"},
    {"KeyID", "ID", "primary"},
    {"KeyAlbumID", "AlbumID,Side,TrackNumber", "dup opt"},
    {"KeyBeatsPerMinute", "BeatsPerMinute,Title,Artist", "dup opt"},
    {"KeyFileNumber", "FileNumber", "dup opt"},
    {"KeyMix", "Mix,Title,Artist", "dup opt"},
};

std::vector<FieldDef> albumFields()
{
    return {
        {"AlbumID", T::Long, 0}, {"Artist", T::Text, 50}, {"Album", T::Text, 50},
        {"Media", T::Text, 20}, {"FileNumber", T::Text, 20}, {"ReleaseDate", T::Long, 0},
        {"CategoryID", T::Decimal6, 0}, {"AssociatedWAVFile", T::Text, 128},
        {"AssociatedImage", T::Text, 128}, {"CDIdentifier", T::Text, 24}, {"XCCD", T::Text, 32},
        {"CDDBString", T::Text, 255}, {"Playlist", T::Text, 70}, {"Rating", T::Byte, 0},
        {"TotalTime", T::Time, 0},
        {"Recording", T::Memo, 256}, {"Performance", T::Memo, 256}, {"Notes", T::Memo, 2000},
    };
}

const std::initializer_list<KeySpec> albumKeys = {
    {"KeyAlbumID", "AlbumID", "primary"},
    {"KeyAlbum", "Album,Artist", "unique opt"},
    {"KeyArtist", "Artist,Album", "unique opt"},
    {"KeyCDIdentifier", "CDIdentifier", "unique opt"},
    {"KeyFileNumber", "FileNumber", "dup opt"},
    {"KeyCategory", "CategoryID,Album,Artist", "dup opt"},
    {"KeyCategoryArtist", "CategoryID,Artist,Album", "dup opt"},
};

std::vector<FileDef> buildFiles()
{
    std::vector<FileDef> files;
    files.push_back(makeFile(FileId::Cantorix, "Cantorix", "MUS", "crxdata", 9, songFields(), songKeys));
    files.push_back(makeFile(FileId::Album, "Album", "ALB", "crxalbum", 5, albumFields(), albumKeys));
    files.push_back(makeFile(FileId::Categories, "Categories", "CAT", "CRXCAT", 2,
        {{"CategoryID", T::Decimal6, 0}, {"Category", T::Text, 30}},
        {{"KeyCategoryID", "CategoryID", "primary"}, {"KeyCategory", "Category", "unique opt"}}));
    files.push_back(makeFile(FileId::Media, "Media", "MED", "crxmedia", 2,
        {{"Media", T::Text, 20}},
        {{"KeyMedia", "Media", "unique opt"}}));
    files.push_back(makeFile(FileId::Artists, "Artists", "ART", "CRXARTST", 1,
        {{"Artist", T::Text, 50}, {"CategoryID", T::Long, 0}},
        {{"K_ARTIST", "Artist", "primary"}}));
    files.push_back(makeFile(FileId::Labels, "Labels", "LAB", "crxlabel", 3,
        {{"LabelID", T::Decimal6, 0}, {"LabelDescription", T::Text, 30}, {"LabelType", T::Text, 9},
         {"AlbumID", T::Long, 0}, {"CDSpine", T::Text, 100}, {"CDSpineFontID", T::Long, 0},
         {"CDTitle", T::Text, 100}, {"CDTitleFontID", T::Long, 0}, {"CDCoverTextFontID", T::Long, 0},
         {"CDInsideTextFontID", T::Long, 0}, {"CDSpineJustification", T::Text, 6},
         {"CDTextJustification", T::Text, 6}, {"CDBackCoverJustification", T::Text, 6},
         {"CassetteFlapFontID", T::Long, 0}, {"CassetteTitleFontID", T::Long, 0},
         {"CassetteContentsFontID", T::Long, 0}, {"CassetteFormat", T::Text, 20},
         {"ImageName", T::Text, 255}, {"ImagePositionX", T::Long, 0}, {"ImagePositionY", T::Long, 0},
         {"ImageSize", T::Text, 20}, {"ImageSizeX", T::Long, 0}, {"ImageSizeY", T::Text, 20},
         {"CDCoverText", T::Memo, 3000}, {"CDInsideText", T::Memo, 3000},
         {"CassetteFlap", T::Memo, 1024}, {"CassetteTitle", T::Memo, 1024},
         {"CassetteContentsA", T::Memo, 3000}, {"CassetteContentsB", T::Memo, 3000}},
        {{"KeyLabelID", "LabelID", "primary"},
         {"KeyLabelDescription", "LabelDescription", "unique opt"},
         {"KeyLabelType", "LabelType,LabelDescription", "dup opt"}}));
    files.push_back(makeFile(FileId::Fonts, "Fonts", "FON", "crxfont", 2,
        {{"FontID", T::Decimal6, 0}, {"TypeFace", T::Text, 32}, {"Size", T::Text, 32},
         {"Colour", T::Text, 32}, {"Style", T::Text, 32}},
        {{"KeyFontID", "FontID", "primary"}, {"KeyTypeFace", "TypeFace,Size,Colour,Style", "unique opt"}}));
    files.push_back(makeFile(FileId::PlaylistMaster, "PlaylistMaster", "PLD", "crxplist", 2,
        {{"PlaylistID", T::Long, 0}, {"PlaylistDescription", T::Text, 30}, {"LastEditDate", T::Date, 0},
         {"Notes", T::Memo, 1000}},
        {{"KeyPlaylistID", "PlaylistID", "primary"},
         {"KeyPlaylistDescription", "PlaylistDescription", "unique opt"}}));
    files.push_back(makeFile(FileId::PlaylistDetails, "PlaylistDetails", "PLA", "crxpldet", 2,
        {{"PlaylistID", T::Long, 0}, {"PlaylistSeq", T::Decimal6, 0}, {"ID", T::Decimal6, 0},
         {"PlaylistNotes", T::Text, 40}, {"LastWeek", T::Text, 3}, {"ThisWeek", T::Text, 3},
         {"HighestChartPosition", T::Text, 3}},
        {{"KeyPlaylistID", "PlaylistID,PlaylistSeq", "primary"}, {"KeyID", "ID", "dup"}}));
    files.push_back(makeFile(FileId::AddWizard, "AddWizard", "AW", "CRXAdWiz", 2,
        {{"Instance", T::Decimal6, 0}, {"Side", T::Byte, 0}, {"Track", T::Decimal2, 0},
         {"Artist", T::Text, 50}, {"Title", T::Text, 50}, {"Time", T::Time, 0}},
        {{"KeyInstance", "Instance,Side,Track", "primary"}}));
    files.push_back(makeFile(FileId::CRXTips, "CRXTips", "TIP", "CRXTIPS", 1,
        {{"Tip", T::Text, 1024}, {"ID", T::Long, 0}},
        {{"KeyTip", "Tip", "unique opt"}, {"KeyID", "ID", "primary"}}));
    files.push_back(makeFile(FileId::Configuration, "Configuration", "CF", "CRXConf", 2,
        {{"DataType", T::Text, 40}, {"DataValue", T::Text, 80}},
        {{"KeyDataType", "DataType", "unique opt"}}, true));
    files.push_back(makeFile(FileId::ImportSongs, "ImportSongs", "IS", "", 9, songFields(), songKeys));
    files.back().layout = "Cantorix";
    files.push_back(makeFile(FileId::ImportAlbums, "ImportAlbums", "IA", "", 5, albumFields(), albumKeys));
    files.back().layout = "Album";
    return files;
}

const std::vector<FileDef> &files()
{
    static const std::vector<FileDef> all = buildFiles();
    return all;
}

QString withoutPrefix(const QString &name, const QString &prefix)
{
    if (name.size() > prefix.size() && name.startsWith(prefix, Qt::CaseInsensitive) && name[prefix.size()] == ':')
        return name.mid(prefix.size() + 1);
    return name;
}

} // namespace

int FileDef::fieldIndex(const QString &name) const
{
    const QString bare = withoutPrefix(name, prefix);
    for (size_t i = 0; i < fields.size(); ++i)
        if (fields[i].name.compare(bare, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

int FileDef::keyIndex(const QString &name) const
{
    const QString bare = withoutPrefix(name, prefix);
    for (size_t i = 0; i < keys.size(); ++i)
        if (keys[i].name.compare(bare, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

int FileDef::primaryKey() const
{
    for (size_t i = 0; i < keys.size(); ++i)
        if (keys[i].primary)
            return int(i);
    return -1;
}

const FileDef &fileDef(FileId id)
{
    return files()[size_t(id)];
}

const std::vector<const FileDef *> &allFiles()
{
    static const std::vector<const FileDef *> list = [] {
        std::vector<const FileDef *> out;
        for (const FileDef &def : files())
            out.push_back(&def);
        return out;
    }();
    return list;
}

const FileDef *fileByLabel(const QString &label)
{
    for (const FileDef &def : files())
        if (def.label.compare(label, Qt::CaseInsensitive) == 0)
            return &def;
    return nullptr;
}

} // namespace crx

namespace crx {

const std::vector<Relation> &relations()
{
    static const std::vector<Relation> list = {
        {FileId::Album, FileId::Cantorix, "AlbumID", "AlbumID"},
        {FileId::Categories, FileId::Cantorix, "CategoryID", "CategoryID"},
        {FileId::Categories, FileId::Album, "CategoryID", "CategoryID"},
        {FileId::Categories, FileId::Artists, "CategoryID", "CategoryID"},
        {FileId::Media, FileId::Cantorix, "Media", "Media"},
        {FileId::Media, FileId::Album, "Media", "Media"},
        {FileId::PlaylistMaster, FileId::PlaylistDetails, "PlaylistID", "PlaylistID"},
        {FileId::Cantorix, FileId::PlaylistDetails, "ID", "ID"},
        {FileId::Album, FileId::Labels, "AlbumID", "AlbumID"},
    };
    return list;
}

const Relation *relationBetween(FileId parent, FileId child)
{
    for (const Relation &r : relations())
        if (r.parent == parent && r.child == child)
            return &r;
    return nullptr;
}

} // namespace crx
