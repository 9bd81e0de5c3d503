// A CD drive as the disc reader and the player see it: its tray, whether a
// disc is in it, the disc's table of contents and its sound. Two kinds stand behind
// it: the computer's drive (cdiodrive.h) and a virtual drive that reads a
// disc description file (virtualdrive.h).
#pragma once

#include "discaudio.h"

#include <QString>
#include <memory>
#include <vector>

namespace crx {

// The tracks' starts and the lead-out in absolute frames, the 150-frame lead-in included.
struct DiscToc {
    std::vector<qint32> starts;
    qint32 leadOut = 0;
};

// Missing: there is no such drive.
enum class DriveState { Ready, NoDisc, DoorOpen, NotReady, Missing };

class CdDrive
{
public:
    virtual ~CdDrive() = default;

    // Looks at the drive again: its tray, the disc in it and the disc's table of contents.
    virtual void refresh() = 0;
    virtual DriveState state() const = 0;
    // Valid while the state is Ready.
    virtual const DiscToc &toc() const = 0;
    // Why the drive is not ready, in a line for the event log; empty when it is.
    virtual QString reason() const = 0;
    // Opens or closes the tray; false when the drive cannot. The state changes at the next refresh.
    virtual bool setDoor(bool open) = 0;
    // The sound of the disc in the drive, to be read on another thread; asked for while Ready.
    virtual std::unique_ptr<DiscAudio> audio() const = 0;
};

// The drive the settings of the working directory name: the virtual drive when the
// environment variable CANTORIX_VIRTUAL_DISC or the setting VirtualDisc (section "Settings"
// of CRXPro98.INI) names a disc description, the computer's drive CDDevice (default the
// first CD drive found) otherwise.
struct DriveChoice {
    bool isVirtual = false;
    QString name; // the description file, or the device (empty: the first found)
    bool operator==(const DriveChoice &) const = default;
};
DriveChoice driveChoice(const QString &workingDirectory);
std::unique_ptr<CdDrive> makeDrive(const DriveChoice &choice, const QString &workingDirectory);

} // namespace crx
