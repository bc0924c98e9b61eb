#pragma once
// "各条件统计" beside the per-draw list of the back-test window: per condition in use, the
// combinations it cuts on its own and the back-tested draws it cost, costliest first, sortable
// by any column. The cuts take a walk through every combination, done on worker threads.

#include "backtest/backtest.h"

#include <QFutureWatcher>
#include <QWidget>

#include <array>
#include <atomic>
#include <memory>
#include <optional>

class QLabel;
class QSortFilterProxyModel;
class QTableView;

namespace ssq {

class ConditionReportModel;

class ConditionReportView : public QWidget {
    Q_OBJECT
public:
    explicit ConditionReportView(QWidget* parent = nullptr);
    // A count under way is cancelled and waited for.
    ~ConditionReportView() override;

    ConditionReportModel* model() const { return m_model; }
    QTableView* table() const { return m_table; }
    bool isCounting() const { return m_watcher.isRunning(); }

public Q_SLOTS:
    // The report of a finished back-test; a cancelled one empties it.
    void showResult(const BacktestResult& result);

Q_SIGNALS:
    void reportReady();

private:
    void countFinished();

    QFutureWatcher<std::optional<std::array<int, 41>>> m_watcher;
    std::shared_ptr<std::atomic_bool> m_cancel;
    BacktestResult m_result;
    ConditionReportModel* m_model = nullptr;
    QSortFilterProxyModel* m_sorted = nullptr;
    QTableView* m_table = nullptr;
    QLabel* m_note = nullptr;
};

} // namespace ssq
