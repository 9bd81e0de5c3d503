#include "delimited.h"

#include "picture.h"

#include <QStringDecoder>

namespace crx {

namespace {

// Windows-1252 beyond Latin-1: 0x80 to 0x9F (0 where the code page leaves a hole).
constexpr char16_t Cp1252High[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                     0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                     0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                     0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

QChar pictureLetter(const QString &picture)
{
    const QString p = picture.trimmed();
    return p.size() > 1 && p[0] == '@' ? p[1] : QChar();
}

} // namespace

bool FieldReader::next(QString &value, bool *quoted)
{
    qsizetype rest = at_;
    while (rest < line_.size() && line_[rest] == ' ')
        ++rest;
    if (rest >= line_.size())
        return false;
    if (line_[at_] == '"') {
        value.clear();
        qsizetype i = at_ + 1;
        for (;;) {
            const qsizetype close = line_.indexOf('"', i);
            if (close < 0) {
                value += line_.mid(i);
                at_ = line_.size();
                break;
            }
            value += line_.mid(i, close - i);
            if (close + 1 < line_.size() && line_[close + 1] == '"') {
                value += '"';
                i = close + 2;
                continue;
            }
            // The comma after the closing quote.
            at_ = close + 2;
            break;
        }
        if (quoted)
            *quoted = true;
    } else {
        const qsizetype comma = line_.indexOf(',', at_);
        const qsizetype end = comma < 0 ? line_.size() : comma;
        value = line_.mid(at_, end - at_);
        at_ = comma < 0 ? line_.size() : comma + 1;
        if (quoted)
            *quoted = false;
    }
    value = cutText(value, MostFieldCharacters);
    return true;
}

bool isTextPicture(const QString &picture)
{
    return pictureLetter(picture).toUpper() == 'S';
}

bool isNumberPicture(const QString &picture)
{
    return pictureLetter(picture).toUpper() == 'N';
}

QString pictureKind(const QString &picture, const QString &textKind)
{
    if (isTextPicture(picture))
        return textKind;
    if (isNumberPicture(picture))
        return QStringLiteral("Numeric");
    return picture;
}

QString writtenField(const QString &picture, const QVariant &value)
{
    QString line;
    const FieldWriter writer(picture);
    if (value.typeId() == QMetaType::QString)
        writer.append(line, value.toString());
    else
        writer.append(line, value.toLongLong());
    return line;
}

FieldWriter::FieldWriter(const QString &picture)
    : kind_(isTextPicture(picture) ? Kind::Text : isNumberPicture(picture) ? Kind::Number : Kind::Formatted),
      picture_(parsePicture(picture))
{
}

void FieldWriter::append(QString &line, const QString &text) const
{
    if (kind_ == Kind::Number)
        line += text.trimmed();
    else
        quote(line, kind_ == Kind::Text ? text : formatValue(picture_, text));
}

void FieldWriter::append(QString &line, qint64 number) const
{
    if (kind_ == Kind::Number)
        line += QString::number(number);
    else
        quote(line, kind_ == Kind::Text ? QString::number(number) : formatValue(picture_, number));
}

void FieldWriter::quote(QString &line, const QString &shown)
{
    qsizetype end = shown.size();
    while (end > 0 && shown[end - 1] == ' ')
        --end;
    line += '"';
    for (qsizetype i = 0; i < end; ++i) {
        if (shown[i] == '"')
            line += '"';
        line += shown[i];
    }
    line += '"';
}

QString headerField(const QString &name)
{
    QString written = name;
    if (written.contains('[')) {
        written.replace(',', '_').replace('[', '_').replace(']', ' ');
    }
    QString line;
    FieldWriter(QStringLiteral("@s")).append(line, written);
    return line;
}

QString cutText(const QString &text, qsizetype most)
{
    if (text.size() <= most)
        return text;
    qsizetype cut = most;
    if (cut > 0 && text[cut - 1].isHighSurrogate())
        --cut;
    return text.left(cut);
}

QString decodeLine(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    QString cp1252(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const uchar b = uchar(bytes[i]);
        const char16_t high = b >= 0x80 && b < 0xA0 ? Cp1252High[b - 0x80] : 0;
        cp1252[i] = QChar(high ? high : char16_t(b));
    }
    return cp1252;
}

bool DelimitedLines::open(const QString &path)
{
    file_.close();
    file_.setFileName(path);
    if (!file_.open(QIODevice::ReadOnly))
        return false;
    rewind();
    return true;
}

void DelimitedLines::rewind()
{
    file_.seek(0);
    if (file_.peek(3) == QByteArray("\xEF\xBB\xBF"))
        file_.seek(3);
}

bool DelimitedLines::looksLikeText()
{
    const qint64 at = file_.pos();
    file_.seek(0);
    const QByteArray start = file_.read(4096);
    file_.seek(at);
    return !start.contains('\0');
}

bool DelimitedLines::next(QString &line)
{
    if (file_.atEnd())
        return false;
    // At most what 16,000 characters can take in UTF-8; the rest of a longer line is skipped.
    constexpr qint64 MostBytes = qint64(MostLineCharacters) * 4;
    QByteArray bytes = file_.readLine(MostBytes + 1);
    if (!bytes.endsWith('\n'))
        while (!file_.atEnd() && !file_.readLine(MostBytes + 1).endsWith('\n')) {
        }
    while (bytes.endsWith('\n') || bytes.endsWith('\r'))
        bytes.chop(1);
    bytes.replace('\0', QByteArray());
    line = cutText(decodeLine(bytes), MostLineCharacters);
    return true;
}

} // namespace crx
