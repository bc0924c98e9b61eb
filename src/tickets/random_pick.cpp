#include "tickets/random_pick.h"

#include <algorithm>
#include <numeric>

using namespace Qt::StringLiterals;

namespace ssq {

std::optional<SelectionResult> pickTickets(const SelectionResult& kept, double n,
                                           const BlueList& blues, std::mt19937_64& random,
                                           QString* error) {
    const int count = kept.count();
    if (count == 0) {
        *error = u"还没有选号结果，请先点击“红球选号”"_s;
        return std::nullopt;
    }
    if (!(n >= 1 && n <= count) || n != static_cast<int>(n)) {
        *error = u"请输入要选的注数：1到%1之间的整数"_s.arg(count);
        return std::nullopt;
    }
    const int wanted = static_cast<int>(n);

    // Positions chosen uniformly among all subsets of that size, kept in order.
    std::vector<int> all(static_cast<std::size_t>(count));
    std::iota(all.begin(), all.end(), 0);
    std::vector<int> chosen;
    chosen.reserve(static_cast<std::size_t>(wanted));
    std::sample(all.begin(), all.end(), std::back_inserter(chosen), wanted, random);

    SelectionResult picked;
    picked.walked = true; // a whole result, taken from a completed run
    picked.codes.reserve(chosen.size());
    for (int i : chosen)
        picked.codes.push_back(kept.codes[static_cast<std::size_t>(i)]);
    if (!blues.empty()) {
        picked.blues.resize(chosen.size());
        for (std::size_t i = 0; i < chosen.size(); ++i)
            picked.blues[i] = static_cast<std::int8_t>(blues[i % blues.size()]);
        std::shuffle(picked.blues.begin(), picked.blues.end(), random);
    } else if (!kept.blues.empty()) {
        for (int i : chosen)
            picked.blues.push_back(kept.blues[static_cast<std::size_t>(i)]);
    }
    return picked;
}

QString pickResultLine(int count) {
    return u"已从选号结果中随机选出"_s + QString::number(count) +
           u"注,可以显示、保存、打印和导出"_s;
}

} // namespace ssq
