#include "red/last_draw_check.h"

#include "model/leading_number.h"
#include "model/leading_number_text.h"

#include <optional>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

constexpr int kFirstIndicatorColumn = 3;

// The panel read once, as the check compares it: values in double precision, the draw and
// its code digits rounded to whole numbers as the integer variables of the check hold them.
class Inputs {
public:
    explicit Inputs(const PanelState& panel) : m_panel(panel) {
        for (int i = 0; i < 6; ++i)
            m_draw[i] = roundHalfEven(numberOf(panel.text1[1 + i]));
        for (int i = 0; i < 7; ++i)
            m_digits[i] = roundHalfEven(numberOf(panel.text1[9 + i]));
    }

    double value(int box) const { return numberOf(m_panel.text1[box]); }
    bool given(int box) const { return !m_panel.text1[box].isEmpty(); }

    bool inDraw(double v) const {
        for (double a : m_draw) {
            if (a == v)
                return true;
        }
        return false;
    }
    bool amongDigits(double v) const {
        for (double d : m_digits) {
            if (d == v)
                return true;
        }
        return false;
    }
    // Code digit 1 (百万) .. 7 (个位).
    double digit(int position) const { return m_digits[position - 1]; }

    bool outside(double v, int maxBox, int minBox) const {
        return v > value(maxBox) || v < value(minBox);
    }

private:
    const PanelState& m_panel;
    std::array<double, 6> m_draw{};
    std::array<double, 7> m_digits{};
};

// Condition 1: every given number must be in the draw.
bool missingBanker(const Inputs& in) {
    const panel::ConditionBoxes& boxes = panel::boxesOf(1);
    for (int b = boxes.listFirst; b <= boxes.listLast(); ++b) {
        if (in.value(b) > 0 && !in.inDraw(in.value(b)))
            return true;
    }
    return false;
}

// Conditions 2 and 3: how many given numbers are in the draw.
bool numberCountOutside(const Inputs& in, int condition) {
    const panel::ConditionBoxes& boxes = panel::boxesOf(condition);
    int count = 0;
    for (int b = boxes.listFirst; b <= boxes.listLast(); ++b) {
        if (in.value(b) > 0 && in.inDraw(in.value(b)))
            ++count;
    }
    return in.outside(count, boxes.max, boxes.min());
}

// Conditions 23 and 24: how many given digits occur among the code digits.
bool digitCountOutside(const Inputs& in, int condition) {
    const panel::ConditionBoxes& boxes = panel::boxesOf(condition);
    int count = 0;
    for (int b = boxes.listFirst; b <= boxes.listLast(); ++b) {
        if (in.given(b) && in.amongDigits(in.value(b)))
            ++count;
    }
    return in.outside(count, boxes.max, boxes.min());
}

// Range conditions count only when both bound boxes hold text.
bool rangeFails(const Inputs& in, double v, int maxBox, int minBox) {
    return in.given(maxBox) && in.given(minBox) && in.outside(v, maxBox, minBox);
}

// The stored indicator each range condition bounds.
struct RangeCondition {
    int condition;
    int indicator;
};

constexpr RangeCondition kRanges[] = {
    {4, 1},   {5, 2},   {6, 3},   {7, 4},   {8, 5},   {9, 6},   {10, 7},  {11, 8},
    {13, 10}, {15, 12}, {16, 13}, {17, 14}, {18, 15}, {19, 16}, {20, 17}, {21, 18},
    {32, 19}, {33, 20}, {34, 21}, {35, 22}, {37, 23}, {38, 24}, {39, 25}, {40, 26},
};

// Whether some given box of condition k's list holds v.
bool someGivenDigitEquals(const Inputs& in, int condition, std::optional<double> v) {
    if (!v)
        return false;
    const panel::ConditionBoxes& boxes = panel::boxesOf(condition);
    for (int b = boxes.listFirst; b <= boxes.listLast(); ++b) {
        if (in.given(b) && in.value(b) == *v)
            return true;
    }
    return false;
}

} // namespace

StoredIndicators storedIndicatorsOf(const QStringList& kjzbRow) {
    StoredIndicators out{};
    for (int k = 1; k <= 41; ++k) {
        const int column = kFirstIndicatorColumn + k - 1;
        out[k] = column < kjzbRow.size() ? numberOf(kjzbRow.at(column)) : 0.0;
    }
    return out;
}

LastDrawCheck checkLastDraw(const PanelState& panel, const StoredIndicators& stored) {
    const Inputs in(panel);
    LastDrawCheck out;
    auto& t = out.ticked;

    t[1] = missingBanker(in);
    t[2] = numberCountOutside(in, 2);
    t[3] = numberCountOutside(in, 3);
    for (const RangeCondition& r : kRanges) {
        const panel::ConditionBoxes& boxes = panel::boxesOf(r.condition);
        t[r.condition] = rangeFails(in, stored[r.indicator], boxes.max, boxes.min());
    }

    // The stored code parity: 1 odd, 2 even.
    t[12] = (panel.option1 && stored[9] == 2) || (panel.option2 && stored[9] == 1);

    // The tail of the code's digit sum is held as a byte; a value that is no byte matches no
    // digit.
    const std::optional<std::uint8_t> tail = toByte(stored[11]);
    t[14] = someGivenDigitEquals(in, 14, tail ? std::optional<double>(*tail) : std::nullopt);

    t[22] = false;
    for (int b = panel::boxesOf(22).listFirst; b <= panel::boxesOf(22).listLast(); ++b) {
        if (in.given(b) && !in.amongDigits(in.value(b)))
            t[22] = true;
    }
    t[23] = digitCountOutside(in, 23);
    t[24] = digitCountOutside(in, 24);
    // The digit position runs from 个位 (7) for condition 25 down to 百万 (1) for 31.
    for (int k = panel::kFirstPositionCondition; k <= panel::kLastPositionCondition; ++k)
        t[k] = someGivenDigitEquals(in, k, in.digit(32 - k));

    t[36] = false;
    for (int b = panel::boxesOf(36).listFirst; b <= panel::boxesOf(36).listLast(); ++b) {
        if (in.value(b) > 0 && in.inDraw(in.value(b)))
            t[36] = true;
    }

    for (int k = 1; k <= 40; ++k)
        out.count += t[k] ? 1 : 0;
    out.message = lastDrawCheckMessage(out.count);
    return out;
}

void applyTicks(PanelState& panel, const LastDrawCheck& check) {
    for (int k = 1; k <= 40; ++k)
        panel.check1[k] = check.ticked[k] ? 1 : 0;
}

bool restoreTicks(PanelState& panel, const PanelState& player) {
    bool changed = false;
    for (int k = 1; k <= 40; ++k) {
        changed = changed || panel.check1[k] != player.check1[k];
        panel.check1[k] = player.check1[k];
    }
    return changed;
}

QString restoreTicksQuestion() {
    return u"上期条件查错已把条件的勾选换成了出错的条件（您原来的勾选已不在面板上）。"
           u"要把您原来勾选的条件放回去吗？点“否”保留查错的勾选"_s;
}

QString lastDrawCheckMessage(int count) {
    return u"在上期条件设置中，您总共出现错误选项"_s + QString::number(count) +
           u"条，这些错误选项均已打上了“√”标记，请核查"_s;
}

} // namespace ssq
