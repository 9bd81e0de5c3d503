// Reading the audio CD in the drive into the current album: its disc
// signature, CDDB disc id, query line and playing time, and then one song
// (or, for the add wizard, one add-wizard row) per track with its length and
// frame offset. Everything goes through SendMciCommand.
#pragma once

#include "discid.h"

#include <QString>

namespace crx {

class FileSet;

// The small window shown while the disc is read ("Reading CD").
class ReadingProgress
{
public:
    virtual ~ReadingProgress() = default;
    // Shows the window with its line "Serial Number" and a bar of so many steps.
    virtual void start(int steps) = 0;
    virtual void setLine(const QString &text) = 0;
    // One step on (the bar stays full past its end); lets the window system run.
    virtual void advance() = 0;
    virtual void finish() = 0;
};

// What the identification pass finds out about the disc.
struct DiscIdentity {
    int tracks = 0;
    QString signature;  // ALB:CDIdentifier
    DiscId id;          // ALB:XCCD and the playing time
    QString queryLine;  // ALB:CDDBString, or the error text when it passes 255 characters
};

inline const QString QueryLineTooLong = QStringLiteral("Error.  CDDB command line must be rebuilt from details.");

// Opens the drive and asks whether a disc is ready: empty when it is, else the message why
// not ("CD player not ready." and the others). The drive is left open either way; opened tells
// whether this call opened it (not when another holder, the player, has it open).
QString openDisc(const QString &workingDirectory, bool *opened = nullptr);
// The disc signature (ALB:CDIdentifier) of the open drive's disc of so many tracks: the count
// in two places, then the time values of the disc's length and of the first three tracks'
// lengths, 24 characters at most. Leaves the time format at tmsf.
QString discSignature(int tracks);
// The identification pass over the open drive: track count, signature, the track table
// (kept in trackTable()), the disc id and the query line. Leaves the time format at msf.
DiscIdentity identifyDisc();

enum class ReadMode { Full = 0, Identify = 1, IdentifyQuietly = 2 };

// Reads the disc into the album in the file set's album buffer (not written to disk: the
// caller does that) at side globals().side. A full read writes the album's songs, or with
// writeTracks the rows of the add wizard numbered instance instead. False when the drive was
// not ready (after its message, left out when quiet) or the songs could not be written.
bool ReadCompactDisc(FileSet &files, ReadMode mode, bool writeTracks, ReadingProgress &progress,
                     qint64 instance = 0);

} // namespace crx
