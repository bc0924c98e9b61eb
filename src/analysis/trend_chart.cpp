#include "analysis/trend_chart.h"

#include "analysis/red_history.h"
#include "model/indicators.h"
#include "store/database_decade.h"
#include "store/issue_number.h"

#include <QStringList>

#include <algorithm>
#include <numeric>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

// Whether a stored record holds each of the 49 numbers. A record edited by hand may hold more or
// fewer than six reds; each red cell it holds counts.
std::array<bool, kTrendNumbers> heldNumbers(const StoredDraw& draw) {
    std::array<bool, kTrendNumbers> held{};
    for (int n : draw.redColumns)
        held[static_cast<std::size_t>(n - 1)] = true;
    if (draw.blue >= 1 && draw.blue <= kBlueMax)
        held[static_cast<std::size_t>(kRedMax + draw.blue - 1)] = true;
    return held;
}

QString ratio(std::initializer_list<int> parts) {
    QStringList texts;
    for (int part : parts)
        texts.append(QString::number(part));
    return texts.join(u':');
}

QString twoDigits(int n) {
    return QString::number(n).rightJustified(2, u'0');
}

} // namespace

int averageOmission(int windowDraws, int appearances) {
    // Half up in whole numbers: floor((2(N - k) + (k + 1)) / (2(k + 1))).
    const int missed = windowDraws - appearances;
    const int slots = appearances + 1;
    return (2 * missed + slots) / (2 * slots);
}

TrendChart::TrendChart(const std::vector<StoredDraw>& history, int last) {
    const int size = static_cast<int>(history.size());
    last = std::clamp(last, 0, size);
    const int first = size - last;
    m_rows.reserve(static_cast<std::size_t>(last));

    std::array<int, kTrendNumbers> omission{};
    std::array<int, kTrendNumbers> run{};
    for (int i = 0; i < size; ++i) {
        const StoredDraw& draw = history[static_cast<std::size_t>(i)];
        const std::array<bool, kTrendNumbers> held = heldNumbers(draw);
        for (int c = 0; c < kTrendNumbers; ++c)
            omission[c] = held[c] ? 0 : omission[c] + 1;
        if (i < first)
            continue;

        TrendRow row;
        row.issue = draw.issue;
        row.red = draw.red;
        row.blue = draw.blue;
        row.complete = draw.complete;
        row.omission = omission;
        if (i > 0 && draw.complete && history[static_cast<std::size_t>(i - 1)].complete)
            row.repeats = repeatCount(draw.red, history[static_cast<std::size_t>(i - 1)].red);
        m_rows.push_back(row);

        for (int c = 0; c < kTrendNumbers; ++c) {
            TrendStatistics& s = m_statistics[c];
            run[c] = held[c] ? run[c] + 1 : 0;
            s.appearances += held[c] ? 1 : 0;
            s.maxOmission = std::max(s.maxOmission, omission[c]);
            s.maxRun = std::max(s.maxRun, run[c]);
            s.currentOmission = omission[c];
        }
    }
    for (TrendStatistics& s : m_statistics)
        s.averageOmission = averageOmission(last, s.appearances);
}

QString trendIndicatorTitle(TrendIndicator indicator) {
    switch (indicator) {
    case TrendIndicator::Sum:
        return u"和值"_s;
    case TrendIndicator::Span:
        return u"跨度"_s;
    case TrendIndicator::Ac:
        return u"AC"_s;
    case TrendIndicator::OddEven:
        return u"奇偶比"_s;
    case TrendIndicator::BigSmall:
        return u"大小比"_s;
    case TrendIndicator::Zones:
        return u"三区比"_s;
    case TrendIndicator::Repeats:
        return u"重号"_s;
    case TrendIndicator::Consecutive:
        return u"连号"_s;
    }
    return {};
}

QString trendIndicatorText(const TrendRow& row, TrendIndicator indicator) {
    if (!row.complete)
        return {};
    const RedCombo& red = row.red;
    const auto count = [&red](auto test) {
        return static_cast<int>(std::count_if(red.begin(), red.end(), test));
    };
    switch (indicator) {
    case TrendIndicator::Sum:
        return QString::number(std::accumulate(red.begin(), red.end(), 0));
    case TrendIndicator::Span:
        return QString::number(red.back() - red.front());
    case TrendIndicator::Ac:
        return QString::number(redAcValue(red));
    case TrendIndicator::OddEven: {
        const int odd = count([](int n) { return n % 2 == 1; });
        return ratio({odd, 6 - odd});
    }
    case TrendIndicator::BigSmall: {
        // Small are 1..17, as the program's small count has them.
        const int small = count([](int n) { return n < 18; });
        return ratio({6 - small, small});
    }
    case TrendIndicator::Zones:
        return ratio({count([](int n) { return n <= 11; }),
                      count([](int n) { return n >= 12 && n <= 22; }),
                      count([](int n) { return n >= 23; })});
    case TrendIndicator::Repeats:
        return row.repeats ? QString::number(*row.repeats) : QString();
    case TrendIndicator::Consecutive:
        return QString::number(consecutiveCount(red));
    }
    return {};
}

QString trendAcToolTip() {
    return u"AC值：六个红球两两相减得到的15个差中，不同差值的个数，范围5～15"
           u"（本程序不减5；减去5即为0～10的计法）"_s;
}

TrendChartLoad loadTrendChart(QSqlDatabase db, int last, const QDate& today, bool atMostStored) {
    TrendChartLoad load;
    QString error;
    const std::vector<StoredDraw> history = loadDraws(db, &error);
    if (!error.isEmpty()) {
        load.message = u"无法读取开奖数据，走势图没有改动：%1"_s.arg(error);
        load.storeFailed = true;
        return load;
    }
    const int stored = static_cast<int>(history.size());
    if (stored == 0) {
        load.message = u"数据库中还没有开奖记录，无法显示走势图。"
                       u"请先通过菜单“数据操作”添加或导入开奖数据"_s;
        return load;
    }
    if (last < 0) {
        load.message = u"走势图期数必须是大于0的整数"_s;
        return load;
    }
    if (last > stored && atMostStored)
        last = 0;
    if (last > stored) {
        load.message = windowBeyondHistory(stored);
        return load;
    }
    load.chart = TrendChart(history, last == 0 ? stored : last);
    load.decade = databaseDecade(db, today);
    return load;
}

QString trendIssueText(const TrendChart& chart, int row, int decade) {
    return fullIssueText(chart.row(row).issue, decade);
}

QString trendPickText(const std::vector<int>& reds, const std::vector<int>& blues) {
    QStringList red;
    for (int n : reds)
        red.append(twoDigits(n));
    QString text = red.join(u' ');
    if (!blues.empty()) {
        QStringList blue;
        for (int n : blues)
            blue.append(twoDigits(n));
        text += (text.isEmpty() ? u"+ "_s : u" + "_s) + blue.join(u' ');
    }
    return text;
}

} // namespace ssq
