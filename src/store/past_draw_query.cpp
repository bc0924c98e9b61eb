#include "store/past_draw_query.h"

#include "store/draw_history.h"

#include <algorithm>

namespace ssq {

std::optional<int> firstDrawWithReds(QSqlDatabase db, const RedCombo& red, QString* error) {
    for (const StoredDraw& d : loadDraws(db, error)) {
        // A row's reds are its red cells in column order; a hand-edited row with more than six
        // matches when its first six do.
        if (d.redColumns.size() < red.size())
            continue;
        if (std::equal(red.begin(), red.end(), d.redColumns.begin()))
            return d.issue;
    }
    return std::nullopt;
}

} // namespace ssq
