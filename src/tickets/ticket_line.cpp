#include "tickets/ticket_line.h"

#include "model/leading_number_text.h"
#include "store/database.h"
#include "store/text_file_lines.h"

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
            *reason =
                u"%1号码“%2”有误，应为1到%3之间的整数"_s.arg(colour, quotedField(field)).arg(max);
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

// The blues after "+", when there is one.
bool readBlues(const QStringList& sides, TicketLine& line, QString* reason) {
    if (sides.size() < 2)
        return true;
    std::optional<std::vector<int>> blues = ballsOf(sides[1], kBlueMax, u"蓝球"_s, reason);
    if (!blues)
        return false;
    if (blues->empty()) {
        *reason = u"“+”后面没有蓝球号码"_s;
        return false;
    }
    line.blues = std::move(*blues);
    return true;
}

// "01 05 # 12 20 27 33 + 08", or with 胆：, 拖： and 蓝： in place of the start, "#" and "+".
std::optional<TicketLine> parseBankerLine(QString text, QString* reason) {
    static const QRegularExpression banker(u"^\\s*胆\\s*[：:]"_s);
    static const QRegularExpression drag(u"拖\\s*[：:]"_s);
    static const QRegularExpression blue(u"蓝\\s*[：:]"_s);
    text.replace(banker, QString()).replace(drag, u"#"_s).replace(blue, u"+"_s);
    const QStringList sides = text.split(u'+');
    const QStringList parts = sides[0].split(u'#');
    if (sides.size() > 2 || parts.size() != 2) {
        *reason = u"胆拖号码应写作“胆码 # 拖码 + 蓝球”或“胆：… 拖：… 蓝：…”"_s;
        return std::nullopt;
    }
    std::optional<std::vector<int>> bankers = ballsOf(parts[0], kRedMax, u"胆码"_s, reason);
    if (!bankers)
        return std::nullopt;
    std::optional<std::vector<int>> drags = ballsOf(parts[1], kRedMax, u"拖码"_s, reason);
    if (!drags)
        return std::nullopt;
    if (bankers->empty() || bankers->size() > 5) {
        *reason = u"胆码有%1个，应为1到5个"_s.arg(bankers->size());
        return std::nullopt;
    }
    for (int n : *bankers) {
        if (std::find(drags->begin(), drags->end(), n) != drags->end()) {
            *reason = u"号码%1既是胆码又是拖码"_s.arg(n, 2, 10, QLatin1Char('0'));
            return std::nullopt;
        }
    }
    if (bankers->size() + drags->size() < 7) {
        *reason = u"胆码和拖码共有%1个，至少应有7个"_s.arg(bankers->size() + drags->size());
        return std::nullopt;
    }
    TicketLine line;
    line.bankers = std::move(*bankers);
    line.reds = std::move(*drags);
    if (!readBlues(sides, line, reason))
        return std::nullopt;
    return line;
}

const QString kNothingChecked = u"。没有查询任何号码。"_s;

// More lines than any list of tickets a player keeps; a larger file is refused before it fills
// the memory.
constexpr std::size_t kMaxTicketLines = 200000;

// Parses line `number` of a ticket file into `lines`, skipping empty lines and comments. False
// with *error set at a bad line, or past the most lines a ticket file may have.
bool takeLine(const QString& text, int number, std::vector<TicketLine>& lines, QString* error) {
    const QString row = text.trimmed();
    if (row.isEmpty() || row.startsWith(u'#'))
        return true;
    if (lines.size() >= kMaxTicketLines) {
        *error = u"号码文件超过了%1行"_s.arg(kMaxTicketLines) + kNothingChecked;
        return false;
    }
    QString reason;
    std::optional<TicketLine> line = parseTicketLine(row, &reason);
    if (!line) {
        *error = u"第%1行有误：%2"_s.arg(number).arg(reason) + kNothingChecked;
        return false;
    }
    line->lineNumber = number;
    lines.push_back(std::move(*line));
    return true;
}

} // namespace

std::optional<TicketLine> parseTicketLine(const QString& text, QString* reason) {
    if (text.contains(u'#') || text.trimmed().startsWith(u'胆'))
        return parseBankerLine(text, reason);
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
    if (!readBlues(sides, line, reason))
        return std::nullopt;
    return line;
}

std::optional<std::vector<TicketLine>> parseTicketText(const QString& text, QString* error) {
    std::vector<TicketLine> lines;
    const QStringList rows = text.split(u'\n');
    for (int i = 0; i < rows.size(); ++i) {
        if (!takeLine(rows[i], i + 1, lines, error))
            return std::nullopt;
    }
    return lines;
}

std::optional<std::vector<TicketLine>> readTicketFile(const QString& path, QString* error,
                                                      bool* unreadable) {
    TextFileLines file;
    const bool opened = file.open(path, u"无法读取号码文件“%1”"_s, error);
    if (unreadable)
        *unreadable = !opened;
    if (!opened)
        return std::nullopt;
    std::vector<TicketLine> lines;
    QString row;
    QString failure;
    while (file.next(&row, &failure)) {
        if (!takeLine(row, file.lineNumber(), lines, error))
            return std::nullopt;
    }
    if (!failure.isEmpty()) {
        *error = failure + kNothingChecked;
        return std::nullopt;
    }
    return lines;
}

const BlueList& bluesOf(const TicketLine& line, const BlueList& otherwise) {
    return line.blues.empty() ? otherwise : line.blues;
}

qint64 singleTicketCount(const TicketLine& line, const BlueList& otherwise) {
    const qint64 blues = std::max<qint64>(1, bluesOf(line, otherwise).size());
    const qint64 pick = 6 - static_cast<qint64>(line.bankers.size());
    return choose(static_cast<qint64>(line.reds.size()), pick) * blues;
}

void forEachSingleTicket(const TicketLine& line, const BlueList& otherwise,
                         const std::function<void(const RedCombo&, int blue)>& visit) {
    const BlueList& listed = bluesOf(line, otherwise);
    const BlueList none{0};
    const BlueList& blues = listed.empty() ? none : listed;
    const int n = static_cast<int>(line.reds.size());
    const int bankers = static_cast<int>(line.bankers.size());
    const int pick = 6 - bankers;
    if (pick < 0 || n < pick)
        return;
    // Index combinations of `pick` out of n in lexicographic order, each with the bankers.
    std::array<int, 6> at{0, 1, 2, 3, 4, 5};
    while (true) {
        RedCombo red{};
        std::copy(line.bankers.begin(), line.bankers.end(), red.begin());
        for (int i = 0; i < pick; ++i)
            red[bankers + i] = line.reds[at[i]];
        std::sort(red.begin(), red.end());
        for (int blue : blues)
            visit(red, blue);
        int i = pick - 1;
        while (i >= 0 && at[i] == n - pick + i)
            --i;
        if (i < 0)
            return;
        ++at[i];
        for (int j = i + 1; j < pick; ++j)
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
