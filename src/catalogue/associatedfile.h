// The buttons beside a form's associated file: "..." chooses the file, and
// for a sound file three more play it, play it with the desktop's player and
// open it; those three are enabled only while a path is named.
#pragma once

#include <QList>
#include <QObject>
#include <QRect>
#include <functional>

class QLineEdit;
class QPushButton;
class QWidget;

namespace crx {

// "..." ("browse") at place: the open-file dialog with its title and filter, starting from the field's
// path; the chosen path goes into the field (one longer than the field is refused), then
// chosen is called.
QPushButton *addBrowseButton(QLineEdit &path, QWidget *page, QRect place, const QString &title,
                             const QString &filter, std::function<void()> chosen = {});

class SoundFileButtons : public QObject
{
    Q_OBJECT
public:
    // The four buttons in a row from place (the size of one button) on.
    SoundFileButtons(QLineEdit &path, QWidget *page, QRect place);
    void enable();

private:
    void play();
    void open();

    QLineEdit &path_;
    QList<QPushButton *> buttons_;
};

} // namespace crx
