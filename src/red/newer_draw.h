#pragma once
// Whether the last-draw row still shows an older draw than the newest stored one, so that a
// player who added a draw (typed, pasted, fetched, imported) is not left selecting against the
// previous 上期.

#include "store/draw_history.h"

#include <QString>

#include <array>
#include <vector>

namespace ssq {

// "数据库已有第2026097期，上期号和冷热值还是第2026096期的" when the row's six reds and blue are
// those of a stored draw older than the newest; empty when the row shows the newest draw, or
// numbers of no stored draw (typed by hand, or empty). `rowTexts` are Text1 1..7.
QString newerDrawNotice(const std::vector<StoredDraw>& draws,
                        const std::array<QString, 7>& rowTexts, int decadeYear);

} // namespace ssq
