#pragma once
// What the indicator chart window draws from: the indicators of the most recent issues, loaded
// from kjzb, oldest first, and the chart of one column over them.

#include "store/schema.h"
#include "ui/outcome.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <array>
#include <vector>

namespace ssq {

// kjzb fields 3..43 of one issue, as single-precision chart values; other fields unused.
using IndicatorFields = std::array<float, schema::kKjzbColumns>;

class IndicatorChartData {
public:
    IndicatorChartData() = default;
    IndicatorChartData(std::vector<int> issues, std::vector<IndicatorFields> rows);

    // The number of issues shown; 0 before any load.
    int count() const { return static_cast<int>(m_rows.size()); }
    int issue(int row) const { return m_issues[row]; }
    float value(int row, int column) const { return m_rows[row][column]; }

private:
    std::vector<int> m_issues;
    std::vector<IndicatorFields> m_rows;
};

struct IndicatorChartLoad : Outcome {
    // message: what to tell the player: loaded, refused or failed
    IndicatorChartData data; // when ok
};

// Reads every kjzb row in issue order and keeps the last `wantedText` of them (leading-number
// rule, rounded to whole issues). More than the history holds, or fewer than one, is refused.
IndicatorChartLoad loadIndicatorChart(QSqlDatabase db, const QString& wantedText);

struct IndicatorChart {
    QString title;
    QStringList issues;  // "6097", oldest first
    QList<float> values; // one per issue
};

IndicatorChart indicatorChart(const IndicatorChartData& data, int column);

// A chart value as text: a whole value without a decimal point.
QString chartValueText(float value);

} // namespace ssq
