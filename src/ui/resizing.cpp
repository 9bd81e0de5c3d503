#include "resizing.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <cmath>

namespace crx {

Resizing resizingOf(const QString &name)
{
    static const QStringList fixed = {"UpdateCategories", "UpdateFontFreeform", "UpdateFonts", "UpdateSong",
                                      "UpdateAlbum", "UpdateAddWizardNoArtist", "UpdateAddWizard", "CDDBWizard",
                                      "UpdateMedia", "AlbumWizard", "UpdatePlaylistDetails", "UpdateArtists",
                                      "BrowseMedia", "BrowseArtists", "UpdateCRXTips", "Tips"};
    static const QStringList proportional = {"BrowseCategories", "SelectFont", "BrowseLabels", "SelectAlbum",
                                             "SelectFileNumber", "BrowseAlbumsAndSongs", "BrowsePlayLists",
                                             "BrowseSongs", "BrowseAlbums", "XploreSongs", "XploreAlbums",
                                             "IntegratedCDPlayer", "UpdateLabels", "LabelWizard", "UpdatePlaylist",
                                             "ToolMultiCompilationWizard"};
    if (fixed.contains(name))
        return Resizing::FixedSizeControls;
    if (proportional.contains(name))
        return Resizing::Proportional;
    return Resizing::None;
}

void ControlLayout::record(QWidget &window)
{
    designed_ = window.size();
    controls_.clear();
    for (QWidget *child : window.findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        controls_.push_back({child, child->geometry()});
        // The controls on the pages of a tab sheet move and grow with the window too.
        if (auto *sheet = qobject_cast<QTabWidget *>(child))
            for (int i = 0; i < sheet->count(); ++i)
                for (QWidget *control : sheet->widget(i)->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
                    controls_.push_back({control, control->geometry()});
    }
}

void ControlLayout::apply(const QSize &size, Resizing strategy) const
{
    if (strategy == Resizing::None || designed_.isEmpty())
        return;
    const double rx = double(size.width()) / designed_.width();
    const double ry = double(size.height()) / designed_.height();
    for (const Control &c : controls_) {
        const QRect d = c.designed;
        int x = int(std::lround(d.x() * rx)), y = int(std::lround(d.y() * ry));
        int w = int(std::lround(d.width() * rx)), h = int(std::lround(d.height() * ry));
        if (strategy == Resizing::FixedSizeControls) {
            QWidget *widget = c.widget;
            const bool entry = qobject_cast<QLineEdit *>(widget) || qobject_cast<QComboBox *>(widget)
                               || qobject_cast<QAbstractSpinBox *>(widget);
            const bool button = qobject_cast<QPushButton *>(widget);
            const bool fixedSize = button || qobject_cast<QCheckBox *>(widget) || qobject_cast<QRadioButton *>(widget);
            if (entry)
                h = d.height();
            if (fixedSize) {
                w = d.width();
                h = d.height();
            }
            if (button) {
                if (designed_.width() - d.right() < d.left())
                    x = size.width() - (designed_.width() - d.x());
                if (designed_.height() - d.bottom() < d.top())
                    y = size.height() - (designed_.height() - d.y());
            }
        }
        c.widget->setGeometry(x, y, w, h);
    }
}

} // namespace crx
