#pragma once
// The rows of a back-test for a grid: 期号, 开奖号码, 未通过的条件, 保留/淘汰, 保留注数.

#include "backtest/backtest.h"

#include <QAbstractTableModel>

namespace ssq {

class BacktestTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kColumns = 5;

    explicit BacktestTableModel(QObject* parent = nullptr);

    void setRows(std::vector<BacktestRow> rows);
    const std::vector<BacktestRow>& rows() const { return m_rows; }

    // The given rows (all when empty) with the header line, cells separated by tabs, for the
    // clipboard.
    QString rowsText(QList<int> rows) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QString cell(int row, int column) const;

    std::vector<BacktestRow> m_rows;
};

} // namespace ssq
