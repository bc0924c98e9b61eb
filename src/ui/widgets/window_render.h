#pragma once
// Renders a window as it would appear on screen, without a display (offscreen platform).

#include <QImage>
#include <QString>

class QWidget;

namespace ssq {

// Shows the window if needed, lets its layouts settle and grabs it.
QImage renderWindow(QWidget& window);
// Renders to a PNG file; false and a message in `error` when the file cannot be written.
bool saveWindowPng(QWidget& window, const QString& path, QString* error = nullptr);

} // namespace ssq
