#pragma once
// What the engine benchmarks share: condition panels (no condition, a realistic set over the
// three zones, every condition), a sample hot/cold table and the bare walk.

#include "model/hot_cold.h"
#include "red/panel_state.h"

#include <QString>

namespace bench {

using namespace Qt::StringLiterals;

// The last draw 1 5 12 20 27 33 + 8 and its code, as "自动输入上期号:" and "转换为代码：" put them.
inline ssq::PanelState lastDrawPanel() {
    ssq::PanelState panel;
    const char* row[] = {"",        "1", "5", "12", "20", "27", "33", "8",
                         "0096810", "0", "0", "9",  "6",  "8",  "1",  "0"};
    for (int i = 1; i <= 15; ++i)
        panel.text1[i] = QString::fromLatin1(row[i]);
    return panel;
}

inline void range(ssq::PanelState& panel, int condition, int maxBox, int max, int min) {
    panel.check1[condition] = 1;
    panel.text1[maxBox] = QString::number(max);
    panel.text1[maxBox + 1] = QString::number(min);
}

inline ssq::PanelState realisticPanel() {
    ssq::PanelState panel = lastDrawPanel();
    panel.check1[0] = panel.check2 = panel.check3 = 1;
    range(panel, 4, 50, 130, 80);
    range(panel, 5, 52, 10, 7);
    range(panel, 6, 54, 4, 2);
    range(panel, 7, 56, 4, 2);
    range(panel, 9, 60, 2, 0);
    range(panel, 10, 62, 2, 0);
    range(panel, 11, 64, 3, 0);
    panel.check1[12] = 1;
    panel.option1 = true;
    range(panel, 13, 66, 40, 15);
    range(panel, 21, 86, 9, 4);
    panel.check1[25] = 1;
    panel.text1[104] = u"3"_s;
    panel.text1[105] = u"7"_s;
    range(panel, 32, 136, 3, 1);
    range(panel, 33, 138, 3, 1);
    range(panel, 34, 140, 3, 1);
    range(panel, 35, 142, 30, 15);
    panel.text1[168] = u"2"_s;
    return panel;
}

inline ssq::PanelState everyConditionPanel() {
    ssq::PanelState panel = realisticPanel();
    for (int k = 0; k <= 40; ++k)
        panel.check1[k] = 1;
    panel.text1[16] = u"12"_s;
    for (int b = 20; b <= 22; ++b)
        panel.text1[b] = QString::number(b - 12);
    range(panel, 2, 26, 2, 0);
    for (int b = 28; b <= 33; ++b)
        panel.text1[b] = QString::number(b - 2);
    range(panel, 3, 48, 1, 0);
    range(panel, 8, 58, 2, 0);
    panel.text1[68] = u"0"_s;
    range(panel, 15, 74, 6, 2);
    range(panel, 16, 76, 5, 1);
    range(panel, 17, 78, 4, 0);
    range(panel, 18, 80, 8, 0);
    range(panel, 19, 82, 6, 1);
    range(panel, 20, 84, 8, 1);
    panel.text1[88] = u"1"_s;
    panel.text1[92] = u"2"_s;
    panel.text1[93] = u"5"_s;
    range(panel, 23, 96, 2, 1);
    panel.text1[98] = u"9"_s;
    range(panel, 24, 102, 1, 0);
    const char* lists[][2] = {{"109", "1"}, {"114", "2"}, {"119", "3"},
                              {"124", "4"}, {"129", "5"}, {"134", "1"}};
    for (const auto& l : lists)
        panel.text1[QString::fromLatin1(l[0]).toInt()] = QString::fromLatin1(l[1]);
    panel.text1[144] = u"33"_s;
    range(panel, 37, 148, 40, -60);
    range(panel, 38, 150, 3, 0);
    range(panel, 39, 152, 6, 1);
    range(panel, 40, 154, 3, 0);
    panel.text1[168] = u"3"_s;
    // Conditions 4 and 35 may not fail.
    panel.check4 = 1;
    panel.text1[156] = u"4"_s;
    panel.text1[157] = u"35"_s;
    panel.text3[4] = u"4"_s;
    panel.text3[35] = u"35"_s;
    return panel;
}

inline ssq::HotColdValues sampleHotCold() {
    ssq::HotColdValues hv{};
    for (int n = 1; n <= ssq::kRedMax; ++n)
        hv[n] = (n * 17) % 41 - 25; // spread over cold, warm and hot
    return hv;
}

// The same combinations walked with nothing tested: the yardstick of every engine figure.
inline volatile long long g_sink;

inline void bareWalk() {
    long long c = 0, sum = 0;
    for (int a1 = 1; a1 <= 28; ++a1)
        for (int a2 = a1 + 1; a2 <= 29; ++a2)
            for (int a3 = a2 + 1; a3 <= 30; ++a3)
                for (int a4 = a3 + 1; a4 <= 31; ++a4)
                    for (int a5 = a4 + 1; a5 <= 32; ++a5)
                        for (int a6 = a5 + 1; a6 <= 33; ++a6) {
                            ++c;
                            sum += a6;
                        }
    g_sink = c + sum;
}

} // namespace bench
