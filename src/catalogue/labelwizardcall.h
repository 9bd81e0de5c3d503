// The label wizard as the album lists call it on their album: the label
// windows register it here (they build on the catalogue's lists).
#pragma once

#include <functional>

class QWidget;

namespace crx {

class FileSet;

// Runs the wizard modally on the album in the caller's album buffer.
using LabelWizardCall = std::function<void(FileSet &files, QWidget *parent)>;

void setLabelWizardCall(LabelWizardCall call);
bool hasLabelWizard();
void callLabelWizard(FileSet &files, QWidget *parent);

} // namespace crx
