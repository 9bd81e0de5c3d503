// A report as a description: the file it reads and in which order, the
// records it leaves out, the field the Report Criteria selection matches,
// the key of its custom font, how its mode is decided, and the layout of its
// pages (a heading line, column headings, a detail section of one or more
// lines for each record, a footer), all in thousandths of an inch. One
// procedure (reportprocedure.h) runs every description.
#pragma once

#include "fileset.h"
#include "pagelist.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace crx {

class Record;

struct ReportColumn {
    QString heading;
    int line = 0;          // the line of the detail section, from 0
    int x = 0, width = 0;  // from the paper's left edge
    Align align = Align::Left;
    // The value printed: a field of the record under a picture, or one worked out for it.
    QString field;
    QString picture;
    std::function<QString(FileSet &files, Record &record)> value;
};

// How a report learns whether to preview or print.
enum class ReportDecision {
    Criteria, // the Report Criteria window, then the preview flag
    Question, // "Do you wish to PREVIEW this Report?"
    Flag      // the preview flag of the report choices as it stands
};

struct ReportDescription {
    QString heading;           // the report's name, at the top of every page
    FileId file = FileId::Cantorix;
    QString key;               // the order read
    std::vector<FileId> alsoUses;
    ReportDecision decision = ReportDecision::Flag;
    QString noun;              // "artists": the Report Criteria window's prompt
    QString selectionField;    // the field the selection matches; none: every record prints
    QString fontKey;           // "PrintMUS:SongsByArtist"; none: no custom font
    // The report's own tests; a record failing them is not read as part of the report.
    std::function<bool(const Record &record)> accept;

    PageFont headingFont, columnFont, detailFont, footerFont;
    int lineHeight = 150;
    int lines = 1;             // lines of the detail section
    int gap = 0;               // space after each detail section
    std::vector<ReportColumn> columns;

    // The variant the style "Brief" runs instead.
    std::shared_ptr<const ReportDescription> brief;
};

} // namespace crx
