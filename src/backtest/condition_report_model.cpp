#include "backtest/condition_report_model.h"

using namespace Qt::StringLiterals;

namespace ssq {

ConditionReportModel::ConditionReportModel(QObject* parent) : QAbstractTableModel(parent) {}

void ConditionReportModel::setRows(std::vector<ConditionReportRow> rows) {
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int ConditionReportModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int ConditionReportModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant ConditionReportModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const ConditionReportRow& row = m_rows[static_cast<std::size_t>(index.row())];
    if (role == kSortRole) {
        switch (index.column()) {
        case 0:
            return row.condition;
        case 1:
        case 2:
            return row.aloneFailed;
        default:
            return row.failedDraws;
        }
    }
    if (role == Qt::TextAlignmentRole && index.column() > 0)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case 0:
        return row.caption;
    case 1:
        return QString::number(row.aloneFailed);
    case 2:
        return shareText(row.aloneShare());
    case 3:
        return QString::number(row.failedDraws);
    default:
        return shareText(row.drawShare());
    }
}

QVariant ConditionReportModel::headerData(int section, Qt::Orientation orientation,
                                          int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kColumns)
        return {};
    if (role == Qt::ToolTipRole) {
        static const QString tips[kColumns] = {
            u"面板上使用的条件"_s,
            u"1107568注组合中，单看这一个条件（不计容错和其它条件）会淘汰的注数，"
            u"按现在的上期开奖号码和冷热值计算"_s,
            u"单独淘汰注数 ÷ 1107568"_s,
            u"回测的各期中，开奖号码没有通过这个条件的期数（与逐期结果中“未通过的条件”一致）"_s,
            u"未通过期数 ÷ 回测期数"_s};
        return tips[section];
    }
    if (role != Qt::DisplayRole)
        return {};
    static const QString titles[kColumns] = {u"条件"_s, u"单独淘汰注数"_s, u"占全部组合"_s,
                                             u"未通过期数"_s, u"占回测期数"_s};
    return titles[section];
}

} // namespace ssq
