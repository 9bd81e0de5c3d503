#include "selectfilenumber.h"

namespace crx {

SelectFileNumber::SelectFileNumber(FileSet &files, QWidget *parent)
    : BrowseWindow(files, FileId::Cantorix, QStringLiteral("SelectFileNumber"), QStringLiteral("Browse Music Database"),
                   QStringLiteral("60L(2)|M~File Number~L(2)@s20@120L(2)|M~Artist~L(2)@s50@"
                                  "120L(2)|M~Title~L(2)@s50@50L(2)|M~Media~L(2)@s20@"),
                   {QStringLiteral("MUS:FileNumber"), QStringLiteral("MUS:Artist"), QStringLiteral("MUS:Title"),
                    QStringLiteral("MUS:Media")},
                   {{QStringLiteral("File Number"), QStringLiteral("MUS:KeyFileNumber"), LocatorKind::Incremental,
                     Alphabet::LettersDigitsPunctuation, QString(), {}}},
                   {}, parent)
{
    setSelectMode(true);
    setCountTitle(QStringLiteral("Browse Music Database - "), QStringLiteral(" entries"));
}

} // namespace crx
