#include "windows.h"

#include "albumlists.h"
#include "albumwizards.h"
#include "artistdefaults.h"
#include "browsecategories.h"
#include "browsesongs.h"
#include "explorerlists.h"
#include "fileset.h"
#include "mediaandartists.h"
#include "launchers.h"
#include "childwindow.h"
#include "mainframe.h"


namespace crx {

void registerCatalogueWindows()
{
    launchers().add(QStringLiteral("BrowseCategories"), &openList<BrowseCategories>);
    launchers().add(QStringLiteral("BrowseMedia"), &openList<BrowseMedia>);
    launchers().add(QStringLiteral("BrowseArtists"), &openList<BrowseArtists>);
    launchers().add(QStringLiteral("BrowseSongs"), &openList<BrowseSongs>);
    launchers().add(QStringLiteral("BrowseAlbums"), &openList<BrowseAlbums>);
    launchers().add(QStringLiteral("BrowseAlbumsAndSongs"), &openList<BrowseAlbumsAndSongs>);
    launchers().add(QStringLiteral("XploreSongs"), &openList<XploreSongs>);
    launchers().add(QStringLiteral("XploreAlbums"), &openList<XploreAlbums>);
    launchers().add(QStringLiteral("AlbumWizard"), &openForm<AlbumWizard>);
    launchers().add(QStringLiteral("CDDBWizard"), &openForm<CDDBWizard>);
    launchers().add(QStringLiteral("ToolMultiCompilationWizard"), &openForm<MultiCompilationWizard>);
    launchers().add(QStringLiteral("BuildArtists"), [](MainFrame &frame) { buildArtistDefaults(frame.files(), &frame); });
}

} // namespace crx
