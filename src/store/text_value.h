#pragma once
// The leading-number rule for Qt texts (cells, boxes, file fields).

#include <QString>

namespace ssq {

double numberOf(const QString& text);

} // namespace ssq
