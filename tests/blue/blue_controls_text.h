#pragma once
// Blue controls written short for test tables: "c3 t1=5 t2=0 o1" ticks Check3, types "5" and
// "0" into Text1 and Text2 and chooses Option1; "_" in a value stands for a blank.

#include "blue/blue_controls.h"

#include <QStringList>

namespace ssq::test {

inline BlueControls blueControls(const QString& text) {
    BlueControls c;
    for (const QString& token : text.split(u' ', Qt::SkipEmptyParts)) {
        if (token == QStringLiteral("o1"))
            c.option1 = true;
        else if (token == QStringLiteral("o2"))
            c.option2 = true;
        else if (token.startsWith(u'c'))
            c.check[token.mid(1).toInt()] = 1;
        else if (token.startsWith(u't'))
            c.text[token.mid(1, token.indexOf(u'=') - 1).toInt()] =
                token.mid(token.indexOf(u'=') + 1).replace(u'_', u' ');
    }
    return c;
}

} // namespace ssq::test
