#include "ui/widgets/desktop_url_opener.h"

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
    QDesktopServices::openUrl(url);
}

} // namespace ssq
