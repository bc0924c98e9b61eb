#pragma once
// A stored issue keeps only the last digit of its year ("6096" is the 96th draw of 2026), so the
// seven-digit issue players know is found by placing the database in a decade.

#include <QDate>
#include <QString>

namespace ssq {

// The first year of the decade the newest stored issue belongs to: the latest year up to
// today's whose last digit is the issue's year digit, less that digit (6096 in 2026 gives 2020,
// 9001 in 2026 gives 2010).
int inferredDecade(int newestIssue, const QDate& today);

// "2026096" for issue 6096 in the decade 2020. The issues of one database sort in draw order, so
// an issue whose year digit is above the newest's belongs to the decade before. An issue that is
// not four characters long (hand edited) is written as stored.
QString sevenDigitIssue(int issue, int newestIssue, int decade);

} // namespace ssq
