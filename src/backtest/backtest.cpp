#include "backtest/backtest.h"
#include "store/issue_text.h"

#include "backtest/context_counter.h"
#include "red/last_draw_row.h"
#include "red/selection_engine.h"
#include "store/draw_rows.h"
#include "store/small_file.h"

#include <algorithm>
#include <thread>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

// The values "自动输入上期号:" reads from a stored row: the six reds, then the blue.
QStringList drawnValues(const StoredDraw& draw) {
    QStringList values;
    for (int n : draw.red)
        values.append(QString::number(n));
    values.append(QString::number(draw.blue));
    return values;
}

QString percent(double share) {
    return QString::number(share * 100, 'f', 1) + u"%"_s;
}

} // namespace

std::optional<int> backtestDepth(const QString& text, QString* refusal) {
    bool whole = false;
    const int depth = text.toInt(&whole);
    if (!whole || depth < 1) {
        *refusal = u"回测期数必须是大于0的整数"_s;
        return std::nullopt;
    }
    if (depth > kMaxBacktestDepth) {
        *refusal = u"回测期数最多为%1期"_s.arg(kMaxBacktestDepth);
        return std::nullopt;
    }
    return depth;
}

double BacktestSummary::comboShare() const {
    return averageKept / kComboCount;
}

BacktestSummary BacktestResult::summary() const {
    BacktestSummary s;
    s.targets = static_cast<int>(rows.size());
    double kept = 0;
    for (const BacktestRow& row : rows) {
        s.keptDraws += row.kept ? 1 : 0;
        kept += row.keptCount;
    }
    s.averageKept = s.targets ? kept / s.targets : 0;
    return s;
}

Backtest::Backtest(const PanelState& panel, const HotColdValues& panelHotCold,
                   std::vector<StoredDraw> history, const BacktestSettings& settings)
    : m_panel(panel), m_panelHotCold(panelHotCold), m_history(std::move(history)),
      m_settings(settings) {
    m_reds.reserve(m_history.size());
    for (const StoredDraw& draw : m_history)
        m_reds.push_back(redNumbersOf(draw));

    if (settings.last < 1) {
        m_refusal = u"回测期数必须是大于0的整数"_s;
        return;
    }
    const int size = static_cast<int>(m_history.size());
    if (size < 2) {
        m_refusal = u"历史数据中至少要有两期开奖记录才能回测（最早的一期没有上期开奖号码）。"
                    u"请先通过菜单“数据操作”添加或导入开奖数据"_s;
        return;
    }
    // The oldest stored draw has no draw before it, so it cannot be a target.
    for (int i = std::max(1, size - settings.last); i < size; ++i) {
        if (m_history[i].complete && m_history[i - 1].complete)
            m_targets.push_back(i);
        else
            ++m_skipped;
    }
    if (m_targets.empty()) {
        m_refusal = u"所选各期的开奖记录都不完整（不是六个红球加一个蓝球），无法回测，"
                    u"请在“数据操作”中修正这些数据"_s;
        return;
    }
    // Zones and the non-tolerant list do not depend on the target; the empty hot/cold table
    // matters only when the panel's own table serves every target.
    const int newest = m_targets.back();
    const SelectionInputs inputs =
        readSelectionInputs(contextPanel(newest), contextHotCold(newest));
    if (const auto reason = refusalReason(inputs, !settings.hotColdFromHistory))
        m_refusal = refusalMessage(*reason);
}

Backtest::~Backtest() = default;

const ContextCounter& Backtest::counter() const {
    std::call_once(m_counterMade, [this] {
        const int newest = m_targets.back();
        m_counter = std::make_unique<ContextCounter>(
            readSelectionInputs(contextPanel(newest), contextHotCold(newest)));
    });
    return *m_counter;
}

PanelState Backtest::contextPanel(int index) const {
    PanelState panel = m_panel;
    fillLastDrawRow(panel, drawnValues(m_history[index - 1]));
    return panel;
}

HotColdValues Backtest::contextHotCold(int index) const {
    if (!m_settings.hotColdFromHistory)
        return m_panelHotCold;
    // All 0 with fewer than 22 earlier draws, as draw entry stores them.
    return hotColdValues(std::vector<RedCombo>(m_reds.begin(), m_reds.begin() + index));
}

std::optional<BacktestRow> Backtest::evaluate(int target, const std::atomic_bool* cancel) const {
    const int index = m_targets[static_cast<std::size_t>(target)];
    const StoredDraw& draw = m_history[index];
    const SelectionInputs inputs = readSelectionInputs(contextPanel(index), contextHotCold(index));
    const std::optional<int> count = counter().count(inputs, cancel);
    if (!count)
        return std::nullopt;
    const SelectionEngine engine(inputs);
    BacktestRow row;
    row.issue = draw.issue;
    row.red = draw.red;
    row.blue = draw.blue;
    const int code = redCode(draw.red);
    row.failed = engine.failedConditions(code);
    row.kept = engine.keeps(code);
    row.keptCount = *count;
    return row;
}

BacktestResult Backtest::run(const Progress& progress, const std::atomic_bool* cancel,
                             int threads) const {
    BacktestResult result;
    result.refusal = m_refusal;
    if (m_refusal)
        return result;
    const int targets = targetCount();
    if (threads <= 0)
        threads = static_cast<int>(std::max(1U, std::thread::hardware_concurrency()));
    threads = std::min(threads, targets);

    std::vector<std::optional<BacktestRow>> rows(static_cast<std::size_t>(targets));
    std::atomic_int next{0};
    std::atomic_int done{0};
    std::atomic_bool stopped{false};
    // The targets are independent: each thread takes the next one until none is left.
    const auto work = [&] {
        for (int i = next++; i < targets; i = next++) {
            rows[static_cast<std::size_t>(i)] = evaluate(i, cancel);
            if (!rows[static_cast<std::size_t>(i)]) {
                stopped = true;
                return;
            }
            const int finished = ++done;
            if (progress)
                progress(finished);
        }
    };
    std::vector<std::thread> helpers;
    for (int t = 1; t < threads; ++t)
        helpers.emplace_back(work);
    work();
    for (std::thread& helper : helpers)
        helper.join();

    if (stopped || (cancel && cancel->load())) {
        result.cancelled = true;
        return result;
    }
    result.rows.reserve(rows.size());
    for (auto& row : rows)
        result.rows.push_back(*row);
    return result;
}

QString failedText(const std::bitset<41>& failed) {
    QStringList numbers;
    for (int k = 1; k <= 40; ++k)
        if (failed[k])
            numbers.append(QString::number(k));
    return numbers.join(u',');
}

QString verdictText(bool kept) {
    return kept ? u"保留"_s : u"淘汰"_s;
}

QString summaryText(const BacktestSummary& s) {
    const bool better = s.drawShare() > s.comboShare();
    return u"共回测%1期，条件保留了其中%2期的开奖号码，平均每期保留%3注。\n"
           u"开奖号码保留比例 %4，组合保留比例 %5（平均保留注数 ÷ 1107568）。\n"
           u"一组条件如果保留了30%的组合，也只保留30%的开奖号码，就并不比随机选号更好；"
           u"这组条件保留开奖号码的比例%6保留组合的比例。"_s.arg(s.targets)
               .arg(s.keptDraws)
               .arg(QString::number(s.averageKept, 'f', 1), percent(s.drawShare()),
                    percent(s.comboShare()), better ? u"高于"_s : u"不高于"_s);
}

QString backtestCsv(const std::vector<BacktestRow>& rows) {
    QString csv = u"期号,开奖号码,未通过的条件,保留或淘汰,保留注数\n"_s;
    for (const BacktestRow& row : rows) {
        // The failed numbers are separated by commas, so that field is quoted.
        csv += issueText(row.issue) + u',' + drawText(row.red, row.blue) + u",\""_s +
               failedText(row.failed) + u"\","_s + verdictText(row.kept) + u',' +
               QString::number(row.keptCount) + u'\n';
    }
    return csv;
}

bool saveBacktestCsv(const QString& path, const std::vector<BacktestRow>& rows, QString* error) {
    return saveSmallFile(path, "\xEF\xBB\xBF" + backtestCsv(rows).toUtf8(),
                         u"无法保存文件“%1”：%2"_s, error);
}

} // namespace ssq
