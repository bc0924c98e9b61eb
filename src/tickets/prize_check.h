#pragma once
// Which prize each ticket would have won in a stored draw. The levels: 一等奖 6 reds + blue,
// 二等奖 6 reds, 三等奖 5 + blue, 四等奖 5 or 4 + blue, 五等奖 4 or 3 + blue, 六等奖 the blue
// with 2, 1 or 0 reds. 一等奖 and 二等奖 float with the pool and are counted, not priced.

#include "tickets/blue_list.h"
#include "tickets/ticket_line.h"
#include "store/draw_history.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>

#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace ssq {

constexpr int kPrizeLevels = 6;
// Winners listed at most; every winner is still counted.
constexpr int kMaxListedWinners = 5000;

// 1..6, or 0 for no prize.
int prizeLevel(int redHits, bool blueHit);
// "一等奖" .. "六等奖"
QString prizeLevelName(int level);
// 元 of a fixed prize (levels 3..6); 0 for the floating levels and for no prize.
int fixedPrize(int level);

struct Winner {
    QString ticket; // "01 05 12 20 27 33 + 08"
    int level = 0;
    int lineNumber = 0; // of its file line, 0 for saved results
};

struct PrizeReport {
    std::array<qint64, kPrizeLevels + 1> counts{}; // counts[level], [0] the tickets that won nothing
    qint64 tickets = 0;
    qint64 fixedTotal = 0; // 元
    QList<Winner> winners; // the first kMaxListedWinners, in ticket order
    bool winnersCut = false;
    bool cancelled = false; // the check stopped part way: the counts are not complete

    qint64 cost() const { return tickets * kTicketPrice; }
};

// Told the single tickets checked of all of them after each line; returning false stops the
// check.
using PrizeProgress = std::function<bool(qint64 done, qint64 total)>;

// Checks every single ticket of the lines; a line without a blue of its own takes `blues`
// (none when empty: such tickets can win no level that needs the blue).
PrizeReport checkTickets(const std::vector<TicketLine>& lines, const BlueList& blues,
                         const StoredDraw& draw, const PrizeProgress& progress = {});

// The saved results of hmbc as ticket lines; nullopt with a message when hmbc cannot be read
// or holds nothing.
std::optional<std::vector<TicketLine>> savedResultLines(QSqlDatabase db, QString* error);

// The draws tickets can be checked against, newest first: every stored draw, the incomplete ones
// too, so that "the newest" is the same draw wherever it is asked for (checking an incomplete
// one is refused by choosePrizeDraw). nullopt with the reason when the store cannot be read.
std::optional<std::vector<StoredDraw>> prizeDraws(QSqlDatabase db, QString* error);

// Of `draws` (newest first) the draw of `issue`, or the newest without one; it must hold six reds
// and a blue. nullopt with the refusal otherwise.
std::optional<StoredDraw> choosePrizeDraw(const std::vector<StoredDraw>& draws,
                                          std::optional<int> issue, QString* error);

// The draw of `issueText` ("7018" or "2007018"), or the newest when it is empty, read and chosen
// as above. nullopt with a message otherwise.
std::optional<StoredDraw> prizeDraw(QSqlDatabase db, const QString& issueText, QString* error);

} // namespace ssq
