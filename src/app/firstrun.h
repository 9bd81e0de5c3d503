// The frame's opening work on the catalogue: the default media formats, the
// tips of the day of a first start, and the question whether to build the
// album file from the songs.
#pragma once

#include <QString>
#include <QStringList>

namespace crx {

class DataFile;

inline const QString ProgramVersion = QStringLiteral("2.07");

// The twelve media formats a new catalogue starts with, in order.
QStringList defaultMediaFormats();
// Adds them when the media file is empty.
void addDefaultMediaFormats(DataFile &media);

// The tips of the day a new catalogue starts with, each true of the program as it stands.
QStringList programTips();
// Adds them, numbered from 1, to the tips file of a catalogue that has none yet.
void addProgramTips(DataFile &tips);

// Whether to offer building the album file: no albums, some songs, and a
// previous version (read as a decimal number) below 50.1.
bool offerAlbumCopy(qint64 albums, qint64 songs, const QString &previousVersion);

} // namespace crx
