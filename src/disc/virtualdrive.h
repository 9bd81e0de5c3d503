// A drive without hardware: the disc is a description file, either a cue
// sheet or a table of contents in absolute frames (lead-in included), one
// line each and "#" starting a comment:
//
//     TRACK 1 150
//     TRACK 2 15239
//     LEADOUT 138352
//
// A cue sheet's tracks start at their INDEX 01 plus the lead-in (and the
// lengths of the files before theirs); its lead-out is a line
// "REM LEADOUT frames" (absolute, as above) or the end of the audio of its
// last FILE (a WAV file or raw 2352-byte sectors), relative to the sheet.
// The disc sounds as its cue sheet's files hold it (WAV files must hold CD
// audio), silent where no file covers it and all through for a table of
// contents. A missing or empty file is a drive without a disc; the setting
// VirtualDiscDoor = "open" or a tray opened by command is an open door; a
// description that cannot be read is a drive that is not ready, with the
// reason in reason().
#pragma once

#include "cddrive.h"

#include <vector>

namespace crx {

// Frames of a disc image file that sound on the disc from an absolute frame on.
struct ImagePiece {
    QString path;
    qint64 offset = 0; // of the piece's first sample in the file, in bytes
    qint32 start = 0;
    qint64 frames = 0;
};

class VirtualDrive : public CdDrive
{
public:
    // description relative to the working directory, whose CRXPro98.INI holds VirtualDiscDoor.
    VirtualDrive(const QString &description, const QString &workingDirectory);

    void refresh() override;
    DriveState state() const override { return state_; }
    const DiscToc &toc() const override { return toc_; }
    QString reason() const override { return reason_; }
    bool setDoor(bool open) override;
    std::unique_ptr<DiscAudio> audio() const override;

private:
    // The setting VirtualDiscDoor = "open" holds the door open whatever the commands say.
    bool doorHeldOpen() const;

    QString description_;
    QString workingDirectory_;
    bool doorOpened_ = false; // by command
    DriveState state_ = DriveState::NoDisc;
    DiscToc toc_;
    std::vector<ImagePiece> image_;
    QString reason_;
};

// The table of contents a description's text gives, or the reason it gives none; a cue
// sheet's files are looked for in directory. Empty text gives no tracks and no reason.
struct ParsedDisc {
    DiscToc toc;
    std::vector<ImagePiece> image;
    QString error;
};
ParsedDisc parseDiscDescription(const QString &text, const QString &directory);

} // namespace crx
