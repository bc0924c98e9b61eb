#include "store/issue_text.h"

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace ssq {

bool isStorableIssue(double value) {
    return std::isfinite(value) && value == std::floor(value) &&
           std::fabs(value) <= std::numeric_limits<int>::max();
}

QString issueText(int issue) {
    return issue >= 0 ? u"%1"_s.arg(issue, 4, 10, QChar(u'0')) : QString::number(issue);
}

} // namespace ssq
