#include "songimport.h"

#include "datafile.h"
#include "fileset.h"
#include "picture.h"
#include "record.h"
#include "result.h"

#include <QElapsedTimer>
#include <QRegularExpression>

namespace crx {

namespace {

constexpr int LinesPerTick = 25, TickMilliseconds = 15, CommitMilliseconds = 2000;

// The number a text starts with (sign, digits, decimals); 0 when it starts with none.
double leadingNumber(const QString &text)
{
    static const QRegularExpression number(QStringLiteral("^\\s*([-+]?(\\d+\\.?\\d*|\\.\\d+))"));
    const QRegularExpressionMatch m = number.match(text);
    return m.hasMatch() ? m.captured(1).toDouble() : 0;
}

QString mediaOf(const QString &code)
{
    if (code == QLatin1String("D"))
        return QStringLiteral("Cassette (DBX)");
    if (code == QLatin1String("C"))
        return QStringLiteral("Cassette (Dolby-C)");
    if (code == QLatin1String("B"))
        return QStringLiteral("Cassette (Dolby-B)");
    return code;
}

} // namespace

std::vector<ImportColumn> importColumns(const QString &firstLine, const QString *secondLine)
{
    std::vector<ImportColumn> columns;
    FieldReader first(firstLine);
    QString value;
    while (first.next(value))
        columns.push_back({QStringLiteral("Field_%1").arg(columns.size() + 1), QStringLiteral("@S1000"), value});
    if (secondLine) {
        FieldReader second(*secondLine);
        bool quoted = false;
        for (ImportColumn &c : columns) {
            if (!second.next(value, &quoted))
                break;
            if (!quoted)
                c.picture = QStringLiteral("@N30.9");
        }
    }
    return columns;
}

void showLine(std::vector<ImportColumn> &columns, const QString &line)
{
    FieldReader fields(line);
    bool present = true;
    for (ImportColumn &c : columns) {
        QString value;
        present = present && fields.next(value);
        c.value = present ? value : QString();
    }
}

const QStringList &importTargets()
{
    static const QStringList targets = {
        "MUS:Artist", "MUS:Title", "MUS:Mix", "MUS:Album", "MUS:Media", "MUS:FileNumber", "MUS:ReleaseDate",
        "MUS:CategoryID", "MUS:ChartNumber", "MUS:TrackNumber", "MUS:Side", "MUS:Time", "MUS:UserDefinedKeyField",
        "MUS:AdditionalInformation1", "MUS:AdditionalInformation2", "MUS:AdditionalInformation3",
        "MUS:BeatsPerMinute", "MUS:Style", "MUS:Recording", "MUS:Composer", "MUS:PerformanceNotes", "MUS:LastPlayed",
        "MUS:Skips", "MUS:EndType", "MUS:InOut", "MUS:Notes", "MUS:Rating", "MUS:Live", "MUS:DoNotPlay",
        "MUS:AssociatedWAVFile"};
    return targets;
}

SongImport::SongImport(FileSet &files, DelimitedLines &lines, ImportPlan plan)
    : files_(files), lines_(lines), plan_(std::move(plan))
{
}

SongImport::~SongImport()
{
    finish(outcome_ == Outcome::Reading ? Outcome::Cancelled : outcome_);
}

bool SongImport::start()
{
    songs_ = &files_.use(FileId::Cantorix);
    categories_ = &files_.use(FileId::Categories);
    running_ = true;
    // The categories there are, by name, and the highest identifier.
    categoryIds_.clear();
    highestCategory_ = 0;
    for (int code = categories_->set(categories_->def().keyIndex("CAT:KeyCategoryID")); code == NoError;) {
        if ((code = categories_->next()) != NoError)
            break;
        const qint64 id = categories_->buffer().get("CAT:CategoryID").toLongLong();
        categoryIds_.insert(categories_->buffer().get("CAT:Category").toString().toUpper(), id);
        highestCategory_ = std::max(highestCategory_, id);
    }
    lines_.rewind();
    if (plan_.stripHeader)
        lines_.next(line_);
    current_ = lines_.next(line_);
    if (!current_)
        finish(Outcome::Done);
    return current_;
}

int SongImport::percent() const
{
    const qint64 size = lines_.size();
    return size > 0 ? int(std::min<qint64>(100, lines_.position() * 100 / size)) : 100;
}

bool SongImport::tick()
{
    if (!running_)
        return false;
    // Batches of 25 lines while the tick's time slice lasts. The songs go in through one
    // transaction that is committed every two seconds or so, and when the import ends: a long
    // import does not pay a commit for every batch, and a crash loses only the last seconds.
    if (!committed_.isValid() || committed_.elapsed() >= CommitMilliseconds) {
        songs_->flush();
        songs_->stream();
        committed_.start();
    }
    QElapsedTimer clock;
    clock.start();
    do {
        for (int n = 0; n < LinesPerTick && current_; ++n) {
            if (!importLine(line_)) {
                finish(Outcome::AddFailed);
                return false;
            }
            current_ = lines_.next(line_);
        }
    } while (current_ && clock.elapsed() < TickMilliseconds);
    if (current_)
        return true;
    finish(Outcome::Done);
    return false;
}

void SongImport::cancel()
{
    finish(Outcome::Cancelled);
}

bool SongImport::importLine(const QString &line)
{
    Record &song = songs_->buffer();
    song.clear();
    FieldReader fields(line);
    QString value;
    for (int column = 0; column < int(plan_.columns.size()); ++column) {
        if (!fields.next(value))
            break;
        for (const auto &[target, assigned] : plan_.assigned)
            if (assigned == column)
                store(target, value, plan_.columns[size_t(column)].picture);
    }
    if (songs_->add() == NoError) {
        ++added_;
        return true;
    }
    errorCode_ = lastResult().code;
    errorText_ = lastResult().text;
    return false;
}

void SongImport::store(const QString &target, const QString &value, const QString &picture)
{
    Record &song = songs_->buffer();
    // A picture other than text or number reads the value from its display form.
    const bool converted = !isTextPicture(picture) && !isNumberPicture(picture);
    const QVariant stored = converted ? readValue(picture, value) : QVariant(value);
    if (target == QLatin1String("MUS:CategoryID")) {
        song.set(target, categoryFor(stored.toString().trimmed()));
        return;
    }
    if (target == QLatin1String("MUS:Media")) {
        song.set(target, mediaOf(stored.toString()));
        return;
    }
    const int field = song.def().fieldIndex(target);
    if (song.def().fields[size_t(field)].isText()) {
        song.setText(field, stored.toString());
        return;
    }
    if (converted) {
        song.setNumber(field, stored.toLongLong());
        return;
    }
    const double number = leadingNumber(value);
    if (target == QLatin1String("MUS:Time") && number < 24) {
        // Hours:minutes:seconds read as minutes and seconds: 3:45 is three minutes and 45 seconds.
        const qint64 time = readValue(QStringLiteral("@t4"), value.trimmed()).toLongLong();
        song.setNumber(field, time > 0 ? (time - 1) / 60 + 1 : 0);
        return;
    }
    song.setNumber(field, qint64(number));
}

qint64 SongImport::categoryFor(const QString &name)
{
    if (name.isEmpty())
        return 0;
    const auto found = categoryIds_.constFind(name.toUpper());
    if (found != categoryIds_.constEnd())
        return *found;
    const qint64 id = ++highestCategory_;
    categories_->buffer().clear();
    categories_->buffer().set("CAT:CategoryID", id);
    categories_->buffer().set("CAT:Category", name);
    categories_->add();
    categoryIds_.insert(name.toUpper(), id);
    return id;
}

void SongImport::finish(Outcome outcome)
{
    if (!running_)
        return;
    running_ = false;
    outcome_ = outcome;
    // What was added stays, after a cancel or a failed add as well.
    songs_->flush();
    files_.release(FileId::Categories);
    files_.release(FileId::Cantorix);
}

} // namespace crx
