#include "analysis/ac_query.h"

#include "model/leading_number.h"
#include "model/leading_number_text.h"

#include <algorithm>
#include <bitset>
#include <cmath>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

// Differences above 32 cannot occur between red numbers and are not counted.
int conventionalAc(const std::array<int, 6>& n) {
    std::bitset<33> seen;
    for (int i = 0; i < 6; ++i)
        for (int j = i + 1; j < 6; ++j) {
            const int d = n[j] - n[i];
            if (d >= 1 && d <= 32)
                seen.set(d);
        }
    return static_cast<int>(seen.count());
}

int codeAc(const std::array<QString, 7>& digits) {
    std::array<double, 7> c{};
    for (int i = 0; i < 7; ++i)
        c[i] = numberOf(digits[i]);
    std::bitset<10> seen;
    for (int a = 0; a < 7; ++a)
        for (int b = a + 1; b < 7; ++b) {
            // A difference that does not fit a 16-bit integer is far outside 0..9: not counted.
            const std::optional<std::int16_t> h = toInt16(std::fabs(c[b] - c[a]));
            if (h && *h <= 9)
                seen.set(*h);
        }
    return static_cast<int>(seen.count());
}

} // namespace

AcQueryResult acQuery(const std::array<QString, 6>& reds,
                      const std::array<QString, 7>& codeDigits) {
    AcQueryResult result;
    std::array<int, 6> n{};
    for (const QString& red : reds)
        if (red.trimmed().isEmpty()) {
            result.message = u"请在上期开奖号输入区填好六个红球号码，再查询AC值"_s;
            return result;
        }
    for (int i = 0; i < 6; ++i) {
        const std::optional<std::uint8_t> value = toByte(numberOf(reds[i]));
        if (!value) {
            result.message = u"上期开奖号输入区的红球号码必须在0到255之间，请改正后再查询AC值"_s;
            return result;
        }
        n[i] = *value;
    }
    for (int i = 0; i + 1 < 6; ++i)
        if (n[i] > n[i + 1]) {
            result.message = u"请在上期开奖号输入区按从小到大的顺序填好六个红球号码，再查询AC值"_s;
            return result;
        }
    result.ok = true;
    result.redAc = conventionalAc(n);
    result.codeAc = codeAc(codeDigits);
    return result;
}

int commonAc(int redAc) {
    return std::max(0, redAc - 5);
}

QString redAcMessage(int redAc) {
    return u"常规AC值为%1（常用算法为%2）"_s.arg(redAc).arg(commonAc(redAc));
}

QString codeAcMessage(int codeAc) {
    return u"代码AC值为"_s + QString::number(codeAc);
}

} // namespace ssq
