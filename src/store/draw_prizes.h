#pragma once
// Prize amounts of a draw as the draw service announced them (table kjjj: one row per issue and
// prize level). Only the network update brings them; a draw without rows has unknown amounts.
// The table is made when the first rows are written.

#include <QSqlDatabase>
#include <QString>

#include <optional>
#include <vector>

namespace ssq {

struct PrizeGrade {
    int level = 0;      // 1..6
    qint64 winners = 0; // 注数
    qint64 amount = 0;  // 元 per winning ticket
};

struct DrawPrizes {
    int issue = 0; // the stored four-character issue
    std::vector<PrizeGrade> grades;
};

// Replaces the stored amounts of each draw given; the caller owns the transaction.
bool writePrizes(QSqlDatabase db, const std::vector<DrawPrizes>& prizes, QString* error);

// The amount per ticket of `level` in draw `issue`; nullopt when it is not known.
std::optional<qint64> prizeAmount(QSqlDatabase db, int issue, int level);

} // namespace ssq
