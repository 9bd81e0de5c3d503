// Window placement in the position file: SaveWindowPlacement when a window
// closes, RestoreWindowPlacement when it opens; list column formats under
// "SRCF" and "SRCFOriginal"; the last tab of the album and song lists.
#pragma once

#include <QRect>
#include <QString>

namespace crx {

// What placement needs of a window; the widget layer adapts a real window.
class PlacedWindow
{
public:
    virtual ~PlacedWindow() = default;
    virtual bool isMaximized() const = 0;
    virtual bool isMinimized() const = 0;
    virtual bool isResizable() const = 0;
    virtual void showNormal() = 0;
    virtual void showMaximized() = 0;
    virtual QRect normalGeometry() const = 0; // position and size of the normal window
    virtual void move(int x, int y) = 0;
    virtual void setGeometry(const QRect &geometry) = 0;
};

void SaveWindowPlacement(const QString &file, const QString &section, PlacedWindow &window);
void RestoreWindowPlacement(const QString &file, const QString &section, PlacedWindow &window);

// The column format a list opens with: the user's saved format when the list is
// still as designed, otherwise the design (which is then recorded as the original).
// The keys are the list's name after these prefixes: the design's and the user's own.
struct ListFormatKeys {
    QString designed = QStringLiteral("SRCFOriginal");
    QString own = QStringLiteral("SRCF");
};
// The keys of the explorer-style lists.
inline ListFormatKeys explorerFormatKeys()
{
    return {QStringLiteral("XploreOrigFormatString-"), QString()};
}
QString restoreListFormat(const QString &file, const QString &section, const QString &list, const QString &designed,
                          const ListFormatKeys &keys = {});
void saveListFormat(const QString &file, const QString &section, const QString &list, const QString &format,
                    const ListFormatKeys &keys = {});

// The tab a list opens on: the one saved under key ("AlbumTab", "SongTab") when SaveLastTab is on.
int restoreLastTab(const QString &preferencesFile, const QString &key, int designed, bool saveLastTab);
void saveLastTab(const QString &preferencesFile, const QString &key, int tab);

} // namespace crx
