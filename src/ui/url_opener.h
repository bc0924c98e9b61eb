#pragma once
// Opens help pages (inside the program) and web pages (in the desktop's browser). Tests install a
// recording opener, so they can check what would be opened without starting a browser.

#include <QUrl>

namespace ssq {

class UrlOpener {
public:
    virtual ~UrlOpener() = default;
    // Fire and forget: a page that cannot be opened is ignored.
    virtual void open(const QUrl& url) = 0;
};

// The opener in use: the desktop's browser unless a test installed another one.
UrlOpener& urlOpener();
// Installs `opener` (not owned); nullptr restores the desktop's browser.
void setUrlOpener(UrlOpener* opener);

} // namespace ssq
