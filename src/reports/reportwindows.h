// Running reports from the frame: a report started from a menu or from the
// song list runs on a thread of its own. Its Report Criteria window is modal,
// its progress window and preview are children of the frame beside the
// other windows, so the person can work on while it reads.
#pragma once

#include "reportdescription.h"

#include <memory>

namespace crx {

class MainFrame;

void runReport(MainFrame &frame, std::shared_ptr<const ReportDescription> report);

// Installs the launchers of the reports ("ReportSongsByArtist").
void registerReportWindows();

} // namespace crx
