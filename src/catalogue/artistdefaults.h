// Building the artist defaults from the songs: every artist with the
// category of their first song in artist order.
#pragma once

#include "batchprocess.h"

#include <memory>

class QWidget;

namespace crx {

class FileSet;

// The pass itself, for its window or to run on its own.
std::unique_ptr<BatchProcess> artistDefaultsProcess(FileSet &files);
// Runs it in its progress window ("Creating Artist Database").
Response buildArtistDefaults(FileSet &files, QWidget *parent = nullptr);

} // namespace crx
