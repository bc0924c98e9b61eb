#pragma once
// Red combinations, their code (rank among all C(33,6) combinations in lexicographic order),
// the seven code digits, and the blue code.

#include <array>
#include <cstdint>
#include <string>

namespace ssq {

constexpr int kRedMax = 33;
constexpr int kBlueMax = 16;
constexpr int kComboCount = 1107568;

// Six red numbers, ascending, 1..33.
using RedCombo = std::array<int, 6>;

// Bit n set when red n is in the combination; values outside 1..33 are not red numbers. Inline:
// the indicators and the hot/cold counts call it once a draw or combination.
inline std::uint64_t redMask(const RedCombo& red) {
    std::uint64_t mask = 0;
    for (int r : red)
        if (r >= 1 && r <= kRedMax)
            mask |= std::uint64_t{1} << r;
    return mask;
}

// True when the six numbers are strictly ascending and within 1..33.
bool isValidCombo(const RedCombo& red);

// The 1-based position of a valid combination in the enumeration order (1 2 3 4 5 6 is 1);
// 0 for a combination that is not valid.
int redCode(const RedCombo& red);

// The combination at a code 1..kComboCount; all zeros for any other code.
RedCombo comboOfCode(int code);

// Code digits 百万, 十万, 万位, 千位, 百位, 十位, 个位.
struct CodeDigits {
    std::array<int, 7> d{};
    // The seven digits with leading zeros kept, e.g. "0012345".
    std::string text() const;
};

// Digits of a code 0..9999999.
CodeDigits codeDigits(int code);

// Blue code digits (c1, c2), each 1..4, for a blue ball 1..16: 1 -> 11, 16 -> 44.
struct BlueCode {
    int c1 = 0;
    int c2 = 0;
};

// {0, 0} for a ball outside 1..16.
BlueCode blueCode(int blue);

// "1 2 3 4 5 6": plain decimals separated by single blanks.
std::string comboText(const RedCombo& red);

} // namespace ssq
