#include "ui/widgets/desktop_url_opener.h"

#include "ui/widgets/help_window.h"

#include <QDesktopServices>

namespace ssq {

namespace {

UrlOpener* g_installed = nullptr;

} // namespace

UrlOpener& urlOpener() {
    static DesktopUrlOpener desktop;
    return g_installed ? *g_installed : desktop;
}

void setUrlOpener(UrlOpener* opener) {
    g_installed = opener;
}

void DesktopUrlOpener::open(const QUrl& url) {
    // The help pages are the program's own: shown inside it, with or without a web browser.
    if (url.isLocalFile())
        showHelpPage(url);
    else
        QDesktopServices::openUrl(url);
}

} // namespace ssq
