#include "support/local_http_server.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

using namespace Qt::StringLiterals;

namespace ssq::test {

LocalHttpServer::LocalHttpServer() : m_server(new QTcpServer(this)) {
    connect(m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = m_server->nextPendingConnection()) {
            socket->setParent(this);
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
        }
    });
}

LocalHttpServer::~LocalHttpServer() = default;

bool LocalHttpServer::listen() {
    return m_server->listen(QHostAddress::LocalHost);
}

QUrl LocalHttpServer::url(const QString& path) const {
    return QUrl(u"http://127.0.0.1:%1%2"_s.arg(m_server->serverPort()).arg(path));
}

void LocalHttpServer::serve(QTcpSocket* socket) {
    // The request stays buffered until its head is complete.
    const QByteArray head = socket->peek(64 * 1024);
    if (!head.contains("\r\n\r\n"))
        return;
    socket->readAll();
    const QByteArray request = head.left(head.indexOf("\r\n\r\n"));
    m_requests.append(request);
    const QList<QByteArray> line = request.left(request.indexOf("\r\n")).split(' ');
    const QString path = line.size() > 1 ? QString::fromLatin1(line[1]) : QString();
    const auto found = m_answers.constFind(path);
    const Answer answer = found != m_answers.constEnd() ? *found : Answer{404, "not found"};
    if (answer.silent)
        return;
    QByteArray reply = "HTTP/1.1 " + QByteArray::number(answer.status) + " X\r\n";
    reply += "Content-Type: application/json;charset=UTF-8\r\n";
    if (!answer.location.isEmpty())
        reply += "Location: " + answer.location + "\r\n";
    reply += "Content-Length: " + QByteArray::number(answer.body.size()) + "\r\n";
    reply += "Connection: close\r\n\r\n" + answer.body;
    socket->write(reply);
    socket->disconnectFromHost();
}

} // namespace ssq::test
