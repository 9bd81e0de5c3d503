// Plain text files read or written one line per record: the import line file
// (lines of up to 1024 characters), the export line file (16000) and the
// event log. Lines are read as UTF-8, or as Latin-1 when they are not valid
// UTF-8, and written as UTF-8.
#pragma once

#include <QDateTime>
#include <QFile>
#include <QString>

namespace crx {

class LineFile
{
public:
    static constexpr int ImportWidth = 1024;
    static constexpr int ExportWidth = 16000;

    explicit LineFile(int width) : width_(width) {}

    void setName(const QString &path) { file_.setFileName(path); }
    QString name() const { return file_.fileName(); }

    int open();          // for reading
    int create();        // a new or emptied file for writing
    int openAppend();    // for appending, created when missing
    void close() { file_.close(); }
    // Bytes read or written so far, and the file's size in bytes.
    qint64 position() const { return file_.pos(); }
    qint64 size() const { return file_.size(); }

    // Reads the next line (without its line end) cut at the width; RecordNotAvailable at the end.
    int next(QString &line);
    int add(const QString &line);
    // Hands what was added to the system, so that a reader sees it before the file is closed.
    void flush() { file_.flush(); }

private:
    int fileError();

    int width_;
    QFile file_;
};

// Appends one entry to the event log "CRXEvent.LOG" in directory.
int appendEventLog(const QString &directory, const QString &label, const QString &data,
                   const QDateTime &when = QDateTime::currentDateTime());
// The entry as it stands in the log: date, time, label and data, each padded to its width.
QString eventLogLine(const QString &label, const QString &data, const QDateTime &when);

} // namespace crx
