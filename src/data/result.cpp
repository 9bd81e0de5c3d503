#include "result.h"

namespace crx {
namespace {
thread_local StorageResult current;
}

QString resultText(int code)
{
    switch (code) {
    case NoError: return QStringLiteral("No Error");
    case FileNotFound: return QStringLiteral("File Not Found");
    case AccessDenied: return QStringLiteral("Access Denied");
    case FileLocked: return QStringLiteral("File Is Already Locked");
    case RecordNotAvailable: return QStringLiteral("Record Not Available");
    case RecordNotFound: return QStringLiteral("Record Not Found");
    case InvalidDataFile: return QStringLiteral("Invalid Data File");
    case FileNotOpen: return QStringLiteral("File Not Open");
    case DuplicateKey: return QStringLiteral("Creates Duplicate Key");
    case KeysMustBeRebuilt: return QStringLiteral("Key Files Must Be Rebuilt");
    case LayoutChanged: return QStringLiteral("Invalid Record Declaration");
    case FileAlreadyOpen: return QStringLiteral("File Already Open");
    case InvalidKeyLength: return QStringLiteral("Invalid Key Length");
    case ChangedByAnotherStation: return QStringLiteral("Record Changed By Another Station");
    case DriverError: return QStringLiteral("File System Error");
    case InvalidFilter: return QStringLiteral("Invalid Filter Expression");
    default: return QStringLiteral("Unknown Error");
    }
}

const StorageResult &lastResult() { return current; }
int lastCode() { return current.code; }

void setResult(int code, const QString &key)
{
    current = StorageResult{code, resultText(code), 0, {}, key};
}

void setDriverResult(int code, int driverCode, const QString &driverMessage)
{
    current = StorageResult{code, resultText(code), driverCode, driverMessage, {}};
}

void setResult(const StorageResult &result) { current = result; }

} // namespace crx
