// "Select Add Mode": asks how a new song is to be entered (a compilation,
// a single artist's album, or one song in the song form).
#pragma once

#include <QDialog>

class QRadioButton;

namespace crx {

class SelectAddMode : public QDialog
{
    Q_OBJECT
public:
    explicit SelectAddMode(QWidget *parent = nullptr);

    // Asks; the text of the chosen mode ("Compilation", "Single Artist" or "Normal"),
    // or an empty text when the window was closed without Ok.
    QString ask();
    QRadioButton *mode(const QString &text) const;

private:
    QList<QRadioButton *> modes_;
};

} // namespace crx
