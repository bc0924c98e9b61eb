#include "store/history_import.h"
#include "store/draw_history.h"

#include "store/database_decade.h"
#include "store/draw_writer.h"
#include "store/issue_number.h"
#include "store/schema.h"
#include "store/transaction.h"

#include <QSqlQuery>

#include <algorithm>
#include <set>
#include <unordered_map>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

ImportPlan refusedPlan(const QString& message) {
    ImportPlan p;
    p.message = message;
    return p;
}

// The one decade a database can take, and where its draws start.
QString otherDecadeImport(const QString& issue, int decadeYear) {
    return u"期号%1不是本数据库的年代。本数据库保存%2年的开奖数据，请从%3期开始导入。"
           u"没有导入任何数据。"_s.arg(issue, decadeRangeText(decadeYear))
               .arg(decadeYear * 1000 + 1);
}

ImportReport refused(const QString& message, bool cancelled = false) {
    ImportReport r;
    r.message = message;
    r.cancelled = cancelled;
    return r;
}

// Count and highest issue of kjhm, to tell whether the history moved since planning.
bool storedShape(QSqlDatabase db, int* count, int* newest) {
    const std::optional<StoredDraw> last = newestDraw(db);
    QSqlQuery q(db);
    if (!q.exec(u"SELECT count(*) FROM %1"_s.arg(schema::kKjhm)) || !q.next())
        return false;
    *count = q.value(0).toInt();
    *newest = last ? last->issue : 0;
    return true;
}

} // namespace

ImportPlan planImport(const std::vector<StoredDraw>& stored, const std::vector<HistoryLine>& draws,
                      const ImportProgress& progress) {
    std::unordered_map<int, const StoredDraw*> byIssue;
    for (const StoredDraw& s : stored)
        byIssue.emplace(s.issue, &s);

    // A stored issue is skipped only when it is the same draw: the four-character issue of
    // another decade, or a different draw, must not pass silently.
    std::vector<const HistoryLine*> fresh;
    int skipped = 0;
    for (const HistoryLine& line : draws) {
        const auto found = byIssue.find(line.issue);
        if (found == byIssue.end()) {
            fresh.push_back(&line);
            continue;
        }
        const StoredDraw& s = *found->second;
        if (s.complete && s.red == line.red && s.blue == line.blue) {
            ++skipped;
            continue;
        }
        return refusedPlan(
            u"第%1行的期号%2（四位期号%3）已在数据库中，但号码不同：数据库中是%4，文件中是%5。"
            u"四位期号分不清年代，这可能是另一个年代的同号期。没有导入任何数据。"_s
                .arg(line.lineNumber)
                .arg(line.issueText, issueText(line.issue),
                     s.complete ? drawText(s.red, s.blue) : u"不完整的记录"_s,
                     drawText(line.red, line.blue)));
    }

    // New draws go after the stored history, as each add appends after the newest draw.
    if (!fresh.empty() && !stored.empty() && fresh.front()->issue < stored.back().issue) {
        const HistoryLine& line = *fresh.front();
        return refusedPlan(
            u"第%1行的期号%2（四位期号%3）比数据库中最新的期号%4小，而它不在数据库中。"
            u"新导入的开奖数据必须排在已有数据之后。没有导入任何数据。"_s.arg(line.lineNumber)
                .arg(line.issueText, issueText(line.issue), issueText(stored.back().issue)));
    }

    ImportPlan plan;
    plan.skipped = skipped;
    plan.storedCount = static_cast<int>(stored.size());
    plan.storedNewest = stored.empty() ? 0 : stored.back().issue;
    if (fresh.empty()) {
        plan.ok = true;
        return plan;
    }

    std::vector<RedCombo> history = redHistoryOf(stored);
    history.reserve(stored.size() + fresh.size());
    const int total = static_cast<int>(fresh.size());
    plan.rows.reserve(fresh.size());
    for (int i = 0; i < total; ++i) {
        const HistoryLine& line = *fresh[i];
        const DrawInput draw{line.issue, line.red, line.blue};
        plan.rows.push_back(history.empty()
                                ? firstRecordRows(draw)
                                : drawRows(draw, history.back(), hotColdValues(history)));
        history.push_back(line.red);
        if (progress && !progress(i + 1, total)) {
            ImportPlan cancelled = refusedPlan(u"导入已取消，数据库没有改动。"_s);
            cancelled.cancelled = true;
            return cancelled;
        }
    }
    plan.ok = true;
    for (const HistoryLine* line : fresh) {
        if (line->fullIssue > 0) {
            plan.decadeYear = decadeOf(yearOfFullIssue(line->fullIssue));
            break;
        }
    }
    plan.firstIssue = fresh.front()->issueText;
    plan.lastIssue = fresh.back()->issueText;
    return plan;
}

ImportDecade importDecade(QSqlDatabase db) {
    return {databaseDecade(db), recordedDecade(db).has_value() || newestDraw(db).has_value()};
}

ImportPlan planImportFile(const std::vector<StoredDraw>& stored, const QString& path,
                          const QString& fromIssue, const ImportProgress& progress,
                          const ImportDecade& decade) {
    QString error;
    const std::optional<std::vector<HistoryLine>> lines = readHistoryFile(path, &error);
    if (!lines)
        return refusedPlan(error);
    if (lines->empty())
        return refusedPlan(u"文件“%1”中没有开奖数据。没有导入任何数据。"_s.arg(path));
    if (decade.year > 0) {
        // The seven-digit issues from the start issue on: one decade, and the database's once
        // it has one. The advice names the decade this database takes, never another start
        // that would be refused in turn.
        const std::optional<int> from = [&]() -> std::optional<int> {
            const QString t = fromIssue.trimmed();
            if (t.isEmpty())
                return 0;
            if (t.size() == 7 && storedIssueOf(t))
                return t.toInt();
            return std::nullopt; // four characters cannot tell a decade
        }();
        if (from && *from > 0 && decade.fixed && decadeOf(yearOfFullIssue(*from)) != decade.year)
            return refusedPlan(otherDecadeImport(fromIssue.trimmed(), decade.year));
        if (from) {
            const auto chosen = [&](const HistoryLine& l) {
                return l.fullIssue > 0 && l.fullIssue >= *from;
            };
            const auto decadeOfLine = [](const HistoryLine& l) {
                return decadeOf(yearOfFullIssue(l.fullIssue));
            };
            std::set<int> decades;
            for (const HistoryLine& line : *lines)
                if (chosen(line))
                    decades.insert(decadeOfLine(line));
            const bool refuse = decades.size() > 1 || (decade.fixed && !decades.empty() &&
                                                       *decades.begin() != decade.year);
            if (refuse) {
                const HistoryLine& shown =
                    *std::find_if(lines->begin(), lines->end(), [&](const HistoryLine& l) {
                        return chosen(l) && decadeOfLine(l) != decade.year;
                    });
                return refusedPlan(u"第%1行："_s.arg(shown.lineNumber) +
                                   otherDecadeImport(shown.issueText, decade.year));
            }
        }
    }
    const std::optional<std::vector<HistoryLine>> chosen = drawsToImport(*lines, fromIssue, &error);
    if (!chosen)
        return refusedPlan(error);
    if (chosen->empty())
        return refusedPlan(
            u"文件中没有从期号%1起的开奖数据。没有导入任何数据。"_s.arg(fromIssue.trimmed()));
    return planImport(stored, *chosen, progress);
}

ImportReport writeImport(QSqlDatabase db, const ImportPlan& plan) {
    if (!plan.ok)
        return refused(plan.message, plan.cancelled);

    ImportReport report;
    report.skipped = plan.skipped;
    if (plan.rows.empty()) {
        report.ok = true;
        report.message =
            plan.skipped > 0
                ? u"文件中的%1期开奖数据都已在数据库中，没有新增数据。"_s.arg(plan.skipped)
                : u"文件中没有需要导入的开奖数据。"_s;
        return report;
    }

    Transaction transaction(db);
    if (!transaction.active())
        return refused(u"导入失败（%1）。没有导入任何数据。"_s.arg(transaction.failure()));
    int count = 0;
    int newest = 0;
    if (!storedShape(db, &count, &newest))
        return refused(u"导入失败，无法读取数据库。没有导入任何数据。"_s);
    if (count != plan.storedCount || newest != plan.storedNewest)
        return refused(u"导入期间数据库中的开奖数据有了变化，请重新导入。没有导入任何数据。"_s);

    DrawWriter writer(db);
    QString error;
    for (const DrawRows& rows : plan.rows) {
        if (!writer.append(rows, &error))
            return refused(u"导入失败，数据库没有改动：%1"_s.arg(error));
    }
    if ((plan.decadeYear > 0 && !recordDecade(db, plan.decadeYear, &error)) ||
        !writePrizes(db, plan.prizes, &error))
        return refused(u"导入失败，数据库没有改动：%1"_s.arg(error));
    if (!transaction.commit())
        return refused(u"导入失败（%1）。没有导入任何数据。"_s.arg(transaction.failure()));

    report.ok = true;
    report.imported = static_cast<int>(plan.rows.size());
    report.firstIssue = plan.firstIssue;
    report.lastIssue = plan.lastIssue;
    report.message = u"导入完毕：新增%1期开奖数据（%2期至%3期）"_s.arg(report.imported)
                         .arg(report.firstIssue, report.lastIssue);
    if (plan.skipped > 0)
        report.message += u"，跳过数据库中已有的%1期"_s.arg(plan.skipped);
    report.message += u"。"_s;
    return report;
}

ImportReport importHistoryFile(QSqlDatabase db, const QString& path, const QString& fromIssue,
                               const ImportProgress& progress) {
    QString error;
    const std::vector<StoredDraw> stored = loadDraws(db, &error);
    if (!error.isEmpty())
        return refused(u"导入失败，无法读取数据库：%1"_s.arg(error));
    return writeImport(db, planImportFile(stored, path, fromIssue, progress, importDecade(db)));
}

} // namespace ssq
