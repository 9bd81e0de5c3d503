#include "placement.h"

#include "profile.h"

namespace crx {

void SaveWindowPlacement(const QString &file, const QString &section, PlacedWindow &window)
{
    const bool maximized = window.isMaximized();
    if (maximized)
        window.showNormal();
    if (window.isMinimized())
        return; // the placement saved before stays
    const QRect g = window.normalGeometry();
    writeProfile(file, section, "Maximize", maximized ? "Yes" : "No");
    writeProfile(file, section, "XPosit", QString::number(g.x()));
    writeProfile(file, section, "YPosit", QString::number(g.y()));
    writeProfile(file, section, "Width", QString::number(g.width()));
    writeProfile(file, section, "Height", QString::number(g.height()));
}

void RestoreWindowPlacement(const QString &file, const QString &section, PlacedWindow &window)
{
    const int x = readProfileNumber(file, section, "XPosit");
    if (x == 0)
        return;
    if (!window.isMaximized()) {
        const int y = readProfileNumber(file, section, "YPosit");
        if (y != 0) {
            if (window.isResizable()) {
                const int width = readProfileNumber(file, section, "Width");
                const int height = readProfileNumber(file, section, "Height");
                if (width != 0 && height != 0)
                    window.setGeometry(QRect(x, y, width, height));
            } else {
                window.move(x, y);
            }
        }
    }
    if (readProfile(file, section, "Maximize") == QLatin1String("Yes"))
        window.showMaximized();
    else if (window.isMaximized())
        window.showNormal();
}

QString restoreListFormat(const QString &file, const QString &section, const QString &list, const QString &designed,
                          const ListFormatKeys &keys)
{
    if (readProfile(file, section, keys.designed + list) != designed) {
        writeProfile(file, section, keys.designed + list, designed);
        return designed;
    }
    const QString saved = readProfile(file, section, keys.own + list);
    return saved.isEmpty() ? designed : saved;
}

void saveListFormat(const QString &file, const QString &section, const QString &list, const QString &format,
                    const ListFormatKeys &keys)
{
    writeProfile(file, section, keys.own + list, format.left(512));
}

int restoreLastTab(const QString &preferencesFile, const QString &key, int designed, bool saveLastTab)
{
    const int tab = readProfileNumber(preferencesFile, "Settings", key, designed);
    return saveLastTab ? tab : designed;
}

void saveLastTab(const QString &preferencesFile, const QString &key, int tab)
{
    writeProfile(preferencesFile, "Settings", key, QString::number(tab));
}

} // namespace crx
