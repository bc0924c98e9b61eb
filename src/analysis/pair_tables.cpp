#include "analysis/pair_tables.h"

#include "analysis/analysis_table_writer.h"
#include "analysis/red_history.h"
#include "store/transaction.h"

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

constexpr int kFirstWrittenColumn = 2;
constexpr int kColumns = 6;

QString tableName(PairList list) {
    return list == PairList::AllPairs ? u"rhmtx"_s : u"rlhtx"_s;
}

AnalysisTable pairTable(PairList list, int rows) {
    return {pairTableQuery(list), rows, kColumns,
            u"表%1应有%2行、%3列，数据库中的这张表已经损坏"_s.arg(tableName(list))
                .arg(rows)
                .arg(kColumns)};
}

void fillPair(RecordSet& rs, const PairStatistic& p) {
    rs.setValue(kFirstWrittenColumn, QString::number(p.expected));
    rs.setValue(kFirstWrittenColumn + 1, QString::number(p.total));
    rs.setValue(kFirstWrittenColumn + 2, QString::number(p.omission));
    rs.setValue(kFirstWrittenColumn + 3, p.ratio);
}

// The stored red history, or the result that says why there is none to analyse.
std::optional<std::vector<RedCombo>> historyFor(QSqlDatabase db, const QString& tables,
                                                PairTableResult& result) {
    QString error;
    std::optional<std::vector<RedCombo>> history = loadRedHistory(db, &error);
    if (!history) {
        result.message = u"无法读取开奖数据，表%1没有改动：%2"_s.arg(tables, error);
        return std::nullopt;
    }
    if (history->size() < static_cast<std::size_t>(kAnalysisMinDraws)) {
        result.refused = true;
        result.message = tooFewDrawsForAnalysis();
        return std::nullopt;
    }
    return history;
}

bool writeRows(QSqlDatabase db, PairList list, const std::vector<PairStatistic>& pairs,
               QString* error) {
    return writeAnalysisTable(
        db, pairTable(list, static_cast<int>(pairs.size())),
        [&](RecordSet& rs, int r) { fillPair(rs, pairs[r]); }, error);
}

} // namespace

QString pairTableQuery(PairList list) {
    return list == PairList::AllPairs ? u"select* from rhmtx order by 序号 "_s
                                      : u"select * from rlhtx order by 序号"_s;
}

PairTableResult writePairTable(QSqlDatabase db, PairList list) {
    PairTableResult result;
    const std::optional<std::vector<RedCombo>> history = historyFor(db, tableName(list), result);
    if (!history)
        return result;
    QString error;
    if (!writeRows(db, list, pairStatistics(*history, list), &error)) {
        result.message = u"表%1写入失败，表中原有的数据没有改动：%2"_s.arg(tableName(list), error);
        return result;
    }
    result.ok = true;
    return result;
}

PairTableResult writePairTables(QSqlDatabase db) {
    PairTableResult result;
    const QString both = u"rhmtx、rlhtx"_s;
    Transaction transaction(db);
    if (!transaction.active()) {
        result.message =
            u"表%1写入失败，表中原有的数据没有改动：%2"_s.arg(both, transaction.failure());
        return result;
    }
    const std::optional<std::vector<RedCombo>> history = historyFor(db, both, result);
    if (!history)
        return result;
    QString error;
    for (PairList list : {PairList::AllPairs, PairList::Neighbours}) {
        const std::vector<PairStatistic> pairs = pairStatistics(*history, list);
        if (!fillAnalysisTable(
                db, pairTable(list, static_cast<int>(pairs.size())),
                [&](RecordSet& rs, int r) { fillPair(rs, pairs[r]); }, &error)) {
            result.message = u"表%1写入失败，表中原有的数据没有改动：%2"_s.arg(both, error);
            return result;
        }
    }
    if (!transaction.commit()) {
        result.message =
            u"表%1写入失败，表中原有的数据没有改动：%2"_s.arg(both, transaction.failure());
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace ssq
