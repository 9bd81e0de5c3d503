#include "addwizardcall.h"

namespace crx {
namespace {

AddWizardCall &registered()
{
    static AddWizardCall call;
    return call;
}

} // namespace

void setAddWizardCall(AddWizardCall call)
{
    registered() = std::move(call);
}

bool callAddWizard(FileSet &files, AddWizardKind kind, QWidget *parent)
{
    if (!registered())
        return false;
    registered()(files, kind, parent);
    return true;
}

} // namespace crx
