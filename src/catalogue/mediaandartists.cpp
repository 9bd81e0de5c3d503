#include "mediaandartists.h"

#include "fileset.h"

namespace crx {

UpdateMedia::UpdateMedia(FileSet &files, QWidget *parent)
    : FormWindow(files, FileId::Media, QStringLiteral("UpdateMedia"),
                 {QStringLiteral("Adding Media Format"), QStringLiteral("Changing Media Format")}, QSize(420, 100),
                 DittoKey::Apostrophe, parent)
{
    addField(QStringLiteral("&Media:"), QStringLiteral("MED:Media"), QStringLiteral("@s20"), QRect(10, 16, 70, 22),
             QRect(85, 16, 200, 22));
}

BrowseMedia::BrowseMedia(FileSet &files, QWidget *parent)
    : BrowseWindow(files, FileId::Media, QStringLiteral("BrowseMedia"), QStringLiteral("Browse Media Formats"),
                   QStringLiteral("80L(2)|M~Media~L(2)@s20@"), {QStringLiteral("MED:Media")},
                   {{QStringLiteral("Media"), QStringLiteral("MED:KeyMedia"), LocatorKind::Step,
                     Alphabet::LettersDigitsPunctuation, QString(), {}}},
                   [](FileSet &set) { return std::make_unique<UpdateMedia>(set); }, parent)
{
    ListTexts texts;
    texts.insert = QStringLiteral("&Add");
    texts.close = QStringLiteral("E&xit");
    texts.selectFirstInPopup = true;
    setTexts(texts);
}

std::optional<QString> chooseMedia(FileSet &files, QWidget *parent)
{
    if (!selectFrom<BrowseMedia>(files, parent))
        return std::nullopt;
    return files.file(FileId::Media).buffer().get("MED:Media").toString();
}

UpdateArtists::UpdateArtists(FileSet &files, QWidget *parent)
    : FormWindow(files, FileId::Artists, QStringLiteral("UpdateArtists"),
                 {QStringLiteral("Add Artist"), QStringLiteral("Change Artist")}, QSize(460, 100),
                 DittoKey::Apostrophe, parent)
{
    addField(QStringLiteral("&Artist:"), QStringLiteral("ART:Artist"), QStringLiteral("@s50"), QRect(10, 16, 70, 22),
             QRect(85, 16, 365, 22));
}

BrowseArtists::BrowseArtists(FileSet &files, QWidget *parent)
    : BrowseWindow(files, FileId::Artists, QStringLiteral("BrowseArtists"),
                   QStringLiteral("Artists (for Auto-Completion)"), QStringLiteral("200L(2)|M~Artist~L(2)@s50@"),
                   {QStringLiteral("ART:Artist")},
                   {{QStringLiteral("Artists"), QStringLiteral("ART:K_ARTIST"), LocatorKind::Step,
                     Alphabet::LettersDigitsPunctuation, QString(), {}}},
                   [](FileSet &set) { return std::make_unique<UpdateArtists>(set); }, parent)
{
    ListTexts texts;
    texts.insert = QStringLiteral("&New");
    texts.selectFirstInPopup = true;
    setTexts(texts);
    addHelpButton();
}

} // namespace crx
