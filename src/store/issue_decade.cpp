#include "store/issue_decade.h"

#include "store/draw_history.h"

namespace ssq {

namespace {

constexpr int kIssuesPerYear = 1000;

int yearDigit(int issue) {
    return issue / kIssuesPerYear;
}

bool isFourCharacters(int issue) {
    return issue >= 0 && issue < 10 * kIssuesPerYear;
}

} // namespace

int inferredDecade(int newestIssue, const QDate& today) {
    const int year = today.year();
    const int digit = isFourCharacters(newestIssue) ? yearDigit(newestIssue) : year % 10;
    int decade = year - year % 10;
    if (digit > year % 10)
        decade -= 10;
    return decade;
}

QString sevenDigitIssue(int issue, int newestIssue, int decade) {
    if (!isFourCharacters(issue))
        return issueText(issue);
    const bool before = isFourCharacters(newestIssue) && yearDigit(issue) > yearDigit(newestIssue);
    const int year = (before ? decade - 10 : decade) + yearDigit(issue);
    return QString::number(year * kIssuesPerYear + issue % kIssuesPerYear);
}

} // namespace ssq
