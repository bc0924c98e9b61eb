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
    for (int b = 16; b <= 19; ++b) {
        if (in.value(b) > 0 && !in.inDraw(in.value(b)))
            return true;
    }
    return false;
}

// Conditions 2 and 3: how many given numbers are in the draw.
bool numberCountOutside(const Inputs& in, int first, int last, int maxBox, int minBox) {
    int count = 0;
    for (int b = first; b <= last; ++b) {
        if (in.value(b) > 0 && in.inDraw(in.value(b)))
            ++count;
    }
    return in.outside(count, maxBox, minBox);
}

// Conditions 23 and 24: how many given digits occur among the code digits.
bool digitCountOutside(const Inputs& in, int first, int last, int maxBox, int minBox) {
    int count = 0;
    for (int b = first; b <= last; ++b) {
        if (in.given(b) && in.amongDigits(in.value(b)))
            ++count;
    }
    return in.outside(count, maxBox, minBox);
}

// Range conditions count only when both bound boxes hold text.
bool rangeFails(const Inputs& in, double v, int maxBox, int minBox) {
    return in.given(maxBox) && in.given(minBox) && in.outside(v, maxBox, minBox);
}

bool someGivenDigitEquals(const Inputs& in, int first, int last, std::optional<double> v) {
    if (!v)
        return false;
    for (int b = first; b <= last; ++b) {
        if (in.given(b) && in.value(b) == *v)
            return true;
    }
    return false;
}

// Stored indicator compared by range condition k, and the condition's max box.
struct RangeCondition {
    int condition;
    int indicator;
    int maxBox;
};

constexpr RangeCondition kRanges[] = {
    {4, 1, 50},    {5, 2, 52},    {6, 3, 54},    {7, 4, 56},    {8, 5, 58},    {9, 6, 60},
    {10, 7, 62},   {11, 8, 64},   {13, 10, 66},  {15, 12, 74},  {16, 13, 76},  {17, 14, 78},
    {18, 15, 80},  {19, 16, 82},  {20, 17, 84},  {21, 18, 86},  {32, 19, 136}, {33, 20, 138},
    {34, 21, 140}, {35, 22, 142}, {37, 23, 148}, {38, 24, 150}, {39, 25, 152}, {40, 26, 154},
};

// Conditions 25..31 and their lists; the digit position runs from 个位 (7) down to 百万 (1).
struct PositionCondition {
    int condition;
    int first;
    int last;
    int position;
};

constexpr PositionCondition kPositions[] = {
    {25, 104, 108, 7}, {26, 109, 113, 6}, {27, 114, 118, 5}, {28, 119, 123, 4},
    {29, 124, 128, 3}, {30, 129, 133, 2}, {31, 134, 135, 1},
};

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
    t[2] = numberCountOutside(in, 20, 25, 26, 27);
    t[3] = numberCountOutside(in, 28, 47, 48, 49);
    for (const RangeCondition& r : kRanges)
        t[r.condition] = rangeFails(in, stored[r.indicator], r.maxBox, r.maxBox + 1);

    // The stored code parity: 1 odd, 2 even.
    t[12] = (panel.option1 && stored[9] == 2) || (panel.option2 && stored[9] == 1);

    // The tail of the code's digit sum is held as a byte; a value that is no byte matches no
    // digit.
    const std::optional<std::uint8_t> tail = toByte(stored[11]);
    t[14] = someGivenDigitEquals(in, 68, 73, tail ? std::optional<double>(*tail) : std::nullopt);

    t[22] = false;
    for (int b = 88; b <= 91; ++b) {
        if (in.given(b) && !in.amongDigits(in.value(b)))
            t[22] = true;
    }
    t[23] = digitCountOutside(in, 92, 95, 96, 97);
    t[24] = digitCountOutside(in, 98, 101, 102, 103);
    for (const PositionCondition& p : kPositions)
        t[p.condition] = someGivenDigitEquals(in, p.first, p.last, in.digit(p.position));

    t[36] = false;
    for (int b = 144; b <= 147; ++b) {
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
