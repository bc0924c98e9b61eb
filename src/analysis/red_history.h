#pragma once
// The red numbers of every stored draw, oldest first, as the analyses read the history.

#include "model/hot_cold.h"
#include "model/red_code.h"

#include <QSqlDatabase>
#include <QString>

#include <optional>
#include <vector>

namespace ssq {

// The characteristics window's analyses need as many draws as the hot/cold value does.
constexpr int kAnalysisMinDraws = kHotColdMinDraws;

// What they say to a shorter history.
QString tooFewDrawsForAnalysis();

// What the chart windows say to a window of more draws than the database holds.
QString windowBeyondHistory(int storedDraws);

// nullopt and a message in *error when the store fails.
std::optional<std::vector<RedCombo>> loadRedHistory(QSqlDatabase db, QString* error);

} // namespace ssq
