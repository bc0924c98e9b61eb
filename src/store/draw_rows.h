#pragma once
// The three rows one draw occupies: its numbers (kjhm), its code digits (kjdm) and its
// indicators (kjzb). An empty cell is a null QVariant.

#include "model/hot_cold.h"
#include "model/red_code.h"
#include "store/draw_history.h"

#include <QString>
#include <QVariantList>

#include <vector>

namespace ssq {

struct DrawInput {
    int issue = 0;
    RedCombo red{};
    int blue = 0;
};

struct DrawRows {
    QVariantList numbers;    // 50 cells
    QVariantList codes;      // 63 cells
    QVariantList indicators; // 44 cells
};

// The red numbers of a stored row as the computations read them: its red cells above 0 in
// column order, at most six, zeros for the rest (a row edited by hand may hold fewer).
RedCombo redNumbersOf(const StoredDraw& draw);

// The red numbers of stored draws, in their order: the history the hot/cold values, the
// analyses and the back-test read.
std::vector<RedCombo> redHistoryOf(const std::vector<StoredDraw>& draws);

// "1 5 12 20 27 33+8"; the very first record of a history has a blank before the "+".
QString drawText(const RedCombo& red, int blue, bool firstRecord = false);

// The first record of an empty history: its numbers in full, only the issue in kjdm, and only
// the issue and the two texts in kjzb, because there is no previous draw to measure against.
DrawRows firstRecordRows(const DrawInput& draw);

// A complete draw record: indicators against `previous` with the hot/cold values `hv`.
DrawRows drawRows(const DrawInput& draw, const RedCombo& previous, const HotColdValues& hv);

} // namespace ssq
