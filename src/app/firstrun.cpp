#include "firstrun.h"

#include "datafile.h"

namespace crx {

QStringList defaultMediaFormats()
{
    return {"CD", "LP", "EP", "7\" Single", "CD Single", "Cassette (Dolby B)", "Cassette (Dolby C)",
            "Cassette (Dolby S)", "Cassette (DBX)", "Cassette (HX Pro)", "Cassette (Prerecorded)", "Other"};
}

void addDefaultMediaFormats(DataFile &media)
{
    if (media.records() != 0)
        return;
    for (const QString &name : defaultMediaFormats()) {
        media.buffer().clear();
        media.buffer().set("MED:Media", name);
        media.add();
    }
}

QStringList programTips()
{
    return {
        QStringLiteral("Type the first letters of an artist in a list and the list moves there at once: the locator "
                       "below each list follows what you type."),
        QStringLiteral("Each list has a tab for each order: the songs by artist, title, album, media, category, chart "
                       "number, beats per minute and your own key field."),
        QStringLiteral("Double-click a song in a list, or press Enter on it, to change it; Insert adds a new one and "
                       "Delete removes the highlighted one."),
        QStringLiteral("Put a disc in the drive and choose Play CD: the CD player names the album when your catalogue "
                       "knows the disc, and offers to add it when it does not."),
        QStringLiteral("The add wizard reads the disc in the drive and makes the album and a song for every track in "
                       "one go, for a single artist or a compilation."),
        QStringLiteral("The CDDB button looks the disc in the drive up on a CDDB server or in a local xmcd collection "
                       "and fills in the album and track titles for you."),
        QStringLiteral("Drag songs from the song list onto a playlist's entries to add them to the playlist."),
        QStringLiteral("Generate Play List draws a playlist at random from your songs, weighted towards recent or older "
                       "additions or releases as you choose."),
        QStringLiteral("Chart in a playlist marks each entry with its place of last week (LW:), so the printed chart "
                       "shows which songs climbed."),
        QStringLiteral("Reports > Songs > By Artist prints your songs by artist; choose Brief in Report Criteria for "
                       "one line a song, or Selected to print only the artists that start with what you type."),
        QStringLiteral("In Report Preview, File > Save as PDF... writes the report as a PDF document you can keep or "
                       "send."),
        QStringLiteral("In Report Preview, set Across and Down to see several pages at once, and click a page to see "
                       "it as wide as the window."),
        QStringLiteral("The label wizard composes a CD or cassette label from an album and its songs; Favorite Fonts "
                       "keeps the fonts you like for your labels."),
        QStringLiteral("Tools > ASCII (Comma-separated Values) > Export writes your songs to a CSV file that any "
                       "spreadsheet opens; tick the header record to name the columns."),
        QStringLiteral("Importing a CSV file? Auto assigns every column whose first line names a song field, such as "
                       "MUS:Artist, and ticks Strip header record for you."),
        QStringLiteral("Give an import column the picture @d2 for dates such as 10/31/1959, or @T4 for times such as "
                       "0:03:45."),
        QStringLiteral("Tools > Database > Create Album Database from Song Database makes album records for songs that "
                       "are not on an album yet, such as songs you imported."),
        QStringLiteral("Tools > Database > Calculate Album Times fills in the total time of every album whose time is "
                       "still 0 from the times of its songs."),
        QStringLiteral("Tools > Database > Delete Range of Albums deletes the albums whose file numbers lie in a range, "
                       "together with their songs."),
        QStringLiteral("If a catalogue file was damaged, File Manager > Fix repairs it and keeps the damaged file as "
                       ".bak beside it."),
        QStringLiteral("File > Tools > Backup/Restore (Ctrl+Shift+B) copies your catalogue files somewhere safe and "
                       "brings them back."),
        QStringLiteral("Lists and windows reopen where you left them, at the size you gave them, and the lists keep "
                       "the column widths you set."),
        QStringLiteral("A title with \"(Skips)\", an artist with \"(*)\", or the Do Not Play box keeps a song out of "
                       "the printed Songs by Artist."),
    };
}

void addProgramTips(DataFile &tips)
{
    if (tips.records() != 0)
        return;
    int id = 0;
    for (const QString &text : programTips()) {
        tips.buffer().clear();
        tips.buffer().set("TIP:ID", ++id);
        tips.buffer().set("TIP:Tip", text);
        tips.add();
    }
}

bool offerAlbumCopy(qint64 albums, qint64 songs, const QString &previousVersion)
{
    return albums == 0 && songs > 0 && previousVersion.trimmed().toDouble() < 50.1;
}

} // namespace crx
