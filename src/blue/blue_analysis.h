#pragma once
// "蓝球号码分析" (CQCS): per blue number, how often it came out in the last 50 draws, in the last
// N draws, in the whole history, and how many draws it has been missing; written into lqtx
// rows 1..4.

#include "blue/blue_controls.h"

#include <QSqlDatabase>
#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace ssq {

// One draw's marks for blue 1..16 (index 0 unused): 1 for the number drawn.
using BlueMarks = std::array<int, blue::kNumbers + 1>;

struct BlueCounts {
    std::array<int, blue::kNumbers + 1> lastFifty{};
    std::array<int, blue::kNumbers + 1> lastWindow{};
    std::array<int, blue::kNumbers + 1> whole{};
    std::array<int, blue::kNumbers + 1> omission{};
};

// The mark of a kjhm blue cell L`blue`: its value divided by `blue`, rounded; a cell holding
// anything but a number that fits a byte after that counts as not drawn.
int blueMark(const QString& cell, int blue);

// The marks of every draw of kjhm in issue order; nullopt with *error on a failure of the store.
std::optional<std::vector<BlueMarks>> readBlueMarks(QSqlDatabase db, QString* error);

// The counts over the draws, the newest last. Windows longer than the history cover all of it.
BlueCounts blueCounts(const std::vector<BlueMarks>& draws, int window);

// The answer to the prompt, as the number of draws to count.
struct BlueWindowChoice {
    int window = 50;
    bool defaulted = false; // no positive answer: 50, after blueDefaultWindowMessage()
    // Answers up to 50 are taken on a shorter history, as the default is; more than the
    // draws (and than 50) is refused, and so is everything when there are no draws.
    QString refusal; // not empty: the answer cannot be used, nothing is to be written
};

QString blueWindowPrompt();
QString blueDefaultWindowMessage();
// Why nothing can be analysed on a database without draws.
QString blueNoDrawsMessage();
BlueWindowChoice blueWindowChoice(const std::optional<QString>& answer, int drawCount);

// "最近" N "期开出次数", the label of lqtx row 2.
QString blueWindowLabel(int window);

// Writes rows 1..4 of lqtx in one transaction; false with *error and nothing written when the
// table is not usable or the store fails.
bool writeBlueCounts(QSqlDatabase db, const BlueCounts& counts, int window, QString* error);

} // namespace ssq
