#include "selectalbum.h"

namespace crx {

SelectAlbum::SelectAlbum(FileSet &files, QWidget *parent)
    : BrowseWindow(files, FileId::Album, QStringLiteral("SelectAlbum"), QStringLiteral("Select Album"),
                   QStringLiteral("120L(2)|M~Artist~L(2)@s50@120L(2)|M~Album~L(2)@s50@"
                                  "50L(2)|M~Media~L(2)@s20@60L(2)|M~File Number~L(2)@s20@"),
                   {QStringLiteral("ALB:Artist"), QStringLiteral("ALB:Album"), QStringLiteral("ALB:Media"),
                    QStringLiteral("ALB:FileNumber")},
                   {{QStringLiteral("Artist"), QStringLiteral("ALB:KeyArtist"), LocatorKind::Incremental,
                     Alphabet::LettersDigitsPunctuation, QString(), {}}},
                   {}, parent)
{
    setSelectMode(true);
    setCountTitle(QStringLiteral("Select Album - "), QStringLiteral(" entries"));
}

} // namespace crx
