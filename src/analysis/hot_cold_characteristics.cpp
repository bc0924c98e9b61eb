#include "analysis/hot_cold_characteristics.h"

#include "analysis/analysis_table_writer.h"
#include "analysis/red_history.h"
#include "model/leading_number.h"
#include "model/leading_number_text.h"
#include "store/schema.h"

#include <array>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

constexpr int kFirstNumberColumn = 2; // hmtx column j + 1 holds red number j

using NumberRow = std::array<int, kRedMax + 1>;

bool writeRows(QSqlDatabase db, const HotColdCharacteristics& result, QString* error) {
    const HotColdStats& s = result.stats;
    const std::array<const NumberRow*, schema::kHmtxRows> rows{&s.total, &s.window, &s.recent,
                                                               &s.omission, &s.hv};
    const AnalysisTable hmtx{u"select* from hmtx order by 序号 "_s, schema::kHmtxRows,
                             kFirstNumberColumn + kRedMax,
                             u"号码特性表hmtx应有5行、35列，数据库中的这张表已经损坏"_s};
    return writeAnalysisTable(
        db, hmtx,
        [&](RecordSet& rs, int r) {
            if (r == 1)
                rs.setValue(1, windowCountCaption(result.window));
            for (int j = 1; j <= kRedMax; ++j)
                rs.setValue(kFirstNumberColumn + j - 1, QString::number((*rows[r])[j]));
        },
        error);
}

} // namespace

QString windowCountCaption(int window) {
    return u"最近"_s + QString::number(window) + u"期开出次数"_s;
}

HotColdCharacteristics analyseHotColdCharacteristics(QSqlDatabase db, const QString& windowText) {
    HotColdCharacteristics result;
    QString error;
    const std::optional<std::vector<RedCombo>> history = loadRedHistory(db, &error);
    if (!history) {
        result.message = u"无法读取开奖数据，号码特性表没有改动：%1"_s.arg(error);
        return result;
    }
    const int n = static_cast<int>(history->size());
    if (n < kAnalysisMinDraws) {
        result.refused = true;
        result.message = tooFewDrawsForAnalysis();
        return result;
    }

    // The window counts whole draws.
    const double wanted = roundHalfEven(numberOf(windowText));
    if (!(wanted > 0)) {
        result.defaultWindowNotice =
            u"您没有在左上角输入框中输入要查询的期数,如果不输入,程序将默认为22"_s;
        result.window = kDefaultHotColdWindow;
    } else if (wanted > n) {
        result.refused = true;
        result.message = u"您输入的查询期数超出了数据库中的记录范围,您的数据最高记录为"_s +
                         QString::number(n) + u"条,请重新输入"_s;
        return result;
    } else {
        result.window = static_cast<int>(wanted);
    }

    result.stats = hotColdStats(*history, result.window);
    if (!writeRows(db, result, &error)) {
        result.message = u"号码特性表写入失败，表中原有的数据没有改动：%1"_s.arg(error);
        return result;
    }
    result.ranking = hotColdRanking(result.stats.hv);
    result.ok = true;
    return result;
}

} // namespace ssq
