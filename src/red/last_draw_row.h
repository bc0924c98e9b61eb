#pragma once
// The last-draw row of the main window: turning its six red numbers into the red code, and
// reading the newest draw of the history into it.

#include "red/panel_state.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <array>

namespace ssq {

struct CodeConversion {
    enum class Outcome {
        Converted,
        NotAscending, // the user is told to type the numbers in ascending order
        Ignored       // out of 1..33 or not a byte: nothing is written and nothing shown
    };
    Outcome outcome = Outcome::Ignored;
    int code = 0;
    QString codeText;              // seven digits, leading zeros kept
    std::array<QString, 7> digits; // 百万, 十万, 万位, 千位, 百位, 十位, 个位
};

// `reds` are the texts of the six red boxes; each is read by the leading-number rule and as a
// byte (0..255).
CodeConversion convertToCode(const std::array<QString, 6>& reds);

QString notAscendingMessage();

// Text1 1..15 as "自动输入上期号:" and "转换为代码：" fill them from a draw's values (six reds
// ascending, then the blue). False, with the row left as it was, when the reds have no code.
bool fillLastDrawRow(PanelState& panel, const QStringList& values);

struct NewestDraw {
    bool ok = false;
    // The drawn numbers of the newest kjhm record in column order: six reds then the blue.
    QStringList values;
    QString error;
};

// The newest record (highest 期号) of kjhm.
NewestDraw readNewestDraw(const QSqlDatabase& db);

// The query the last-draw row reads kjhm with; the main window shows its result in its grid.
QString newestDrawQuery();

} // namespace ssq
