// Auto-completion of artist names in an entry field from the artist
// defaults: typing the start of a name shows the whole name with the rest
// selected, so the next character typed replaces it. A miss stops completing
// until a key that does not edit (an arrow key, say) re-arms it. With must
// match, leaving the field with a name that matches nothing clears it.
#pragma once

#include <QObject>
#include <QString>

class QLineEdit;

namespace crx {

class FileSet;

// The artist default that a prefix completes to, or an empty text: the first default not
// below the prefix when it starts with it (letter case ignored), or when it matches the
// prefix read as a pattern ("*" any run, "?" any character).
QString completeArtist(FileSet &files, const QString &prefix);

class ArtistCompleter : public QObject
{
    Q_OBJECT
public:
    ArtistCompleter(FileSet &files, QLineEdit &field, bool mustMatch);
    ~ArtistCompleter() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void edited();
    void left();

    FileSet &files_;
    QLineEdit &field_;
    bool mustMatch_;
    bool active_ = true;
    QString typed_;
    QString lastText_;
};

} // namespace crx
