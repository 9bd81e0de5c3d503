#include "labelwizardcall.h"

namespace crx {
namespace {

LabelWizardCall &registered()
{
    static LabelWizardCall call;
    return call;
}

} // namespace

void setLabelWizardCall(LabelWizardCall call)
{
    registered() = std::move(call);
}

bool hasLabelWizard()
{
    return bool(registered());
}

void callLabelWizard(FileSet &files, QWidget *parent)
{
    if (registered())
        registered()(files, parent);
}

} // namespace crx
