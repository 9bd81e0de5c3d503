// The computer's CD drive, through libcdio and the Linux drive status call;
// its sound through libcdio-paranoia.
#pragma once

#include "cddrive.h"

namespace crx {

class CdioDrive : public CdDrive
{
public:
    // device: a device path such as /dev/sr0; empty for the first CD drive libcdio finds.
    explicit CdioDrive(const QString &device);

    void refresh() override;
    DriveState state() const override { return state_; }
    const DiscToc &toc() const override { return toc_; }
    QString reason() const override { return reason_; }
    bool setDoor(bool open) override;
    // Read with cd-paranoia on a drive of its own.
    std::unique_ptr<DiscAudio> audio() const override;

    // The device looked at: the one asked for, or the one found; empty when none was found.
    QString device() const { return found_; }

private:
    void readToc();

    QString device_;
    QString found_;
    DriveState state_ = DriveState::NotReady;
    DiscToc toc_;
    QString reason_;
};

} // namespace crx
