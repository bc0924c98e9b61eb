#include "backtest/backtest_table_model.h"

#include "store/draw_rows.h"

#include <QColor>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

const QString kHeaders[BacktestTableModel::kColumns] = {u"期号"_s, u"开奖号码"_s, u"未通过的条件"_s,
                                                        u"保留或淘汰"_s, u"保留注数"_s};

} // namespace

BacktestTableModel::BacktestTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void BacktestTableModel::setRows(std::vector<BacktestRow> rows) {
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int BacktestTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int BacktestTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QString BacktestTableModel::cell(int row, int column) const {
    const BacktestRow& r = m_rows[static_cast<std::size_t>(row)];
    switch (column) {
    case 0:
        return issueText(r.issue);
    case 1:
        return drawText(r.red, r.blue);
    case 2:
        return failedText(r.failed);
    case 3:
        return verdictText(r.kept);
    default:
        return QString::number(r.keptCount);
    }
}

QVariant BacktestTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= kColumns)
        return {};
    if (role == Qt::DisplayRole)
        return cell(index.row(), index.column());
    if (role == Qt::ForegroundRole && index.column() == 3 &&
        !m_rows[static_cast<std::size_t>(index.row())].kept)
        return QColor(0xc0, 0, 0);
    if (role == Qt::TextAlignmentRole && index.column() == 4)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant BacktestTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < kColumns ? kHeaders[section] : QVariant();
    return section + 1;
}

QString BacktestTableModel::rowsText(QList<int> rows) const {
    if (rows.isEmpty())
        for (int r = 0; r < rowCount(); ++r)
            rows.append(r);
    std::sort(rows.begin(), rows.end());
    QStringList lines{QStringList(std::begin(kHeaders), std::end(kHeaders)).join(u'\t')};
    for (int r : rows) {
        if (r < 0 || r >= rowCount())
            continue;
        QStringList cells;
        for (int c = 0; c < kColumns; ++c)
            cells.append(cell(r, c));
        lines.append(cells.join(u'\t'));
    }
    return lines.join(u'\n') + u'\n';
}

} // namespace ssq
