#include "red/condition_panel_rules.h"

#include "model/leading_number_text.h"

namespace ssq {

namespace {

using namespace panel;

} // namespace

void applyConditionBoxClick(PanelState& panel) {
    if (panel.check1[kParityCondition] == 0) {
        panel.option1 = false;
        panel.option2 = false;
    }
}

void applyNonTolerantClick(PanelState& panel) {
    for (int i = 1; i <= kConditions; ++i) {
        if (panel.check4 == 0) {
            panel.text3[i].clear();
            continue;
        }
        for (int b = kFirstNonTolerant; b <= kLastNonTolerant; ++b)
            if (numberOf(panel.text1[b]) == i)
                panel.text3[i] = QString::number(i);
    }
}

} // namespace ssq
