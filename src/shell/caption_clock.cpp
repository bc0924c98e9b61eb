#include "shell/caption_clock.h"

#include <QLocale>

using namespace Qt::StringLiterals;

namespace ssq {

QString captionDateTime(const QDateTime& now) {
    return QLocale().toString(now.date(), QLocale::ShortFormat) + u' ' +
           now.time().toString(u"HH:mm:ss"_s);
}

} // namespace ssq
