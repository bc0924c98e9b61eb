#pragma once
// "条件历史回测": the panel's conditions as they stand, judged against each of the last N
// stored draws with the context the player had before it. One row per draw and a summary
// that sets the share of draws kept beside the share of combinations kept. The work runs on
// worker threads with a progress bar and a cancel button; the window stays responsive.

#include "backtest/backtest.h"
#include "red/panel_state.h"
#include "ui/background_job.h"

#include <QWidget>

#include <functional>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableView;

namespace ssq {

class BacktestTableModel;
class Database;

class BacktestWindow : public QWidget {
    Q_OBJECT
public:
    // `panel` gives the panel as it stands when a back-test starts. Deletes itself when closed.
    BacktestWindow(Database& db, std::function<PanelState()> panel, QWidget* parent = nullptr);
    bool isRunning() const { return m_job.isRunning(); }
    const BacktestResult& result() const { return m_result; }
    BacktestTableModel* model() const { return m_model; }

public Q_SLOTS:
    void startBacktest();  // Command1 "开始回测"
    void cancelBacktest(); // Command2 "取消"
    void copyRows();       // Command3 "复制"
    void saveCsv();        // Command4 "保存为CSV…"

Q_SIGNALS:
    // The run ended (completed or cancelled) and the window shows its outcome.
    void finished();

private:
    void runEnded(JobOutcome<BacktestResult> outcome);
    void setRunning(bool running);

    Database& m_db;
    std::function<PanelState()> m_panel;
    BacktestResult m_result;
    int m_skipped = 0; // targets of the last start left out for an incomplete record

    QLineEdit* m_last = nullptr;
    QPushButton* m_start = nullptr;
    QPushButton* m_stop = nullptr;
    QPushButton* m_copy = nullptr;
    QPushButton* m_save = nullptr;
    QProgressBar* m_progress = nullptr;
    QTableView* m_table = nullptr;
    BacktestTableModel* m_model = nullptr;
    QLabel* m_summary = nullptr;
    // Last: destroyed first, so a run still under way is cancelled and waited for before the
    // window goes.
    BackgroundJob m_job;
};

} // namespace ssq
