#include "songreports.h"

#include "record.h"
#include "settings.h"
#include "songdisplay.h"


namespace crx {

namespace {

const PageFont Heading{QStringLiteral("MS Sans Serif"), 8, {}, 0};
const PageFont Columns{QStringLiteral("Arial"), 8, {700, false, false, false}, 0};
const PageFont Detail{QStringLiteral("Arial"), 8, {}, 0};

ReportColumn column(const char *heading, int line, int x, int width, const char *field, const char *picture,
                    Align align = Align::Left)
{
    return {QString::fromUtf8(heading), line, x, width, align, QString::fromLatin1(field), QString::fromLatin1(picture), {}};
}

// The category's name, each category looked up once a report.
ReportColumn categoryColumn(int line, int x, int width)
{
    auto names = std::make_shared<CategoryNames>();
    ReportColumn c = column("Category", line, x, width, "MUS:CategoryID", "");
    c.value = [names](FileSet &files, Record &song) { return names->of(files, song.get("MUS:CategoryID").toLongLong()); };
    return c;
}

ReportDescription songList(const QString &heading, const QString &key)
{
    ReportDescription d;
    d.heading = heading;
    d.file = FileId::Cantorix;
    d.key = key;
    d.headingFont = Heading;
    d.columnFont = Columns;
    d.detailFont = Detail;
    d.footerFont = Detail;
    d.lineHeight = 150;
    return d;
}

} // namespace

bool excludedSong(const Record &song)
{
    return song.get("MUS:Artist").toString().contains(QLatin1String("(*)"))
           || song.get("MUS:Title").toString().contains(QLatin1String("(Skips)"))
           || song.get("MUS:Skips").toInt() != 0 || song.get("MUS:DoNotPlay").toInt() != 0;
}

std::shared_ptr<const ReportDescription> songsByArtist()
{
    const auto included = [](const Record &song) { return !excludedSong(song); };

    auto brief = std::make_shared<ReportDescription>(songList(QStringLiteral("Songs by Artist"), QStringLiteral("MUS:SongsByArtist")));
    brief->decision = ReportDecision::Flag;
    brief->selectionField = QStringLiteral("MUS:Artist");
    brief->fontKey = QStringLiteral("BriefMUS:SongsByArtist");
    brief->accept = included;
    brief->columns = {column("Artist", 0, 250, 1800, "MUS:Artist", "@s255"),
                      column("Title", 0, 2100, 2000, "MUS:Title", "@s255"),
                      column("Album", 0, 4150, 1650, "MUS:Album", "@s255"),
                      column("File Number", 0, 5850, 800, "MUS:FileNumber", "@s255"),
                      column("Trk", 0, 6700, 300, "MUS:TrackNumber", "@n3b", Align::Right),
                      column("", 0, 7050, 650, "MUS:UserDefinedKeyField", "@s255"),
                      column("Time", 0, 7750, 500, "MUS:Time", "@t4", Align::Right)};
    brief->columns[5].heading = settings().udkPrompt;

    auto standard = std::make_shared<ReportDescription>(*brief);
    standard->decision = ReportDecision::Criteria;
    standard->noun = QStringLiteral("artists");
    standard->fontKey = QStringLiteral("PrintMUS:SongsByArtist");
    standard->alsoUses = {FileId::Categories};
    standard->lines = 2;
    standard->gap = 40;
    standard->columns = {column("Artist", 0, 250, 1950, "MUS:Artist", "@s255"),
                         column("Title", 0, 2250, 2050, "MUS:Title", "@s255"),
                         column("Album", 0, 4350, 1950, "MUS:Album", "@s255"),
                         column("Media", 0, 6350, 700, "MUS:Media", "@s255"),
                         categoryColumn(0, 7100, 1150),
                         column("File Number", 1, 450, 1750, "MUS:FileNumber", "@s255"),
                         column("Release Date", 1, 2250, 1200, "MUS:ReleaseDate", "@d17"),
                         column("Track", 1, 4350, 450, "MUS:TrackNumber", "@n3b", Align::Right),
                         column("Chart", 1, 6350, 450, "MUS:ChartNumber", "@n3b", Align::Right)};
    standard->brief = brief;
    return standard;
}

} // namespace crx
