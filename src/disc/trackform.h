// "Tracks": the form of one add-wizard row, UpdateAddWizardNoArtist for the
// single-artist wizard and UpdateAddWizard (with the track's artist) for the
// compilation wizard.
#pragma once

#include "formwindow.h"

namespace crx {

class TrackForm : public FormWindow
{
    Q_OBJECT
public:
    // A new row belongs to instance, side 1, numbered after the instance's last track.
    TrackForm(FileSet &files, bool withArtist, qint64 instance, QWidget *parent = nullptr);

    bool prepare() override;
    QWidget *control(const QString &name) const { return findChild<QWidget *>(name); }
};

} // namespace crx
