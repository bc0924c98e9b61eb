#include "ui/url_opener.h"

#include <QCoreApplication>
#include <QDir>

namespace ssq {

namespace {

QUrl programPage(const char16_t* relative) {
    return QUrl::fromLocalFile(
        QDir(QCoreApplication::applicationDirPath()).filePath(QString::fromUtf16(relative)));
}

} // namespace

QUrl homePageUrl() {
    return programPage(kHomePage);
}

QUrl downloadPageUrl() {
    return programPage(kDownloadPage);
}

} // namespace ssq
