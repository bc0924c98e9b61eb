#include "store/issue_number.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

// More draws ahead than this and the player is asked first.
constexpr int kFewDraws = 3;

bool allDigits(const QString& text) {
    return !text.isEmpty() &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

} // namespace

int decadeOf(int year) {
    return year - year % 10;
}

int yearOfFullIssue(int fullIssue) {
    return fullIssue / 1000;
}

int sequenceOfFullIssue(int fullIssue) {
    return fullIssue % 1000;
}

int storedIssueOfFull(int fullIssue) {
    return yearOfFullIssue(fullIssue) % 10 * 1000 + sequenceOfFullIssue(fullIssue);
}

int fullIssueOf(int storedIssue, int decadeYear) {
    if (storedIssue < 0 || storedIssue > 9999)
        return 0;
    return (decadeYear + storedIssue / 1000) * 1000 + storedIssue % 1000;
}

QString fullIssueText(int storedIssue, int decadeYear) {
    const int full = fullIssueOf(storedIssue, decadeYear);
    if (full == 0)
        return QString::number(storedIssue);
    return QString::number(full);
}

QString decadeRangeText(int decadeYear) {
    return u"%1—%2"_s.arg(decadeYear).arg(decadeYear + 9);
}

QString otherDecadeMessage(int decadeYear) {
    return u"本数据库保存%1年的开奖数据，只能输入这个年代的期号：七位期号从%2到%3，"
           u"或者四位期号（年份的最后一位加三位期序）。"_s.arg(decadeRangeText(decadeYear))
               .arg(decadeYear * 1000 + 1)
               .arg((decadeYear + 9) * 1000 + 999);
}

int inferDecade(std::optional<int> newestStored, const QDate& today) {
    const int thisYear = today.isValid() ? today.year() : kFirstDrawYear;
    if (!newestStored || *newestStored < 0 || *newestStored > 9999)
        return decadeOf(thisYear);
    // The newest draw cannot lie in the future: its year digit names the latest such year.
    const int digit = *newestStored / 1000;
    int year = decadeOf(thisYear) + digit;
    if (year > thisYear)
        year -= 10;
    return decadeOf(year);
}

std::optional<int> typedIssue(const QString& text, int decadeYear, QString* error) {
    const QString t = text.trimmed();
    if (error)
        error->clear();
    if (!allDigits(t) || (t.size() != 4 && t.size() != 7))
        return std::nullopt;
    if (t.size() == 4)
        return t.toInt();
    const int full = t.toInt();
    if (decadeOf(yearOfFullIssue(full)) != decadeYear) {
        if (error)
            *error = u"期号%1不是本数据库的年代。"_s.arg(t) + otherDecadeMessage(decadeYear);
        return std::nullopt;
    }
    return storedIssueOfFull(full);
}

QString implausibleIssueQuestion(int issue, std::optional<int> newestStored,
                                 const std::function<QString(int)>& shown) {
    const int sequence = issue % 1000;
    bool ahead = false;
    if (newestStored && issue > *newestStored) {
        const int yearStep = issue / 1000 - *newestStored / 1000;
        ahead = yearStep == 0   ? sequence - *newestStored % 1000 > kFewDraws
                : yearStep == 1 ? sequence > kFewDraws
                                : true;
    }
    if (ahead)
        return u"第%1期比最新的第%2期大了%3期，确定吗？"_s.arg(shown(issue), shown(*newestStored))
            .arg(issue - *newestStored);
    if (sequence == 0 || sequence > kMaxDrawsPerYear)
        return u"第%1期的后三位是%2，一年的开奖没有这么多期（每年不超过%3期），确定吗？"_s
            .arg(shown(issue))
            .arg(sequence, 3, 10, QChar(u'0'))
            .arg(kMaxDrawsPerYear);
    return {};
}

} // namespace ssq
