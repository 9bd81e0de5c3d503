#include "commands.h"

namespace crx {
namespace {

const QString File = "&File", Tools = "&Tools", Ascii = "ASCII (Comma-separated Values)", Database = "Database",
              Other = "&Other...", Edit = "&Edit", Browse = "&Browse", Wizards = "&Wizards", Reports = "&Reports",
              Songs = "&Songs", Albums = "&Albums", PaperSavers = "Paper S&avers", Window = "&Window", Help = "&Help";

std::vector<Command> build()
{
    using H = How;
    return {
        {{File}, "&CD Player", "Start the CD Player", "IntegratedCDPlayer", H::Thread},
        {{File}, "&Setup\tF10", "Options and settings", "Preferences", H::Frame},
        {{File, Tools}, "Setup &Wizard", "Call Setup Wizard", "SetupWizard", H::Thread},
        {{File, Tools}, "Backup/Restore\tCtrl-Shift-B", "Launch Backup/Restore Module", "CRXBACK", H::Outside},
        {{File, Tools, Ascii}, "&Import", "Import from a comma-delimited file", "ImportDelimitedFile", H::Thread},
        {{File, Tools, Ascii}, "&Export", "Export to a comma-delimited file", "ExportSongsDelimited", H::Thread},
        {{File, Tools, Database}, "&Import", "Import from a Cantorix database in another directory", "ImportAlbumsSelection", H::Thread},
        {{File, Tools, Database}, "&Export", "Export to a Cantorix database in another directory", "ExportAlbumsSelection", H::Thread},
        {{File, Tools, Database}, "&Create Album Database from Song Database", "Create album database from songs database", "BuildAlbums", H::Thread},
        {{File, Tools, Database}, "&Test Album Database Integrity", "Test links between album and song databases", "TestAlbumLinks", H::Thread},
        {{File, Tools, Database}, "&Set All Side/Disc 0 to 1", "Set all side/disc #0 to #1", "SetSidesToOne", H::Thread},
        {{File, Tools, Database}, "Calculate Album Times", "Fix album times that are 0", "CalculateAlbumTimes", H::Thread},
        {{File, Tools, Database}, "&Delete Range of Albums", "Delete albums, en masse", "DeleteAlbumsSelection", H::Thread},
        {{File, Tools, Database}, "File &Manager", "Build, pack, fix and report on the catalogue files", "FileManager", H::Thread},
        {{File, Tools, Other}, "&Rename WAV/MP3 files\tCtrl-Shift-R", "Rename files in a directory with a file name based on File Number-Track Number", "RenameWAVMP3Files", H::Thread},
        {{File, Tools, Other}, "&Delete WAV/MP3 files\tCtrl-Shift-D", "Delete WAV/MP3 files that exist in the database", "DeleteWAVMP3Files", H::Thread},
        {{File, Tools, Other}, "&Load Album Data from Directory", "Import a directory of WAV/MP3 files as an Album", "LoadFromDirectory", H::Thread},
        {{File, Tools, Other}, "Load Album Data from &Clipboard", "Load artist and title information from the clipboard", "LoadFromClipboard", H::Thread},
        {{File, Tools, Other}, "Load Multiple Albums from Clipboard\tCtrl-Shift-M", "Load Multiple Albums from Clipboard", "ToolMultiCompilationWizard", H::Thread},
        {{File, Tools, Other}, "&Put Song List for Album on Clipboard", "Select an album, place song information on clipboard", "PutSongsOnClipboard", H::Thread},
        {{File, Tools, Other}, "Export Album Database", "", "ExportAlbumsDelimited", H::Thread},
        {{File, Tools, Other}, "Artist Defaults", "", "BrowseArtists", H::Thread},
        {{File}, "&Print Setup ...", "Setup printer", "PrintSetup", H::Builtin},
        {{File}, "E&xit", "Exit this application", "Exit", H::Builtin},
        {{Edit}, "Cu&t", "Remove item to Windows Clipboard", "Cut", H::Builtin},
        {{Edit}, "&Copy", "Copy item to Windows Clipboard", "Copy", H::Builtin},
        {{Edit}, "&Paste", "Paste contents of Windows Clipboard", "Paste", H::Builtin},
        {{Browse}, "&Albums\tCtrl-A", "Browse Information by Album", "BrowseAlbums", H::Thread},
        {{Browse}, "&Songs\tCtrl-S", "Browse Cantorix Database", "BrowseSongs", H::Thread},
        {{Browse}, "&Both\tCtrl-B", "Browse albums and linked songs", "BrowseAlbumsAndSongs", H::Thread},
        {{Browse, Wizards}, "Add &Album\tF2", "Add an Album", "AlbumWizard", H::Thread},
        {{Browse, Wizards}, "Add &CD using CDDB\tF3", "Add CD using CDDB Internet access", "CDDBWizard", H::Thread},
        {{Browse, Wizards}, "&Quick Compilation\tF4", "", "AddCompilation", H::Thread},
        {{Browse, Wizards}, "Quick &Single Artist Album\tF6", "", "AddSingleArtist", H::Thread},
        {{Browse, Wizards}, "Add &Label\tCtrlShiftL", "", "LabelWizard", H::Thread},
        {{Browse, Wizards}, "Submit CDDB Entry", "Submit album information to CDDB ", "CDDBSubmissionWizard", H::Thread},
        {{Browse}, "&Labels", "", "BrowseLabels", H::Thread},
        {{Browse}, "&Play Lists", "", "BrowsePlayLists", H::Thread},
        {{Browse}, "&Categories", "", "BrowseCategories", H::Thread},
        {{Browse}, "&Media Formats", "Browse Media Formats", "BrowseMedia", H::Thread},
        {{Reports, Songs}, "By &Artist", "Print ordered by Songs By Artist", "ReportSongsByArtist", H::Thread},
        {{Reports, Songs}, "By &Title", "Print ordered by Songs By Title", "ReportSongsByTitle", H::Thread},
        {{Reports, Songs}, "By A&lbum", "Print ordered by Songs By Album", "ReportSongsByAlbum", H::Thread},
        {{Reports, Songs}, "By &Media", "Print ordered by Songs By Media", "ReportSongsByMedia", H::Thread},
        {{Reports, Songs}, "By &Category", "Print ordered by Songs By Category", "ReportSongsByCategory", H::Thread},
        {{Reports, Songs}, "By &BPM", "Songs by Beats Per Minute", "ReportSongsByBPM", H::Thread},
        {{Reports, Songs}, "&Wizard", "Report Wizard:  Songs", "ReportWizardSongs", H::Thread},
        {{Reports, Albums}, "By &Artist", "Print List of Albums by Artist", "ReportAlbumsByArtist", H::Thread},
        {{Reports, Albums}, "By A&lbum", "Print List of Albums", "ReportAlbumsByAlbum", H::Thread},
        {{Reports, Albums}, "By &File Number", "Print List of Albums by File Number", "ReportAlbumsByFileNumber", H::Thread},
        {{Reports, Albums}, "By &Category", "", "ReportAlbumsByCategory", H::Thread},
        {{Reports, Albums}, "&Albums with Songs", "Albums with Songs, File Number Order", "ReportAlbumsWithSongs", H::Thread},
        {{Reports, Albums}, "CD Binder Pages", "Print 4 per page CD listings", "CDBinderPages", H::Thread},
        {{Reports, Albums}, "&Wizard", "Report Wizard:  Albums", "ReportWizardAlbums", H::Thread},
        {{Reports, PaperSavers}, "By &Artist", "", "ReportPaperSaverByArtist", H::Thread},
        {{Reports, PaperSavers}, "By &Title", "", "ReportPaperSaverByTitle", H::Thread},
        {{Reports}, "&Labels", "Design and Print CD and Cassette Labels", "BrowseLabels", H::Thread},
        {{Reports}, "&Playlists", "", "BrowsePlayLists", H::Thread},
        {{Reports}, "&DJ Log", "Log ordered by Artist and Title", "ReportDJLog", H::Thread},
        {{Reports}, "&Report Designer", "Call report designer", "RD4CRX", H::Outside},
        {{Window}, "T&ile", "Make all open windows visible", "Tile", H::Builtin},
        {{Window}, "&Cascade", "Stack all open windows", "Cascade", H::Builtin},
        {{Window}, "&Arrange Icons", "Align all window icons", "ArrangeIcons", H::Builtin},
        {{Help}, "&Contents", "View the contents of the help file", "HelpContents", H::Builtin},
        {{Help}, "&Search for Help On...", "Search for help on a subject", "HelpSearch", H::Builtin},
        {{Help}, "&How to Use Help", "How to use Windows Help", "HelpHowTo", H::Builtin},
        {{Help}, "&Tips", "View Tip of the Day", "UpdateCRXTips", H::Frame},
        {{Help}, "&About", "Help About This Program", "About", H::Thread},
    };
}

} // namespace

const std::vector<Command> &commands()
{
    static const std::vector<Command> table = build();
    return table;
}

const std::vector<Submenu> &submenuTips()
{
    static const std::vector<Submenu> tips = {
        {{Reports, Songs}, "Generate Song Report"},
        {{Reports, Albums}, "Generate Album Report"},
        {{Reports, PaperSavers}, "Reports Using Small Fonts"},
        {{Window}, "Create and Arrange windows"},
        {{Help}, "Windows Help"},
    };
    return tips;
}

const std::vector<ToolbarButton> &toolbarButtons()
{
    static const std::vector<ToolbarButton> buttons = {
        {"Albums", "BrowseAlbums"}, {"Songs", "BrowseSongs"}, {"Labels", "BrowseLabels"},
        {"Playlists", "BrowsePlayLists"}, {"Play CD", "IntegratedCDPlayer"},
    };
    return buttons;
}

QString keySequenceText(const QString &hotKey)
{
    QStringList parts;
    QString rest = hotKey.trimmed();
    for (const char *modifier : {"Ctrl", "Shift", "Alt"}) {
        if (rest.startsWith(QLatin1String(modifier), Qt::CaseInsensitive)) {
            parts << QLatin1String(modifier);
            rest = rest.mid(int(qstrlen(modifier)));
            if (rest.startsWith('-') || rest.startsWith('+'))
                rest = rest.mid(1);
        }
    }
    parts << rest;
    return parts.join('+');
}

QString resolveTarget(const QString &target, const QString &interfaceSetting)
{
    const bool explorer = interfaceSetting.left(8).compare(QLatin1String("Explorer"), Qt::CaseInsensitive) == 0;
    if (explorer && target == QLatin1String("BrowseAlbums"))
        return QStringLiteral("XploreAlbums");
    if (explorer && target == QLatin1String("BrowseSongs"))
        return QStringLiteral("XploreSongs");
    return target;
}

} // namespace crx
