#include "store/issue_text.h"

using namespace Qt::StringLiterals;

namespace ssq {

QString issueText(int issue) {
    return issue >= 0 ? u"%1"_s.arg(issue, 4, 10, QChar(u'0')) : QString::number(issue);
}

} // namespace ssq
