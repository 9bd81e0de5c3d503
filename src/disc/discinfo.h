// "cantorix --disc-info": the disc in the drive identified as the disc
// reader does, printed for a person checking a drive and for scripts.
#pragma once

#include <QString>

class QTextStream;

namespace crx {

// Prints the CDDB query line and the disc signature on two lines; with no disc ready, the
// message why (and the drive's reason, when it gives one) on err. Returns the exit status.
int printDiscInfo(const QString &workingDirectory, QTextStream &out, QTextStream &err);

} // namespace crx
