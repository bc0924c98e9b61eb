#pragma once
// The two AC values of the last-draw row: the conventional AC value of the six red numbers
// (distinct positive differences) and the code AC value of the seven code digits (distinct
// absolute differences, 0 included).

#include "ui/outcome.h"

#include <QString>

#include <array>

namespace ssq {

struct AcQueryResult : Outcome {
    // message: why the row was refused, when not ok
    int redAc = 0;
    int codeAc = 0;
};

// `reds` are the texts of the six red boxes, `codeDigits` the seven code-digit boxes
// (百万..个位). The reds must be ascending (equal neighbours allowed) and each fit 0..255.
AcQueryResult acQuery(const std::array<QString, 6>& reds, const std::array<QString, 7>& codeDigits);

// The two message texts, "常规AC值为14（常用算法为9）" and "代码AC值为6".
QString redAcMessage(int redAc);
// The AC value as most players count it: the conventional one less 5 (0..10), never below 0.
int commonAc(int redAc);
QString codeAcMessage(int codeAc);

} // namespace ssq
