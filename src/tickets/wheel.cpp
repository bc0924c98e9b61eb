#include "tickets/wheel.h"

#include "tickets/ticket_line.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <bit>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

std::int64_t choose(int n, int k) {
    if (k < 0 || k > n)
        return 0;
    std::int64_t c = 1;
    for (int i = 1; i <= k; ++i)
        c = c * (n - k + i) / i;
    return c;
}

bool holds(const std::vector<int>& list, int red) {
    return std::find(list.begin(), list.end(), red) != list.end();
}

// Reds of `numbers` at the positions of `mask`.
std::vector<int> redsAt(NumberMask mask, const std::vector<int>& numbers) {
    std::vector<int> reds;
    for (; mask; mask &= mask - 1)
        reds.push_back(numbers[std::countr_zero(mask)]);
    return reds;
}

RedCombo comboOf(std::vector<int> reds) {
    std::sort(reds.begin(), reds.end());
    RedCombo combo{};
    if (reds.size() == combo.size())
        std::copy(reds.begin(), reds.end(), combo.begin());
    return combo;
}

// Reds as bit r for red r.
NumberMask redMaskOf(const std::vector<int>& reds) {
    NumberMask mask = 0;
    for (int r : reds)
        mask |= NumberMask{1} << r;
    return mask;
}

QString redsText(const std::vector<int>& reds) {
    QStringList parts;
    for (int r : reds)
        parts << u"%1"_s.arg(r, 2, 10, QLatin1Char('0'));
    return parts.join(u' ');
}

// One bit per red code, for the tickets: a set of 1,107,568 combinations in 138 KB.
class CodeBitmap {
public:
    CodeBitmap() : m_words((kComboCount + 64) / 64) {}
    void insert(int code) { m_words[code >> 6] |= std::uint64_t{1} << (code & 63); }
    bool contains(int code) const { return code > 0 && (m_words[code >> 6] >> (code & 63) & 1); }

private:
    std::vector<std::uint64_t> m_words;
};

// Scales the search's progress into the first 90% of the whole.
CoverProgress searchShare(const CoverProgress& progress) {
    if (!progress)
        return {};
    return [progress](int permille) { return progress(permille * 9 / 10); };
}

std::vector<RedCombo> ticketsOf(const std::vector<NumberMask>& masks,
                                const std::vector<int>& numbers, const std::vector<int>& bankers) {
    std::vector<RedCombo> tickets;
    for (NumberMask mask : masks) {
        std::vector<int> reds = redsAt(mask, numbers);
        reds.insert(reds.end(), bankers.begin(), bankers.end());
        tickets.push_back(comboOf(std::move(reds)));
    }
    std::sort(tickets.begin(), tickets.end(),
              [](const RedCombo& a, const RedCombo& b) { return redCode(a) < redCode(b); });
    return tickets;
}

RedCombo comboOfMask(NumberMask reds) {
    RedCombo combo{};
    for (int i = 0; reds && i < 6; ++i, reds &= reds - 1)
        combo[i] = std::countr_zero(reds);
    return combo;
}

// True when some ticket shares `keep` reds with `drawn` (bit r for red r). Scans the tickets,
// or, when there are more tickets than 6-sets of `ground` near the case, looks those sets up
// among the tickets.
bool caseHolds(NumberMask drawn, int keep, const std::vector<int>& ground, std::int64_t nearCount,
               const std::vector<NumberMask>& ticketMasks, const CodeBitmap& ticketCodes) {
    if (static_cast<std::int64_t>(ticketMasks.size()) <= nearCount)
        return std::any_of(ticketMasks.begin(), ticketMasks.end(),
                           [&](NumberMask t) { return std::popcount(t & drawn) >= keep; });
    NumberMask near = 0;
    for (std::size_t p = 0; p < ground.size(); ++p)
        if (drawn >> ground[p] & 1)
            near |= NumberMask{1} << p;
    return !forEachSetNear(near, static_cast<int>(ground.size()), 6, keep, [&](NumberMask set) {
        NumberMask reds = 0;
        for (; set; set &= set - 1)
            reds |= NumberMask{1} << ground[std::countr_zero(set)];
        return !ticketCodes.contains(redCode(comboOfMask(reds)));
    });
}

} // namespace

QString guaranteeText(Guarantee guarantee) {
    return u"中%1保%2"_s.arg(guarantee.match).arg(guarantee.keep);
}

const std::vector<Guarantee>& offeredGuarantees() {
    static const std::vector<Guarantee> offered{{6, 6}, {6, 5}, {6, 4}, {6, 3}, {5, 5},
                                                {5, 4}, {5, 3}, {4, 4}, {4, 3}, {3, 3}};
    return offered;
}

std::optional<Guarantee> parseGuarantee(const QString& text) {
    static const QRegularExpression form(u"^\\s*(\\d)\\s*:\\s*(\\d)\\s*$"_s);
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    return Guarantee{match.captured(1).toInt(), match.captured(2).toInt()};
}

std::optional<std::vector<int>> parseRedList(const QString& text, QString* error) {
    static const QRegularExpression separators(u"[\\s,，、]+"_s);
    static const QRegularExpression digits(u"^\\d{1,2}$"_s);
    std::vector<int> reds;
    for (const QString& field : text.split(separators, Qt::SkipEmptyParts)) {
        const int red = digits.match(field).hasMatch() ? field.toInt() : 0;
        if (red < 1 || red > kRedMax) {
            *error = u"红球号码“%1”有误，应为1到33之间的整数"_s.arg(field);
            return std::nullopt;
        }
        reds.push_back(red);
    }
    return reds;
}

std::optional<QString> wheelRefusal(const WheelRequest& request) {
    const std::vector<int>& pool = request.pool;
    const std::vector<int>& bankers = request.bankers;
    for (const std::vector<int>* list : {&pool, &bankers}) {
        for (std::size_t i = 0; i < list->size(); ++i) {
            const int red = (*list)[i];
            if (red < 1 || red > kRedMax)
                return u"红球号码%1有误，应为1到33之间的整数"_s.arg(red);
            if (std::find(list->begin() + i + 1, list->end(), red) != list->end())
                return u"号码%1重复了，每个号码只能出现一次"_s.arg(red, 2, 10, QLatin1Char('0'));
        }
    }
    if (pool.size() < kMinPool || pool.size() > kMaxPool)
        return u"号码池应有%1到%2个红球，现在有%3个"_s.arg(kMinPool).arg(kMaxPool).arg(pool.size());
    const Guarantee g = request.guarantee;
    if (g.match < 3 || g.match > 6 || g.keep < 2 || g.keep > g.match)
        return u"保号条件“%1”不成立：应为中3到中6，保2到所中的个数"_s.arg(guaranteeText(g));
    for (int banker : bankers)
        if (!holds(pool, banker))
            return u"胆码%1不在号码池中"_s.arg(banker, 2, 10, QLatin1Char('0'));
    if (bankers.size() > kMaxBankers)
        return u"胆码最多%1个，现在有%2个"_s.arg(kMaxBankers).arg(bankers.size());
    if (static_cast<int>(bankers.size()) >= g.match)
        return u"%1的胆码应少于%2个，现在有%3个"_s.arg(guaranteeText(g))
            .arg(g.match)
            .arg(bankers.size());
    return std::nullopt;
}

TicketCover buildWheel(const WheelRequest& request, std::uint64_t seed,
                       const CoverProgress& progress) {
    TicketCover outcome;
    if (const std::optional<QString> refusal = wheelRefusal(request)) {
        outcome.check.line = *refusal;
        return outcome;
    }
    std::vector<int> drags;
    for (int red : request.pool)
        if (!holds(request.bankers, red))
            drags.push_back(red);
    std::sort(drags.begin(), drags.end());
    const int bankers = static_cast<int>(request.bankers.size());

    // The bankers are on every ticket and in every case, so the search runs over the drags.
    CoverInput input;
    input.ground = static_cast<int>(drags.size());
    input.elementSize = request.guarantee.match - bankers;
    input.ticketSize = 6 - bankers;
    input.threshold = std::max(0, request.guarantee.keep - bankers);
    CoverOptions options;
    options.seed = seed;
    options.progress = searchShare(progress);
    const CoverOutcome found = findCover(input, options);
    if (found.cancelled) {
        outcome.cancelled = true;
        return outcome;
    }
    outcome.greedyCount = found.greedyCount;
    outcome.tickets = ticketsOf(found.tickets, drags, request.bankers);
    outcome.check = checkWheel(request, outcome.tickets);
    if (progress)
        progress(1000);
    return outcome;
}

std::optional<QString> keptCoverRefusal(std::size_t kept, int keep) {
    if (kept == 0)
        return u"选号结果为0注，没有可以缩水的号码"_s;
    if (keep != 4 && keep != 5)
        return u"缩水保号只能保5个或保4个红球"_s;
    return std::nullopt;
}

TicketCover coverKeptSet(const std::vector<std::int32_t>& codes, int keep, std::uint64_t seed,
                         const CoverProgress& progress) {
    TicketCover outcome;
    if (const std::optional<QString> refusal = keptCoverRefusal(codes.size(), keep)) {
        outcome.check.line = *refusal;
        return outcome;
    }
    std::vector<std::int32_t> sorted = codes;
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());

    // Position p stands for red p + 1; code order is then the sets' lexicographic order.
    CoverInput input;
    input.ground = kRedMax;
    input.elementSize = 6;
    input.ticketSize = 6;
    input.threshold = keep;
    for (std::int32_t code : sorted)
        input.elements.push_back(redMask(comboOfCode(code)) >> 1);
    input.candidates = input.elements;
    CoverOptions options;
    options.seed = seed;
    options.progress = searchShare(progress);
    const CoverOutcome found = findCover(input, options);
    if (found.cancelled) {
        outcome.cancelled = true;
        return outcome;
    }
    std::vector<int> reds;
    for (int r = 1; r <= kRedMax; ++r)
        reds.push_back(r);
    outcome.greedyCount = found.greedyCount;
    outcome.tickets = ticketsOf(found.tickets, reds, {});
    outcome.check = checkKeptCover(sorted, keep, outcome.tickets);
    if (progress)
        progress(1000);
    return outcome;
}

CoverCheck checkWheel(const WheelRequest& request, const std::vector<RedCombo>& tickets) {
    CoverCheck check;
    if (const std::optional<QString> refusal = wheelRefusal(request)) {
        check.line = *refusal;
        return check;
    }
    const std::vector<int>& pool = request.pool;
    const std::vector<int>& bankers = request.bankers;
    const NumberMask poolMask = redMaskOf(pool);
    const NumberMask bankerMask = redMaskOf(bankers);
    std::vector<NumberMask> masks;
    CodeBitmap codes;
    for (const RedCombo& ticket : tickets) {
        const NumberMask mask = redMask(ticket);
        if (!isValidCombo(ticket) || (mask & ~poolMask) || (mask & bankerMask) != bankerMask) {
            check.line =
                u"验证未通过：%1不是号码池中含全部胆码的6个号码"_s.arg(singleTicketText(ticket, 0));
            return check;
        }
        masks.push_back(mask);
        codes.insert(redCode(ticket));
    }
    if (tickets.empty()) {
        check.line = u"验证未通过：没有号码"_s;
        return check;
    }

    std::vector<int> drags;
    for (int red : pool)
        if (!holds(bankers, red))
            drags.push_back(red);
    std::sort(drags.begin(), drags.end());
    std::vector<int> sortedPool = pool;
    std::sort(sortedPool.begin(), sortedPool.end());
    const Guarantee g = request.guarantee;
    const int n = static_cast<int>(pool.size());
    std::int64_t nearCount = 0;
    for (int j = g.keep; j <= g.match; ++j)
        nearCount += choose(g.match, j) * choose(n - g.match, 6 - j);

    // Every case: the bankers and m - (bankers) of the drags drawn.
    const int free = g.match - static_cast<int>(bankers.size());
    for (NumberMask set : allSetsOf(static_cast<int>(drags.size()), free)) {
        std::vector<int> drawn = redsAt(set, drags);
        drawn.insert(drawn.end(), bankers.begin(), bankers.end());
        std::sort(drawn.begin(), drawn.end());
        ++check.cases;
        if (!caseHolds(redMaskOf(drawn), g.keep, sortedPool, nearCount, masks, codes)) {
            check.line =
                u"验证未通过：开出%1时没有一注含其中%2个号码"_s.arg(redsText(drawn)).arg(g.keep);
            return check;
        }
    }
    check.holds = true;
    check.line =
        u"已逐一验证：号码池中任选%1个号码%2共%3种情况，每种都有一注至少含其中%4个，全部满足"_s
            .arg(g.match)
            .arg(bankers.empty() ? QString() : u"（含全部胆码）"_s)
            .arg(check.cases)
            .arg(g.keep);
    return check;
}

CoverCheck checkKeptCover(const std::vector<std::int32_t>& codes, int keep,
                          const std::vector<RedCombo>& tickets) {
    CoverCheck check;
    if (const std::optional<QString> refusal = keptCoverRefusal(codes.size(), keep)) {
        check.line = *refusal;
        return check;
    }
    CodeBitmap kept;
    for (std::int32_t code : codes)
        if (code >= 1 && code <= kComboCount)
            kept.insert(code);
    std::vector<NumberMask> masks;
    CodeBitmap ticketCodes;
    for (const RedCombo& ticket : tickets) {
        if (!kept.contains(redCode(ticket))) {
            check.line = u"验证未通过：%1不是保留的号码"_s.arg(singleTicketText(ticket, 0));
            return check;
        }
        masks.push_back(redMask(ticket));
        ticketCodes.insert(redCode(ticket));
    }
    std::vector<int> reds;
    for (int r = 1; r <= kRedMax; ++r)
        reds.push_back(r);
    std::int64_t nearCount = 0;
    for (int j = keep; j <= 6; ++j)
        nearCount += choose(6, j) * choose(kRedMax - 6, 6 - j);

    std::vector<std::int32_t> sorted = codes;
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    for (std::int32_t code : sorted) {
        const RedCombo combo = comboOfCode(code);
        ++check.cases;
        if (!caseHolds(redMask(combo), keep, reds, nearCount, masks, ticketCodes)) {
            check.line = u"验证未通过：保留的号码%1没有一注与之相同%2个红球"_s
                             .arg(singleTicketText(combo, 0))
                             .arg(keep);
            return check;
        }
    }
    check.holds = true;
    check.line = u"已逐一验证：全部%1注保留号码，每注都有一注与之至少相同%2个红球，全部满足"_s
                     .arg(check.cases)
                     .arg(keep);
    return check;
}

} // namespace ssq
