#pragma once
// Complete draws as the history loader hands them to the logic, made in tests from numbers or
// from lines of the real history.

#include "store/draw_history.h"
#include "support/draw_tables.h"

#include <vector>

namespace ssq::test {

inline StoredDraw storedDraw(int issue, const RedCombo& red, int blue) {
    StoredDraw d;
    d.issue = issue;
    d.red = red;
    d.blue = blue;
    d.redColumns.assign(red.begin(), red.end());
    d.complete = true;
    return d;
}

inline std::vector<StoredDraw> storedDraws(const QList<HistoryDraw>& draws) {
    std::vector<StoredDraw> stored;
    for (const HistoryDraw& d : draws)
        stored.push_back(storedDraw(d.issue, d.red, d.blue));
    return stored;
}

} // namespace ssq::test
