#pragma once
// How the program writes a stored issue: four characters with leading zeros ("0001", "7018").

#include <QString>

namespace ssq {

// A negative issue (only a hand-edited one can be) is written as it is.
QString issueText(int issue);

} // namespace ssq
