// The start-up steps that come before the main frame runs.
#pragma once

namespace crx {

class FileSet;

// Clears the globals, names the help file in the working directory and
// registers the file set with the upgrader (once per run).
void startUp(FileSet &files);

} // namespace crx
