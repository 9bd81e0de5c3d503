// The event log "CRXEvent.LOG": diagnostic lines of the drive and the
// player, written only while the setting UseLog is on.
#pragma once

#include "linefile.h"

#include <QString>

namespace crx {

class EventLog
{
public:
    // The directory the log is kept in (the working directory).
    void setDirectory(const QString &directory);
    // Appends one entry; the file stays open and is closed again after every 100 lines.
    void write(const QString &label, const QString &value);

private:
    QString directory_;
    LineFile file_{102};
    int lines_ = 0;
};

EventLog &eventLog();

// One entry in the event log when logging is on; nothing otherwise.
void WriteEventLog(const QString &label, const QString &value);

} // namespace crx
