#include "profile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSaveFile>
#include <QStringDecoder>
#include <algorithm>
#include <limits>

namespace crx {
namespace {

QString decode(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

struct Line {
    QByteArray bytes; // as in the file, without its line end
    enum Kind { Other, Section, Entry } kind = Other;
    QString name;     // section name, or key
    QString value;
};

Line parse(const QByteArray &bytes)
{
    Line line;
    line.bytes = bytes;
    const QString text = decode(bytes).trimmed();
    if (text.startsWith('[')) {
        const qsizetype close = text.indexOf(']');
        if (close > 0) {
            line.kind = Line::Section;
            line.name = text.mid(1, close - 1).trimmed();
        }
    } else if (!text.startsWith(';') && !text.startsWith('#')) {
        const qsizetype equals = text.indexOf('=');
        if (equals > 0) {
            line.kind = Line::Entry;
            line.name = text.left(equals).trimmed();
            line.value = text.mid(equals + 1).trimmed();
        }
    }
    return line;
}

struct Profile {
    QList<Line> lines;
    QByteArray lineEnd = "\n";
    bool endsWithLineEnd = true;
};

Profile load(const QString &path)
{
    Profile p;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return p;
    QByteArray all = file.readAll();
    if (all.contains("\r\n"))
        p.lineEnd = "\r\n";
    p.endsWithLineEnd = all.isEmpty() || all.endsWith('\n');
    if (all.endsWith('\n'))
        all.chop(1);
    if (all.isEmpty())
        return p;
    for (QByteArray bytes : all.split('\n')) {
        if (bytes.endsWith('\r'))
            bytes.chop(1);
        p.lines.append(parse(bytes));
    }
    return p;
}

bool same(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Index of the entry line of section/key, or -1; sectionEnd is one past the
// section's last entry (-1 when the section is missing).
qsizetype find(const Profile &p, const QString &section, const QString &key, qsizetype *sectionEnd = nullptr)
{
    bool inSection = false;
    qsizetype end = -1;
    for (qsizetype i = 0; i < p.lines.size(); ++i) {
        const Line &line = p.lines[i];
        if (line.kind == Line::Section) {
            inSection = same(line.name, section);
            if (inSection && end < 0)
                end = i + 1;
            continue;
        }
        if (!inSection)
            continue;
        if (line.kind == Line::Entry) {
            if (same(line.name, key))
                return i;
            end = i + 1;
        }
    }
    if (sectionEnd)
        *sectionEnd = end;
    return -1;
}

} // namespace

QString profilePath(const QString &workingDirectory, const QString &name)
{
    QString relative = name;
    relative.replace('\\', '/');
    const QString path = QDir::cleanPath(QDir(workingDirectory).absoluteFilePath(relative));
    if (QFileInfo::exists(path))
        return path;
    const QFileInfo wanted(path);
    const QDir dir = wanted.absoluteDir();
    for (const QString &entry : dir.entryList(QDir::Files | QDir::Hidden))
        if (same(entry, wanted.fileName()))
            return dir.absoluteFilePath(entry);
    return path;
}

int profileNumber(const QString &text)
{
    const QString t = text.trimmed();
    qsizetype i = 0;
    if (i < t.size() && (t[i] == '-' || t[i] == '+'))
        ++i;
    const qsizetype digits = i;
    while (i < t.size() && t[i].isDigit() && t[i].unicode() < 128)
        ++i;
    if (i == digits)
        return 0;
    bool ok = false;
    const qlonglong n = t.left(i).toLongLong(&ok);
    if (!ok)
        return 0;
    return int(std::clamp<qlonglong>(n, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

QString readProfile(const QString &path, const QString &section, const QString &key, const QString &fallback)
{
    const Profile p = load(path);
    const qsizetype at = find(p, section, key);
    return at < 0 ? fallback : p.lines[at].value;
}

int readProfileNumber(const QString &path, const QString &section, const QString &key, int fallback)
{
    const Profile p = load(path);
    const qsizetype at = find(p, section, key);
    return at < 0 ? fallback : profileNumber(p.lines[at].value);
}

bool writeProfile(const QString &path, const QString &section, const QString &key, const QString &value)
{
    Profile p = load(path);
    qsizetype sectionEnd = -1;
    const qsizetype at = find(p, section, key, &sectionEnd);
    if (at >= 0) {
        // Keep the key as the file spells it, and whatever stood before it on the line.
        Line &line = p.lines[at];
        const qsizetype equals = line.bytes.indexOf('=');
        line.bytes = line.bytes.left(equals + 1) + value.toUtf8();
        line.value = value;
    } else {
        const Line entry = parse(key.toUtf8() + '=' + value.toUtf8());
        if (sectionEnd >= 0) {
            p.lines.insert(sectionEnd, entry);
        } else {
            if (!p.lines.isEmpty() && !p.lines.last().bytes.trimmed().isEmpty())
                p.lines.append(Line{});
            p.lines.append(parse('[' + section.toUtf8() + ']'));
            p.lines.append(entry);
        }
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    for (qsizetype i = 0; i < p.lines.size(); ++i) {
        file.write(p.lines[i].bytes);
        if (i + 1 < p.lines.size() || p.endsWithLineEnd || at < 0)
            file.write(p.lineEnd);
    }
    return file.commit();
}

} // namespace crx
