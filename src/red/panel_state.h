#pragma once
// The whole state of the main window's condition panel. The widgets are only its view: the
// engine, the last-draw check, the saved set in tjbc and the condition files all read this.

#include <QString>

#include <array>

namespace ssq {

// Fixed Text1 indices and counts shared by the panel, its click rules and the saved set.
namespace panel {
constexpr int kConditions = 40;
constexpr int kParityCondition = 12; // "12、代码单双", the only condition with options
constexpr int kFirstConditionText = 16;
constexpr int kFirstNonTolerant = 156; // twelve boxes of condition numbers that may not fail
constexpr int kLastNonTolerant = 167;
constexpr int kToleranceMax = 168;
constexpr int kToleranceMin = 169;
constexpr int kSavedSingle = 170; // "1" when 单 was chosen at saving
constexpr int kSavedDouble = 171;
constexpr int kLastText = 171;
} // namespace panel

struct PanelState {
    // Text1 0..171: last-draw row (1..15), condition inputs (16..169), saved 单/双 (170, 171).
    std::array<QString, 172> text1;
    // Check1 0..40: 0 is the zone-1 box, 1..40 the condition enable boxes (1 = checked).
    std::array<int, 41> check1{};
    int check2 = 0; // zone-2 box
    int check3 = 0; // zone-3 box
    int check4 = 0; // "不容错的选项"
    bool option1 = false; // condition 12 "单"
    bool option2 = false; // condition 12 "双"
    // Text3 0..40: non-tolerance markers (0 unused).
    std::array<QString, 41> text3;

    bool operator==(const PanelState&) const = default;
};

} // namespace ssq
