#include "analysis/hot_cold_table.h"

#include "store/draw_history.h"
#include "store/draw_rows.h"

using namespace Qt::StringLiterals;

namespace ssq {

HotColdTableResult hotColdTable(QSqlDatabase db) {
    HotColdTableResult result;
    QString error;
    const std::vector<StoredDraw> draws = loadDraws(db, &error);
    if (!error.isEmpty()) {
        result.message = error;
        return result;
    }
    if (draws.size() < static_cast<std::size_t>(kHotColdMinDraws)) {
        result.tooFewDraws = true;
        result.message = u"您的数据库中的记录不足22条，将不录取冷热值一类的4个指标"_s;
        return result;
    }
    std::vector<RedCombo> history;
    history.reserve(draws.size());
    for (const StoredDraw& draw : draws)
        history.push_back(redNumbersOf(draw));
    result.values = hotColdStats(history).hv;
    result.ok = true;
    result.message = u"冷热值分析完毕,您可以选号了"_s;
    return result;
}

} // namespace ssq
