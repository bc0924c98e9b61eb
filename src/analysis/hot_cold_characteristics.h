#pragma once
// "红球冷热特性分析": the hot/cold statistics of every red number over the whole history and over
// the player's window of recent draws, written into the five rows of hmtx, and the ranking of
// the numbers into cold, warm and hot lists.

#include "analysis/hot_cold_ranking.h"
#include "model/hot_cold.h"
#include "ui/outcome.h"

#include <QSqlDatabase>
#include <QString>

namespace ssq {

constexpr int kDefaultHotColdWindow = 22;

struct HotColdCharacteristics : Outcome {
    // message: why it was refused or failed
    bool refused = false; // too few draws or a window beyond the history; nothing written
    // Set when the window box held no positive number and the default of 22 draws was used;
    // shown before anything else, and the box then reads "22".
    QString defaultWindowNotice;
    int window = 0; // the window the statistics were taken over
    HotColdStats stats;
    HotColdRanking ranking;
};

// Reads the history, takes the window from `windowText` (leading-number rule, rounded to whole
// draws), computes and writes hmtx rows 1..5 in one transaction.
HotColdCharacteristics analyseHotColdCharacteristics(QSqlDatabase db, const QString& windowText);

// "最近22期开出次数": the caption of hmtx row 2.
QString windowCountCaption(int window);

} // namespace ssq
