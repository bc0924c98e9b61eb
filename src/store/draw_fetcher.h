#pragma once
// The one request of the network update: GET the source address as a browser would, follow
// safe redirects, give up after a time without an answer, and say in plain words what went
// wrong. What the answer means is read elsewhere (draw_answer.h).

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

#include <QNetworkReply>

class QNetworkAccessManager;

namespace ssq {

struct FetchOutcome {
    bool ok = false;
    bool cancelled = false;
    QByteArray body;
    QString message; // for the player when not ok
};

class DrawFetcher : public QObject {
    Q_OBJECT
public:
    explicit DrawFetcher(QObject* parent = nullptr);

    // Starts a request; a request still running is cancelled first.
    void start(const QUrl& source, int timeoutMs);
    void cancel();
    bool isRunning() const { return m_reply != nullptr; }

Q_SIGNALS:
    void progress(qint64 received, qint64 total); // total -1 when unknown
    void finished(const ssq::FetchOutcome& outcome);

private:
    void done();

    QNetworkAccessManager* m_network = nullptr;
    QPointer<QNetworkReply> m_reply;
    int m_timeoutMs = 0;
    bool m_cancelled = false;
    bool m_tooLarge = false;
};

// Fetches and waits (for the command line).
FetchOutcome fetchDrawSource(const QUrl& source, int timeoutMs);

} // namespace ssq

Q_DECLARE_METATYPE(ssq::FetchOutcome)
