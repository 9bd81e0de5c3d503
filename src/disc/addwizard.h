// The add wizard's logic, apart from its windows: the instance numbers that
// own rows of the scratch file AddWizard, reading and moving those rows, and
// OK, which turns them into an album and one song per row.
#pragma once

#include "record.h"
#include "runningorder.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

class QLockFile;

namespace crx {

class DataFile;
class FileSet;

// An instance number no other open add wizard holds, in this program or in another one on
// the same catalogue directory: the lowest free one, so that a wizard opened after a
// cancelled one finds its rows again. Held until destroyed.
class WizardInstance
{
public:
    explicit WizardInstance(const QString &catalogueDirectory);
    ~WizardInstance();
    WizardInstance(const WizardInstance &) = delete;
    WizardInstance &operator=(const WizardInstance &) = delete;
    qint64 number() const { return number_; }

private:
    std::unique_ptr<QLockFile> lock_;
    qint64 number_ = 0;
};

struct WizardRow {
    QByteArray position;
    int track = 0;
    QString artist;
    QString title;
    qint64 time = 0; // a time value; 0 for none
};

// The instance's rows (side 1) in track order; what was read before a read error, and the
// error's text.
struct WizardRows {
    std::vector<WizardRow> rows;
    QString error;
};
WizardRows readWizardRows(DataFile &rows, qint64 instance);

// Moves the instance's row numbered track up one, to the top, down one or to the bottom, in
// one transaction: the row is parked above the highest track, each row it passes takes the
// number before it, and the row takes the last number freed. After a failure (rolled back)
// "Record swap error: ..." with the step's name is shown. False when nothing moved.
bool moveWizardRow(FileSet &files, qint64 instance, int track, Move mode);

// A track's time as the wizard shows it and as its song's AdditionalInformation1 keeps it: the
// last five characters of hours:minutes:seconds ("03:21").
QString wizardTimeText(qint64 time);

// What OK turns the rows into.
struct WizardAlbum {
    bool compilation = false;  // the album is by "Various", each song by its row's artist
    bool addAlbum = true;      // "Add Information to Album Database"
    QString discSignature;     // from the last disc read; blank for none
    qint64 instance = 0;
};

// OK: the album (unless a duplicate, or found instead when addAlbum is off), then one song
// per row from the carrier record's values, each row deleted as its song is written, all
// in one transaction. Its messages are shown after it has ended. Returns the album id the
// songs carry (0 for none), or nothing when the transaction failed and nothing was written.
std::optional<qint64> writeWizardAlbum(FileSet &files, const Record &carrier, const WizardAlbum &how);

} // namespace crx
