#include "analysis/pair_statistics.h"

#include <cmath>
#include <cstdint>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

std::vector<PairStatistic> pairsOf(PairList list) {
    std::vector<PairStatistic> pairs;
    for (int a = 1; a < kRedMax; ++a) {
        if (list == PairList::Neighbours) {
            pairs.push_back({a, a + 1});
            continue;
        }
        for (int b = a + 1; b <= kRedMax; ++b)
            pairs.push_back({a, b});
    }
    return pairs;
}

} // namespace

int expectedPairCount(int draws) {
    return static_cast<int>(std::floor(draws * 0.0284));
}

QString omissionRatioText(int omission) {
    return QString::number(omission * 2.8, 'g', 15) + u'%';
}

std::vector<PairStatistic> pairStatistics(const std::vector<RedCombo>& history, PairList list) {
    const int n = static_cast<int>(history.size());
    std::vector<std::uint64_t> masks;
    masks.reserve(history.size());
    for (const RedCombo& red : history)
        masks.push_back(redMask(red));

    std::vector<PairStatistic> pairs = pairsOf(list);
    for (PairStatistic& p : pairs) {
        const std::uint64_t both = (std::uint64_t{1} << p.first) | (std::uint64_t{1} << p.second);
        p.expected = expectedPairCount(n);
        p.omission = n;
        for (int i = n - 1; i >= 0; --i) {
            if ((masks[i] & both) != both)
                continue;
            if (p.total++ == 0)
                p.omission = n - 1 - i;
        }
        p.ratio = omissionRatioText(p.omission);
    }
    return pairs;
}

} // namespace ssq
