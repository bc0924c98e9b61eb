#include "tickets/ticket_line.h"

#include "model/leading_number_text.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

// A number 1..max written with one or two digits; 0 for anything else.
int ballOf(const QString& field, int max) {
    static const QRegularExpression digits(u"^\\d{1,2}$"_s);
    if (!digits.match(field).hasMatch())
        return 0;
    const int n = normalizedDigits(field).toInt();
    return n >= 1 && n <= max ? n : 0;
}

// The balls of one side of the line, ascending; nullopt with the reason.
std::optional<std::vector<int>> ballsOf(const QString& side, int max, const QString& colour,
                                        QString* reason) {
    static const QRegularExpression separators(u"[\\s,]+"_s);
    std::vector<int> balls;
    for (const QString& field : side.split(separators, Qt::SkipEmptyParts)) {
        const int n = ballOf(field, max);
        if (n == 0) {
            *reason = u"%1号码“%2”有误，应为1到%3之间的整数"_s.arg(colour, field).arg(max);
            return std::nullopt;
        }
        if (std::find(balls.begin(), balls.end(), n) != balls.end()) {
            *reason = u"%1号码“%2”重复了"_s.arg(colour, field);
            return std::nullopt;
        }
        balls.push_back(n);
    }
    std::sort(balls.begin(), balls.end());
    return balls;
}

qint64 choose(qint64 n, qint64 k) {
    if (k < 0 || k > n)
        return 0;
    qint64 c = 1;
    for (qint64 i = 1; i <= k; ++i)
        c = c * (n - k + i) / i;
    return c;
}

} // namespace

std::optional<TicketLine> parseTicketLine(const QString& text, QString* reason) {
    const QStringList sides = text.split(u'+');
    if (sides.size() > 2) {
        *reason = u"一行只能有一个“+”"_s;
        return std::nullopt;
    }
    TicketLine line;
    std::optional<std::vector<int>> reds = ballsOf(sides[0], kRedMax, u"红球"_s, reason);
    if (!reds)
        return std::nullopt;
    if (reds->size() < 6 || reds->size() > kMaxTicketReds) {
        *reason = u"红球有%1个，应为6到20个"_s.arg(reds->size());
        return std::nullopt;
    }
    line.reds = std::move(*reds);
    if (sides.size() == 2) {
        std::optional<std::vector<int>> blues = ballsOf(sides[1], kBlueMax, u"蓝球"_s, reason);
        if (!blues)
            return std::nullopt;
        if (blues->empty()) {
            *reason = u"“+”后面没有蓝球号码"_s;
            return std::nullopt;
        }
        line.blues = std::move(*blues);
    }
    return line;
}

std::optional<std::vector<TicketLine>> parseTicketText(const QString& text, QString* error) {
    std::vector<TicketLine> lines;
    const QStringList rows = text.split(u'\n');
    for (int i = 0; i < rows.size(); ++i) {
        const QString row = rows[i].trimmed();
        if (row.isEmpty() || row.startsWith(u'#'))
            continue;
        QString reason;
        std::optional<TicketLine> line = parseTicketLine(row, &reason);
        if (!line) {
            *error = u"第%1行有误：%2。没有查询任何号码。"_s.arg(i + 1).arg(reason);
            return std::nullopt;
        }
        line->lineNumber = i + 1;
        lines.push_back(std::move(*line));
    }
    return lines;
}

std::optional<std::vector<TicketLine>> readTicketFile(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = u"无法读取号码文件“%1”：%2"_s.arg(path, file.errorString());
        return std::nullopt;
    }
    return parseTicketText(QString::fromUtf8(file.readAll()), error);
}

const BlueList& bluesOf(const TicketLine& line, const BlueList& otherwise) {
    return line.blues.empty() ? otherwise : line.blues;
}

qint64 singleTicketCount(const TicketLine& line, const BlueList& otherwise) {
    const qint64 blues = std::max<qint64>(1, bluesOf(line, otherwise).size());
    return choose(static_cast<qint64>(line.reds.size()), 6) * blues;
}

void forEachSingleTicket(const TicketLine& line, const BlueList& otherwise,
                         const std::function<void(const RedCombo&, int blue)>& visit) {
    const BlueList& listed = bluesOf(line, otherwise);
    const BlueList none{0};
    const BlueList& blues = listed.empty() ? none : listed;
    const int n = static_cast<int>(line.reds.size());
    if (n < 6)
        return;
    // Index combinations of 6 out of n in lexicographic order.
    std::array<int, 6> at{0, 1, 2, 3, 4, 5};
    while (true) {
        RedCombo red{};
        for (int i = 0; i < 6; ++i)
            red[i] = line.reds[at[i]];
        for (int blue : blues)
            visit(red, blue);
        int i = 5;
        while (i >= 0 && at[i] == n - 6 + i)
            --i;
        if (i < 0)
            return;
        ++at[i];
        for (int j = i + 1; j < 6; ++j)
            at[j] = at[j - 1] + 1;
    }
}

QString singleTicketText(const RedCombo& red, int blue) {
    QString text;
    for (int i = 0; i < 6; ++i)
        text += (i ? u" "_s : QString()) + u"%1"_s.arg(red[i], 2, 10, QLatin1Char('0'));
    if (blue > 0)
        text += u" + "_s + u"%1"_s.arg(blue, 2, 10, QLatin1Char('0'));
    return text;
}

} // namespace ssq
