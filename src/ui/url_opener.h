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

// The pages the program opens in the browser. The program has no web site: both addresses are
// help pages shipped with the program, relative to the shipped files' folder (appPaths()).
inline constexpr char16_t kHomePage[] = u"help/index.html";
inline constexpr char16_t kDownloadPage[] = u"help/import.html";

// The welcome window's home-page button.
QUrl homePageUrl();
// Where the draw history comes from: the page that explains importing it.
QUrl downloadPageUrl();

} // namespace ssq
