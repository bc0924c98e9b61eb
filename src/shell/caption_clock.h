#pragma once
// The date and time the window captions show: the system's short date, one blank, the time
// with seconds (the main window's clock ticks every second).

#include <QDateTime>
#include <QString>

namespace ssq {

QString captionDateTime(const QDateTime& now);

} // namespace ssq
