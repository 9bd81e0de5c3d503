#include "settings.h"

#include "profile.h"

#include <QDir>
#include <variant>

namespace crx {
namespace {

struct Text {
    QString Settings::*member;
    int width;
};
struct Flag {
    bool Settings::*member;
};
struct Number {
    int Settings::*member;
};

struct Preference {
    const char *key;
    const char *fallback;
    std::variant<Text, Flag, Number> target;
};

const Preference preferences[] = {
    {"SU_Albums", "", Flag{&Settings::openAlbumsAtStart}},
    {"SU_Songs", "", Flag{&Settings::openSongsAtStart}},
    {"SU_Playlists", "", Flag{&Settings::openPlaylistsAtStart}},
    {"SU_Labels", "", Flag{&Settings::openLabelsAtStart}},
    {"AutoAddToAlbums", "1", Text{&Settings::autoAddToAlbums, 20}},
    {"AddMode", "1", Text{&Settings::addMode, 20}},
    {"LabelArtistTitleOrder", "1", Text{&Settings::labelArtistTitleOrder, 20}},
    {"GLO:Delimiter", ".", Text{&Settings::delimiter, 1}},
    {"UDKPrompt", "Custom", Text{&Settings::udkPrompt, 24}},
    {"NotesLabel", "Notes", Text{&Settings::notesLabel, 20}},
    {"DateFormat", "", Text{&Settings::dateFormat, 6}},
    {"Logo", "", Text{&Settings::logo, 255}},
    {"ForcePreview", "", Flag{&Settings::forcePreview}},
    {"UseLog", "0", Flag{&Settings::useLog}},
    {"Interface", "Standard", Text{&Settings::interface, 20}},
    {"CDTimer", "150", Number{&Settings::cdTimer}},
    {"SetupWizardComplete", "", Flag{&Settings::setupWizardComplete}},
    {"DefaultWizardCompilation", "", Flag{&Settings::defaultWizardCompilation}},
    {"SaveLastTab", "1", Flag{&Settings::saveLastTab}},
    {"AltCasFmt", "0", Flag{&Settings::altCasFmt}},
    {"DbgMode", "0", Flag{&Settings::dbgMode}},
    {"ShowTips", "1", Flag{&Settings::showTips}},
    {"CDDBAutomaticMode", "0", Flag{&Settings::cddbAutomaticMode}},
    {"AutoComplete", "1", Flag{&Settings::autoComplete}},
};

struct OtherSetting {
    const char *section;
    const char *key;
    const char *fallback; // nullptr: the working directory
};

const OtherSetting others[] = {
    {"Global Settings", "FrameLogo", ""},
    {"Global Settings", "Version", ""},
    {"Global Settings", "LastDirectory", nullptr},
    {"Global Settings", "LastDirectoryLoaded", nullptr},
    {"Settings", "MainLogo", ""},
    {"Settings", "Setup", ""},
    {"Settings", "Tip", "1"},
    {"Settings", "EmailAddress", "collector@example.org"},
    {"Settings", "SMTPServer", "mail.example.org"},
    {"Settings", "CDDBCategory", "rock"},
    {"Settings", "IgnoreMCIError", ""},
    {"Settings", "CDDevice", ""},
    {"Settings", "VirtualDisc", ""},
    {"Settings", "VirtualDiscDoor", ""},
};

} // namespace

Settings loadSettings(const QString &workingDirectory)
{
    const QString path = profilePath(workingDirectory, settingsfile::Preferences);
    Settings s;
    for (const Preference &p : preferences) {
        const QString value = readProfile(path, "Settings", p.key, p.fallback);
        if (const Text *text = std::get_if<Text>(&p.target))
            s.*(text->member) = value.left(text->width);
        else if (const Flag *flag = std::get_if<Flag>(&p.target))
            s.*(flag->member) = profileNumber(value) != 0;
        else
            s.*(std::get<Number>(p.target).member) = profileNumber(value);
    }
    return s;
}

Settings &settings()
{
    static Settings current;
    return current;
}

void reloadSettings(const QString &workingDirectory)
{
    settings() = loadSettings(workingDirectory);
}

QString readOtherSetting(const QString &workingDirectory, const char *key)
{
    for (const OtherSetting &o : others)
        if (qstrcmp(o.key, key) == 0) {
            const QString fallback = o.fallback ? QString::fromUtf8(o.fallback) : QDir(workingDirectory).absolutePath();
            return readProfile(profilePath(workingDirectory, settingsfile::Preferences), o.section, o.key, fallback);
        }
    return {};
}

} // namespace crx
