#pragma once
// A small HTTP server on 127.0.0.1 for the network tests: each path answers with a fixed status,
// body and headers, or never answers at all. It runs in the test's own event loop, so a test
// waits for the program with the event loop running (QTRY_*, QSignalSpy::wait).

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QUrl>

class QTcpServer;
class QTcpSocket;

namespace ssq::test {

class LocalHttpServer : public QObject {
public:
    struct Answer {
        int status = 200;
        QByteArray body;
        QByteArray location; // for a redirect
        bool silent = false; // accepts the request and never answers
    };

    LocalHttpServer();
    ~LocalHttpServer() override;

    bool listen();
    QUrl url(const QString& path) const;
    void setAnswer(const QString& path, const Answer& answer) { m_answers.insert(path, answer); }

    // The head of every request received (request line and headers), in order.
    const QList<QByteArray>& requests() const { return m_requests; }

private:
    void serve(QTcpSocket* socket);

    QTcpServer* m_server = nullptr;
    QHash<QString, Answer> m_answers;
    QList<QByteArray> m_requests;
};

} // namespace ssq::test
