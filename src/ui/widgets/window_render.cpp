#include "ui/widgets/window_render.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace ssq {

QImage renderWindow(QWidget& window) {
    if (!window.isVisible())
        window.show();
    // Two passes: the first runs the layout requests, the second the resizes they cause.
    QApplication::processEvents();
    QApplication::processEvents();
    return window.grab().toImage();
}

bool saveWindowPng(QWidget& window, const QString& path, QString* error) {
    const QImage image = renderWindow(window);
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (image.isNull() || !image.save(path, "PNG")) {
        if (error)
            *error = u"无法写入图片文件 %1"_s.arg(QDir::toNativeSeparators(path));
        return false;
    }
    return true;
}

} // namespace ssq
