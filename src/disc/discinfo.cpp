#include "discinfo.h"

#include "cdaudio.h"
#include "readcd.h"

#include <QTextStream>

namespace crx {

int printDiscInfo(const QString &workingDirectory, QTextStream &out, QTextStream &err)
{
    const QString failure = openDisc(workingDirectory);
    if (!failure.isEmpty()) {
        SendMciCommand(QStringLiteral("close cdaudio"));
        err << failure << '\n';
        if (const QString reason = cdAudio().driveReason(); !reason.isEmpty())
            err << reason << '\n';
        err.flush();
        return 1;
    }
    const DiscIdentity disc = identifyDisc();
    SendMciCommand(QStringLiteral("close cdaudio"));
    out << disc.queryLine << '\n' << disc.signature << '\n';
    out.flush();
    return 0;
}

} // namespace crx
