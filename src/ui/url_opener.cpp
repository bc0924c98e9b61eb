#include "ui/url_opener.h"

#include "ui/app_paths.h"

#include <QDir>

namespace ssq {

namespace {

QUrl programPage(const char16_t* relative) {
    return QUrl::fromLocalFile(
        QDir(appPaths().shippedFolder).filePath(QString::fromUtf16(relative)));
}

} // namespace

QUrl homePageUrl() {
    return programPage(kHomePage);
}

QUrl downloadPageUrl() {
    return programPage(kDownloadPage);
}

} // namespace ssq
