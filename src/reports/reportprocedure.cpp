#include "reportprocedure.h"

#include "datafile.h"
#include "interaction.h"
#include "printer.h"
#include "profile.h"
#include "record.h"
#include "reportpages.h"
#include "settings.h"

#include <QDate>

namespace crx {

namespace {

const QString CustomFontTitle = QStringLiteral("Select Custom Font for Report");

// The printing date at the foot of every page, in its long form ("October 31, 1959").
QString printingDate()
{
    const QDate today = QDate::currentDate();
    return formatValue(QStringLiteral("@d4"), dayNumber(today.year(), today.month(), today.day()));
}

} // namespace

ReportProcedure::ReportProcedure(FileSet &files, const ReportDescription &report) : files_(files), report_(&report) {}

ReportProcedure::~ReportProcedure()
{
    // The view goes before the files the report opened beside it.
    process_.reset();
    if (alsoUsed_)
        for (FileId id : report_->alsoUses)
            files_.release(id);
}

bool ReportProcedure::decide(const CriteriaWindow &criteria)
{
    strings_ = readReportStrings(files_.directory());
    switch (report_->decision) {
    case ReportDecision::Criteria:
        if (!criteria(report_->noun))
            return false;
        if (reportChoices().brief() && report_->brief)
            report_ = report_->brief.get();
        preview_ = reportChoices().preview;
        break;
    case ReportDecision::Question: {
        const Button chosen = interaction().message(strings_.askPreviewTitle, strings_.askPreviewText, Icon::Exclamation,
                                                    Yes | No | Cancel, Yes);
        if (chosen == Cancel)
            return false;
        preview_ = chosen == Yes;
        break;
    }
    case ReportDecision::Flag:
        preview_ = reportChoices().preview;
        break;
    }
    // The choices as they stand now hold for this report, whatever another report's window does.
    choices_ = reportChoices();
    return true;
}

bool ReportProcedure::settlePrinter()
{
    if (preview_ || printer().installed())
        return true;
    if (interaction().message(QStringLiteral("Print"), QStringLiteral("No printer is installed.||Preview the report instead?"),
                              Icon::Exclamation, Yes | No, Yes)
        != Yes)
        return false;
    preview_ = true;
    return true;
}

QString ReportProcedure::progressTitle() const
{
    return preview_ ? strings_.progressTitlePreview : strings_.progressTitlePrint;
}

int ReportProcedure::percent() const
{
    return process_ ? process_->percent() : 0;
}

QString ReportProcedure::percentText() const
{
    return QString::number(percent()) + strings_.percentText;
}

bool ReportProcedure::start()
{
    process_ = std::make_unique<BatchProcess>(files_, report_->file, report_->key, [this](DataFile &file) {
        work(file);
        return BatchProcess::Work::Done;
    });
    // 25 records a tick, as the window's timer asks for them: a report writes nothing, so it has
    // no commits to spread over a longer tick.
    process_->setTimeSlice(0);
    if (report_->accept)
        process_->setAccept([this](const DataFile &file) { return report_->accept(file.buffer()); });
    // Date columns show dates as the DateFormat setting asks.
    pictures_.clear();
    for (const ReportColumn &c : report_->columns)
        pictures_.push_back(parsePicture(withDateFormat(c.picture, settings().dateFormat)));
    for (FileId id : report_->alsoUses)
        files_.use(id);
    alsoUsed_ = true;
    if (!process_->start()) {
        completed_ = false;
        return false;
    }
    open();
    return true;
}

void ReportProcedure::open()
{
    opened_ = true;
    copies_ = std::max(1, printer().copies());
    straight_ = !preview_ && !(copies_ > 1 && !printer().makesCopies());
    customFont_ = chooseCustomFont();
    layout_ = std::make_unique<ReportPages>(*report_, pages_, printingDate(), customFont_ ? &*customFont_ : nullptr);
}

std::optional<PageFont> ReportProcedure::chooseCustomFont()
{
    if (!choices_.customFont || report_->fontKey.isEmpty())
        return std::nullopt;
    const QString path = profilePath(files_.directory(), settingsfile::Preferences);
    const QString section = QStringLiteral("Fonts"), key = report_->fontKey;
    const PageFont &designed = report_->detailFont;
    FontChoice font;
    font.face = readProfile(path, section, QStringLiteral("FontName") + key, designed.face);
    font.pointSize = readProfileNumber(path, section, QStringLiteral("FontSize") + key, qRound(designed.points));
    font.colour = readProfileNumber(path, section, QStringLiteral("FontColor") + key, designed.colour);
    const FontStyle stored = styleOf(readProfileNumber(path, section, QStringLiteral("FontStyle") + key,
                                                       styleNumber(designed.style)));
    font.weight = stored.weight;
    font.italic = stored.italic;
    font.underline = stored.underline;
    font.strikeOut = stored.strikeOut;
    if (!interaction().chooseFont(CustomFontTitle, font))
        return std::nullopt;
    const FontStyle style{font.weight, font.italic, font.underline, font.strikeOut};
    writeProfile(path, section, QStringLiteral("FontName") + key, font.face);
    writeProfile(path, section, QStringLiteral("FontSize") + key, QString::number(font.pointSize));
    writeProfile(path, section, QStringLiteral("FontColor") + key, QString::number(font.colour));
    writeProfile(path, section, QStringLiteral("FontStyle") + key, QString::number(styleNumber(style)));
    return PageFont{font.face, double(std::max(1, font.pointSize)), style, font.colour};
}

QStringList ReportProcedure::values(Record &record)
{
    QStringList all;
    all.reserve(qsizetype(report_->columns.size()));
    for (size_t i = 0; i < report_->columns.size(); ++i) {
        const ReportColumn &c = report_->columns[i];
        all << (c.value ? c.value(files_, record) : formatValue(pictures_[i], record.get(c.field)));
    }
    return all;
}

void ReportProcedure::work(DataFile &file)
{
    Record &record = file.buffer();
    if (!report_->selectionField.isEmpty() && !choices_.includes(record.get(report_->selectionField).toString()))
        return;
    layout_->detail(values(record));
}

bool ReportProcedure::tick()
{
    if (process_->tick())
        return true;
    // A read error ends reading as the end of the file does; its message has been shown.
    completed_ = process_->response() == Response::Completed || process_->readFailed();
    return false;
}

bool ReportProcedure::cancel()
{
    if (interaction().message(strings_.cancelTitle, strings_.cancelText, Icon::Exclamation, Yes | No, No) != Yes)
        return false;
    process_->setCycle(1);
    process_->setTimeSlice(0);
    if (preview_ && !pages_.isEmpty()) {
        const Button chosen = interaction().message(strings_.partialTitle, strings_.partialText, Icon::Exclamation,
                                                    Yes | No | Ignore, No);
        if (chosen == Ignore)
            return false;
        partial_ = chosen == Yes;
    }
    process_->cancel();
    cancelled_ = true;
    return true;
}

bool ReportProcedure::finishReading()
{
    process_.reset();
    response_ = completed_ ? Response::Completed : Response::Cancelled;
    if (preview_) {
        if (completed_ || partial_) {
            if (layout_)
                layout_->finish();
            if (!pages_.isEmpty())
                return true;
            note(strings_.nothingToPreviewTitle, strings_.nothingToPreviewText);
        } else if (!opened_) {
            note(strings_.nothingToPreviewTitle, strings_.nothingToPreviewText);
        }
        return false;
    }
    if (!opened_) {
        if (!cancelled_)
            note(strings_.nothingToPrintTitle, strings_.nothingToPrintText);
        return false;
    }
    // Pages collected for copies the printer cannot make are dropped by a cancel; pages
    // printing straight are printed up to the cancel.
    if (cancelled_ && !straight_)
        return false;
    layout_->finish();
    if (pages_.isEmpty())
        note(strings_.nothingToPrintTitle, strings_.nothingToPrintText);
    else
        print(straight_);
    return false;
}

void ReportProcedure::previewClosed(bool print)
{
    if (print)
        this->print(false);
}

void ReportProcedure::print(bool printerMakesCopies)
{
    QString error;
    if (!printer().print(pages_, copies_, printerMakesCopies, error))
        interaction().message(QStringLiteral("Print"), QStringLiteral("The report could not be printed: ") + error + '.',
                              Icon::Exclamation, OK, OK);
}

void ReportProcedure::note(const QString &title, const QString &text)
{
    interaction().message(title, text, Icon::Information, OK, OK);
}

} // namespace crx
