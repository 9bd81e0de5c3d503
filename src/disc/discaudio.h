// The sound on a disc: its audio sectors, 2352 bytes each of 44.1 kHz 16-bit
// stereo samples (75 to a second), read by the playback on its worker thread.
// A drive gives one for the disc in it; it holds what it needs to read the
// disc by itself, so it outlives changes of the drive's state.
#pragma once

#include <QByteArray>
#include <QString>

namespace crx {

constexpr int SectorBytes = 2352;

class DiscAudio
{
public:
    virtual ~DiscAudio() = default;
    // Reads count sectors from the absolute frame `frame` (the 150-frame lead-in included)
    // into out; false with the reason in error when they cannot be read.
    virtual bool read(qint32 frame, int count, QByteArray &out, QString &error) = 0;
};

} // namespace crx
