// A transaction over a list of files. The files must share one connection
// (see Connection); the commit is then all or nothing across them.
#pragma once

#include <vector>

namespace crx {

class DataFile;

// Waits at most waitSeconds for other users of the files; returns a result code.
int beginTransaction(const std::vector<DataFile *> &files, int waitSeconds);
int commitTransaction();
void rollbackTransaction();
bool inTransaction();

} // namespace crx
