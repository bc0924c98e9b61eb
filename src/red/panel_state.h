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

// One condition's boxes in Text1: its list of given numbers or digits and its bounds, the
// maximum at max and the minimum right after it. The panel lays them out, the selection and
// the last-draw check read them.
struct ConditionBoxes {
    int zone = 0;
    const char16_t* caption = u"";
    int listFirst = 0; // 0 when the condition has no list
    int listCount = 0;
    int max = 0; // 0 when the condition has no bounds

    constexpr int listLast() const { return listFirst + listCount - 1; }
    constexpr int min() const { return max + 1; }
    constexpr bool hasBounds() const { return max > 0; }
};

// Conditions 1..40 (index 0 unused).
inline constexpr std::array<ConditionBoxes, kConditions + 1> kConditionBoxes = {{
    {},
    {1, u"1、胆号", 16, 4},
    {1, u"2、次胆号", 20, 6, 26},
    {1, u"3、淘汰号", 28, 20, 48},
    {1, u"4、和值", 0, 0, 50},
    {1, u"5、AC值", 0, 0, 52},
    {1, u"6、小号个数", 0, 0, 54},
    {1, u"7、奇号个数", 0, 0, 56},
    {1, u"8、同尾组数", 0, 0, 58},
    {1, u"9、相连号个数", 0, 0, 60},
    {1, u"10、重复号个数", 0, 0, 62},
    {1, u"11、相邻号个数", 0, 0, 64},
    {2, u"12、代码单双"},
    {2, u"13、代码和值", 0, 0, 66},
    {2, u"14、不出和尾", 68, 6},
    {2, u"15、小数个数", 0, 0, 74},
    {2, u"16、奇数个数", 0, 0, 76},
    {2, u"17、质数个数", 0, 0, 78},
    {2, u"18、连号组数", 0, 0, 80},
    {2, u"19、重复个数", 0, 0, 82},
    {2, u"20、同号组数", 0, 0, 84},
    {2, u"21、代码AC值", 0, 0, 86},
    {2, u"22、胆号", 88, 4},
    {2, u"23、次胆号", 92, 4, 96},
    {2, u"24、淘汰号", 98, 4, 102},
    {2, u"25、个位不出号", 104, 5},
    {2, u"26、十位不出号", 109, 5},
    {2, u"27、百位不出号", 114, 5},
    {2, u"28、千位不出号", 119, 5},
    {2, u"29、万位不出号", 124, 5},
    {2, u"30、十万位不出号", 129, 5},
    {2, u"31、百万位不出号", 134, 2},
    {3, u"32、一区间", 0, 0, 136},
    {3, u"33、二区间", 0, 0, 138},
    {3, u"34、三区间", 0, 0, 140},
    {3, u"35、首尾跨度", 0, 0, 142},
    {3, u"36、绝杀号码", 144, 4},
    {3, u"37、冷热值", 0, 0, 148},
    {3, u"38、冷号个数", 0, 0, 150},
    {3, u"39、温号个数", 0, 0, 152},
    {3, u"40、热号个数", 0, 0, 154},
}};

constexpr const ConditionBoxes& boxesOf(int condition) {
    return kConditionBoxes[condition];
}

// Conditions 25..31 list the digits that may not stand at one place of the code: 个位 for 25
// up to 百万 for 31.
constexpr int kFirstPositionCondition = 25;
constexpr int kLastPositionCondition = 31;
constexpr int kHotColdSumCondition = 37;
} // namespace panel

struct PanelState {
    // Text1 0..171: last-draw row (1..15), condition inputs (16..169), saved 单/双 (170, 171).
    std::array<QString, 172> text1;
    // Check1 0..40: 0 is the zone-1 box, 1..40 the condition enable boxes (1 = checked).
    std::array<int, 41> check1{};
    int check2 = 0;       // zone-2 box
    int check3 = 0;       // zone-3 box
    int check4 = 0;       // "不容错的选项"
    bool option1 = false; // condition 12 "单"
    bool option2 = false; // condition 12 "双"
    // Text3 0..40: non-tolerance markers (0 unused).
    std::array<QString, 41> text3;

    bool operator==(const PanelState&) const = default;
};

} // namespace ssq
