#include "store/draw_source_parser.h"

#include "store/issue_number.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

enum class TokenKind {
    Number,
    ShortDate,   // 08-25, 8/25, 08.25: a month and a day, not two balls
    JoinedIssue, // 2026-097: a year joined to the number after it
};

struct Token {
    QString digits; // the number; a short date's month, a joined issue's year
    QString tail;   // a short date's day, a joined issue's draw
    QChar separator;
    QChar before; // the character before the number, or blank
    QChar after;  // the character after it, or blank
    qsizetype start = 0;
    qsizetype end = 0; // one past the last digit
    TokenKind kind = TokenKind::Number;
};

// Dates and times carry numbers that are not balls: 2026-12-07, 2026年12月07日, 12月7日, 21:15.
QString withoutDatesAndTimes(QString text) {
    static const QRegularExpression patterns[] = {
        QRegularExpression(u"\\d{4}\\s*[-/.年]\\s*\\d{1,2}\\s*[-/.月]\\s*\\d{1,2}\\s*日?"_s),
        QRegularExpression(u"\\d{1,2}\\s*月\\s*\\d{1,2}\\s*日"_s),
        QRegularExpression(u"\\d{4}\\s*年"_s),
        QRegularExpression(u"\\d{1,2}:\\d{2}(:\\d{2})?"_s),
    };
    for (const QRegularExpression& p : patterns)
        text.replace(p, u" "_s);
    return text;
}

bool isDateSeparator(QChar c) {
    return c == u'-' || c == u'/' || c == u'.';
}

// Two numbers written with one separator and nothing else between them.
bool joined(const QString& text, const Token& a, const Token& b) {
    return b.start == a.end + 1 && isDateSeparator(text[a.end]);
}

bool oneOrTwoDigitsIn(const QString& digits, int low, int high) {
    const int v = digits.toInt();
    return digits.size() <= 2 && v >= low && v <= high;
}

// A pair of numbers joined by a separator is one token when it reads as a month and day or as
// a year and a draw; a longer chain (05-11-17) is a run of balls and stays numbers.
std::vector<Token> joinPairs(const QString& text, const std::vector<Token>& numbers) {
    std::vector<Token> tokens;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const bool pair = i + 1 < numbers.size() && joined(text, numbers[i], numbers[i + 1]) &&
                          !(i > 0 && joined(text, numbers[i - 1], numbers[i])) &&
                          !(i + 2 < numbers.size() && joined(text, numbers[i + 1], numbers[i + 2]));
        if (!pair) {
            tokens.push_back(numbers[i]);
            continue;
        }
        const Token& a = numbers[i];
        const Token& b = numbers[i + 1];
        const int year = a.digits.size() == 4 ? a.digits.toInt() : 0;
        TokenKind kind = TokenKind::Number;
        if (year >= kFirstDrawYear && year <= kLastDrawYear)
            kind = TokenKind::JoinedIssue;
        else if (oneOrTwoDigitsIn(a.digits, 1, 12) && oneOrTwoDigitsIn(b.digits, 1, 31))
            kind = TokenKind::ShortDate;
        if (kind == TokenKind::Number) {
            tokens.push_back(a);
            continue;
        }
        tokens.push_back(
            {a.digits, b.digits, text[a.end], a.before, b.after, a.start, b.end, kind});
        ++i;
    }
    return tokens;
}

std::vector<Token> tokensOf(const QString& text) {
    std::vector<Token> numbers;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n;) {
        if (!(text[i] >= u'0' && text[i] <= u'9')) {
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < n && text[end] >= u'0' && text[end] <= u'9')
            ++end;
        // Skip the blanks around a number to find its marks (第…期, …元).
        qsizetype b = i - 1;
        while (b >= 0 && text[b].isSpace())
            --b;
        qsizetype a = end;
        while (a < n && text[a].isSpace())
            ++a;
        Token t;
        t.digits = text.mid(i, end - i);
        t.before = b >= 0 ? text[b] : QChar(u' ');
        t.after = a < n ? text[a] : QChar(u' ');
        t.start = i;
        t.end = end;
        numbers.push_back(t);
        i = end;
    }
    return joinPairs(text, numbers);
}

struct IssueReading {
    bool isIssue = false;
    int full = 0; // 0 for the four-character form
    int stored = 0;
    QString problem; // the issue is written in a way that names no single draw
};

// What a token says as an issue. `first` is true when no number stands before it.
IssueReading issueOf(const Token& t, bool first) {
    IssueReading r;
    if (t.kind == TokenKind::ShortDate || t.after == u'元' || t.after == u'年' || t.after == u'注')
        return r;
    if (t.kind == TokenKind::JoinedIssue) {
        // Only "2026-097" is plainly year and draw; 2026-09 may be a month, 2026/97 anything.
        const int sequence = t.tail.toInt();
        if (sequence == 0 || t.tail.size() > 3)
            return r;
        r.isIssue = true;
        r.full = t.digits.toInt() * 1000 + sequence;
        r.stored = storedIssueOfFull(r.full);
        if (t.separator != u'-' || t.tail.size() != 3)
            r.problem = u"无法确定期号“%1%2%3”是哪一期，请写成七位数字的期号"_s.arg(
                t.digits, QString(t.separator), t.tail);
        return r;
    }
    const qsizetype size = t.digits.size();
    if (size == 7 || size == 5) {
        const int value = t.digits.toInt();
        const int year = size == 7 ? value / 1000 : 2000 + value / 1000;
        const int sequence = value % 1000;
        if (year < kFirstDrawYear || year > kLastDrawYear || sequence == 0)
            return r;
        r.isIssue = true;
        r.full = year * 1000 + sequence;
        r.stored = storedIssueOfFull(r.full);
        return r;
    }
    // Four digits could be anything; they are an issue only where an issue stands.
    if (size == 4 && (first || t.before == u'第' || t.after == u'期')) {
        r.isIssue = true;
        r.stored = t.digits.toInt();
    }
    return r;
}

bool isBall(const Token& t) {
    return t.kind == TokenKind::Number && t.digits.size() <= 2;
}

// Whether the token after a draw starts another one: an issue marked 第…期, or a bare issue of
// a plausible draw followed by seven balls. Sales and prize figures are neither.
bool startsAnotherDraw(const std::vector<Token>& tokens, std::size_t at) {
    const Token& t = tokens[at];
    const IssueReading r = issueOf(t, false);
    if (!r.isIssue)
        return false;
    if (t.before == u'第' || t.after == u'期')
        return true;
    if (t.kind == TokenKind::Number && t.digits.size() != 7)
        return false;
    if (r.full % 1000 > kMaxDrawsPerYear)
        return false;
    std::size_t i = at + 1;
    while (i < tokens.size() && tokens[i].kind == TokenKind::ShortDate)
        ++i;
    int balls = 0;
    for (; i < tokens.size() && balls < 7; ++i) {
        if (isBall(tokens[i]))
            ++balls;
        else if (tokens[i].kind == TokenKind::ShortDate && balls > 0)
            balls += 2;
        else
            break;
    }
    return balls >= 7;
}

// The draw whose issue is tokens[at]; *next is the first token after it.
SourceDraw drawAt(const std::vector<Token>& tokens, std::size_t at, const IssueReading& issue,
                  int lineNumber, std::size_t* next) {
    SourceDraw draw;
    draw.lineNumber = lineNumber;
    draw.fullIssue = issue.full;
    draw.storedIssue = issue.stored;

    // The balls: one or two digits each, after a date or longer figures between the issue and
    // them; a longer figure after them (another issue among them) ends them.
    std::vector<int> balls;
    std::size_t i = at + 1;
    for (; i < tokens.size() && balls.size() < 7; ++i) {
        // Once the balls have begun, 11-17 is two of them.
        if (tokens[i].kind == TokenKind::ShortDate && !balls.empty()) {
            balls.push_back(tokens[i].digits.toInt());
            if (balls.size() < 7)
                balls.push_back(tokens[i].tail.toInt());
            continue;
        }
        if (!isBall(tokens[i])) {
            if (balls.empty())
                continue;
            break;
        }
        balls.push_back(tokens[i].digits.toInt());
    }
    *next = i;
    draw.balls = balls;
    if (!issue.problem.isEmpty()) {
        draw.problem = issue.problem;
        return draw;
    }
    if (balls.size() < 7) {
        draw.problem = u"只找到%1个号码，期号后面应有6个红球号码和1个蓝球号码"_s.arg(balls.size());
        return draw;
    }
    for (int k = 0; k < 6; ++k) {
        if (balls[k] < 1 || balls[k] > kRedMax) {
            draw.problem = u"红球号码%1不在1到33之间"_s.arg(balls[k]);
            return draw;
        }
        draw.red[k] = balls[k];
    }
    std::sort(draw.red.begin(), draw.red.end());
    for (int k = 1; k < 6; ++k) {
        if (draw.red[k] == draw.red[k - 1]) {
            draw.problem = u"红球号码%1出现了两次"_s.arg(draw.red[k]);
            return draw;
        }
    }
    if (balls[6] < 1 || balls[6] > kBlueMax) {
        draw.problem = u"蓝球号码%1不在1到16之间"_s.arg(balls[6]);
        return draw;
    }
    draw.blue = balls[6];
    return draw;
}

} // namespace

std::vector<SourceDraw> parseDrawLine(const QString& line, int lineNumber) {
    std::vector<SourceDraw> draws;
    const std::vector<Token> tokens =
        tokensOf(withoutDatesAndTimes(line.normalized(QString::NormalizationForm_KC)));
    std::size_t at = 0;
    IssueReading issue;
    for (bool first = true; at < tokens.size(); ++at) {
        issue = issueOf(tokens[at], first);
        if (issue.isIssue)
            break;
        first = first && tokens[at].kind == TokenKind::ShortDate;
    }
    while (at < tokens.size()) {
        std::size_t next = at + 1;
        draws.push_back(drawAt(tokens, at, issue, lineNumber, &next));
        // Whatever follows the draw is ignored up to another issue.
        at = next;
        while (at < tokens.size() && !startsAnotherDraw(tokens, at))
            ++at;
        if (at < tokens.size())
            issue = issueOf(tokens[at], false);
    }
    return draws;
}

std::vector<SourceDraw> parseDrawSource(const QString& text) {
    std::vector<SourceDraw> draws;
    const QStringList lines = text.split(QRegularExpression(u"\\r\\n|\\r|\\n"_s));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        for (SourceDraw& draw : parseDrawLine(lines[i], static_cast<int>(i + 1)))
            draws.push_back(std::move(draw));
    }
    return draws;
}

} // namespace ssq
