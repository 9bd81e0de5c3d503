#include "tipoftheday.h"

#include "datafile.h"
#include "fileset.h"

namespace crx {

TipOfTheDay::TipOfTheDay(FileSet &files) : files_(files)
{
    count_ = int(files_.use(FileId::CRXTips).records());
}

TipOfTheDay::~TipOfTheDay()
{
    files_.release(FileId::CRXTips);
}

bool TipOfTheDay::start(int lastShown)
{
    return showFrom(lastShown < count_ ? lastShown + 1 : 1, true);
}

void TipOfTheDay::next()
{
    showFrom(current_ < count_ ? current_ + 1 : 1, true);
}

void TipOfTheDay::back()
{
    showFrom(current_ == 1 ? count_ : current_ - 1, false);
}

bool TipOfTheDay::showFrom(int id, bool upwards)
{
    DataFile &tips = files_.file(FileId::CRXTips);
    const int key = tips.def().keyIndex("TIP:KeyID");
    tips.buffer().clear();
    tips.buffer().set("TIP:ID", upwards ? id : id + 1);
    if (tips.set(key) != NoError)
        return false;
    // Going back, the first record read may be the one the file stands on, above the number.
    do {
        if ((upwards ? tips.next() : tips.previous()) != NoError)
            return false;
    } while (!upwards && tips.buffer().get("TIP:ID").toInt() > id);
    current_ = tips.buffer().get("TIP:ID").toInt();
    text_ = tips.buffer().get("TIP:Tip").toString();
    return true;
}

} // namespace crx
