#include "store/history_import.h"

#include "store/draw_history.h"
#include "store/draw_rows.h"
#include "store/draw_writer.h"
#include "store/transaction.h"

#include <unordered_map>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

ImportReport refused(const QString& message) {
    ImportReport r;
    r.message = message;
    return r;
}

QString fourDigits(int issue) {
    return u"%1"_s.arg(issue, 4, 10, QChar(u'0'));
}

QString shownDraw(const RedCombo& red, int blue) {
    return drawText(red, blue);
}

} // namespace

ImportReport importDraws(QSqlDatabase db, const std::vector<HistoryLine>& draws,
                         const ImportProgress& progress) {
    QString error;
    const std::vector<StoredDraw> stored = loadDraws(db, &error);
    if (!error.isEmpty())
        return refused(u"导入失败，数据库没有改动：%1"_s.arg(error));

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
        return refused(u"第%1行的期号%2（四位期号%3）已在数据库中，但号码不同：数据库中是%4，文件中是%5。"
                       u"四位期号分不清年代，这可能是另一个年代的同号期。没有导入任何数据。"_s
                           .arg(line.lineNumber)
                           .arg(line.issueText, fourDigits(line.issue),
                                s.complete ? shownDraw(s.red, s.blue) : u"不完整的记录"_s,
                                shownDraw(line.red, line.blue)));
    }

    // New draws go after the stored history, as each add appends after the newest draw.
    if (!fresh.empty() && !stored.empty() && fresh.front()->issue < stored.back().issue) {
        const HistoryLine& line = *fresh.front();
        return refused(u"第%1行的期号%2（四位期号%3）比数据库中最新的期号%4小，而它不在数据库中。"
                       u"新导入的开奖数据必须排在已有数据之后。没有导入任何数据。"_s
                           .arg(line.lineNumber)
                           .arg(line.issueText, fourDigits(line.issue),
                                fourDigits(stored.back().issue)));
    }

    ImportReport report;
    report.skipped = skipped;
    if (fresh.empty()) {
        report.ok = true;
        report.message = skipped > 0
            ? u"文件中的%1期开奖数据都已在数据库中，没有新增数据。"_s.arg(skipped)
            : u"文件中没有需要导入的开奖数据。"_s;
        return report;
    }

    std::vector<RedCombo> history;
    history.reserve(stored.size() + fresh.size());
    for (const StoredDraw& s : stored)
        history.push_back(redNumbersOf(s));

    Transaction transaction(db);
    if (!transaction.active())
        return refused(u"导入失败，无法开始写入数据库。没有导入任何数据。"_s);
    DrawWriter writer(db);
    const int total = static_cast<int>(fresh.size());
    for (int i = 0; i < total; ++i) {
        const HistoryLine& line = *fresh[i];
        const DrawInput draw{line.issue, line.red, line.blue};
        const DrawRows rows = history.empty()
            ? firstRecordRows(draw)
            : drawRows(draw, history.back(), hotColdValues(history));
        if (!writer.append(rows, &error))
            return refused(u"导入第%1行时失败，数据库没有改动：%2"_s.arg(line.lineNumber).arg(error));
        history.push_back(line.red);
        if (progress && !progress(i + 1, total)) {
            ImportReport cancelled = refused(u"导入已取消，数据库没有改动。"_s);
            cancelled.cancelled = true;
            return cancelled;
        }
    }
    if (!transaction.commit())
        return refused(u"导入失败，无法保存到数据库文件。没有导入任何数据。"_s);

    report.ok = true;
    report.imported = total;
    report.firstIssue = fresh.front()->issueText;
    report.lastIssue = fresh.back()->issueText;
    report.message = u"导入完毕：新增%1期开奖数据（%2期至%3期）"_s.arg(total).arg(
        report.firstIssue, report.lastIssue);
    if (skipped > 0)
        report.message += u"，跳过数据库中已有的%1期"_s.arg(skipped);
    report.message += u"。"_s;
    return report;
}

ImportReport importHistoryFile(QSqlDatabase db, const QString& path, const QString& fromIssue,
                               const ImportProgress& progress) {
    QString error;
    const std::optional<std::vector<HistoryLine>> lines = readHistoryFile(path, &error);
    if (!lines)
        return refused(error);
    if (lines->empty())
        return refused(u"文件“%1”中没有开奖数据。没有导入任何数据。"_s.arg(path));
    const std::optional<std::vector<HistoryLine>> chosen = drawsToImport(*lines, fromIssue, &error);
    if (!chosen)
        return refused(error);
    if (chosen->empty())
        return refused(u"文件中没有从期号%1起的开奖数据。没有导入任何数据。"_s.arg(fromIssue.trimmed()));
    return importDraws(db, *chosen, progress);
}

} // namespace ssq
