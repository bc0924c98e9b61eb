#include "store/whole_history_query.h"

#include "store/database_decade.h"
#include "store/draw_history.h"
#include "store/draw_rows.h"
#include "store/history_file.h"
#include "store/issue_number.h"
#include "store/past_draw_query.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

// The shipped draws older than the database's first draw (all of them for an empty database).
std::vector<HistoryLine> olderShippedDraws(const QString& shippedPath, int firstStoredFull) {
    QString ignored;
    std::optional<std::vector<HistoryLine>> lines = readHistoryFile(shippedPath, &ignored);
    if (!lines)
        return {};
    std::vector<HistoryLine> older;
    for (const HistoryLine& line : *lines)
        if (line.fullIssue > 0 && (firstStoredFull == 0 || line.fullIssue < firstStoredFull))
            older.push_back(line);
    return older;
}

} // namespace

WholeHistoryAnswer queryWholeHistory(QSqlDatabase db, const RedCombo& red,
                                     const QString& shippedPath, QString* error) {
    const int decade = databaseDecade(db);
    const std::vector<StoredDraw> stored = loadDraws(db, error);
    // A store that cannot be read is never answered with "never drawn".
    if (error && !error->isEmpty())
        return {};
    const int firstStored = stored.empty() ? 0 : fullIssueOf(stored.front().issue, decade);
    const std::vector<HistoryLine> older = olderShippedDraws(shippedPath, firstStored);

    WholeHistoryAnswer answer;
    for (const HistoryLine& line : older) {
        if (line.red == red) {
            answer.issueText = QString::number(line.fullIssue);
            answer.resultText = u"您要查询的号已经在第%1期开出过了"_s.arg(answer.issueText);
            return answer;
        }
    }
    // The database's own draws, as the query always read them.
    if (const std::optional<int> issue = firstDrawWithReds(db, red, error)) {
        answer.issueText = QString::number(*issue);
        answer.storedIssue = *issue;
        answer.resultText = u"您要查询的号已经在第%1期开出过了"_s.arg(*issue);
        return answer;
    }
    if (error && !error->isEmpty())
        return {};
    const int first = !older.empty() ? older.front().fullIssue : firstStored;
    const int last = !stored.empty()  ? fullIssueOf(stored.back().issue, decade)
                     : !older.empty() ? older.back().fullIssue
                                      : 0;
    answer.resultText = first > 0 && last > 0
                            ? u"您要查询的数据在%1至%2期中未曾开出"_s.arg(first).arg(last)
                            : u"您要查询的数据未曾开出"_s;
    return answer;
}

QString shippedDrawText(QSqlDatabase db, const QString& issueText, const QString& shippedPath) {
    const QString text = issueText.trimmed();
    if (text.size() != 7 || !storedIssueOf(text))
        return {};
    const int decade = databaseDecade(db);
    if (decadeOf(yearOfFullIssue(text.toInt())) == decade)
        return {};
    QString ignored;
    const std::optional<std::vector<HistoryLine>> lines = readHistoryFile(shippedPath, &ignored);
    if (!lines)
        return {};
    const auto found = std::find_if(lines->begin(), lines->end(), [&](const HistoryLine& l) {
        return l.fullIssue == text.toInt();
    });
    if (found == lines->end())
        return {};
    return u"第%1期不在本数据库中（本数据库保存%2年的开奖数据），软件自带的历史开奖数据中"
           u"这一期的开奖号码是%3。"_s.arg(text, decadeRangeText(decade),
                                           drawText(found->red, found->blue));
}

} // namespace ssq
