#include "store/history_file.h"

#include "store/database.h"
#include "store/issue_number.h"
#include "store/text_file_lines.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

const QString kNothingImported = u"没有导入任何数据。"_s;

// Far more draws than a decade has (at most 1000 a year), so a real history always fits, and a
// huge file is refused before it fills the memory.
constexpr std::size_t kMaxHistoryLines = 100000;

bool allDigits(const QString& text) {
    return !text.isEmpty() &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// A whole number within lo..hi written with digits only; nullopt otherwise.
std::optional<int> numberIn(const QString& field, int lo, int hi) {
    if (!allDigits(field) || field.size() > 9)
        return std::nullopt;
    const int v = field.toInt();
    if (v < lo || v > hi)
        return std::nullopt;
    return v;
}

struct Issue {
    int issue = 0;
    int fullIssue = 0;
};

// "7018" or "2007018" (read as 7018); nullopt for anything else.
std::optional<Issue> issueOf(const QString& text) {
    if (!allDigits(text) || (text.size() != 4 && text.size() != 7))
        return std::nullopt;
    if (text.size() == 4)
        return Issue{text.toInt(), 0};
    const int full = text.toInt();
    return Issue{(full / 1000 % 10) * 1000 + full % 1000, full};
}

QString badLine(int line, const QString& reason) {
    return u"第%1行有误：%2。"_s.arg(line).arg(reason) + kNothingImported;
}

// Parses one draw line; on failure returns the reason.
std::optional<HistoryLine> parseLine(const QString& text, int lineNumber, QString* reason) {
    static const QRegularExpression separators(u"[ ]*[,\\t][ ]*|[ ]+"_s);
    const QStringList fields = text.split(separators);
    HistoryLine line;
    line.lineNumber = lineNumber;
    line.issueText = fields.front();
    const std::optional<Issue> issue = issueOf(line.issueText);
    if (!issue) {
        *reason = u"期号“%1”无法识别，期号应为四位（如7018）或七位（如2007018）数字"_s.arg(
            quotedField(line.issueText));
        return std::nullopt;
    }
    // No draw is numbered 000, and no year has as many draws as a larger sequence; such an issue
    // would sort among the real ones and block the draws that follow.
    if (const int sequence = issue->issue % 1000; sequence == 0 || sequence > kMaxDrawsPerYear) {
        *reason = u"期号“%1”的期序%2不在001到%3之间，不是一期开奖"_s.arg(line.issueText)
                      .arg(sequence, 3, 10, QChar(u'0'))
                      .arg(kMaxDrawsPerYear);
        return std::nullopt;
    }
    line.issue = issue->issue;
    line.fullIssue = issue->fullIssue;
    if (fields.size() < 8) {
        *reason = u"号码个数不对，期号后面应有6个红球号码和1个蓝球号码"_s;
        return std::nullopt;
    }
    for (int i = 0; i < 6; ++i) {
        const std::optional<int> red = numberIn(fields[1 + i], 1, kRedMax);
        if (!red) {
            *reason = u"红球号码“%1”不是1到33之间的整数"_s.arg(quotedField(fields[1 + i]));
            return std::nullopt;
        }
        line.red[i] = *red;
    }
    std::sort(line.red.begin(), line.red.end());
    for (int i = 1; i < 6; ++i) {
        if (line.red[i] == line.red[i - 1]) {
            *reason = u"红球号码%1重复"_s.arg(line.red[i]);
            return std::nullopt;
        }
    }
    const std::optional<int> blue = numberIn(fields[7], 1, kBlueMax);
    if (!blue) {
        *reason = u"蓝球号码“%1”不是1到16之间的整数"_s.arg(quotedField(fields[7]));
        return std::nullopt;
    }
    line.blue = *blue;
    return line;
}

// Why `b` may not follow `a`; empty when it may.
QString orderProblem(const HistoryLine& a, const HistoryLine& b) {
    if (b.issue > a.issue)
        return {};
    if (a.fullIssue > 0 && b.fullIssue > a.fullIssue) {
        const QString from = decadeStart(b.fullIssue);
        return u"第%1行的期号%2进入了新的年代：它的四位期号%3不大于上一行（第%4行，期号%5）的%6，"
               u"四位期号分不清年代，一次只能导入同一个年代的开奖数据。请从这个年代的第一期开始导入"
               u"（从%7期开始）。"_s.arg(b.lineNumber)
                   .arg(b.issueText)
                   .arg(b.issue, 4, 10, QChar(u'0'))
                   .arg(a.lineNumber)
                   .arg(a.issueText)
                   .arg(a.issue, 4, 10, QChar(u'0'))
                   .arg(from) +
               kNothingImported;
    }
    QString text =
        u"第%1行的期号%2不大于上一行（第%3行）的期号%4，开奖数据必须按期号从小到大排列。"_s
            .arg(b.lineNumber)
            .arg(b.issueText)
            .arg(a.lineNumber)
            .arg(a.issueText);
    if (a.fullIssue == 0 || b.fullIssue == 0)
        text += u"四位期号分不清年代：如果文件跨越了两个年代，请从新年代的第一期开始导入"
                u"（指定从哪一期开始导入）。"_s;
    return text + kNothingImported;
}

// Parses line `number` of a history into `draws`: skips blanks, comments and a first-line header.
// False with *error set at a bad line, or past the most draws a history can hold.
bool takeLine(const QString& text, int number, std::vector<HistoryLine>& draws, QString* error) {
    QString line = text.trimmed();
    if (number == 1 && line.startsWith(QChar(0xFEFF)))
        line = line.mid(1).trimmed();
    if (line.isEmpty() || line.startsWith(u'#'))
        return true;
    if (number == 1 && !line.front().isDigit())
        return true; // a header
    if (draws.size() >= kMaxHistoryLines) {
        *error = u"文件中的开奖数据超过了%1期，这不是开奖数据文件。"_s.arg(kMaxHistoryLines) +
                 kNothingImported;
        return false;
    }
    QString reason;
    std::optional<HistoryLine> draw = parseLine(line, number, &reason);
    if (!draw) {
        *error = badLine(number, reason);
        return false;
    }
    draws.push_back(*draw);
    return true;
}

} // namespace

QString decadeStart(int fullIssue) {
    const int year = fullIssue / 1000;
    return QString::number((year - year % 10) * 1000 + 1);
}

std::optional<int> storedIssueOf(const QString& text) {
    const std::optional<Issue> issue = issueOf(text);
    return issue ? std::optional<int>(issue->issue) : std::nullopt;
}

std::optional<std::vector<HistoryLine>> parseHistory(const QString& text, QString* error) {
    std::vector<HistoryLine> draws;
    const QStringList lines = text.split(u'\n');
    for (int i = 0; i < lines.size(); ++i) {
        if (!takeLine(lines[i], i + 1, draws, error))
            return std::nullopt;
    }
    return draws;
}

std::optional<std::vector<HistoryLine>> readHistoryFile(const QString& path, QString* error) {
    TextFileLines file;
    if (!file.open(path, u"无法读取文件“%1”"_s, error))
        return std::nullopt;
    std::vector<HistoryLine> draws;
    QString line;
    QString failure;
    while (file.next(&line, &failure)) {
        if (!takeLine(line, file.lineNumber(), draws, error))
            return std::nullopt;
    }
    if (!failure.isEmpty()) {
        *error = failure + u"。"_s + kNothingImported;
        return std::nullopt;
    }
    return draws;
}

std::optional<std::vector<HistoryLine>> drawsToImport(const std::vector<HistoryLine>& lines,
                                                      const QString& fromIssue, QString* error) {
    auto first = lines.begin();
    const QString from = fromIssue.trimmed();
    if (!from.isEmpty()) {
        const std::optional<Issue> start = issueOf(from);
        if (!start) {
            *error =
                u"“从期号”%1无法识别，应为四位（如7018）或七位（如2007018）期号。"_s.arg(from) +
                kNothingImported;
            return std::nullopt;
        }
        first = std::find_if(lines.begin(), lines.end(), [&](const HistoryLine& l) {
            return start->fullIssue > 0 && l.fullIssue > 0 ? l.fullIssue >= start->fullIssue
                                                           : l.issue >= start->issue;
        });
    }
    std::vector<HistoryLine> chosen(first, lines.end());
    for (std::size_t i = 1; i < chosen.size(); ++i) {
        const QString problem = orderProblem(chosen[i - 1], chosen[i]);
        if (!problem.isEmpty()) {
            *error = problem;
            return std::nullopt;
        }
    }
    return chosen;
}

} // namespace ssq
