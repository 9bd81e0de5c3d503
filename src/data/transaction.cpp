#include "transaction.h"

#include "connection.h"
#include "datafile.h"
#include "result.h"

#include <sqlite3.h>

namespace crx {

ReadTogether::ReadTogether(DataFile &file) : connection_(file.sharedConnection())
{
    if (connection_)
        connection_->beginReading();
}

ReadTogether::~ReadTogether()
{
    if (connection_)
        connection_->endReading();
}

int beginTransaction(const std::vector<DataFile *> &files, int waitSeconds)
{
    if (anyOpenTransaction()) {
        setDriverResult(DriverError, SQLITE_MISUSE, QStringLiteral("a transaction is already open"));
        return DriverError;
    }
    Connection *conn = nullptr;
    for (DataFile *file : files) {
        if (!file->isOpen()) {
            setResult(FileNotOpen);
            return FileNotOpen;
        }
        if (conn && conn != file->connection()) {
            setDriverResult(DriverError, SQLITE_MISUSE,
                            QStringLiteral("the files of one transaction must share a connection"));
            return DriverError;
        }
        conn = file->connection();
    }
    StorageResult error;
    if (conn && !conn->beginUser(waitSeconds, error)) {
        setResult(error);
        return error.code;
    }
    setResult(NoError);
    return NoError;
}

int commitTransaction()
{
    StorageResult error;
    if (!commitOpenTransactions(error)) {
        setResult(error);
        return error.code;
    }
    setResult(NoError);
    return NoError;
}

void rollbackTransaction()
{
    rollbackOpenTransactions();
}

bool inTransaction()
{
    return anyOpenTransaction();
}

} // namespace crx
