#pragma once
// The captions of the panel's 40 conditions ("4、和值"), for the reports that name conditions.

#include <QString>

namespace ssq {

// Condition k (1..40) as the panel shows it; empty for any other k.
QString conditionCaption(int k);

} // namespace ssq
