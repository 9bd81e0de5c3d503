// The preferences of CRXPro98.INI, loaded into one object by the settings
// loader, and the names of the program's settings files.
#pragma once

#include <QString>

namespace crx {

namespace settingsfile {
inline const QString Preferences = QStringLiteral("CRXPro98.INI");
inline const QString Positions = QStringLiteral(".\\POSITION.INI");
inline const QString DiscTalk = QStringLiteral(".\\DISCTALK.INI");
inline const QString Deleted = QStringLiteral("..\\DELETE.INI");
} // namespace settingsfile

struct Settings {
    // Section "Settings", read by the loader.
    bool openAlbumsAtStart = false;     // SU_Albums
    bool openSongsAtStart = false;      // SU_Songs
    bool openPlaylistsAtStart = false;  // SU_Playlists
    bool openLabelsAtStart = false;     // SU_Labels
    QString autoAddToAlbums;            // AutoAddToAlbums
    QString addMode;                    // AddMode
    QString labelArtistTitleOrder;      // LabelArtistTitleOrder
    QString delimiter;                  // GLO:Delimiter
    QString udkPrompt;                  // UDKPrompt
    QString notesLabel;                 // NotesLabel
    QString dateFormat;                 // DateFormat
    QString logo;                       // Logo
    bool forcePreview = false;          // ForcePreview
    bool useLog = false;                // UseLog
    QString interface;                  // Interface
    int cdTimer = 0;                    // CDTimer
    bool setupWizardComplete = false;   // SetupWizardComplete
    bool defaultWizardCompilation = false; // DefaultWizardCompilation
    bool saveLastTab = false;           // SaveLastTab
    bool altCasFmt = false;             // AltCasFmt
    bool dbgMode = false;               // DbgMode
    bool showTips = false;              // ShowTips
    bool cddbAutomaticMode = false;     // CDDBAutomaticMode
    bool autoComplete = false;          // AutoComplete
};

// Reads every key of section "Settings" of CRXPro98.INI in the directory, with its default and width.
Settings loadSettings(const QString &workingDirectory);

// The settings of this run: loaded at start and again on demand (a preferences window left with Cancel).
Settings &settings();
void reloadSettings(const QString &workingDirectory);

// One of the other keys of CRXPro98.INI ("Version", "MainLogo", "Tip", ...) with its
// section and default; the working directory stands in for LastDirectory and LastDirectoryLoaded.
QString readOtherSetting(const QString &workingDirectory, const char *key);

} // namespace crx
