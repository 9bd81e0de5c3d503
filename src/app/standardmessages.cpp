#include "standardmessages.h"

#include "connection.h"
#include "result.h"
#include "transaction.h"

#include <optional>

namespace crx {
namespace {

std::optional<StorageResult> recorded;

QString trimmedRight(QString text)
{
    while (text.endsWith(' '))
        text.chop(1);
    return text;
}

QString describe(const StorageResult &r)
{
    const QString e = r.code == DriverError ? r.driverMessage + " (" + QString::number(r.driverCode) + ")"
                                            : r.text + " (" + QString::number(r.code) + ")";
    return trimmedRight(e.left(150));
}

// Replaces the placeholders of a template in one pass, so that a text never
// has its own braces taken for a placeholder.
QString fill(const QString &pattern, std::initializer_list<std::pair<QString, QString>> values)
{
    QString out;
    for (qsizetype i = 0; i < pattern.size();) {
        bool replaced = false;
        for (const auto &[name, value] : values)
            if (pattern.mid(i, name.size()) == name) {
                out += value;
                i += name.size();
                replaced = true;
                break;
            }
        if (!replaced)
            out += pattern[i++];
    }
    return out;
}

struct Entry {
    int number;
    const char *title;
    const char *text; // {1}, {2}: the texts; {1l}: text1 in lower case; {E}: the error description
    Icon icon;
    Buttons buttons;
    Button defaultButton;
    const char *halt;
};

constexpr Icon X = Icon::Exclamation;
constexpr Icon Q = Icon::Question;

const Entry catalogue[] = {
    {1, "Invalid File", "Error: ({E}) accessing {1}.  Press OK to end this application.", X, OK, OK, "Invalid File!"},
    {2, "Invalid Key", "{1} key file is invalid.  Do you want to rebuild the key?", Q, Yes | No, Yes, "Invalid Key!"},
    {3, "Key Rebuild Error", "Error: ({E}) repairing key for {1}.  Press OK to end this application.", X, OK, OK,
     "Error Rebuilding Key!"},
    {4, "File Creation Error", "Error: ({E}) creating {1}.  Press OK to end this application.", X, OK, OK,
     "File Creation Error!"},
    {5, "File Creation Error", "Error: ({E}) opening created file:{1}.  Press OK to end this application.", X, OK, OK,
     "File Creation Error!"},
    {10, "Range Error", "The value of {1} must be between {2}.", X, OK, OK, ""},
    {11, "Field Contents Error", "The value for {1} must be found in the {2} file.", X, OK, OK, ""},
    {12, "Referential Integrity Update Error",
     "This record is referenced from the file {1}.  Linking field(s) have been restricted from change and have been "
     "reset to original values.", X, OK, OK, ""},
    {13, "Referential Integrity Delete Error",
     "This record is referenced from the file {1}.  This record cannot be deleted while these references exist.", X, OK,
     OK, ""},
    {14, "Record Insert Error", "An error was experienced during the update of record.  Error: {E}.", X, OK, OK, ""},
    {15, "Update Operation Error",
     "An error ({E}) was experienced when attempting to update a record from the file.  Probable Cause: {1}.", X, OK,
     OK, ""},
    {16, "Record Update Error", "An error was experienced changing this record.  Do you want to try to save again?", X,
     Yes | No | Cancel, Cancel, ""},
    {17, "Delete Operation Error", "An error ({E}) was experienced when attempting to delete a record from the file {1}.",
     X, OK, OK, ""},
    {18, "Record Update Error", "An error was experienced deleting this record.  Do you want to try to save again?", X,
     Yes | No | Cancel, Cancel, ""},
    {20, "Invalid Request",
     "This procedure was called to change a record, however changes are not allowed for this procedure.  Press OK to "
     "return to the calling procedure", X, OK, OK, ""},
    {21, "Invalid Request",
     "This procedure was called to delete a record, however deletions are not allowed for this procedure.  Press OK to "
     "return to the calling procedure", X, OK, OK, ""},
    {23, "Update Cancelled", "Are you sure you want to cancel?", Q, Yes | No, No, ""},
    {24, "Duplicate Key Error", "Adding this record creates a duplicate entry for the key:{1}", X, OK, OK, ""},
    {25, "Auto Increment Error", "Attempts to automatically number this record have failed.  Error: {E}.", X,
     Retry | Cancel, Cancel, ""},
    {30, "File Access Error", "File ({1}) could not be opened.  Error: {E}.", X, OK, OK, ""},
    {31, "Process PUT Error", "An error was experienced when making changes to the {2} file.  Error: {E}", X, OK, OK, ""},
    {32, "Confirm Delete",
     "You've selected to delete the highlighted record.  Press OK to confirm deletion of this record.", Q, OK | Cancel,
     Cancel, ""},
    {34, "Transaction Framing Error",
     "Error: ({E}) attempting to frame the {1l} transaction on {2}.  {1} transaction cancelled.", X, OK, OK, ""},
    {35, "Record Retrieval Error",
     "Error: ({E}) attempting to access a record from the {1} file.  Returning to previous window.", X, OK, OK, ""},
    {36, "View Open Error",
     "Error: ({E}) attempting to open the current VIEW. Filter and Range Limits ignored.", X, OK, OK, ""},
    {38, "Record Was Not Updated",
     "This record was changed by another station. Those changes will now be displayed. Use the Ditto Button or "
     "Ctrl+' to recall your changes.", X, OK, OK, ""},
};

} // namespace

QString errorDescription()
{
    return describe(recorded ? *recorded : lastResult());
}

void SaveStorageError()
{
    recorded = lastResult();
    rollbackTransaction();
}

StandardMessage composeStandardMessage(int number, const QString &text1In, const QString &text2In)
{
    // E is built, and the recorded error let go, at every call.
    const StorageResult error = recorded ? *recorded : lastResult();
    recorded.reset();
    const QString e = describe(error);
    const QString text1 = trimmedRight(text1In);
    const QString text2 = trimmedRight(text2In);

    for (const Entry &entry : catalogue) {
        if (entry.number != number)
            continue;
        StandardMessage m{number, entry.title, entry.text, entry.icon, entry.buttons, entry.defaultButton, entry.halt};
        if (number == 15 && (error.code == NoError || error.code == ChangedByAnotherStation))
            m.text = QStringLiteral("This record was changed by another station.");
        if (number == 31 && text1 != QLatin1String("Put")) {
            m.title = QStringLiteral("Process DELETE Error");
            m.text = QStringLiteral("An error was experienced when deleting a record from the {2} file.  Error: {E}");
        }
        m.text = fill(m.text, {{"{1l}", text1.toLower()}, {"{1}", text1}, {"{2}", text2}, {"{E}", e}});
        return m;
    }
    return StandardMessage{0, {}, {}, Icon::None, OK, OK, {}};
}

Button ShowStandardMessage(int number, const QString &text1, const QString &text2)
{
    const StandardMessage m = composeStandardMessage(number, text1, text2);
    if (m.number == 0)
        return OK;
    // No file stays locked while the person reads the message.
    stopAllReading();
    const Button pressed = interaction().message(m.title, m.text, m.icon, m.buttons, m.defaultButton);
    if (!m.haltText.isEmpty() && (number != 2 || pressed != Yes))
        interaction().halt(m.haltText);
    return pressed;
}

} // namespace crx
