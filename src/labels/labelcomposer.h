// What the label wizard writes into a label from the catalogue: the title,
// spine, flap and description of an album or of a group of songs (by file
// number, or by album title and artist), and the track lists of the covers
// and of the two cassette sides, in the order the preferences ask for.
#pragma once

#include <QChar>
#include <QString>
#include <vector>

namespace crx {

class FileSet;
class Record;

// An artist stored for sorting, in reading form: "Beatles, The" is "The Beatles", "Petty, Tom
// and the Heartbreakers" is "Tom Petty and the Heartbreakers"; a name without a comma stays.
QString ArtistDisplayName(const QString &artist);

// " (m:ss)" of a song's time (hours and hundredths dropped), else " (" its additional
// information ")" when that holds a time other than 00:00; else nothing.
QString timeSuffix(qint64 time, const QString &additionalInformation);

struct LabelEntry {
    QChar side; // the digit of the song's side
    int track = 0;
    QString text;
};

// The most entries a label's track lists hold.
constexpr int MostLabelEntries = 51;

struct LabelTrackLists {
    QString front, back, sideA, sideB;
};
// Lines "  7. text" in side, track and text order, with the delimiter (a blank one is "."):
// every entry on both covers, side 1 and 0 on side A, side 2 and 0 on side B.
LabelTrackLists trackLists(std::vector<LabelEntry> entries, const QString &delimiter);

struct LabelComposition {
    QString description, spine, cdTitle, flap, cassetteTitle;
    qint64 album = 0;
    bool hasTracks = false; // the songs found: the track lists and the image are new
    LabelTrackLists tracks;
    QString imageName;
};

// From the album and its songs (side, track order).
LabelComposition composeFromAlbum(FileSet &files, const Record &album, bool artistFirst, const QString &delimiter);
// From the chosen song: the songs of its media and file number, or, without a file number, of
// its album title and artist. The picture is that of the chosen song's own album.
LabelComposition composeFromSong(FileSet &files, const Record &song, bool artistFirst, const QString &delimiter);

// Puts the composition into the label record, each text cut at its field's width; the track
// lists and the image only when songs were found.
void applyComposition(Record &label, const LabelComposition &composition);

// The preference LabelArtistTitleOrder asks for the artist first.
bool artistFirst(const QString &labelArtistTitleOrder);

} // namespace crx
