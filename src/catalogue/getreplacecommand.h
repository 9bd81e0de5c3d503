// "Replace...": asks which song field to change (Artist, Title or File
// Number), the text to find and its replacement, 19 characters each.
#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace crx {

struct ReplaceCommand {
    QString field; // "Artist", "Title", "File Number", or empty when none was chosen
    QString find;
    QString replacement;
};

class GetReplaceCommand : public QDialog
{
    Q_OBJECT
public:
    // positionsFile: where the window keeps its placement.
    GetReplaceCommand(const QString &positionsFile, QWidget *parent = nullptr);

    // Asks; true with the command on OK, false on Cancel.
    bool ask(ReplaceCommand &command);

    QComboBox *within() const { return within_; }
    QLineEdit *findEntry() const { return find_; }
    QLineEdit *replacementEntry() const { return replacement_; }

private:
    QString positions_;
    QComboBox *within_;
    QLineEdit *find_, *replacement_;
};

} // namespace crx
