#include "associatedfile.h"

#include "interaction.h"

#include <QLineEdit>
#include <QPushButton>

namespace crx {

namespace {

QPushButton *smallButton(QWidget *page, const QString &text, const QString &tip, QRect place, const char *name)
{
    auto *button = new QPushButton(text, page);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(tip);
    button->setGeometry(place);
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

QPushButton *addBrowseButton(QLineEdit &path, QWidget *page, QRect place, const QString &title,
                             const QString &filter, std::function<void()> chosen)
{
    QPushButton *button = smallButton(page, QStringLiteral("..."), QStringLiteral("Browse and select"), place,
                                      "browse");
    QObject::connect(button, &QPushButton::clicked, &path, [&path, title, filter, chosen = std::move(chosen)] {
        const QString file = interaction().openFile(title, path.text().trimmed(), filter);
        if (file.isEmpty())
            return;
        if (file.size() > path.maxLength()) {
            interaction().message(QStringLiteral("Error"),
                                  QStringLiteral("The path of the file is longer than %1 characters: ")
                                          .arg(path.maxLength())
                                      + file,
                                  Icon::Exclamation, OK, OK);
            return;
        }
        path.setText(file);
        path.setModified(true);
        if (chosen)
            chosen();
    });
    return button;
}

SoundFileButtons::SoundFileButtons(QLineEdit &path, QWidget *page, QRect place) : QObject(&path), path_(path)
{
    addBrowseButton(path, page, place, QStringLiteral("Select WAV File"),
                    QStringLiteral("WAV Files (*.WAV *.wav *.MP3 *.mp3)"), [this] { enable(); })
        ->setObjectName(QStringLiteral("browseFile"));
    const struct {
        const char *text, *tip, *name;
    } buttons[] = {
        {"\u266a", "Play WAV file", "playFile"},
        {"\u25b6", "Play using associated player (Windows Explorer File Type)", "playWithPlayer"},
        {"\u2197", "Open using Windows Explorer", "openFile"},
    };
    for (int i = 1; const auto &b : buttons)
        buttons_ << smallButton(page, QString::fromUtf8(b.text), QString::fromLatin1(b.tip),
                                place.translated((place.width() + 4) * i++, 0), b.name);
    connect(buttons_[0], &QPushButton::clicked, this, &SoundFileButtons::play);
    connect(buttons_[1], &QPushButton::clicked, this, &SoundFileButtons::open);
    connect(buttons_[2], &QPushButton::clicked, this, &SoundFileButtons::open);
    connect(&path_, &QLineEdit::editingFinished, this, &SoundFileButtons::enable);
}

void SoundFileButtons::enable()
{
    const bool named = !path_.text().trimmed().isEmpty();
    for (QPushButton *button : buttons_)
        button->setEnabled(named);
}

void SoundFileButtons::play()
{
    const QString path = path_.text().trimmed();
    if (!interaction().playSound(path))
        interaction().message(QStringLiteral("Error"), playFailedText(path), Icon::Exclamation, OK, OK);
}

void SoundFileButtons::open()
{
    // The desktop opens the file with the program it has for its type, to play or to show it.
    const QString path = path_.text().trimmed();
    if (!interaction().openDocument(path))
        interaction().message(QStringLiteral("Error"), QStringLiteral("Could not open ") + path + '.',
                              Icon::Exclamation, OK, OK);
}

} // namespace crx
