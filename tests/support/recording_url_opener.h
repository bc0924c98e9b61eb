#pragma once
// A UrlOpener for tests: records the pages instead of starting a browser. Installs itself
// while it lives.

#include "ui/url_opener.h"

#include <QList>

namespace ssq::test {

class RecordingUrlOpener : public UrlOpener {
public:
    RecordingUrlOpener() { setUrlOpener(this); }
    ~RecordingUrlOpener() override { setUrlOpener(nullptr); }
    RecordingUrlOpener(const RecordingUrlOpener&) = delete;
    RecordingUrlOpener& operator=(const RecordingUrlOpener&) = delete;

    void open(const QUrl& url) override { m_opened.append(url); }
    const QList<QUrl>& opened() const { return m_opened; }

private:
    QList<QUrl> m_opened;
};

} // namespace ssq::test
