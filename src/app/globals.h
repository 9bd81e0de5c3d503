// The handful of values the windows of a run share.
#pragma once

#include "record.h"

#include <QString>

namespace crx {

struct Globals {
    QString helpFile;            // the help file of every window's topic
    int songEntryMode = 0;       // SongEntryMode: how the song form was opened
    QString lastFormButton;      // LastFormButton: "OK" or "Cancel" as the song form was left
    int side = 0;                // GLO:Side: the side or disc chosen in an album form
    QString startingFileNumber;  // StartingFileNumber
    QString endingFileNumber;    // EndingFileNumber
    bool readDiscInAddWizard = false; // the CD player's one-shot request to the add wizards
};

Globals &globals();
void clearGlobals();

// The current album: the album record an album window last had in hand. A song added from
// outside an album takes its defaults from it.
Record &currentAlbum();

} // namespace crx
