#pragma once
// Condition panels written short for test tables: "c0 c4 z2 c12 o1 t50=22 t51=21" ticks the
// zone-1 box and Check1 4, the zone-2 box and Check1 12, chooses "单" and types 22 and 21 into
// Text1 50 and 51. "z3" is the zone-3 box, "o2" "双", "k4" the box "不容错的选项", "m7=7" Text3 7.

#include "red/panel_state.h"

#include <QStringList>

namespace ssq::test {

inline PanelState panelOf(const QString& text) {
    PanelState p;
    for (const QString& token : text.split(u' ', Qt::SkipEmptyParts)) {
        const QString value = token.section(u'=', 1);
        const int index = token.mid(1).section(u'=', 0, 0).toInt();
        switch (token.at(0).unicode()) {
        case u'c':
            p.check1[index] = 1;
            break;
        case u'z':
            (index == 2 ? p.check2 : p.check3) = 1;
            break;
        case u'o':
            (index == 1 ? p.option1 : p.option2) = true;
            break;
        case u'k':
            p.check4 = 1;
            break;
        case u't':
            p.text1[index] = value;
            break;
        case u'm':
            p.text3[index] = value;
            break;
        }
    }
    return p;
}

} // namespace ssq::test
