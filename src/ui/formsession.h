// The logic of an update form, apart from its window: the request taken in,
// the placeholder of an insert, the delete that shows no window, the saved
// copy and the original linking field, completing through the update routine,
// the per-file history record for ditto, and the response given back.
#pragma once

#include "record.h"
#include "schema.h"

#include <QByteArray>
#include <QHash>
#include <QVariant>
#include <functional>
#include <optional>

namespace crx {

class FileSet;
class DataFile;

// Copy inserts a new record with the values of the one in the buffer (the song lists' Copy).
enum class Request { None, Insert, Change, Delete, Copy };
enum class Response { Cancelled, Completed };

// The list moves a form with navigation buttons may ask of its list, beside its response.
enum class Navigation { None, First, Last, Next, Previous, NextPage, PreviousPage, InsertAnother };

// The request a caller sets before it calls a form, and the response the form leaves.
Request &formRequest();
Response &formResponse();
Navigation &formNavigation();

// The record last accepted by a form of the file, for the ditto command; cleared at first.
Record &historyRecord(FileId file);

class FormSession
{
public:
    FormSession(FileSet &files, FileId file);
    ~FormSession();
    FormSession(const FormSession &) = delete;
    FormSession &operator=(const FormSession &) = delete;

    // A form that may only insert (the wizards) refuses change and delete requests.
    void setInsertOnly(bool insertOnly) { insertOnly_ = insertOnly; }
    // The names messages give the keys of the file ("MUS:KeyID" is "Unique Song ID").
    void setKeyNames(QHash<QString, QString> names) { keyNames_ = std::move(names); }
    // The starting values of an insert, set before the record is numbered and added;
    // false gives the insert up.
    void setBeforeInsert(std::function<bool()> prepare) { beforeInsert_ = std::move(prepare); }

    // The opening steps before a window shows: true when the window is to be shown.
    bool open();
    Request request() const { return request_; }
    DataFile &file() const { return file_; }
    bool changed() const;

    enum class Outcome {
        Close,       // done: close the window
        Stay,        // stay open with the first field selected
        OtherValues, // stay open showing the record as another station saved it
    };
    // Completes after every field has passed its check. With a navigation move, an
    // unchanged record closes without setting completed and the move goes back to the list.
    Outcome complete(Navigation move = Navigation::None);
    // Closing: the placeholder of an insert that was not completed is deleted, the file released.
    void close();
    Response response() const { return response_; }

private:
    FileSet &files_;
    FileId id_;
    DataFile &file_;
    bool insertOnly_ = false;
    std::function<bool()> beforeInsert_;
    QHash<QString, QString> keyNames_;
    Request request_ = Request::None;
    Response response_ = Response::Cancelled;
    Navigation navigation_ = Navigation::None;
    std::optional<Record> saved_;
    QVariant originalLink_;
    QByteArray placeholder_;
    bool using_ = false;
};

} // namespace crx
