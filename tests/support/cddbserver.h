// A small CDDB server on 127.0.0.1 for the tests: answers each request with
// the reply set for its command ("query" or "read"), keeps the requests, and
// can be made slow (never answering).
#pragma once

#include <QByteArray>
#include <QMap>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>
#include <QUrlQuery>

namespace crx::test {

class CddbServer : public QObject
{
public:
    CddbServer()
    {
        server_.listen(QHostAddress::LocalHost);
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = server_.nextPendingConnection())
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { answer(socket); });
        });
    }
    quint16 port() const { return server_.serverPort(); }

    QMap<QString, QByteArray> replies; // by command word: "query", "read"
    bool slow = false;
    QStringList commands;              // each request's cmd, with blanks
    QStringList hellos;

private:
    void answer(QTcpSocket *socket)
    {
        QByteArray &request = pending_[socket];
        request += socket->readAll();
        if (!request.contains("\r\n\r\n"))
            return;
        const QByteArray target = request.split(' ').value(1);
        const QUrlQuery query(QUrl(QString::fromLatin1(target)).query());
        const QString command = query.queryItemValue(QStringLiteral("cmd"), QUrl::FullyDecoded).replace('+', ' ');
        commands << command;
        hellos << query.queryItemValue(QStringLiteral("hello"), QUrl::FullyDecoded).replace('+', ' ') + " proto="
                      + query.queryItemValue(QStringLiteral("proto"));
        pending_.remove(socket);
        if (slow)
            return;
        const QByteArray body = replies.value(command.section(' ', 1, 1));
        socket->write("HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\nContent-Length: " + QByteArray::number(body.size())
                      + "\r\nConnection: close\r\n\r\n" + body);
        socket->disconnectFromHost();
    }

    QTcpServer server_;
    QMap<QTcpSocket *, QByteArray> pending_;
};

} // namespace crx::test
