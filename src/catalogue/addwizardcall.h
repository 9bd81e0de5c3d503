// The add wizard as the song form and the album explorer call it: the
// wizard's windows register themselves here (they live with the disc
// windows, which build on the catalogue's).
#pragma once

#include <functional>

class QWidget;

namespace crx {

class FileSet;

enum class AddWizardKind { SingleArtist, Compilation };
using AddWizardCall = std::function<void(FileSet &files, AddWizardKind kind, QWidget *parent)>;

void setAddWizardCall(AddWizardCall call);
// Runs the wizard modally on the caller's files; false when none is registered.
bool callAddWizard(FileSet &files, AddWizardKind kind, QWidget *parent);

} // namespace crx
