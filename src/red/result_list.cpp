#include "red/result_list.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace ssq {

ResultListing listResults(int count, const ResultText& textAt) {
    ResultListing out;
    const int shown = std::clamp(count, 0, kMaxListedResults);
    out.items.reserve(shown);
    for (int i = 0; i < shown; ++i)
        out.items.append(textAt(i));
    out.message =
        count > kMaxListedResults
            ? u"您的选号结果超过了5000注，本程序只为您显示前5000注,请点击下拉箭头查看选号"_s
            : u"数据载入完毕,请点击下拉箭头查看选号"_s;
    return out;
}

} // namespace ssq
