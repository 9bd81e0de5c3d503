#include "disctalk.h"

#include "profile.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QHostInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QStringDecoder>
#include <QTimer>
#include <QUrl>
#include <optional>

namespace disctalk {
namespace {

const QString Ini = QStringLiteral("DISCTALK.INI");
const QString Log = QStringLiteral("CDDB_LOG.TXT");
constexpr int LineLimit = 1024;
constexpr qint64 ReplyLimit = 1 << 20;
constexpr const char *Version = "2.07";

// The characters 0x80-0x9F of Windows-1252; the rest is Latin-1.
const char16_t windows1252[32] = {0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
                                  0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

QString words(const QStringList &parts)
{
    QStringList encoded;
    for (const QString &p : parts)
        encoded << QString::fromLatin1(QUrl::toPercentEncoding(p));
    return encoded.join(QLatin1Char('+'));
}

struct Fetched {
    QByteArray bytes;
    QString error;
};

Fetched fetch(const Settings &s, const QStringList &command)
{
    const QString host = QHostInfo::localHostName().isEmpty() ? QStringLiteral("localhost") : QHostInfo::localHostName();
    QUrl url;
    url.setScheme(QStringLiteral("http"));
    url.setHost(s.server);
    url.setPort(s.port);
    url.setPath(s.path);
    url.setQuery(QStringLiteral("cmd=") + words(command) + QStringLiteral("&hello=")
                     + words({s.user, host, QStringLiteral("Cantorix"), QString::fromLatin1(Version)})
                     + QStringLiteral("&proto=6"),
                 QUrl::StrictMode);
    QNetworkAccessManager network;
    QNetworkRequest request(url);
    request.setTransferTimeout(s.timeoutSeconds * 1000);
    QNetworkReply *reply = network.get(request);
    Fetched out;
    QEventLoop wait;
    QObject::connect(reply, &QNetworkReply::downloadProgress, reply, [reply, &out](qint64 received, qint64) {
        if (received > ReplyLimit) {
            out.error = QStringLiteral("the reply is too long");
            reply->abort();
        }
    });
    QObject::connect(reply, &QNetworkReply::finished, &wait, &QEventLoop::quit);
    wait.exec();
    if (out.error.isEmpty() && reply->error() != QNetworkReply::NoError)
        out.error = reply->error() == QNetworkReply::OperationCanceledError
                        ? QStringLiteral("%1 did not answer within %2 seconds").arg(s.server).arg(s.timeoutSeconds)
                        : reply->errorString();
    if (out.error.isEmpty())
        out.bytes = reply->readAll();
    reply->deleteLater();
    return out;
}

// A server line "category discid title".
Match matchOf(const QString &line)
{
    return {line.section(QLatin1Char(' '), 0, 0), line.section(QLatin1Char(' '), 1, 1),
            line.section(QLatin1Char(' '), 2)};
}

struct Found {
    QStringList record;
    QString category;
};

// The local collection's files named after the disc id, one per category.
QList<Match> localMatches(const Settings &s, const QString &discId)
{
    QList<Match> out;
    if (s.localCddb.isEmpty() || discId.isEmpty())
        return out;
    const QDir dir(s.localCddb);
    for (const QString &category : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        if (QFile::exists(dir.filePath(category + QLatin1Char('/') + discId)))
            out << Match{category, discId, {}};
    return out;
}

std::optional<int> choose(const QList<Match> &matches, bool exact, const Settings &s, Asker &asker)
{
    if (matches.isEmpty())
        return std::nullopt;
    if (s.automatic)
        return exact ? std::optional<int>(0) : std::nullopt;
    const int chosen = asker.choose(matches);
    return chosen >= 0 && chosen < matches.size() ? std::optional<int>(chosen) : std::nullopt;
}

} // namespace

Settings readSettings(const QString &directory)
{
    const QString ini = crx::profilePath(directory, QStringLiteral(".\\") + Ini);
    const auto read = [&](const char *section, const char *key, const QString &fallback = {}) {
        return crx::readProfile(ini, QLatin1String(section), QLatin1String(key), fallback);
    };
    Settings s;
    s.queryLine = read("CDDB", "CDDB");
    s.automatic = read("Default", "AutomaticMode").startsWith(QLatin1Char('Y'), Qt::CaseInsensitive);
    s.server = read("Settings", "Server", s.server);
    s.port = read("Settings", "Port", QString::number(s.port)).toInt();
    s.path = read("Settings", "Path", s.path);
    const QString email = read("Settings", "EmailAddress");
    QString user = email.section(QLatin1Char('@'), 0, 0);
    if (user.isEmpty())
        user = qEnvironmentVariable("USER", QStringLiteral("cantorix"));
    s.user = read("Settings", "User", user);
    s.localCddb = read("Settings", "LocalCddb");
    if (!s.localCddb.isEmpty())
        s.localCddb = QDir(directory).absoluteFilePath(s.localCddb);
    s.timeoutSeconds = qMax(1, read("Settings", "Timeout", QString::number(s.timeoutSeconds)).toInt());
    return s;
}

QString decodeReply(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    QString out;
    out.reserve(bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        out += b >= 0x80 && b < 0xA0 ? QChar(windows1252[b - 0x80]) : QChar(b);
    }
    return out;
}

Reply parseReply(const QByteArray &bytes)
{
    Reply reply;
    QStringList lines = decodeReply(bytes).split(QLatin1Char('\n'));
    for (QString &line : lines)
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    reply.first = lines.value(0);
    bool ok = false;
    reply.code = reply.first.left(3).toInt(&ok);
    if (!ok || (reply.first.size() > 3 && reply.first[3] != QLatin1Char(' '))) {
        reply.error = QStringLiteral("not a CDDB reply: ") + reply.first.left(60);
        return reply;
    }
    for (const QString &line : lines)
        if (line.size() > LineLimit) {
            reply.error = QStringLiteral("a line of the reply is longer than %1 characters").arg(LineLimit);
            return reply;
        }
    // A reply whose code has 1 in the middle goes on with lines up to a line ".".
    if (reply.code / 10 % 10 == 1) {
        const qsizetype end = lines.indexOf(QStringLiteral("."));
        if (end < 1) {
            reply.error = QStringLiteral("the reply ends before its closing line");
            return reply;
        }
        reply.body = lines.mid(1, end - 1);
    }
    return reply;
}

int run(const QString &directory, Asker &asker)
{
    const Settings s = readSettings(directory);
    const QStringList query = s.queryLine.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (query.size() < 3) {
        asker.tell(QStringLiteral("There is no CDDB query line of a disc in %1.").arg(Ini));
        return 2;
    }
    const QString discId = query.first();
    std::optional<Found> found;

    const QList<Match> local = localMatches(s, discId);
    if (const auto chosen = choose(local, true, s, asker)) {
        const Match &m = local[*chosen];
        QFile file(QDir(s.localCddb).filePath(m.category + QLatin1Char('/') + m.discId));
        if (!file.open(QIODevice::ReadOnly) || file.size() > ReplyLimit) {
            asker.tell(QStringLiteral("Cannot read %1.").arg(file.fileName()));
            return 2;
        }
        // A local file is the record itself: read it as the body of a reply.
        const Reply r = parseReply("210 " + m.category.toUtf8() + ' ' + m.discId.toUtf8() + '\n' + file.readAll()
                                       + "\n.\n");
        if (!r.error.isEmpty()) {
            asker.tell(QStringLiteral("%1: %2").arg(file.fileName(), r.error));
            return 2;
        }
        found = Found{r.body, m.category};
    } else if (!local.isEmpty() || s.server.isEmpty()) {
        return 1;
    }

    if (!found) {
        const Fetched asked = fetch(s, QStringList{QStringLiteral("cddb"), QStringLiteral("query")} + query);
        const Reply r = asked.error.isEmpty() ? parseReply(asked.bytes) : Reply{};
        if (!asked.error.isEmpty() || !r.error.isEmpty()) {
            asker.tell(QStringLiteral("The CDDB server %1 gave no usable answer: %2")
                           .arg(s.server, asked.error.isEmpty() ? r.error : asked.error));
            return 2;
        }
        QList<Match> matches;
        bool exact = true;
        if (r.code == 200) {
            matches << matchOf(r.first.mid(4));
        } else if (r.code == 210 || r.code == 211) {
            for (const QString &line : r.body)
                matches << matchOf(line);
            exact = r.code == 210;
        } else if (r.code == 202) {
            return 1;
        } else {
            asker.tell(QStringLiteral("The CDDB server %1 says: %2").arg(s.server, r.first));
            return 2;
        }
        const auto chosen = choose(matches, exact, s, asker);
        if (!chosen)
            return 1;
        const Match m = matches[*chosen];
        const Fetched record = fetch(s, {QStringLiteral("cddb"), QStringLiteral("read"), m.category, m.discId});
        const Reply read = record.error.isEmpty() ? parseReply(record.bytes) : Reply{};
        QString problem = record.error.isEmpty() ? read.error : record.error;
        if (problem.isEmpty() && read.code != 210)
            problem = read.first;
        if (problem.isEmpty() && (read.first.section(QLatin1Char(' '), 1, 1) != m.category
                                  || read.first.section(QLatin1Char(' '), 2, 2) != m.discId))
            problem = QStringLiteral("the record sent is not the disc asked for: ") + read.first;
        if (!problem.isEmpty()) {
            asker.tell(QStringLiteral("The CDDB server %1 gave no usable record: %2").arg(s.server, problem));
            return 2;
        }
        found = Found{read.body, m.category};
    }

    QFile log(QDir(directory).filePath(Log));
    if (!log.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || log.write((found->record.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8()) < 0 || !log.flush()) {
        asker.tell(QStringLiteral("Cannot write %1: %2").arg(log.fileName(), log.errorString()));
        return 2;
    }
    log.close();
    crx::writeProfile(crx::profilePath(directory, QStringLiteral(".\\") + Ini), QStringLiteral("CDDB"),
                      QStringLiteral("Category"), found->category);
    return 0;
}

} // namespace disctalk
