#include "store/draw_rows.h"

#include "model/indicators.h"
#include "store/schema.h"

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

// First kjdm column of each code digit's group (百万 has two columns, the others ten).
constexpr int kCodeGroupStart[7] = {1, 3, 13, 23, 33, 43, 53};

QVariantList emptyRow(int columns, int issue) {
    QVariantList row(columns);
    row[0] = issue;
    return row;
}

QVariantList numberRow(const DrawInput& draw) {
    QVariantList row = emptyRow(schema::kKjhmColumns, draw.issue);
    for (int r : draw.red)
        row[r] = r;
    row[33 + draw.blue] = draw.blue;
    return row;
}

QString codeText(const RedCombo& red) {
    return QString::fromStdString(codeDigits(redCode(red)).text());
}

} // namespace

RedCombo redNumbersOf(const StoredDraw& draw) {
    RedCombo red{};
    for (std::size_t i = 0; i < red.size() && i < draw.redColumns.size(); ++i)
        red[i] = draw.redColumns[i];
    return red;
}

std::vector<RedCombo> redHistoryOf(const std::vector<StoredDraw>& draws) {
    std::vector<RedCombo> history;
    history.reserve(draws.size());
    for (const StoredDraw& draw : draws)
        history.push_back(redNumbersOf(draw));
    return history;
}

QString drawText(const RedCombo& red, int blue, bool firstRecord) {
    return QString::fromStdString(comboText(red)) + (firstRecord ? u" +"_s : u"+"_s) +
           QString::number(blue);
}

DrawRows firstRecordRows(const DrawInput& draw) {
    DrawRows rows;
    rows.numbers = numberRow(draw);
    rows.codes = emptyRow(schema::kKjdmColumns, draw.issue);
    rows.indicators = emptyRow(schema::kKjzbColumns, draw.issue);
    rows.indicators[schema::kKjzbDrawText] = drawText(draw.red, draw.blue, true);
    rows.indicators[schema::kKjzbCodeText] = codeText(draw.red);
    return rows;
}

DrawRows drawRows(const DrawInput& draw, const RedCombo& previous, const HotColdValues& hv) {
    DrawRows rows;
    rows.numbers = numberRow(draw);

    rows.codes = emptyRow(schema::kKjdmColumns, draw.issue);
    const CodeDigits digits = codeDigits(redCode(draw.red));
    for (int k = 0; k < 7; ++k)
        rows.codes[kCodeGroupStart[k] + digits.d[k]] = digits.d[k];

    rows.indicators = emptyRow(schema::kKjzbColumns, draw.issue);
    rows.indicators[schema::kKjzbDrawText] = drawText(draw.red, draw.blue);
    rows.indicators[schema::kKjzbCodeText] = QString::fromStdString(digits.text());
    const Indicators x = drawIndicators(draw.red, draw.blue, previous, hv);
    for (int k = 1; k <= kIndicatorCount; ++k)
        rows.indicators[schema::kKjzbFirstIndicator + k - 1] = x[k];
    return rows;
}

} // namespace ssq
