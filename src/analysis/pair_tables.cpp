#include "analysis/pair_tables.h"

#include "analysis/analysis_table_writer.h"
#include "analysis/red_history.h"

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

constexpr int kFirstWrittenColumn = 2;
constexpr int kColumns = 6;

QString tableName(PairList list) {
    return list == PairList::AllPairs ? u"rhmtx"_s : u"rlhtx"_s;
}

bool writeRows(QSqlDatabase db, PairList list, const std::vector<PairStatistic>& pairs,
               QString* error) {
    const int rows = static_cast<int>(pairs.size());
    const AnalysisTable table{pairTableQuery(list), rows, kColumns,
                              u"表%1应有%2行、%3列，数据库中的这张表已经损坏"_s.arg(tableName(list))
                                  .arg(rows)
                                  .arg(kColumns)};
    return writeAnalysisTable(
        db, table,
        [&](RecordSet& rs, int r) {
            const PairStatistic& p = pairs[r];
            rs.setValue(kFirstWrittenColumn, QString::number(p.expected));
            rs.setValue(kFirstWrittenColumn + 1, QString::number(p.total));
            rs.setValue(kFirstWrittenColumn + 2, QString::number(p.omission));
            rs.setValue(kFirstWrittenColumn + 3, p.ratio);
        },
        error);
}

} // namespace

QString pairTableQuery(PairList list) {
    return list == PairList::AllPairs ? u"select* from rhmtx order by 序号 "_s
                                      : u"select * from rlhtx order by 序号"_s;
}

PairTableResult writePairTable(QSqlDatabase db, PairList list) {
    PairTableResult result;
    QString error;
    const std::optional<std::vector<RedCombo>> history = loadRedHistory(db, &error);
    if (!history) {
        result.message = u"无法读取开奖数据，表%1没有改动：%2"_s.arg(tableName(list), error);
        return result;
    }
    if (history->size() < static_cast<std::size_t>(kAnalysisMinDraws)) {
        result.refused = true;
        result.message = tooFewDrawsForAnalysis();
        return result;
    }
    if (!writeRows(db, list, pairStatistics(*history, list), &error)) {
        result.message = u"表%1写入失败，表中原有的数据没有改动：%2"_s.arg(tableName(list), error);
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace ssq
