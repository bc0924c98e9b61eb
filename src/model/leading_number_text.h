#pragma once
// The leading-number rule for Qt texts (cells, boxes, file fields). Header-only so the model
// library itself stays free of Qt: only layers that already use Qt include it.

#include "model/leading_number.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <string_view>

namespace ssq {

inline double numberOf(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return leadingNumber(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

} // namespace ssq
