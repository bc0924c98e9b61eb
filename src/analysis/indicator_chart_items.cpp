#include "analysis/indicator_chart_items.h"

#include "model/indicators.h"
#include "store/schema.h"

using namespace Qt::StringLiterals;

namespace ssq {

const std::vector<IndicatorChartMenu>& indicatorChartMenus() {
    static const std::vector<IndicatorChartMenu> menus{
        {u"ZXT"_s, u"常规指标折线图"_s},
        {u"DMZ"_s, u"代码指标折线图"_s},
        {u"LQZBZXT"_s, u"蓝球指标折线图"_s},
    };
    return menus;
}

const std::vector<IndicatorChartItem>& indicatorChartItems() {
    static const std::vector<IndicatorChartItem> items{
        {u"ZXT"_s, u"A32"_s, u"和值"_s, 3},
        {u"ZXT"_s, u"A34"_s, u"小球数"_s, 5},
        {u"ZXT"_s, u"A35"_s, u"奇球数"_s, 6},
        {u"ZXT"_s, u"A38"_s, u"重复数"_s, 9},
        {u"ZXT"_s, u"A36"_s, u"同尾组数"_s, 7},
        {u"ZXT"_s, u"A37"_s, u"连号组数"_s, 8},
        {u"ZXT"_s, u"A39"_s, u"邻号个数"_s, 10},
        {u"ZXT"_s, u"A33"_s, u"AC值"_s, 4},
        {u"ZXT"_s, u"A50"_s, u"1区间"_s, 21},
        {u"ZXT"_s, u"A51"_s, u"2区间"_s, 22},
        {u"ZXT"_s, u"A52"_s, u"3区间"_s, 23},
        {u"ZXT"_s, u"A54"_s, u"冷热值"_s, 25},
        {u"ZXT"_s, u"A55"_s, u"冷号个数"_s, 26},
        {u"ZXT"_s, u"A56"_s, u"温号个数"_s, 27},
        {u"ZXT"_s, u"A57"_s, u"热号个数"_s, 28},
        {u"ZXT"_s, u"A53"_s, u"跨度"_s, 24},
        {u"DMZ"_s, u"D40"_s, u"代码单双"_s, 11},
        {u"DMZ"_s, u"D41"_s, u"代码和值"_s, 12},
        {u"DMZ"_s, u"D42"_s, u"代码和尾"_s, 13},
        {u"DMZ"_s, u"D43"_s, u"代码小数"_s, 14},
        {u"DMZ"_s, u"D44"_s, u"代码奇数"_s, 15},
        {u"DMZ"_s, u"D45"_s, u"代码质数"_s, 16},
        {u"DMZ"_s, u"D46"_s, u"代码连号"_s, 17},
        {u"DMZ"_s, u"D47"_s, u"代码重复"_s, 18},
        {u"DMZ"_s, u"D48"_s, u"代码同号组数"_s, 19},
        {u"DMZ"_s, u"D49"_s, u"代码AC值"_s, 20},
        {u"LQZBZXT"_s, u"L35"_s, u"蓝球常规大小"_s, 35},
        {u"LQZBZXT"_s, u"l36"_s, u"蓝球常规单双"_s, 36},
        {u"LQZBZXT"_s, u"L37"_s, u"代码大数个数"_s, 37},
        {u"LQZBZXT"_s, u"L38"_s, u"代码奇号个数"_s, 38},
        {u"LQZBZXT"_s, u"L39"_s, u"代码质数个数"_s, 39},
        {u"LQZBZXT"_s, u"L40"_s, u"蓝球代码和值"_s, 40},
        {u"LQZBZXT"_s, u"L41"_s, u"蓝球代码积值"_s, 41},
        {u"LQZBZXT"_s, u"L42"_s, u"蓝球代码跨度"_s, 42},
        {u"LQZBZXT"_s, u"L43"_s, u"代码连号"_s, 43},
    };
    return items;
}

QString indicatorChartTitle(int column) {
    return QString::fromUtf8(indicatorLabel(column - schema::kKjzbFirstIndicator + 1));
}

} // namespace ssq
