#include "eventlog.h"

#include "result.h"
#include "settings.h"

#include <QDir>

namespace crx {

void EventLog::setDirectory(const QString &directory)
{
    file_.close();
    directory_ = directory;
    lines_ = 0;
}

void EventLog::write(const QString &label, const QString &value)
{
    if (lines_ == 0) {
        file_.setName(QDir(directory_).absoluteFilePath(QStringLiteral("CRXEvent.LOG")));
        if (file_.openAppend() != NoError)
            return;
    }
    file_.add(eventLogLine(label, value, QDateTime::currentDateTime()));
    file_.flush();
    if (++lines_ == 100) {
        file_.close();
        lines_ = 0;
    }
}

EventLog &eventLog()
{
    static EventLog log;
    return log;
}

void WriteEventLog(const QString &label, const QString &value)
{
    if (settings().useLog)
        eventLog().write(label, value);
}

} // namespace crx
