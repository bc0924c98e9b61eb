#pragma once
// Writes an animated GIF (Qt reads GIF but cannot write it): all frames share one palette of at
// most 256 colours, the animation loops forever.

#include <QImage>
#include <QList>
#include <QString>

namespace ssq {

// Frames must all have the size of the first. The delay is rounded to hundredths of a second.
bool writeAnimatedGif(const QString& path, const QList<QImage>& frames, int frameDelayMs,
                      QString* error = nullptr);

} // namespace ssq
