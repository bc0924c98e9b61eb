#include "model/indicators.h"

#include <bit>
#include <cstdint>
#include <cstdlib>

namespace ssq {

namespace {

// How often each digit 0..9 occurs among the seven code digits.
std::array<int, 10> digitHistogram(const CodeDigits& c) {
    std::array<int, 10> h{};
    for (int digit : c.d)
        if (digit >= 0 && digit <= 9)
            ++h[digit];
    return h;
}

bool isPrimeDigit(int digit) {
    return digit == 2 || digit == 3 || digit == 5 || digit == 7;
}

int zoneCount(const RedCombo& red, int low, int high) {
    int count = 0;
    for (int r : red)
        count += r >= low && r <= high;
    return count;
}

} // namespace

int redAcValue(const RedCombo& red) {
    std::uint64_t differences = 0;
    for (int i = 0; i < 6; ++i)
        for (int j = i + 1; j < 6; ++j) {
            const int d = red[j] - red[i];
            if (d > 0 && d < 64)
                differences |= std::uint64_t{1} << d;
        }
    return std::popcount(differences);
}

int sameTailCount(const RedCombo& red) {
    unsigned tails = 0;
    for (int r : red)
        tails |= 1U << (static_cast<unsigned>(r) % 10);
    return 6 - std::popcount(tails);
}

int consecutiveCount(const RedCombo& red) {
    int count = 0;
    for (int i = 0; i + 1 < 6; ++i)
        count += red[i + 1] - red[i] == 1;
    return count;
}

int repeatCount(const RedCombo& red, const RedCombo& previous) {
    const std::uint64_t current = redMask(red);
    int count = 0;
    for (int p : previous)
        count += p >= 1 && p <= kRedMax && ((current >> p) & 1U);
    return count;
}

int adjacentCount(const RedCombo& red, const RedCombo& previous) {
    const std::uint64_t before = redMask(previous);
    const std::uint64_t neighbours = (before << 1) | (before >> 1);
    int count = 0;
    for (int r : red)
        count += r >= 1 && r <= kRedMax && ((neighbours >> r) & 1U);
    return count;
}

// 百万 is 0 or 1: it is small when 0, odd when 1 and never prime.
int codeSmallCount(const CodeDigits& c) {
    int count = c.d[0] == 0;
    for (int k = 1; k < 7; ++k)
        count += c.d[k] < 5;
    return count;
}

int codeOddCount(const CodeDigits& c) {
    int count = c.d[0] == 1;
    for (int k = 1; k < 7; ++k)
        count += c.d[k] % 2 != 0;
    return count;
}

int codePrimeCount(const CodeDigits& c) {
    int count = 0;
    for (int k = 1; k < 7; ++k)
        count += isPrimeDigit(c.d[k]);
    return count;
}

// The pair indicators run over all 21 pairs of the seven digits, so they follow from how often
// each digit occurs.
int codeConsecutivePairs(const CodeDigits& c) {
    const auto h = digitHistogram(c);
    int count = 0;
    for (int v = 0; v < 9; ++v)
        count += h[v] * h[v + 1];
    return count;
}

int codeEqualPairs(const CodeDigits& c) {
    int count = 0;
    for (int h : digitHistogram(c))
        count += h * (h - 1) / 2;
    return count;
}

int codeAcValue(const CodeDigits& c) {
    unsigned differences = 0;
    for (int i = 0; i < 7; ++i)
        for (int j = i + 1; j < 7; ++j) {
            const int d = std::abs(c.d[i] - c.d[j]);
            if (d <= 9)
                differences |= 1U << d;
        }
    return std::popcount(differences);
}

int codeRepeatCount(const CodeDigits& c, const CodeDigits& previous) {
    const auto h = digitHistogram(c);
    int count = 0;
    for (int e : previous.d)
        count += e >= 0 && e <= 9 && h[e] > 0;
    return count;
}

BlueIndicators blueIndicators(int blue) {
    const BlueCode b = blueCode(blue);
    BlueIndicators x;
    x.bigSmall = blue >= 9 ? 9 : 1;
    x.oddEven = blue % 2 != 0 ? 1 : 2;
    x.bigDigits = (b.c1 >= 3) + (b.c2 >= 3);
    x.oddDigits = (b.c1 % 2 == 1) + (b.c2 % 2 == 1);
    x.primeDigits = (b.c1 == 2 || b.c1 == 3) + (b.c2 == 2 || b.c2 == 3);
    x.digitSum = b.c1 + b.c2;
    x.digitProduct = b.c1 * b.c2;
    x.digitSpan = std::abs(b.c1 - b.c2);
    x.adjacent = x.digitSpan == 1 ? 1 : 0;
    return x;
}

Indicators selfIndicators(const RedCombo& red, int blue) {
    // Filled field by field rather than value-initialised: this runs once per candidate.
    Indicators x;
    x[0] = x[7] = x[8] = x[16] = 0;
    for (int i = 23; i <= 32; ++i)
        x[i] = 0;
    int sum = 0;
    int small = 0;
    int odd = 0;
    for (int r : red) {
        sum += r;
        small += r < 18;
        odd += r % 2;
    }
    x[1] = sum;
    x[2] = redAcValue(red);
    x[3] = small;
    x[4] = odd;
    x[5] = sameTailCount(red);
    x[6] = consecutiveCount(red);

    const int code = redCode(red);
    const CodeDigits c = codeDigits(code);
    int digitSum = 0;
    for (int digit : c.d)
        digitSum += digit;
    x[9] = code % 2 == 0 ? 2 : 1;
    x[10] = digitSum;
    x[11] = digitSum % 10;
    x[12] = codeSmallCount(c);
    x[13] = codeOddCount(c);
    x[14] = codePrimeCount(c);
    x[15] = codeConsecutivePairs(c);
    x[17] = codeEqualPairs(c);
    x[18] = codeAcValue(c);

    x[19] = zoneCount(red, 1, 11);
    x[20] = zoneCount(red, 12, 22);
    x[21] = zoneCount(red, 23, 33);
    x[22] = red[5] - red[0];

    const BlueIndicators b = blueIndicators(blue);
    x[33] = b.bigSmall;
    x[34] = b.oddEven;
    x[35] = b.bigDigits;
    x[36] = b.oddDigits;
    x[37] = b.primeDigits;
    x[38] = b.digitSum;
    x[39] = b.digitProduct;
    x[40] = b.digitSpan;
    x[41] = b.adjacent;
    return x;
}

Indicators drawIndicators(const RedCombo& red, int blue, const RedCombo& previous,
                          const HotColdValues& hv) {
    Indicators x = selfIndicators(red, blue);
    // Without a real previous draw (the first one stored) there is nothing to repeat.
    if (isValidCombo(previous)) {
        x[7] = repeatCount(red, previous);
        x[8] = adjacentCount(red, previous);
        x[16] = codeRepeatCount(codeDigits(redCode(red)), codeDigits(redCode(previous)));
    }

    const HotColdCounts counts = hotColdCounts(red, hv);
    x[23] = counts.sum;
    x[24] = counts.cold;
    x[25] = counts.warm;
    x[26] = counts.hot;
    for (int i = 0; i < 6; ++i)
        x[27 + i] = red[i] >= 1 && red[i] <= kRedMax ? hv[red[i]] : 0;
    return x;
}

const char* acScaleNote() {
    return "本程序的AC值按常规算法计算：六个红球两两之差的不同值个数，范围5～15。"
           "常用算法再减去5，范围0～10，例如常规AC值14即常用算法的9。";
}

const char* indicatorLabel(int index) {
    static const char* const labels[kIndicatorCount + 1] = {
        "",
        "常规和值",
        "常规AC值",
        "常规小号个数",
        "常规奇号个数",
        "常规同尾组数",
        "常规连号组数",
        "常规重复号个数",
        "常规相邻号个数",
        "代码单双（1为单，2为双）",
        "代码和值",
        "代码和尾",
        "代码小号个数",
        "代码奇号个数",
        "代码质数个数",
        "代码连号组数",
        "代码重复号个数",
        "代码相同号组数",
        "代码AC值",
        "常规1区间出号个数",
        "常规2区间出号个数",
        "常规3区间出号个数",
        "常规跨度",
        "常规冷热值",
        "常规冷号个数",
        "常规温号个数",
        "常规热号个数",
        "",
        "",
        "",
        "",
        "",
        "",
        "蓝球大小（1为小，9为大）",
        "蓝球单双（1为单，2为双）",
        "蓝球代码大号个数（代码3、4为大）",
        "蓝球代码奇数个数（代码1、3为奇数）",
        "蓝球代码质数个数（代码2、3为奇数）",
        "蓝球代码和值",
        "蓝球代码积值",
        "蓝球代码跨度",
        "蓝球代码连号（1表示连号，0表示无连）",
    };
    if (index < 1 || index > kIndicatorCount)
        return "";
    return labels[index];
}

} // namespace ssq
