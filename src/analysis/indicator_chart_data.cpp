#include "analysis/indicator_chart_data.h"
#include "store/draw_history.h"

#include "analysis/indicator_chart_items.h"
#include "analysis/red_history.h"
#include "model/leading_number.h"
#include "model/leading_number_text.h"
#include "store/record_set.h"
#include "store/schema.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

constexpr int kFirstField = schema::kKjzbFirstIndicator;
constexpr int kLastField = schema::kKjzbColumns - 1;

} // namespace

IndicatorChartData::IndicatorChartData(std::vector<int> issues, std::vector<IndicatorFields> rows)
    : m_issues(std::move(issues)), m_rows(std::move(rows)) {}

IndicatorChartLoad loadIndicatorChart(QSqlDatabase db, const QString& wantedText) {
    IndicatorChartLoad load;
    RecordSet rs(db);
    QString error;
    if (!rs.open(u"select* from kjzb order by 期号 "_s, &error) || rs.columnCount() <= kLastField) {
        load.message = u"无法读取开奖指标，图表没有改动：%1"_s.arg(
            error.isEmpty() ? u"开奖指标表的列数不对"_s : error);
        return load;
    }
    const int n = rs.recordCount();
    const double wanted = roundHalfEven(numberOf(wantedText));
    if (wanted > n) {
        load.message = windowBeyondHistory(n);
        return load;
    }
    if (!(wanted >= 1)) {
        load.message = u"请输入一个大于0的期数,图表没有改动"_s;
        return load;
    }

    const int count = static_cast<int>(wanted);
    std::vector<int> issues;
    std::vector<IndicatorFields> rows;
    issues.reserve(count);
    rows.reserve(count);
    rs.moveFirst();
    for (int i = 0; i < n - count; ++i)
        rs.moveNext();
    for (int i = 0; i < count; ++i, rs.moveNext()) {
        IndicatorFields fields{};
        for (int f = kFirstField; f <= kLastField; ++f)
            fields[f] = static_cast<float>(numberOf(rs.value(f)));
        issues.push_back(static_cast<int>(numberOf(rs.value(0))));
        rows.push_back(fields);
    }
    load.ok = true;
    load.data = IndicatorChartData(std::move(issues), std::move(rows));
    load.message = u"数据载入完毕,请从菜单中选择需要显示的指标项"_s;
    return load;
}

IndicatorChart indicatorChart(const IndicatorChartData& data, int column) {
    IndicatorChart chart;
    chart.title = indicatorChartTitle(column);
    for (int r = 0; r < data.count(); ++r) {
        chart.issues.append(issueText(data.issue(r)));
        chart.values.append(data.value(r, column));
    }
    return chart;
}

QString chartValueText(float value) {
    return QString::number(value, 'g', 7);
}

} // namespace ssq
