#include "formsession.h"

#include "datafile.h"
#include "fileset.h"
#include "integrity.h"
#include "numbering.h"
#include "standardmessages.h"

#include <map>

namespace crx {

Request &formRequest()
{
    static Request request = Request::None;
    return request;
}

Response &formResponse()
{
    static Response response = Response::Cancelled;
    return response;
}

Navigation &formNavigation()
{
    static Navigation navigation = Navigation::None;
    return navigation;
}

Record &historyRecord(FileId file)
{
    static std::map<FileId, Record> history;
    return history.try_emplace(file, fileDef(file)).first->second;
}

FormSession::FormSession(FileSet &files, FileId file) : files_(files), id_(file), file_(files.file(file))
{
}

FormSession::~FormSession()
{
    close();
}

bool FormSession::open()
{
    request_ = formRequest();
    formRequest() = Request::None;
    formResponse() = Response::Cancelled;
    formNavigation() = Navigation::None;
    response_ = Response::Cancelled;
    files_.use(id_);
    using_ = true;

    if (insertOnly_ && (request_ == Request::Change || request_ == Request::Delete)) {
        ShowStandardMessage(request_ == Request::Change ? 20 : 21);
        return false;
    }
    if (request_ == Request::Delete) {
        if (ShowStandardMessage(32) != OK)
            return false;
        while (!deleteRecord(files_, id_))
            if (ShowStandardMessage(18) != Yes)
                return false;
        response_ = Response::Completed;
        return false;
    }
    if (request_ == Request::Insert && beforeInsert_ && !beforeInsert_())
        return false;
    if (request_ == Request::Insert && isNumbered(file_)) {
        if (addNumbered(file_) != Numbering::Added)
            return false;
        placeholder_ = file_.position();
    }
    if (request_ == Request::Change) {
        // Read again under watch, so that a later change by another station is caught.
        file_.watch();
        file_.reget(file_.position());
    }
    saved_ = file_.buffer();
    const QString link = linkingField(id_);
    if (!link.isEmpty())
        originalLink_ = file_.buffer().get(link);
    return true;
}

bool FormSession::changed() const
{
    return !saved_ || !file_.buffer().sameValues(*saved_);
}

FormSession::Outcome FormSession::complete(Navigation move)
{
    navigation_ = move;
    historyRecord(id_) = file_.buffer();
    if (request_ == Request::Insert) {
        const int code = placeholder_.isEmpty() ? file_.add() : file_.put();
        if (code == NoError) {
            response_ = Response::Completed;
            return Outcome::Close;
        }
        if (code == DuplicateKey)
            ShowStandardMessage(24, keyNames_.value(file_.duplicateKey(), file_.duplicateKey()));
        else
            ShowStandardMessage(14);
        return Outcome::Stay;
    }
    if (request_ != Request::Change || !changed()) {
        if (move == Navigation::None)
            response_ = Response::Completed;
        return Outcome::Close;
    }
    for (;;) {
        switch (updateRecord(files_, id_, WriteMode::Form, originalLink_)) {
        case Saved:
            response_ = Response::Completed;
            return Outcome::Close;
        case ChangedElsewhere:
            saved_ = file_.buffer();
            return Outcome::OtherValues;
        case NotSaved:
            switch (ShowStandardMessage(16)) {
            case Yes:
                continue;
            case No:
                return Outcome::Close;
            default:
                return Outcome::Stay;
            }
        }
    }
}

void FormSession::close()
{
    if (!using_)
        return;
    using_ = false;
    if (request_ == Request::Insert && !placeholder_.isEmpty() && response_ != Response::Completed
        && file_.reget(placeholder_) == NoError)
        file_.remove();
    files_.release(id_);
    formResponse() = response_;
    formNavigation() = navigation_;
}

} // namespace crx
