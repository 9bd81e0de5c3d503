#include "autocomplete.h"

#include "datafile.h"
#include "fileset.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>

namespace crx {

namespace {

// The prefix read as a pattern: "*" any run, "?" any character.
bool matchesPattern(const QString &name, const QString &prefix)
{
    if (!prefix.contains('*') && !prefix.contains('?'))
        return false;
    const QRegularExpression pattern(QRegularExpression::wildcardToRegularExpression(prefix),
                                     QRegularExpression::CaseInsensitiveOption);
    return pattern.match(name).hasMatch();
}

} // namespace

QString completeArtist(FileSet &files, const QString &prefix)
{
    if (prefix.isEmpty())
        return {};
    DataFile &artists = files.use(FileId::Artists);
    const Record kept = artists.buffer();
    artists.buffer().clear();
    artists.buffer().set("ART:Artist", prefix);
    const int key = artists.def().keyIndex("ART:K_ARTIST");
    artists.setReadAhead(key, 1); // one default is wanted, not a page of them
    artists.set(key);
    QString found;
    if (artists.next() == NoError) {
        const QString name = artists.buffer().get("ART:Artist").toString();
        if (name.left(prefix.size()).toUpper() == prefix.toUpper() || matchesPattern(name, prefix))
            found = name;
    }
    artists.buffer() = kept;
    files.release(FileId::Artists);
    return found;
}

ArtistCompleter::ArtistCompleter(FileSet &files, QLineEdit &field, bool mustMatch)
    : QObject(&field), files_(files), field_(field), mustMatch_(mustMatch)
{
    field_.installEventFilter(this);
    connect(&field_, &QLineEdit::textEdited, this, &ArtistCompleter::edited);
    connect(&field_, &QLineEdit::editingFinished, this, &ArtistCompleter::left);
}

ArtistCompleter::~ArtistCompleter()
{
    field_.removeEventFilter(this);
}

bool ArtistCompleter::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != &field_)
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn) {
        typed_ = field_.text().left(field_.cursorPosition());
        active_ = true;
    }
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    const bool moving = key->key() == Qt::Key_Left || key->key() == Qt::Key_Right || key->key() == Qt::Key_End
                        || key->key() == Qt::Key_Delete;
    const bool editing = !moving && !key->text().isEmpty()
                         && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (!editing) {
        // A key that does not edit arms the completion again from what stands before the caret.
        typed_ = field_.text().left(field_.cursorPosition());
        active_ = true;
    } else if (active_) {
        if (key->key() == Qt::Key_Backspace)
            typed_.chop(1);
        else
            typed_ += key->text();
    }
    return false;
}

void ArtistCompleter::edited()
{
    if (!active_)
        return;
    const QString prefix = field_.text().left(field_.cursorPosition());
    if (prefix.isEmpty() || prefix == lastText_)
        return;
    lastText_ = prefix;
    const QString found = completeArtist(files_, prefix);
    if (found.isEmpty()) {
        // The field shows what was typed, not the capitals of an earlier completion, and
        // completion stops until a key that does not edit.
        field_.setText(typed_);
        field_.setCursorPosition(int(typed_.size()));
        active_ = false;
        return;
    }
    if (prefix.size() < found.size()) {
        field_.setText(found);
        field_.setSelection(int(found.size()), -int(found.size() - prefix.size()));
    }
}

void ArtistCompleter::left()
{
    // Only what the person typed is checked: a name the record or a look-up put there stays.
    if (!mustMatch_ || !field_.isModified() || field_.text().isEmpty()
        || !completeArtist(files_, field_.text()).isEmpty())
        return;
    field_.clear();
    field_.setFocus();
}

} // namespace crx
