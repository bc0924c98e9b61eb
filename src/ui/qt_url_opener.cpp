#include "ui/qt_url_opener.h"

#include <QDesktopServices>

namespace ssq {

namespace {

UrlOpener* g_installed = nullptr;

} // namespace

UrlOpener& urlOpener() {
    static QtUrlOpener desktop;
    return g_installed ? *g_installed : desktop;
}

void setUrlOpener(UrlOpener* opener) {
    g_installed = opener;
}

void QtUrlOpener::open(const QUrl& url) {
    QDesktopServices::openUrl(url);
}

} // namespace ssq
