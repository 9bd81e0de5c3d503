// What the frame's commands start, by name: each window or process of the
// program registers a launcher under its name ("BrowseSongs", "SetupWizard",
// "BuildAlbums"). A launcher of a "thread" command opens its window as a
// modeless child of the frame and returns at once; one of a "frame" command
// runs modally and returns when it is done.
#pragma once

#include <QString>
#include <functional>
#include <map>

namespace crx {

class MainFrame;

using Launcher = std::function<void(MainFrame &)>;

class Launchers
{
public:
    void add(const QString &name, Launcher launcher) { launchers_[name] = std::move(launcher); }
    void remove(const QString &name) { launchers_.erase(name); }
    bool has(const QString &name) const { return launchers_.count(name) > 0; }
    // Runs the launcher; false when nothing is registered under the name.
    bool run(const QString &name, MainFrame &frame) const;

private:
    std::map<QString, Launcher> launchers_;
};

// The launchers of this run.
Launchers &launchers();

} // namespace crx
