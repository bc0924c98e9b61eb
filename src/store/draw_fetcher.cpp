#include "store/draw_fetcher.h"

#include "store/draw_answer.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

const QByteArray kUserAgent = "Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 "
                              "(KHTML, like Gecko) Chrome/124.0.0.0 Safari/537.36";

FetchOutcome failure(const QString& text) {
    FetchOutcome outcome;
    outcome.message = text + pasteAdvice();
    return outcome;
}

} // namespace

DrawFetcher::DrawFetcher(QObject* parent)
    : QObject(parent), m_network(new QNetworkAccessManager(this)) {}

void DrawFetcher::start(const QUrl& source, int timeoutMs) {
    cancel();
    m_cancelled = false;
    m_tooLarge = false;
    m_timeoutMs = timeoutMs;
    QNetworkRequest request(source);
    request.setHeader(QNetworkRequest::UserAgentHeader, kUserAgent);
    request.setRawHeader("Accept", "application/json");
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(5);
    request.setTransferTimeout(timeoutMs);
    m_reply = m_network->get(request);
    connect(m_reply, &QNetworkReply::downloadProgress, this, [this](qint64 received, qint64 total) {
        if (received > kMaxDrawSourceBytes && m_reply) {
            m_tooLarge = true;
            m_reply->abort();
        }
        Q_EMIT progress(received, total);
    });
    connect(m_reply, &QNetworkReply::finished, this, &DrawFetcher::done);
}

void DrawFetcher::cancel() {
    if (!m_reply)
        return;
    m_cancelled = true;
    m_reply->abort();
}

void DrawFetcher::done() {
    QNetworkReply* reply = m_reply;
    if (!reply)
        return;
    m_reply = nullptr;
    reply->deleteLater();

    FetchOutcome outcome;
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QNetworkReply::NetworkError error = reply->error();
    if (m_cancelled) {
        outcome.cancelled = true;
        outcome.message = u"已取消联网更新，数据库没有改动。"_s;
    } else if (m_tooLarge) {
        outcome = failure(u"开奖数据服务的回答太大，不是开奖数据。"_s);
    } else if (error == QNetworkReply::OperationCanceledError ||
               error == QNetworkReply::TimeoutError) {
        // The transfer timeout aborts a request that stays silent.
        outcome = failure(u"开奖数据服务在%1秒内没有回答。"_s.arg((m_timeoutMs + 999) / 1000));
    } else if (status >= 400) {
        outcome = failure(u"开奖数据服务拒绝了这次查询（HTTP %1）。"_s.arg(status));
    } else if (error == QNetworkReply::TooManyRedirectsError ||
               error == QNetworkReply::InsecureRedirectError) {
        outcome = failure(
            u"开奖数据服务把查询转到了别处，程序没有跟过去（%1）。"_s.arg(reply->errorString()));
    } else if (error != QNetworkReply::NoError) {
        outcome =
            failure(u"无法连接开奖数据服务，请检查网络连接（%1）。"_s.arg(reply->errorString()));
    } else {
        outcome.body = reply->readAll();
        outcome.ok = true;
    }
    Q_EMIT finished(outcome);
}

FetchOutcome fetchDrawSource(const QUrl& source, int timeoutMs) {
    DrawFetcher fetcher;
    QEventLoop loop;
    FetchOutcome result;
    QObject::connect(&fetcher, &DrawFetcher::finished, &loop, [&](const FetchOutcome& outcome) {
        result = outcome;
        loop.quit();
    });
    fetcher.start(source, timeoutMs);
    if (fetcher.isRunning())
        loop.exec();
    return result;
}

} // namespace ssq
