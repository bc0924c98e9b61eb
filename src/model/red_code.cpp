#include "model/red_code.h"

namespace ssq {

namespace {

constexpr int kPick = 6;

// binom[n][k] for n = 0..33, k = 0..6.
struct BinomialTable {
    int value[kRedMax + 1][kPick + 1]{};

    constexpr BinomialTable() {
        for (int n = 0; n <= kRedMax; ++n) {
            value[n][0] = 1;
            for (int k = 1; k <= kPick; ++k)
                value[n][k] = n == 0 ? 0 : value[n - 1][k - 1] + value[n - 1][k];
        }
    }
};

constexpr BinomialTable kBinomial;

static_assert(kBinomial.value[kRedMax][kPick] == kComboCount);

} // namespace

bool isValidCombo(const RedCombo& red) {
    int previous = 0;
    for (int r : red) {
        if (r <= previous || r > kRedMax)
            return false;
        previous = r;
    }
    return true;
}

// With x_i = 33 - r_i, the combinations after `red` in lexicographic order number
// C(x_1, 6) + C(x_2, 5) + ... + C(x_6, 1), so the code is their complement.
int redCode(const RedCombo& red) {
    if (!isValidCombo(red))
        return 0;
    int after = 0;
    for (int i = 0; i < kPick; ++i)
        after += kBinomial.value[kRedMax - red[i]][kPick - i];
    return kComboCount - after;
}

// Decodes the combinatorial number system of the count of later combinations, greedily
// taking the largest x_i with C(x_i, 6 - i) still fitting.
RedCombo comboOfCode(int code) {
    if (code < 1 || code > kComboCount)
        return {};
    int after = kComboCount - code;
    RedCombo red{};
    int x = kRedMax;
    for (int i = 0; i < kPick; ++i) {
        const int k = kPick - i;
        --x;
        while (kBinomial.value[x][k] > after)
            --x;
        after -= kBinomial.value[x][k];
        red[i] = kRedMax - x;
    }
    return red;
}

std::string CodeDigits::text() const {
    std::string s;
    for (int digit : d)
        s += std::to_string(digit);
    return s;
}

// From the units up, so every division is by the constant 10; 百万 takes what is left.
CodeDigits codeDigits(int code) {
    CodeDigits c;
    for (int i = 6; i > 0; --i) {
        c.d[i] = code % 10;
        code /= 10;
    }
    c.d[0] = code;
    return c;
}

BlueCode blueCode(int blue) {
    if (blue < 1 || blue > kBlueMax)
        return {};
    return {(blue - 1) / 4 + 1, (blue - 1) % 4 + 1};
}

std::string comboText(const RedCombo& red) {
    std::string s;
    for (int r : red) {
        if (!s.empty())
            s += ' ';
        s += std::to_string(r);
    }
    return s;
}

} // namespace ssq
