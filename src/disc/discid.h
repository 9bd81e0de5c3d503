// The identifiers of an audio CD worked out from its table of contents:
// frame and time conversions, the CDDB disc id and its playing time.
// A frame is 1/75 second; positions are absolute, the 150-frame lead-in
// included.
#pragma once

#include <QString>
#include <vector>

namespace crx {

constexpr int FramesPerSecond = 75;
constexpr int LeadInFrames = 150;

struct Msf {
    int minutes = 0;
    int seconds = 0;
    int frames = 0;
};

// One track of the table the identification pass reads: its start and its length in frames
// (the length as the drive reports it, the last track's one frame short of the lead-out).
struct TrackEntry {
    qint32 position = 0;
    qint32 length = 0;
};
using TrackTable = std::vector<TrackEntry>;

// The table of the disc read last; callers work the disc id out from it again.
TrackTable &trackTable();

Msf FramesToMsf(qint64 frames);
// "mm:ss:ff" read by its character positions (1-2, 4-5, 7-8).
qint64 MsfToFrames(const QString &msf);
// A time value (hundredths + 1) of a "mm:ss:ff" length: frames "99" count as one more second,
// any other frames are dropped.
qint32 MsfToTime(const QString &msf);
int DigitSum(qint64 n);
// The value as unsigned hexadecimal digits (upper case), zero-padded to width.
QString HexDigits(quint32 value, int width);

struct DiscId {
    QString id;         // 8 lower-case hexadecimal digits, empty for an empty table
    qint32 playingTime = 0; // playing seconds x 100
    qint64 leadOutSeconds = 0; // whole seconds from the disc's start to its lead-out
};

// The published CDDB disc id: the digit sums of each track's start in whole seconds, the
// whole seconds from track 1 to the lead-out (the frame after the last track's end) and the
// track count.
DiscId ComputeDiscId(const TrackTable &tracks);

} // namespace crx
