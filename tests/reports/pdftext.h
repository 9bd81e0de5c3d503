// What a reader of a PDF sees: its text as pdftotext lays it out, and its fonts.
#pragma once

#include <QProcess>
#include <QString>

namespace crx::test {

inline QString pdfText(const QString &path)
{
    QProcess run;
    run.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    run.waitForFinished();
    return QString::fromUtf8(run.readAllStandardOutput());
}

inline QString pdfFonts(const QString &path)
{
    QProcess run;
    run.start(QStringLiteral("pdffonts"), {path});
    run.waitForFinished();
    return QString::fromUtf8(run.readAllStandardOutput());
}

} // namespace crx::test
