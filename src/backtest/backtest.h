#pragma once
// "条件历史回测…": would the panel's conditions have kept the draws that really came, and how
// much do they cut? Each of the last N stored draws is a target, judged in the context the
// player had just before it: the draw before it in the last-draw row, and (when asked) the
// hot/cold values over the draws before it. The judging is the selection engine's own, so a
// target counts as kept exactly when a run in that context would have kept it.

#include "model/hot_cold.h"
#include "red/panel_state.h"
#include "store/draw_history.h"

#include "store/issue_text.h"

#include <QString>

#include <atomic>
#include <bitset>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace ssq {

class ContextCounter;

// The most draws a back-test takes, more than the history will hold for a long time.
constexpr int kMaxBacktestDepth = 100000;

// How many draws to back-test, as typed in the window or given to the command line: a whole
// number 1..kMaxBacktestDepth and nothing after it ("3abc" and "2.5" are refused). nullopt with
// the refusal in *refusal otherwise.
std::optional<int> backtestDepth(const QString& text, QString* refusal);

struct BacktestSettings {
    int last = 30; // how many of the newest draws are targets
    // Each target gets the hot/cold values over the draws before it; otherwise the panel's
    // table serves every target.
    bool hotColdFromHistory = true;
};

struct BacktestRow {
    int issue = 0;
    RedCombo red{};
    int blue = 0;
    std::bitset<41> failed; // the tested conditions (1..40) the draw fails
    bool kept = false;      // a run in this context keeps the draw
    int keptCount = 0;      // how many combinations that run keeps
};

struct BacktestSummary {
    int targets = 0;
    int keptDraws = 0;
    double averageKept = 0;
    double drawShare() const { return targets ? double(keptDraws) / targets : 0; }
    double comboShare() const;
};

struct BacktestResult {
    std::optional<QString> refusal;
    bool cancelled = false;
    std::vector<BacktestRow> rows; // oldest first
    BacktestSummary summary() const;
};

class Backtest {
public:
    // Told how many targets are done; called from the worker threads.
    using Progress = std::function<void(int done)>;

    Backtest(const PanelState& panel, const HotColdValues& panelHotCold,
             std::vector<StoredDraw> history, const BacktestSettings& settings);
    ~Backtest();

    // Why the back-test cannot run, in words for the player; nullopt when it can.
    std::optional<QString> refusal() const { return m_refusal; }
    int targetCount() const { return static_cast<int>(m_targets.size()); }
    // Targets whose draw or previous draw is no complete combination are left out.
    int skippedCount() const { return m_skipped; }

    // One target, 0 the oldest; nullopt when cancelled. Safe to call from several threads.
    std::optional<BacktestRow> evaluate(int target, const std::atomic_bool* cancel = nullptr) const;

    // Every target, spread over `threads` threads (0: one per core).
    BacktestResult run(const Progress& progress = {}, const std::atomic_bool* cancel = nullptr,
                       int threads = 0) const;

    // The panel as a selection run before draw `index` of the history would read it.
    PanelState contextPanel(int index) const;
    HotColdValues contextHotCold(int index) const;

private:
    // The counter of every target, made by the first target that needs it.
    const ContextCounter& counter() const;

    PanelState m_panel;
    HotColdValues m_panelHotCold;
    std::vector<StoredDraw> m_history;
    std::vector<RedCombo> m_reds; // the history's red numbers, for the hot/cold values
    BacktestSettings m_settings;
    std::vector<int> m_targets; // history indexes, oldest first
    int m_skipped = 0;
    std::optional<QString> m_refusal;
    mutable std::once_flag m_counterMade;
    mutable std::unique_ptr<ContextCounter> m_counter;
};

// The failed condition numbers joined by commas, empty when none.
QString failedText(const std::bitset<41>& failed);
// "保留" or "淘汰".
QString verdictText(bool kept);
// The lines under the table: the counts, the two shares side by side and what they mean.
QString summaryText(const BacktestSummary& summary);
// The rows with a header line, as comma-separated values.
QString backtestCsv(const std::vector<BacktestRow>& rows);
// Writes backtestCsv(rows) to path as UTF-8 with a byte order mark, so that spreadsheet programs
// read the Chinese texts, replacing the file whole or not at all; false with *error otherwise.
bool saveBacktestCsv(const QString& path, const std::vector<BacktestRow>& rows, QString* error);

} // namespace ssq
