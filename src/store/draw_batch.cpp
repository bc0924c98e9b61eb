#include "store/draw_batch.h"

#include "store/draw_history.h"
#include "store/issue_number.h"

#include <algorithm>
#include <map>
#include <unordered_map>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

// `b` is the draw right after `a`: the next in the year, or the first of the next year.
bool follows(int a, int b) {
    return b == a + 1 || (b / 1000 == a / 1000 + 1 && b % 1000 == 1);
}

QString two(int n) {
    return u"%1"_s.arg(n, 2, 10, QChar(u'0'));
}

bool sameDraw(const BatchLine& a, const SourceDraw& b) {
    return a.red == b.red && a.blue == b.blue;
}

} // namespace

QString statusText(const BatchLine& line) {
    switch (line.status) {
    case BatchStatus::New:
        return u"新增"_s;
    case BatchStatus::Stored:
        return u"已有"_s;
    case BatchStatus::Differs:
        return u"与数据库不同"_s;
    case BatchStatus::OtherDecade:
        return u"不是本数据库的年代"_s;
    case BatchStatus::Wrong:
        break;
    }
    return u"有误："_s + line.reason;
}

QString batchNumbersText(const BatchLine& line) {
    if (line.blue == 0) {
        // A line that is wrong: its numbers as it gave them.
        QStringList balls;
        for (std::size_t i = 0; i < line.balls.size() && i < 6; ++i)
            balls.append(two(line.balls[i]));
        return balls.join(u' ') + (line.balls.size() > 6 ? u'+' + two(line.balls[6]) : QString());
    }
    QStringList reds;
    for (int r : line.red)
        reds.append(two(r));
    return reds.join(u' ') + u'+' + two(line.blue);
}

DrawBatch checkDraws(const std::vector<SourceDraw>& found, const std::vector<StoredDraw>& stored,
                     int decadeYear) {
    DrawBatch batch;
    batch.decadeYear = decadeYear;

    // One line per issue, keyed by its full issue so that the lines sort oldest first.
    std::map<int, BatchLine> byIssue;
    for (const SourceDraw& d : found) {
        const bool otherDecade =
            d.fullIssue > 0 && decadeOf(yearOfFullIssue(d.fullIssue)) != decadeYear;
        const int full = d.fullIssue > 0 ? d.fullIssue : fullIssueOf(d.storedIssue, decadeYear);
        BatchLine line;
        line.storedIssue = d.storedIssue;
        line.issueText = QString::number(full);
        line.red = d.red;
        line.blue = d.blue;
        line.balls = d.balls;
        line.lineNumber = d.lineNumber;
        line.status = otherDecade           ? BatchStatus::OtherDecade
                      : d.problem.isEmpty() ? BatchStatus::New
                                            : BatchStatus::Wrong;
        line.reason = d.problem;
        const auto [at, inserted] = byIssue.emplace(full, line);
        if (inserted)
            continue;
        BatchLine& first = at->second;
        if (first.status == BatchStatus::Wrong || line.status == BatchStatus::OtherDecade)
            continue;
        if (line.status == BatchStatus::Wrong || !sameDraw(first, d)) {
            first.status = BatchStatus::Wrong;
            first.reason =
                u"第%1行和第%2行都是这一期，号码却不同"_s.arg(first.lineNumber).arg(d.lineNumber);
        }
    }

    std::unordered_map<int, const StoredDraw*> storedByIssue;
    for (const StoredDraw& s : stored)
        storedByIssue.emplace(s.issue, &s);
    std::optional<int> previous;
    if (!stored.empty())
        previous = stored.back().issue;
    const std::optional<int> newest = previous;

    for (auto& [full, line] : byIssue) {
        if (line.status == BatchStatus::OtherDecade) {
            batch.lines.push_back(line);
            continue;
        }
        const auto s = storedByIssue.find(line.storedIssue);
        if (s != storedByIssue.end() && line.status == BatchStatus::New) {
            const StoredDraw& draw = *s->second;
            line.status = draw.complete && draw.red == line.red && draw.blue == line.blue
                              ? BatchStatus::Stored
                              : BatchStatus::Differs;
        } else if (s == storedByIssue.end()) {
            if (newest && line.storedIssue < *newest) {
                line.status = BatchStatus::Wrong;
                line.reason = u"比数据库中最新的第%1期早，却不在数据库中"_s.arg(
                    fullIssueText(*newest, decadeYear));
            } else if (previous && !follows(*previous, line.storedIssue) &&
                       line.status == BatchStatus::New) {
                line.status = BatchStatus::Wrong;
                line.reason =
                    u"和前一期第%1期之间缺少开奖数据"_s.arg(fullIssueText(*previous, decadeYear));
            }
            if (!previous || line.storedIssue > *previous)
                previous = line.storedIssue;
        }
        if (line.status == BatchStatus::New)
            ++batch.newCount;
        if (line.status == BatchStatus::Wrong || line.status == BatchStatus::Differs)
            ++batch.problems;
        batch.lines.push_back(line);
    }
    return batch;
}

BatchStoreReport storeNewDraws(QSqlDatabase db, const DrawBatch& batch) {
    BatchStoreReport report;
    if (batch.problems > 0) {
        report.message =
            u"有%1期有误或与数据库中的不同，没有保存任何开奖数据。请改正这些期后再试。"_s.arg(
                batch.problems);
        return report;
    }
    std::vector<HistoryLine> fresh;
    for (const BatchLine& line : batch.lines) {
        if (line.status != BatchStatus::New)
            continue;
        HistoryLine h;
        h.lineNumber = line.lineNumber;
        h.issueText = line.issueText;
        h.issue = line.storedIssue;
        h.fullIssue = line.issueText.toInt();
        h.red = line.red;
        h.blue = line.blue;
        fresh.push_back(h);
    }
    if (fresh.empty()) {
        report.ok = true;
        report.message = u"没有新的开奖数据需要保存。"_s;
        return report;
    }

    QString error;
    const std::vector<StoredDraw> stored = loadDraws(db, &error);
    if (!error.isEmpty()) {
        report.message = u"保存失败，无法读取数据库：%1"_s.arg(error);
        return report;
    }
    ImportPlan plan = planImport(stored, fresh);
    plan.decadeYear = batch.decadeYear;
    for (const DrawPrizes& p : batch.prizes) {
        if (std::any_of(fresh.begin(), fresh.end(),
                        [&](const HistoryLine& h) { return h.issue == p.issue; }))
            plan.prizes.push_back(p);
    }
    const ImportReport written = writeImport(db, plan);
    if (!written.ok) {
        report.message = written.message;
        return report;
    }
    report.ok = true;
    report.stored = written.imported;
    report.message = u"已保存%1期新的开奖数据（第%2期至第%3期）。"_s.arg(written.imported)
                         .arg(fresh.front().issueText, fresh.back().issueText);
    return report;
}

} // namespace ssq
