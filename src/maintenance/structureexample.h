// The structure example file (.tpe) of a catalogue file: its layout as this
// program's schema knows it, in a small text format a repair reads back
//   label=Cantorix
//   layout=3
//   field=Artist text 50
//   key=SongsByArtist Artist,Title,Mix dup
#pragma once

#include <QChar>
#include <QString>

namespace crx {

struct FileDef;

// The example name of a disk name: "crxdata.tps" and "crxdata" both give "crxdata.tpe".
QString exampleName(const QString &diskName);

// Writes the example of the file at path to examplePath. The code: '1' when there is no file
// there, '2' when it is not a catalogue file, '3' with the reason in error when the example
// cannot be written, '0' when it was written.
QChar ds_MakeExample(const FileDef &def, const QString &path, const QString &examplePath, QString &error);

} // namespace crx
