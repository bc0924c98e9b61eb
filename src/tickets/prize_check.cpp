#include "tickets/prize_check.h"
#include "store/issue_text.h"

#include "red/saved_results.h"
#include "store/history_file.h"

#include <QStringList>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace ssq {

int prizeLevel(int redHits, bool blueHit) {
    if (redHits == 6)
        return blueHit ? 1 : 2;
    if (redHits == 5)
        return blueHit ? 3 : 4;
    if (redHits == 4)
        return blueHit ? 4 : 5;
    if (redHits == 3)
        return blueHit ? 5 : 0;
    return blueHit ? 6 : 0;
}

QString prizeLevelName(int level) {
    static const QStringList names{u"一等奖"_s, u"二等奖"_s, u"三等奖"_s,
                                   u"四等奖"_s, u"五等奖"_s, u"六等奖"_s};
    return level >= 1 && level <= kPrizeLevels ? names[level - 1] : u"未中奖"_s;
}

int fixedPrize(int level) {
    switch (level) {
    case 3:
        return 3000;
    case 4:
        return 200;
    case 5:
        return 10;
    case 6:
        return 5;
    default:
        return 0;
    }
}

PrizeReport checkTickets(const std::vector<TicketLine>& lines, const BlueList& blues,
                         const StoredDraw& draw, const PrizeProgress& progress) {
    std::array<bool, kRedMax + 1> drawn{};
    for (int red : draw.red)
        if (red >= 1 && red <= kRedMax)
            drawn[red] = true;
    qint64 total = 0;
    if (progress)
        for (const TicketLine& line : lines)
            total += singleTicketCount(line, blues);

    PrizeReport report;
    for (const TicketLine& line : lines) {
        if (progress && !progress(report.tickets, total)) {
            report.cancelled = true;
            break;
        }
        forEachSingleTicket(line, blues, [&](const RedCombo& red, int blue) {
            const int hits = static_cast<int>(
                std::count_if(red.begin(), red.end(), [&](int r) { return drawn[r]; }));
            const int level = prizeLevel(hits, blue != 0 && blue == draw.blue);
            ++report.tickets;
            ++report.counts[level];
            report.fixedTotal += fixedPrize(level);
            if (level == 0)
                return;
            if (report.winners.size() < kMaxListedWinners)
                report.winners.append({singleTicketText(red, blue), level, line.lineNumber});
            else
                report.winnersCut = true;
        });
    }
    if (progress && !report.cancelled)
        progress(report.tickets, total);
    return report;
}

std::optional<std::vector<TicketLine>> savedResultLines(QSqlDatabase db, QString* error) {
    const SavedResults saved = loadSavedResults(db);
    if (!saved.error.isEmpty()) {
        *error = u"读取保存的号码失败："_s + saved.error;
        return std::nullopt;
    }
    if (saved.texts.isEmpty()) {
        *error = u"还没有保存的号码，请先点击“保存所选号码”"_s;
        return std::nullopt;
    }
    std::vector<TicketLine> lines;
    for (qsizetype i = 0; i < saved.texts.size(); ++i) {
        QString reason;
        std::optional<TicketLine> line = parseTicketLine(saved.texts[i], &reason);
        if (!line) {
            *error = u"保存的第%1注号码“%2”有误：%3"_s.arg(i + 1).arg(saved.texts[i], reason);
            return std::nullopt;
        }
        lines.push_back(std::move(*line));
    }
    return lines;
}

std::optional<std::vector<StoredDraw>> prizeDraws(QSqlDatabase db, QString* error) {
    QString readError;
    std::vector<StoredDraw> draws = loadDraws(db, &readError);
    if (!readError.isEmpty()) {
        *error = u"读取开奖数据失败："_s + readError;
        return std::nullopt;
    }
    std::reverse(draws.begin(), draws.end());
    return draws;
}

std::optional<StoredDraw> choosePrizeDraw(const std::vector<StoredDraw>& draws,
                                          std::optional<int> issue, QString* error) {
    if (draws.empty()) {
        *error = u"数据库中还没有开奖数据，无法查询中奖"_s;
        return std::nullopt;
    }
    auto found = draws.begin();
    if (issue) {
        found = std::find_if(draws.begin(), draws.end(),
                             [&](const StoredDraw& d) { return d.issue == *issue; });
        if (found == draws.end()) {
            *error = u"数据库中没有第%1期的开奖数据"_s.arg(issueText(*issue));
            return std::nullopt;
        }
    }
    if (!found->complete) {
        *error = u"第%1期的开奖号码不完整，无法查询中奖"_s.arg(issueText(found->issue));
        return std::nullopt;
    }
    return *found;
}

std::optional<StoredDraw> prizeDraw(QSqlDatabase db, const QString& issueText, QString* error) {
    std::optional<int> wanted;
    if (!issueText.trimmed().isEmpty()) {
        wanted = storedIssueOf(issueText.trimmed());
        if (!wanted) {
            *error = u"期号“%1”无法识别，期号应为四位（如7018）或七位（如2007018）数字"_s.arg(
                issueText.trimmed());
            return std::nullopt;
        }
    }
    const std::optional<std::vector<StoredDraw>> draws = prizeDraws(db, error);
    if (!draws)
        return std::nullopt;
    return choosePrizeDraw(*draws, wanted, error);
}

} // namespace ssq
