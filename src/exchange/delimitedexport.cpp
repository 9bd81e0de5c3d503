#include "delimitedexport.h"

#include "datafile.h"
#include "delimited.h"
#include "fileset.h"
#include "record.h"
#include "songdisplay.h"

#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace crx {

const std::vector<ExportField> &exportFields(ExportKind kind)
{
    static const std::vector<ExportField> songs = {
        {"MUS:Artist", "@s50"}, {"MUS:Title", "@s50"}, {"MUS:Mix", "@s30"}, {"MUS:Album", "@s50"},
        {"MUS:Media", "@s20"}, {"MUS:FileNumber", "@s20"}, {"MUS:ReleaseDate", "@n4"}, {"MUS:CategoryID", "@n-13"},
        {"MUS:ChartNumber", "@n3"}, {"MUS:TrackNumber", "@n3"}, {"MUS:Side", "@n2b"}, {"MUS:Time", "@T4"},
        {"MUS:UserDefinedKeyField", "@s30"}, {"MUS:AdditionalInformation1", "@s80"},
        {"MUS:AdditionalInformation2", "@s80"}, {"MUS:AdditionalInformation3", "@s80"},
        {"MUS:BeatsPerMinute", "@n_4b"}, {"MUS:Style", "@s30"}, {"MUS:Recording", "@s255"}, {"MUS:Composer", "@s80"},
        {"MUS:PerformanceNotes", "@s255"}, {"MUS:LastPlayed", "@d17-"}, {"MUS:Skips", "@n3"}, {"MUS:EndType", "@s6"},
        {"MUS:InOut", "@s20"}, {"MUS:Notes", "@s255"}, {"MUS:Rating", "@n2"}, {"MUS:Live", "@n3"},
        {"MUS:DoNotPlay", "@n3"}, {"MUS:AssociatedWAVFile", "@s128"}, {"CAT:Category", "@s30"}};
    static const std::vector<ExportField> albums = {
        {"ALB:Artist", "@s50"}, {"ALB:Album", "@s50"}, {"ALB:Media", "@s20"}, {"ALB:FileNumber", "@s20"},
        {"ALB:ReleaseDate", "@n_4"}, {"ALB:AssociatedWAVFile", "@s128"}, {"ALB:AssociatedImage", "@s128"},
        {"ALB:CDIdentifier", "@s24"}, {"ALB:XCCD", "@s32"}, {"ALB:Playlist", "@s70"}, {"ALB:Recording", "@s255"},
        {"ALB:Performance", "@s255"}, {"ALB:Rating", "@n2"}, {"ALB:Notes", "@s255"}, {"ALB:TotalTime", "@n-13"}};
    return kind == ExportKind::Songs ? songs : albums;
}

DelimitedExport::DelimitedExport(FileSet &files, ExportKind kind, std::vector<ExportField> fields, bool header)
    : files_(files), kind_(kind), fields_(std::move(fields)), header_(header)
{
    const FileDef &def = fileDef(kind == ExportKind::Songs ? FileId::Cantorix : FileId::Album);
    for (const ExportField &f : fields_) {
        const bool category = f.field == QLatin1String("CAT:Category");
        usesCategories_ = usesCategories_ || category;
        columns_.push_back({category ? -1 : def.fieldIndex(f.field), FieldWriter(f.picture)});
    }
}

DelimitedExport::~DelimitedExport()
{
    process_.reset();
    if (categoriesUsed_)
        files_.release(FileId::Categories);
}

bool DelimitedExport::create(const QString &path, QString &error)
{
    target_ = QFileInfo(path).absoluteFilePath();
    out_ = std::make_unique<QTemporaryFile>(QFileInfo(target_).absolutePath() + QStringLiteral("/.export-XXXXXX"));
    if (!out_->open()) {
        errorCode_ = int(out_->error());
        error = out_->errorString();
        return false;
    }
    if (usesCategories_) {
        files_.use(FileId::Categories);
        categoriesUsed_ = true;
    }
    if (header_) {
        QStringList names;
        for (const ExportField &f : fields_)
            names << headerField(f.field);
        if (!writeLine(names.join(','))) {
            errorCode_ = int(out_->error());
            error = out_->errorString();
            return false;
        }
    }
    return true;
}

bool DelimitedExport::start()
{
    const bool songs = kind_ == ExportKind::Songs;
    process_ = std::make_unique<BatchProcess>(files_, songs ? FileId::Cantorix : FileId::Album,
                                              songs ? QStringLiteral("MUS:SongsByArtist") : QStringLiteral("ALB:KeyAlbum"),
                                              [this](DataFile &file) { return writeRecord(file); });
    return process_->start();
}

bool DelimitedExport::tick()
{
    return process_->tick() && !abandoned_;
}

void DelimitedExport::cancel()
{
    abandoned_ = true;
    if (process_)
        process_->cancel();
}

BatchProcess::Work DelimitedExport::writeRecord(DataFile &file)
{
    if (abandoned_)
        return BatchProcess::Work::Done;
    const Record &record = file.buffer();
    QString line;
    line.reserve(256);
    for (size_t i = 0; i < columns_.size(); ++i) {
        if (i > 0)
            line += ',';
        const Column &c = columns_[i];
        if (c.field < 0)
            c.writer.append(line, categories_.of(files_, record.get("MUS:CategoryID").toLongLong()));
        else if (record.def().fields[size_t(c.field)].isText())
            c.writer.append(line, record.text(c.field));
        else
            c.writer.append(line, record.number(c.field));
    }
    while (!writeLine(line)) {
        errorCode_ = int(out_->error());
        if (!retry_ || !retry_(out_->errorString())) {
            cancel();
            break;
        }
        out_->unsetError();
    }
    return BatchProcess::Work::Done;
}

bool DelimitedExport::writeLine(const QString &line)
{
    const QByteArray bytes = line.toUtf8() + '\n';
    return out_->write(bytes) == bytes.size();
}

bool DelimitedExport::finish(QString &error)
{
    process_.reset();
    // An abandoned export's temporary file goes with it; the target stays as it was.
    if (abandoned_)
        return false;
    if (!out_->flush()) {
        errorCode_ = int(out_->error());
        error = out_->errorString();
        return false;
    }
    out_->close();
    const QFile::Permissions usual =
        QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser | QFile::ReadGroup | QFile::ReadOther;
    out_->setPermissions(QFile::exists(target_) ? QFile::permissions(target_) : usual);
    if (std::rename(QFile::encodeName(out_->fileName()).constData(), QFile::encodeName(target_).constData()) != 0) {
        errorCode_ = errno;
        error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    out_->setAutoRemove(false);
    return true;
}

} // namespace crx
