#include "launchers.h"

namespace crx {

bool Launchers::run(const QString &name, MainFrame &frame) const
{
    const auto it = launchers_.find(name);
    if (it == launchers_.end())
        return false;
    // A copy: the launcher may change the registry while it runs.
    const Launcher launcher = it->second;
    launcher(frame);
    return true;
}

Launchers &launchers()
{
    static Launchers registry;
    return registry;
}

} // namespace crx
