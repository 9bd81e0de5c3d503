// What this build of the program is: its version and when it was compiled.
#pragma once

#include <QString>

namespace crx {

QString programVersion(); // "2.07"
QString buildDate();      // "Dec 11 2026", as the compiler gives it
QString buildTime();      // "15:20:07"

} // namespace crx
