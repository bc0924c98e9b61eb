#include "red/newer_draw.h"

#include "model/leading_number_text.h"
#include "store/issue_number.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace ssq {

QString newerDrawNotice(const std::vector<StoredDraw>& draws,
                        const std::array<QString, 7>& rowTexts, int decadeYear) {
    if (draws.empty())
        return {};
    RedCombo red{};
    for (int i = 0; i < 6; ++i)
        red[i] = static_cast<int>(numberOf(rowTexts[i]));
    std::sort(red.begin(), red.end());
    const int blue = static_cast<int>(numberOf(rowTexts[6]));
    if (!isValidCombo(red) || blue < 1 || blue > kBlueMax)
        return {};
    // The newest stored draw with these numbers is the one the row was filled from.
    const auto shown = std::find_if(draws.rbegin(), draws.rend(), [&](const StoredDraw& d) {
        return d.complete && d.red == red && d.blue == blue;
    });
    if (shown == draws.rend() || shown == draws.rbegin() || shown->issue == draws.back().issue)
        return {};
    return u"数据库已有第%1期，上期号和冷热值还是第%2期的"_s.arg(
        fullIssueText(draws.back().issue, decadeYear), fullIssueText(shown->issue, decadeYear));
}

} // namespace ssq
