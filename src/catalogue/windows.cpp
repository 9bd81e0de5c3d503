#include "windows.h"

#include "artistdefaults.h"
#include "browsecategories.h"
#include "mediaandartists.h"
#include "launchers.h"
#include "mainframe.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace crx {

namespace {

// Opens a list as a modeless child of the frame; several may be open at once.
template <typename List>
void openList(MainFrame &frame)
{
    auto *list = new List(frame.files());
    list->setAttribute(Qt::WA_DeleteOnClose);
    if (!list->start()) {
        delete list;
        return;
    }
    QMdiSubWindow *child = frame.workspace()->addSubWindow(list);
    child->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(list, &QDialog::finished, child, &QWidget::close);
    child->show();
}

} // namespace

void registerCatalogueWindows()
{
    launchers().add(QStringLiteral("BrowseCategories"), &openList<BrowseCategories>);
    launchers().add(QStringLiteral("BrowseMedia"), &openList<BrowseMedia>);
    launchers().add(QStringLiteral("BrowseArtists"), &openList<BrowseArtists>);
    launchers().add(QStringLiteral("BuildArtists"), [](MainFrame &frame) { buildArtistDefaults(frame.files(), &frame); });
}

} // namespace crx
