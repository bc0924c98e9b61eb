#pragma once
// How the program writes a stored issue: four characters with leading zeros ("0001", "7018").

#include <QString>

namespace ssq {

// Whether a number typed as an issue can be stored and read back as that issue: a whole number
// the history's readers hold (|issue| < 2^31). A larger one would read back as issue 0.
bool isStorableIssue(double value);

// A negative issue (only a hand-edited one can be) is written as it is.
QString issueText(int issue);

} // namespace ssq
