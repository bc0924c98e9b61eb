#pragma once
// The inputs of the blue-ball window Form3 as one plain state: Check1..Check16, Text1..Text28
// and the two options of condition 2. The selection, the saved options in lqtjbc and the
// controls files all read and write this; the window is only its view.

#include <QString>

#include <array>

namespace ssq {

namespace blue {
constexpr int kChecks = 16;
constexpr int kInputTexts = 28;
constexpr int kConditions = 10;
constexpr int kNumbers = 16;
constexpr int kStrictCheck = 11;    // Check11 "不允许容错的选项："
constexpr int kToleranceCheck = 12; // Check12 "其他选项容错："
constexpr int kFirstStrict = 23;    // Text23..Text26: condition numbers that may not fail
constexpr int kLastStrict = 26;
constexpr int kMostFailures = 27;   // Text27 "最多"
constexpr int kFewestFailures = 28; // Text28 "最少"
constexpr int kFirstResult = 29;    // Text29..Text44: the accepted numbers
constexpr int kSummary = 45;        // Text45 "选号统计"
} // namespace blue

struct BlueControls {
    // Check1..Check16 (index 0 unused): 1 when ticked.
    std::array<int, blue::kChecks + 1> check{};
    // Text1..Text28 (index 0 unused), exactly as typed.
    std::array<QString, blue::kInputTexts + 1> text;
    bool option1 = false; // "小号(1-8)"
    bool option2 = false; // "大号(9-16)"

    bool operator==(const BlueControls&) const = default;
};

} // namespace ssq
