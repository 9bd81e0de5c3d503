// Registers the launchers of the catalogue's windows with the frame.
#pragma once

namespace crx {

void registerCatalogueWindows();

} // namespace crx
