#include "preferences.h"

#include "profile.h"
#include "settings.h"

namespace crx {

namespace {

struct DateFormat {
    const char *shown, *stored;
};
const DateFormat DateFormats[] = {
    {"Windows Default", "d17"}, {"Year Only", "n4b"},  {"October 31, 1959", "d4"}, {"OCT 31,1959", "d3"},
    {"10/31/59", "d1"},         {"10/31/1959", "d2"}, {"31 OCT 59", "d7"},        {"31 OCT 1959", "d8"},
    {"31/10/59", "d5"},         {"31/10/1959", "d6"}, {"59/10", "d15"},           {"1959/10", "d16"},
    {"10/59", "d13"},           {"10/1959", "d14"},   {"Windows Default 2", "d18"}};

QString flag(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

// The stored text of one key of the settings.
QString valueOf(const Settings &s, const QString &key)
{
    const std::pair<const char *, QString> texts[] = {
        {"AutoAddToAlbums", s.autoAddToAlbums}, {"AddMode", s.addMode}, {"LabelArtistTitleOrder", s.labelArtistTitleOrder},
        {"GLO:Delimiter", s.delimiter}, {"UDKPrompt", s.udkPrompt}, {"NotesLabel", s.notesLabel},
        {"Interface", s.interface}, {"Logo", s.logo}, {"DateFormat", s.dateFormat}, {"Setup", QStringLiteral("1")},
        {"ForcePreview", flag(s.forcePreview)}, {"CDDBAutomaticMode", flag(s.cddbAutomaticMode)},
        {"SU_Albums", flag(s.openAlbumsAtStart)}, {"SU_Songs", flag(s.openSongsAtStart)},
        {"SU_Playlists", flag(s.openPlaylistsAtStart)}, {"SU_Labels", flag(s.openLabelsAtStart)},
        {"AltCasFmt", flag(s.altCasFmt)}, {"UseLog", flag(s.useLog)}, {"ShowTips", flag(s.showTips)},
        {"SaveLastTab", flag(s.saveLastTab)}, {"DefaultWizardCompilation", flag(s.defaultWizardCompilation)},
        {"AutoComplete", flag(s.autoComplete)}, {"SetupWizardComplete", flag(s.setupWizardComplete)}};
    for (const auto &[name, value] : texts)
        if (key == QLatin1String(name))
            return value;
    return {};
}

} // namespace

QStringList dateFormatTexts()
{
    QStringList out;
    for (const DateFormat &f : DateFormats)
        out << QString::fromLatin1(f.shown);
    return out;
}

QString dateFormatText(const QString &picture)
{
    for (const DateFormat &f : DateFormats)
        if (picture == QLatin1String(f.stored))
            return QString::fromLatin1(f.shown);
    return picture;
}

QString dateFormatPicture(const QString &text, const QString &previous)
{
    for (const DateFormat &f : DateFormats)
        if (text == QLatin1String(f.shown))
            return QString::fromLatin1(f.stored);
    return previous;
}

bool asksYearConversion(const QString &storedBefore, const QString &chosenText, bool wizard)
{
    if (wizard && storedBefore.isEmpty())
        return false;
    return storedBefore != QLatin1String("n4b") && chosenText == QLatin1String("Year Only");
}

void writeSettings(const QString &workingDirectory, const Settings &settings, const QStringList &keys)
{
    const QString path = profilePath(workingDirectory, settingsfile::Preferences);
    for (const QString &key : keys)
        writeProfile(path, QStringLiteral("Settings"), key, valueOf(settings, key));
}

} // namespace crx
