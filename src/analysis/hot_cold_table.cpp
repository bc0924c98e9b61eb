#include "analysis/hot_cold_table.h"

#include "analysis/red_history.h"

using namespace Qt::StringLiterals;

namespace ssq {

HotColdTableResult hotColdTable(QSqlDatabase db) {
    HotColdTableResult result;
    const std::optional<std::vector<RedCombo>> history = loadRedHistory(db, &result.message);
    if (!history)
        return result;
    if (history->size() < static_cast<std::size_t>(kHotColdMinDraws)) {
        result.tooFewDraws = true;
        result.message = u"您的数据库中的记录不足22条，将不录取冷热值一类的4个指标"_s;
        return result;
    }
    result.values = hotColdStats(*history).hv;
    result.ok = true;
    result.message = u"冷热值分析完毕,您可以选号了"_s;
    return result;
}

} // namespace ssq
