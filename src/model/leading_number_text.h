#pragma once
// The leading-number rule for Qt texts (cells, boxes, file fields). Header-only so the model
// library itself stays free of Qt: only layers that already use Qt include it.

#include "model/leading_number.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <string_view>

namespace ssq {

// Full-width digits, signs, point and space (what Chinese input methods type) as their ASCII
// forms, so "２０" reads as 20 wherever a number is typed.
inline QString normalizedDigits(const QString& text) {
    QString out = text;
    for (QChar& c : out) {
        const char16_t u = c.unicode();
        if ((u >= u'\uFF10' && u <= u'\uFF19') || u == u'\uFF0B' || u == u'\uFF0D' ||
            u == u'\uFF0E')
            c = QChar(char16_t(u - 0xFEE0));
        else if (u == u'\u3000')
            c = QChar(u' ');
    }
    return out;
}

inline double numberOf(const QString& text) {
    const QByteArray utf8 = normalizedDigits(text).toUtf8();
    return leadingNumber(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

} // namespace ssq
