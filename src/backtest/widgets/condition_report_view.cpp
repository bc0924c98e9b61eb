#include "backtest/widgets/condition_report_view.h"

#include "backtest/condition_report.h"
#include "backtest/condition_report_model.h"

#include <QHeaderView>
#include <QLabel>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

using namespace Qt::StringLiterals;

namespace ssq {

ConditionReportView::ConditionReportView(QWidget* parent) : QWidget(parent) {
    setObjectName(u"ConditionReport"_s);
    m_model = new ConditionReportModel(this);
    m_sorted = new QSortFilterProxyModel(this);
    m_sorted->setSourceModel(m_model);
    m_sorted->setSortRole(ConditionReportModel::kSortRole);
    m_table = new QTableView(this);
    m_table->setObjectName(u"DataGrid2"_s);
    m_table->setModel(m_sorted);
    m_table->setSortingEnabled(true);
    m_table->sortByColumn(ConditionReportModel::kFailedDrawsColumn, Qt::DescendingOrder);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setColumnWidth(0, 150);
    m_note = new QLabel(this);
    m_note->setObjectName(u"Label5"_s);
    m_note->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_note);
    connect(&m_watcher, &QFutureWatcher<std::optional<std::array<int, 41>>>::finished, this,
            &ConditionReportView::countFinished);
}

ConditionReportView::~ConditionReportView() {
    if (m_cancel)
        m_cancel->store(true);
    m_watcher.waitForFinished();
}

void ConditionReportView::showResult(const BacktestResult& result) {
    if (m_cancel)
        m_cancel->store(true);
    m_watcher.waitForFinished();
    m_model->setRows({});
    m_result = result;
    if (result.refusal || result.cancelled || result.rows.empty()) {
        m_note->clear();
        return;
    }
    m_note->setText(u"正在统计各条件单独淘汰的注数……"_s);
    m_cancel = std::make_shared<std::atomic_bool>(false);
    m_watcher.setFuture(QtConcurrent::run(
        [now = result.now, cancel = m_cancel] { return aloneFailedCounts(now, cancel.get()); }));
}

void ConditionReportView::countFinished() {
    const std::optional<std::array<int, 41>> alone = m_watcher.result();
    if (!alone)
        return;
    m_model->setRows(conditionReport(m_result.now, *alone, m_result.rows));
    m_note->setText(u"单独淘汰注数：1107568注组合中单看这一个条件会淘汰的注数（不计容错和其它条件，"
                    u"按现在的上期开奖号码和冷热值）；未通过期数：回测的%1期中开奖号码没有通过"
                    u"这个条件的期数。点击列标题可以排序。"_s.arg(m_result.rows.size()));
    Q_EMIT reportReady();
}

} // namespace ssq
