// The CDDB look-up: the disc in the drive is read, the outside program
// DiscTalk is run on its query line, and the disc record it leaves in
// CDDB_LOG.TXT fills the album and its songs: titles, artists, notes and the
// category.
#pragma once

#include <QString>
#include <QStringList>
#include <map>

namespace crx {

class FileSet;
class ReadingProgress;

// Runs an outside program of ours and waits for it. One that cannot be started gives
// "EXE, Batch File or PIF File Not Found:" and its name ("Critical Error Message"). Its exit
// code, or -1.
int RunAndWait(const QString &program, const QString &workingDirectory);

// Lower case without leading blanks, each word's first letter in capitals: the first
// character and every one after a blank, "-", "(", ".", "&" or "/", except after such a
// character in the last two places of a field of width characters.
QString ProperCase(const QString &text, int width = 50);

// What the first disc record of an xmcd text says.
struct CddbTrack {
    QString title;  // as the first line gives it, with the lines continuing it
    QString artist; // after " / " (or " - " on a Various disc); empty: the disc's artist
    QString notes;  // the EXTT values, one after another
    bool titled = false;
};
struct CddbDisc {
    bool titled = false;
    QString artist, album, notes;
    std::map<int, CddbTrack> tracks; // by track number, from 1
};
CddbDisc readCddbRecord(const QStringList &lines);

// The look-up on the album in the file set's album buffer, at side globals().side; the
// songs are written in one transaction. False when nothing was retrieved (after its message).
bool LookUpCddb(FileSet &files, ReadingProgress &progress);

} // namespace crx
