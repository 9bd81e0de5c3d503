#include "linefile.h"

#include "result.h"

#include <QDir>
#include <QLocale>
#include <QStringDecoder>

namespace crx {

int LineFile::fileError()
{
    const int code = file_.error() == QFileDevice::OpenError && !file_.exists() ? FileNotFound
                     : file_.error() == QFileDevice::PermissionsError              ? AccessDenied
                                                                                     : DriverError;
    setDriverResult(code, int(file_.error()), file_.errorString());
    return code;
}

int LineFile::open()
{
    file_.close();
    if (!file_.exists()) {
        setResult(FileNotFound);
        return FileNotFound;
    }
    if (!file_.open(QIODevice::ReadOnly))
        return fileError();
    setResult(NoError);
    return NoError;
}

int LineFile::create()
{
    file_.close();
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return fileError();
    setResult(NoError);
    return NoError;
}

int LineFile::openAppend()
{
    file_.close();
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Append))
        return fileError();
    setResult(NoError);
    return NoError;
}

int LineFile::next(QString &line)
{
    if (!file_.isOpen()) {
        setResult(FileNotOpen);
        return FileNotOpen;
    }
    if (file_.atEnd()) {
        setResult(RecordNotAvailable);
        return RecordNotAvailable;
    }
    QByteArray bytes = file_.readLine();
    while (bytes.endsWith('\n') || bytes.endsWith('\r'))
        bytes.chop(1);
    QStringDecoder utf8(QStringDecoder::Utf8);
    line = utf8.decode(bytes);
    if (utf8.hasError())
        line = QString::fromLatin1(bytes);
    if (line.size() > width_)
        line.truncate(width_);
    setResult(NoError);
    return NoError;
}

int LineFile::add(const QString &line)
{
    if (!file_.isOpen()) {
        setResult(FileNotOpen);
        return FileNotOpen;
    }
    const QByteArray bytes = line.left(width_).toUtf8() + '\n';
    if (file_.write(bytes) != bytes.size())
        return fileError();
    setResult(NoError);
    return NoError;
}

QString eventLogLine(const QString &label, const QString &data, const QDateTime &when)
{
    const QLocale c = QLocale::c();
    const QString date = c.toString(when.date(), QStringLiteral("MMM d,yyyy")).toUpper();
    const QString time = QLocale::system().toString(when.time(), QLocale::ShortFormat);
    return date.leftJustified(12, ' ', true) + time.leftJustified(10, ' ', true)
           + label.leftJustified(30, ' ', true) + data.leftJustified(50, ' ', true);
}

int appendEventLog(const QString &directory, const QString &label, const QString &data, const QDateTime &when)
{
    LineFile log(102);
    log.setName(QDir(directory).absoluteFilePath(QStringLiteral("CRXEvent.LOG")));
    const int code = log.openAppend();
    if (code != NoError)
        return code;
    return log.add(eventLogLine(label, data, when));
}

} // namespace crx
