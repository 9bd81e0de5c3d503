// The update and delete routine of every keyed file: the write runs inside a
// transaction over the file and the files it cascades to, changes or deletes
// the children (cascade) or refuses while a child exists (restrict), catches
// a record changed by another station, and reports failures through the
// standard messages. Every failure leaves all the files as they were.
//
//   Album          songs (MUS:AlbumID):        change cascades, delete cascades
//                                              (each song checked against playlist entries)
//   Categories     albums (ALB:CategoryID):    change and delete restricted (message 12, 13)
//                  songs (MUS:CategoryID):     change cascades, delete restricted
//   Media          songs (MUS:Media):          change cascades, delete restricted
//   PlaylistMaster entries (PLA:PlaylistID):   delete cascades
//   Cantorix       entries (PLA:ID):           delete restricted
// The other files only frame their single write.
#pragma once

#include "schema.h"

#include <QVariant>

namespace crx {

class FileSet;

enum class WriteMode { Form, Quiet };

enum UpdateResult { Saved = 0, NotSaved = 1, ChangedElsewhere = 2 };

// Rewrites the file's current record (its buffer). originalLink is the linking field
// (ALB:AlbumID, CAT:CategoryID, MED:Media) as it was when the record was read; the other
// files pass an empty value. A file with a linking field is not written without it (message
// 15): the children could not follow a change. On ChangedElsewhere the buffer holds the
// other station's version of the record.
UpdateResult updateRecord(FileSet &files, FileId file, WriteMode mode, const QVariant &originalLink);

// Deletes the file's current record; false when it did not (a message has been shown).
bool deleteRecord(FileSet &files, FileId file);

// The field other files refer to, for the files whose update routine needs its original value.
QString linkingField(FileId file);

} // namespace crx
