#include "support/random_panel.h"

#include "model/red_code.h"

#include <QRandomGenerator>
#include <QString>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace ssq::test {

PanelState randomPanel(quint32 seed, PanelKind kind, HotColdValues& hv) {
    const bool every = kind == PanelKind::Every;
    QRandomGenerator rng(seed);
    const auto between = [&](int low, int high) { return int(rng.bounded(low, high + 1)); };
    const auto chance = [&](int percent) { return between(0, 99) < percent; };
    const auto number = [&](int value) {
        const QString forms[] = {u"%1.5"_s, u"%1abc"_s, u" %1"_s, u"%1"_s};
        return forms[std::min(between(0, 19), 3)].arg(value);
    };
    for (int n = 1; n <= kRedMax; ++n)
        hv[n] = between(-40, 30);
    hv[1] = hv[1] == 0 ? 5 : hv[1];

    PanelState p;
    p.text1[8] = u"0000000"_s;
    if (chance(85)) { // otherwise the last-draw boxes are left empty and read 0
        const int code = between(1, kComboCount);
        const RedCombo red = comboOfCode(code);
        for (int i = 0; i < 6; ++i)
            p.text1[i + 1] = QString::number(red[i]);
        const CodeDigits d = codeDigits(chance(80) ? code : between(1, kComboCount));
        for (int i = 0; i < 7; ++i)
            p.text1[9 + i] = chance(5) ? QString() : QString::number(d.d[i]);
    }
    const char* odd[] = {"0", "5.5", "40", "", "abc", "3.5", "12", ""};
    for (int k = 1; k <= 40; ++k) {
        const auto& [first, last, maxBox, low, high, indicator] = kConditionInputs[k];
        if (!every && !chance(30))
            continue;
        p.check1[k] = 1;
        const bool digits = first >= 68 && first != 144;
        for (int b = first, end = first ? first + between(1, last - first + 1) : 0; b < end; ++b) {
            const int roll = between(0, 15);
            p.text1[b] = roll < 4 ? QString::fromLatin1(odd[roll + (digits ? 4 : 0)])
                         : digits ? QString::number(between(0, 9))
                                  : number(between(1, 33));
        }
        if (maxBox) { // bounds that are sometimes empty or crossed
            const int min = between(low, high);
            const int max = between(min, std::min(high, min + (high - low) / 2 + 1));
            p.text1[maxBox] = chance(5) ? QString() : number(chance(5) ? min - 1 : max);
            p.text1[maxBox + 1] = chance(10) ? QString() : number(min);
        }
    }
    p.option1 = p.check1[12] && chance(45);
    p.option2 = p.check1[12] && !p.option1 && chance(80);
    const auto any = [&](int f, int l) {
        return std::count(&p.check1[f], &p.check1[l] + 1, 1) > 0;
    };
    p.check1[0] = any(1, 11) || chance(20);
    p.check2 = any(12, 31) || chance(20);
    p.check3 = any(32, 40) || chance(20);
    const char* tolerance[][2] = {{"", ""},   {"", "4"},      {"0", "6"}, {"1", "5"}, {"2", "8"},
                                  {"1", "2"}, {"0.5", "3.5"}, {"", "10"}, {"3", "6"}, {"0", "3"}};
    const auto& [low, high] = tolerance[between(0, 9)];
    p.text1[169] = QString::fromLatin1(low);
    p.text1[168] = QString::fromLatin1(high);
    if (!every && chance(40)) { // markers through "不容错的选项"
        p.check4 = 1;
        for (int k = 1, box = 156; k <= 40 && box <= 167; ++k)
            if (p.check1[k] && chance(25))
                p.text1[box++] = p.text3[k] = QString::number(k);
    }
    if (kind == PanelKind::Careless) { // what a player may leave behind: a run is refused
        const int slip = between(0, 19);
        if (slip == 0)
            p.text1[8].clear();
        else if (slip == 1)
            p.check1[0] = 0;
        else if (slip == 2)
            p.check2 = 0;
        else if (slip == 3)
            p.check3 = 0;
        else if (slip == 4)
            hv = {};
        else if (slip == 5) {
            p.check4 = 1;
            p.text1[167] = u"7"_s;
        }
    }
    return p;
}

} // namespace ssq::test
