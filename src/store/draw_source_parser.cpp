#include "store/draw_source_parser.h"

#include "store/issue_number.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

struct Token {
    QString digits;
    QChar before; // the character before the number, or blank
    QChar after;  // the character after it, or blank
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

std::vector<Token> numbersOf(const QString& text) {
    std::vector<Token> tokens;
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
        tokens.push_back(
            {text.mid(i, end - i), b >= 0 ? text[b] : QChar(u' '), a < n ? text[a] : QChar(u' ')});
        i = end;
    }
    return tokens;
}

// The full issue a token stands for (0 for the four-character form, stored in *stored), or
// false when it is not an issue. `first` is true for the first number of the line.
bool issueOf(const Token& t, bool first, int* full, int* stored) {
    if (t.after == u'元' || t.after == u'年' || t.after == u'注')
        return false;
    const qsizetype size = t.digits.size();
    if (size == 7 || size == 5) {
        const int value = t.digits.toInt();
        const int year = size == 7 ? value / 1000 : 2000 + value / 1000;
        const int sequence = value % 1000;
        if (year < kFirstDrawYear || year > kLastDrawYear || sequence == 0)
            return false;
        *full = year * 1000 + sequence;
        *stored = storedIssueOfFull(*full);
        return true;
    }
    // Four digits could be anything; they are an issue only where an issue stands.
    if (size == 4 && (first || t.before == u'第' || t.after == u'期')) {
        *full = 0;
        *stored = t.digits.toInt();
        return true;
    }
    return false;
}

} // namespace

SourceDraw parseDrawLine(const QString& line, int lineNumber, bool* found) {
    SourceDraw draw;
    draw.lineNumber = lineNumber;
    *found = false;
    const std::vector<Token> tokens =
        numbersOf(withoutDatesAndTimes(line.normalized(QString::NormalizationForm_KC)));
    std::size_t at = 0;
    for (; at < tokens.size(); ++at) {
        if (issueOf(tokens[at], at == 0, &draw.fullIssue, &draw.storedIssue))
            break;
    }
    if (at == tokens.size())
        return draw;
    *found = true;

    // The balls: one or two digits each, after any longer figures between the issue and them;
    // a longer figure after them ends them.
    std::vector<int> balls;
    for (std::size_t i = at + 1; i < tokens.size() && balls.size() < 7; ++i) {
        if (tokens[i].digits.size() > 2) {
            if (balls.empty())
                continue;
            break;
        }
        balls.push_back(tokens[i].digits.toInt());
    }
    draw.balls = balls;
    if (balls.size() < 7) {
        draw.problem = u"只找到%1个号码，期号后面应有6个红球号码和1个蓝球号码"_s.arg(balls.size());
        return draw;
    }
    for (int i = 0; i < 6; ++i) {
        if (balls[i] < 1 || balls[i] > kRedMax) {
            draw.problem = u"红球号码%1不在1到33之间"_s.arg(balls[i]);
            return draw;
        }
        draw.red[i] = balls[i];
    }
    std::sort(draw.red.begin(), draw.red.end());
    for (int i = 1; i < 6; ++i) {
        if (draw.red[i] == draw.red[i - 1]) {
            draw.problem = u"红球号码%1出现了两次"_s.arg(draw.red[i]);
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

std::vector<SourceDraw> parseDrawSource(const QString& text) {
    std::vector<SourceDraw> draws;
    const QStringList lines = text.split(QRegularExpression(u"\\r\\n|\\r|\\n"_s));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        bool found = false;
        SourceDraw draw = parseDrawLine(lines[i], static_cast<int>(i + 1), &found);
        if (found)
            draws.push_back(std::move(draw));
    }
    return draws;
}

} // namespace ssq
