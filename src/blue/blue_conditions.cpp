#include "blue/blue_conditions.h"

#include "model/indicators.h"
#include "model/leading_number_text.h"

namespace ssq {

namespace {

// Max box first, min box second, as the window shows them.
bool outside(const BlueControls& c, int maxBox, double value) {
    return value > numberOf(c.text[maxBox]) || value < numberOf(c.text[maxBox + 1]);
}

bool ticked(const BlueControls& c, int box) {
    return c.check[box] == 1;
}

} // namespace

int blueConditionCheck(int condition) {
    static constexpr int kChecks[blue::kConditions + 1] = {0, 3, 1, 2, 4, 5, 6, 7, 8, 10, 9};
    return condition >= 1 && condition <= blue::kConditions ? kChecks[condition] : 0;
}

bool blueConditionFails(const BlueControls& c, int condition, int number) {
    const int box = blueConditionCheck(condition);
    if (box == 0 || !ticked(c, box))
        return false;
    const BlueIndicators x = blueIndicators(number);
    switch (condition) {
    case 1: // eliminated numbers; 0 eliminates nothing
        for (int t = 1; t <= 10; ++t) {
            const double v = numberOf(c.text[t]);
            if (v > 0 && v == number)
                return true;
        }
        return false;
    case 2:
        return (c.option1 && number >= 9) || (c.option2 && number <= 8);
    case 3: // Check13 单, Check14 双
        return (ticked(c, 13) && number % 2 == 0) || (ticked(c, 14) && number % 2 != 0);
    case 4:
        return outside(c, 11, x.bigDigits);
    case 5:
        return outside(c, 13, x.oddDigits);
    case 6:
        return outside(c, 15, x.primeDigits);
    case 7:
        return outside(c, 17, x.digitSum);
    case 8:
        return outside(c, 19, x.digitProduct);
    case 9:
        return outside(c, 21, x.digitSpan);
    case 10: // Check15 有, Check16 无
        return (ticked(c, 15) && x.adjacent == 0) || (ticked(c, 16) && x.adjacent == 1);
    }
    return false;
}

} // namespace ssq
