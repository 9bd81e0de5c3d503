// DiscTalk: finds the disc record of the query line Cantorix Pro leaves in
// DISCTALK.INI, in a local xmcd collection (category/discid files) or on a
// CDDB server over HTTP (protocol level 6), and leaves it in CDDB_LOG.TXT
// with its category in DISCTALK.INI. Its own settings are in section
// "Settings" of DISCTALK.INI: Server (gnudb.gnudb.org; empty for none), Port
// (80), Path (/~cddb/cddb.cgi), User (the user part of EmailAddress, or the
// login name), LocalCddb (a directory searched first) and Timeout (seconds,
// 20). A reply that is not what the protocol says leaves everything as it was.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace disctalk {

struct Settings {
    QString queryLine;    // section CDDB, key CDDB
    bool automatic = false; // section Default, key AutomaticMode "Y"
    QString server = QStringLiteral("gnudb.gnudb.org");
    int port = 80;
    QString path = QStringLiteral("/~cddb/cddb.cgi");
    QString user;
    QString localCddb;
    int timeoutSeconds = 20;
};
Settings readSettings(const QString &directory);

struct Match {
    QString category, discId, title;
};

// Where DiscTalk asks the person: which of several discs, and what went wrong.
class Asker
{
public:
    virtual ~Asker() = default;
    // The index of the disc chosen, or -1 for none.
    virtual int choose(const QList<Match> &matches) = 0;
    virtual void tell(const QString &error) = 0;
};

// Text of a reply: UTF-8, or Windows-1252 when it is not valid UTF-8.
QString decodeReply(const QByteArray &bytes);

// A server's reply, checked: its status line and (for a code with 1 in the middle) its lines
// up to the closing ".", or the reason it is not usable.
struct Reply {
    int code = 0;
    QString first;      // the status line
    QStringList body;   // the lines after it, up to the closing "."
    QString error;
};
Reply parseReply(const QByteArray &bytes);

// The whole run in directory: 0 when a record was written, 1 when none was found or chosen,
// 2 after an error (told to the asker).
int run(const QString &directory, Asker &asker);

} // namespace disctalk
