// Result codes of the storage engine. After every operation the engine
// leaves a result behind: its code and text and, for driver failures, the
// driver's own code and message.
#pragma once

#include <QString>

namespace crx {

enum ResultCode {
    NoError = 0,
    FileNotFound = 2,
    AccessDenied = 5,
    FileLocked = 32,
    RecordNotAvailable = 33,
    RecordNotFound = 35,
    InvalidDataFile = 36,
    FileNotOpen = 37,
    DuplicateKey = 40,
    KeysMustBeRebuilt = 46,
    LayoutChanged = 47,
    FileAlreadyOpen = 52,
    InvalidKeyLength = 88,
    ChangedByAnotherStation = 89,
    DriverError = 90,
    InvalidFilter = 800,
};

struct StorageResult {
    int code = NoError;
    QString text;
    int driverCode = 0;
    QString driverMessage;
    QString key; // with DuplicateKey: the full name of the key that refused the value

    bool ok() const { return code == NoError; }
};

QString resultText(int code);

// The result of the last storage operation on this thread.
const StorageResult &lastResult();
int lastCode();
void setResult(int code, const QString &key = {});
void setDriverResult(int code, int driverCode, const QString &driverMessage);
void setResult(const StorageResult &result);

} // namespace crx
