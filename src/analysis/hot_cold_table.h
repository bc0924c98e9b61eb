#pragma once
// The main window's hot/cold table ("如要使用冷热值指标，请先点此处"): the hot/cold value of every
// red number over the whole history, which conditions 37 to 40 of the selection read.

#include "model/hot_cold.h"
#include "ui/outcome.h"

#include <QSqlDatabase>
#include <QString>

namespace ssq {

struct HotColdTableResult : Outcome {
    // message: the message to show in either case
    bool tooFewDraws = false; // refused: fewer than 22 draws
    HotColdValues values{};   // meaningful only when ok; the caller keeps its table otherwise
};

HotColdTableResult hotColdTable(QSqlDatabase db);

} // namespace ssq
