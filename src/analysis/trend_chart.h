#pragma once
// The number trend chart (号码走势图): each draw of a window of the newest stored draws as a row of
// the 33 red and 16 blue numbers, every cell the number's omission there (0 where it was drawn),
// and per number its statistics over the window. The window and `ssq-cli trend` both read this.
//
// Omission om(n, i): 0 when draw i holds n, else om(n, i - 1) + 1, counted from the first stored
// draw (om = 0 before it), reds and blues apart. Over a window W of the last N draws, with k the
// draws of W that hold n: 出现次数 k, 平均遗漏 (N - k) / (k + 1) rounded half up, 最大遗漏 the
// largest om(n, i) in W, 最大连出 the longest run of draws of W in a row that hold n, 当前遗漏 the
// newest draw's om(n, i).

#include "model/red_code.h"
#include "store/draw_history.h"

#include <QDate>
#include <QSqlDatabase>
#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace ssq {

constexpr int kTrendNumbers = kRedMax + kBlueMax; // columns 0..32 red 1..33, 33..48 blue 1..16

inline bool trendColumnIsRed(int column) {
    return column < kRedMax;
}
// The ball number a number column stands for: 1..33 or 1..16.
inline int trendColumnNumber(int column) {
    return trendColumnIsRed(column) ? column + 1 : column - kRedMax + 1;
}

struct TrendRow {
    int issue = 0;
    RedCombo red{};        // all 0 unless `complete`
    int blue = 0;          // 0 when the record holds none
    bool complete = false; // six reds and one blue
    std::array<int, kTrendNumbers> omission{};
    // The previous stored draw's reds that are drawn again; nullopt for the first stored draw
    // or when either record is not complete.
    std::optional<int> repeats;

    bool holds(int column) const { return omission[static_cast<std::size_t>(column)] == 0; }
};

struct TrendStatistics {
    int appearances = 0;     // 出现次数
    int averageOmission = 0; // 平均遗漏
    int maxOmission = 0;     // 最大遗漏
    int maxRun = 0;          // 最大连出
    int currentOmission = 0; // 当前遗漏
};

// (N - k) / (k + 1) rounded half up.
int averageOmission(int windowDraws, int appearances);

class TrendChart {
public:
    TrendChart() = default;
    // The newest `last` draws of `history` (stored order, oldest first), 1 <= last <= its size.
    TrendChart(const std::vector<StoredDraw>& history, int last);

    int rowCount() const { return static_cast<int>(m_rows.size()); }
    const TrendRow& row(int index) const { return m_rows[static_cast<std::size_t>(index)]; }
    const TrendStatistics& statistics(int column) const {
        return m_statistics[static_cast<std::size_t>(column)];
    }
    // The newest stored issue, which places the history in its decade.

private:
    std::vector<TrendRow> m_rows;
    std::array<TrendStatistics, kTrendNumbers> m_statistics{};
};

// The columns after the 49 numbers, from a row's draw.
enum class TrendIndicator { Sum, Span, Ac, OddEven, BigSmall, Zones, Repeats, Consecutive };
constexpr int kTrendIndicators = 8;
QString trendIndicatorTitle(TrendIndicator indicator);
// Empty for a record that is no complete draw.
QString trendIndicatorText(const TrendRow& row, TrendIndicator indicator);
// What the program's AC value counts, for the AC column's header.
QString trendAcToolTip();

// The window choices of the chart: the newest 30, 50, 100, 200 draws, or all (0).
constexpr std::array<int, 5> kTrendWindows{30, 50, 100, 200, 0};

struct TrendChartLoad {
    std::optional<TrendChart> chart;
    QString message;          // why there is no chart
    bool storeFailed = false; // the draws could not be read (otherwise the window was refused)
    int decade = 0;           // of the seven-digit issues
};

// Reads the draws once and builds the chart of the newest `last` (0: all). A window beyond the
// stored draws is refused as the analysis windows refuse it, unless `atMostStored` asks for all
// of them instead (a window opening on a short history).
TrendChartLoad loadTrendChart(QSqlDatabase db, int last, const QDate& today,
                              bool atMostStored = false);

// The seven-digit issue of a row of the chart.
QString trendIssueText(const TrendChart& chart, int row, int decade);

// "01 05 12 20 27 33 + 08": the marked reds, and " + " and the marked blues when there are any.
QString trendPickText(const std::vector<int>& reds, const std::vector<int>& blues);

} // namespace ssq
