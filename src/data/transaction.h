// A transaction over a list of files. The files must share one connection
// (see Connection); the commit is then all or nothing across them.
#pragma once

#include <memory>
#include <vector>

namespace crx {

class Connection;
class DataFile;

// The reads made while it lives share one read transaction on the file's connection (see
// Connection::beginReading); it never spans a write or a message box.
class ReadTogether
{
public:
    explicit ReadTogether(DataFile &file);
    ~ReadTogether();
    ReadTogether(const ReadTogether &) = delete;
    ReadTogether &operator=(const ReadTogether &) = delete;

private:
    // Kept alive: a step that fails may close the file (and its own connection) before it ends.
    std::shared_ptr<Connection> connection_;
};

// Waits at most waitSeconds for other users of the files; returns a result code.
int beginTransaction(const std::vector<DataFile *> &files, int waitSeconds);
int commitTransaction();
void rollbackTransaction();
bool inTransaction();

} // namespace crx
