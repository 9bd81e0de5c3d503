#include "discid.h"

namespace crx {

TrackTable &trackTable()
{
    static TrackTable table;
    return table;
}

Msf FramesToMsf(qint64 frames)
{
    Msf msf;
    msf.minutes = int(frames / (60 * FramesPerSecond));
    msf.seconds = int(frames / FramesPerSecond - qint64(msf.minutes) * 60);
    msf.frames = int(frames - qint64(msf.minutes) * 60 * FramesPerSecond - qint64(msf.seconds) * FramesPerSecond);
    return msf;
}

namespace {

int part(const QString &msf, int from)
{
    return msf.mid(from, 2).trimmed().toInt();
}

} // namespace

qint64 MsfToFrames(const QString &msf)
{
    return qint64(part(msf, 0)) * 60 * FramesPerSecond + part(msf, 3) * FramesPerSecond + part(msf, 6);
}

qint32 MsfToTime(const QString &msf)
{
    int minutes = part(msf, 0);
    int seconds = part(msf, 3);
    if (msf.mid(6, 2) == QLatin1String("99"))
        ++seconds;
    if (seconds >= 60) {
        seconds -= 60;
        ++minutes;
    }
    int hours = 0;
    if (minutes > 59) {
        hours = 1;
        minutes -= 60;
    }
    return hours * 360000 + minutes * 6000 + seconds * 100 + 1;
}

int DigitSum(qint64 n)
{
    int sum = 0;
    for (; n > 0; n /= 10)
        sum += int(n % 10);
    return sum;
}

QString HexDigits(quint32 value, int width)
{
    static const char digits[] = "0123456789ABCDEF";
    QString out(width, QLatin1Char('0'));
    for (int i = width - 1; i >= 0 && value; --i, value >>= 4)
        out[i] = QLatin1Char(digits[value & 0xF]);
    return out;
}

DiscId ComputeDiscId(const TrackTable &tracks)
{
    DiscId disc;
    if (tracks.empty())
        return disc;
    qint64 n = 0;
    for (const TrackEntry &t : tracks)
        n += DigitSum(t.position / FramesPerSecond);
    const TrackEntry &last = tracks.back();
    const qint64 leadOut = qint64(last.position) + last.length + 1;
    disc.leadOutSeconds = leadOut / FramesPerSecond;
    const qint64 playing = disc.leadOutSeconds - tracks.front().position / FramesPerSecond;
    const quint32 id = (quint32(n % 255) << 24) | (quint32(playing) << 8) | quint32(tracks.size());
    disc.id = HexDigits(id, 8).toLower();
    disc.playingTime = qint32(playing * 100);
    return disc;
}

} // namespace crx
