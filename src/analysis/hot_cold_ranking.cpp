#include "analysis/hot_cold_ranking.h"

#include <QStringList>

#include <utility>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

constexpr int kColdCount = 9;
constexpr int kWarmCount = 15;

QString joined(const std::array<int, kRedMax>& order, int from, int count) {
    QStringList numbers;
    for (int k = from; k < from + count; ++k)
        numbers.append(QString::number(order[k]));
    return numbers.join(u"   "_s);
}

} // namespace

std::array<int, kRedMax> hotColdRankingOrder(const HotColdValues& hv) {
    std::array<int, kRedMax> value{};
    std::array<int, kRedMax> number{};
    for (int k = 0; k < kRedMax; ++k) {
        value[k] = hv[k + 1];
        number[k] = k + 1;
    }
    for (int pass = 1; pass < kRedMax; ++pass) {
        for (int q = 0; q < kRedMax - pass; ++q) {
            if (value[q] < value[q + 1])
                continue;
            std::swap(value[q], value[q + 1]);
            std::swap(number[q], number[q + 1]);
        }
    }
    return number;
}

HotColdRanking hotColdRanking(const HotColdValues& hv) {
    const std::array<int, kRedMax> order = hotColdRankingOrder(hv);
    return {joined(order, 0, kColdCount), joined(order, kColdCount, kWarmCount),
            joined(order, kColdCount + kWarmCount, kRedMax - kColdCount - kWarmCount)};
}

} // namespace ssq
