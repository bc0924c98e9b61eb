#pragma once
// The rows of "各条件统计" for a grid: 条件, 单独淘汰注数, 占全部组合, 未通过期数, 占回测期数. The
// sort role holds each cell's number, so a sorted grid orders counts and shares by value.

#include "backtest/condition_report.h"

#include <QAbstractTableModel>

namespace ssq {

class ConditionReportModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kColumns = 5;
    static constexpr int kFailedDrawsColumn = 3;
    static constexpr int kSortRole = Qt::UserRole;

    explicit ConditionReportModel(QObject* parent = nullptr);

    void setRows(std::vector<ConditionReportRow> rows);
    const std::vector<ConditionReportRow>& rows() const { return m_rows; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    std::vector<ConditionReportRow> m_rows;
};

} // namespace ssq
