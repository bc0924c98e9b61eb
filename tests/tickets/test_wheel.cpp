// Wheels and kept-set covers, checked apart from the code that builds and verifies them: every
// offered guarantee on pools of 7 to 20 reds, with and without bankers, and the covers of kept
// sets a real selection run leaves; refusals, broken tickets, seeds and giving up.

#include "red/selection_engine.h"
#include "support/panel_text.h"
#include "tickets/wheel.h"

#include <QTest>

#include <algorithm>
#include <bit>
#include <set>
#include <tuple>
#include <unordered_set>

using namespace ssq;
using namespace Qt::StringLiterals;

namespace {

using Mask = std::uint64_t;

Mask maskOf(const std::vector<int>& reds) {
    Mask m = 0;
    for (int r : reds)
        m |= Mask{1} << r;
    return m;
}

// Every `size`-subset of `from`, each as a mask, joined to `base`.
void subsets(const std::vector<int>& from, std::size_t start, int size, Mask base,
             std::vector<Mask>& out) {
    if (size == 0) {
        out.push_back(base);
        return;
    }
    for (std::size_t i = start; i + size <= from.size(); ++i)
        subsets(from, i + 1, size - 1, base | Mask{1} << from[i], out);
}

std::vector<int> redsOf(Mask m) {
    std::vector<int> reds;
    for (; m; m &= m - 1)
        reds.push_back(std::countr_zero(m));
    return reds;
}

// Marks, from each ticket, every case it meets in `keep` reds, then looks for a case unmarked:
// the other way round from the program's check, which starts from each case.
QString wheelFault(const WheelRequest& request, const std::vector<RedCombo>& tickets) {
    const Mask pool = maskOf(request.pool);
    const Mask bankers = maskOf(request.bankers);
    const int m = request.guarantee.match;
    const int g = request.guarantee.keep;
    std::set<Mask> seen;
    std::unordered_set<Mask> marked;
    for (const RedCombo& t : tickets) {
        const Mask ticket = redMask(t);
        if (!isValidCombo(t) || (ticket & ~pool) || (ticket & bankers) != bankers)
            return u"ticket outside the pool or without the bankers"_s;
        if (!seen.insert(ticket).second)
            return u"a ticket twice"_s;
        const std::vector<int> inside = redsOf(ticket);
        const std::vector<int> outside = redsOf(pool & ~ticket);
        for (int j = g; j <= m; ++j) {
            std::vector<Mask> ins;
            std::vector<Mask> outs;
            subsets(inside, 0, j, 0, ins);
            subsets(outside, 0, m - j, 0, outs);
            for (Mask a : ins)
                for (Mask b : outs)
                    if (((a | b) & bankers) == bankers)
                        marked.insert(a | b);
        }
    }
    std::vector<Mask> cases;
    subsets(redsOf(pool & ~bankers), 0, m - static_cast<int>(request.bankers.size()), bankers,
            cases);
    for (Mask c : cases)
        if (!marked.count(c))
            return u"case %1 not met"_s.arg(c);
    return {};
}

QString coverFault(const std::vector<std::int32_t>& kept, int keep,
                   const std::vector<RedCombo>& tickets) {
    const std::set<std::int32_t> keptSet(kept.begin(), kept.end());
    std::vector<Mask> masks;
    for (const RedCombo& t : tickets) {
        if (!keptSet.count(redCode(t)))
            return u"ticket not kept"_s;
        masks.push_back(redMask(t));
    }
    for (std::int32_t code : kept) {
        const Mask c = redMask(comboOfCode(code));
        if (std::none_of(masks.begin(), masks.end(),
                         [&](Mask t) { return std::popcount(t & c) >= keep; }))
            return u"kept %1 not met"_s.arg(code);
    }
    return {};
}

std::int64_t choose(int n, int k) {
    std::int64_t c = 1;
    for (int i = 1; i <= k; ++i)
        c = c * (n - k + i) / i;
    return c;
}

// The kept combinations of a run over a sum range with three small numbers.
std::vector<std::int32_t> realKept(int sumMax, int sumMin) {
    const PanelState panel =
        test::panelOf(u"t8=0096810 c0 c4 c6 t50=%1 t51=%2 t54=3 t55=3"_s.arg(sumMax).arg(sumMin));
    return SelectionEngine(panel, HotColdValues{}).run().codes;
}

} // namespace

class TestWheel : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyOfferedGuaranteeHolds_data() {
        QTest::addColumn<int>("poolSize");
        QTest::addColumn<int>("bankers");
        for (int n : {7, 10, 14, 20})
            for (int b : {0, 1, 2})
                QTest::addRow("pool %d, %d bankers", n, b) << n << b;
    }
    void everyOfferedGuaranteeHolds() {
        QFETCH(int, poolSize);
        QFETCH(int, bankers);
        WheelRequest request;
        // Spread over 1..33 so the pool is not simply 1..n.
        for (int i = 0; i < poolSize; ++i)
            request.pool.push_back(1 + (i * 33) / poolSize);
        for (int i = 0; i < bankers; ++i)
            request.bankers.push_back(request.pool[2 + 3 * i]);
        for (Guarantee g : offeredGuarantees()) {
            if (bankers >= g.match)
                continue;
            request.guarantee = g;
            const TicketCover wheel = buildWheel(request, kDefaultCoverSeed);
            const QString what = guaranteeText(g);
            QVERIFY2(wheel.verified(), qPrintable(what + wheel.check.line));
            QVERIFY2(wheel.check.line.startsWith(u"已逐一验证："_s), qPrintable(what));
            QCOMPARE(wheel.check.cases, choose(poolSize - bankers, g.match - bankers));
            const QString fault = wheelFault(request, wheel.tickets);
            QVERIFY2(fault.isEmpty(), qPrintable(what + u": "_s + fault));
            QVERIFY(static_cast<int>(wheel.tickets.size()) <= wheel.greedyCount);
            // Every 6-set holding the bankers is needed for 中6保6: none may be dropped.
            if (g.match == 6 && g.keep == 6)
                QCOMPARE(static_cast<std::int64_t>(wheel.tickets.size()),
                         choose(poolSize - bankers, 6 - bankers));
        }
    }

    void coversOfRealKeptSetsHold() {
        // Sums 80..84 kept with 保5, 100..101 with 保4.
        for (const auto& [sumMax, sumMin, keep] : {std::tuple{84, 80, 5}, {101, 100, 4}}) {
            const std::vector<std::int32_t> kept = realKept(sumMax, sumMin);
            QVERIFY(kept.size() > 500);
            const TicketCover cover = coverKeptSet(kept, keep, kDefaultCoverSeed);
            QVERIFY2(cover.verified(), qPrintable(cover.check.line));
            QCOMPARE(cover.check.cases, static_cast<std::int64_t>(kept.size()));
            QCOMPARE(cover.check.line,
                     u"已逐一验证：全部%1注保留号码，每注都有一注与之至少相同%2个红球，全部满足"_s
                         .arg(kept.size())
                         .arg(keep));
            const QString fault = coverFault(kept, keep, cover.tickets);
            QVERIFY2(fault.isEmpty(), qPrintable(fault));
            QVERIFY(cover.tickets.size() < kept.size());
        }
    }

    // A wheel missing one ticket, or holding a ticket from outside, fails its check; so does a
    // cover missing a ticket or holding a combination that was not kept.
    void brokenTicketsFailTheCheck() {
        const WheelRequest request{{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, {}, {5, 4}};
        TicketCover wheel = buildWheel(request, kDefaultCoverSeed);
        QVERIFY(wheel.verified());
        std::vector<RedCombo> fewer(wheel.tickets.begin() + 1, wheel.tickets.end());
        CoverCheck check = checkWheel(request, fewer);
        QVERIFY(!check.holds && check.line.startsWith(u"验证未通过：开出"_s));
        std::vector<RedCombo> outside = wheel.tickets;
        outside.push_back({1, 2, 3, 4, 5, 11});
        QVERIFY(!checkWheel(request, outside).holds);
        QVERIFY(!checkWheel(request, {}).holds);

        const std::vector<std::int32_t> kept = realKept(84, 80);
        const TicketCover cover = coverKeptSet(kept, 5, kDefaultCoverSeed);
        std::vector<RedCombo> short1(cover.tickets.begin() + 1, cover.tickets.end());
        check = checkKeptCover(kept, 5, short1);
        QVERIFY(!check.holds && check.line.startsWith(u"验证未通过：保留的号码"_s));
        std::vector<RedCombo> stranger = cover.tickets;
        stranger.push_back({28, 29, 30, 31, 32, 33});
        QVERIFY(!checkKeptCover(kept, 5, stranger).holds);
    }

    void refusals_data() {
        QTest::addColumn<QString>("pool");
        QTest::addColumn<QString>("bankers");
        QTest::addColumn<QString>("guarantee");
        QTest::addColumn<QString>("message");
        QTest::newRow("6 reds") << u"1 2 3 4 5 6"_s << u""_s << u"6:5"_s
                                << u"号码池应有7到20个红球，现在有6个"_s;
        QTest::newRow("repeat") << u"1 2 3 4 5 6 7 7"_s << u""_s << u"6:5"_s
                                << u"号码07重复了，每个号码只能出现一次"_s;
        QTest::newRow("banker outside")
            << u"1 2 3 4 5 6 7 8"_s << u"9"_s << u"6:5"_s << u"胆码09不在号码池中"_s;
        QTest::newRow("6 bankers")
            << u"1 2 3 4 5 6 7 8"_s << u"1 2 3 4 5 6"_s << u"6:5"_s << u"胆码最多5个，现在有6个"_s;
        QTest::newRow("bankers = m") << u"1 2 3 4 5 6 7 8"_s << u"1 2 3"_s << u"3:3"_s
                                     << u"中3保3的胆码应少于3个，现在有3个"_s;
        for (const QString& g : {u"7:2"_s, u"2:2"_s, u"4:5"_s})
            QTest::addRow("guarantee %s", qPrintable(g))
                << u"1 2 3 4 5 6 7 8"_s << u""_s << g
                << u"保号条件“中%1保%2”不成立：应为中3到中6，保2到所中的个数"_s.arg(g[0]).arg(g[2]);
    }
    void refusals() {
        QFETCH(QString, pool);
        QFETCH(QString, bankers);
        QFETCH(QString, guarantee);
        QFETCH(QString, message);
        QString error;
        const WheelRequest request{*parseRedList(pool, &error), *parseRedList(bankers, &error),
                                   *parseGuarantee(guarantee)};
        QCOMPARE(wheelRefusal(request).value_or(QString()), message);
        const TicketCover refused = buildWheel(request, kDefaultCoverSeed);
        QVERIFY(!refused.verified() && refused.tickets.empty());
    }

    void badTexts() {
        QString error;
        QVERIFY(!parseRedList(u"1 2 34"_s, &error));
        QCOMPARE(error, u"红球号码“34”有误，应为1到33之间的整数"_s);
        QCOMPARE(parseRedList(u"01,05、12 ，20"_s, &error).value(),
                 (std::vector<int>{1, 5, 12, 20}));
        QVERIFY(!parseGuarantee(u"6-5"_s) && !parseGuarantee(u"65"_s));
        QCOMPARE(parseGuarantee(u" 6 : 5 "_s).value(), (Guarantee{6, 5}));
        QVERIFY(keptCoverRefusal(0, 5) && keptCoverRefusal(10, 3) && !keptCoverRefusal(10, 4));
    }

    void sameSeedSameTickets() {
        const WheelRequest request{
            {2, 5, 7, 11, 13, 17, 19, 23, 24, 27, 29, 31, 32, 33}, {}, {6, 5}};
        const TicketCover first = buildWheel(request, 7);
        QCOMPARE(buildWheel(request, 7).tickets, first.tickets);
        const std::vector<std::int32_t> kept = realKept(101, 100);
        const TicketCover cover = coverKeptSet(kept, 5, 3);
        QCOMPARE(coverKeptSet(kept, 5, 3).tickets, cover.tickets);
        // Repeats and order of the kept codes do not matter.
        std::vector<std::int32_t> shuffled(kept.rbegin(), kept.rend());
        shuffled.push_back(kept.front());
        QCOMPARE(coverKeptSet(shuffled, 5, 3).tickets, cover.tickets);
    }

    void givingUpLeavesNothing() {
        const WheelRequest request{
            {1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23, 25, 27, 29, 31}, {}, {6, 5}};
        int calls = 0;
        const TicketCover wheel =
            buildWheel(request, kDefaultCoverSeed, [&](int) { return ++calls < 5; });
        QVERIFY(wheel.cancelled && wheel.tickets.empty() && !wheel.verified());
        int last = -1;
        bool rising = true;
        const TicketCover done = buildWheel(request, kDefaultCoverSeed, [&](int permille) {
            rising = rising && permille >= last && permille <= 1000;
            last = permille;
            return true;
        });
        QVERIFY(done.verified() && rising && last == 1000);
    }
};

QTEST_GUILESS_MAIN(TestWheel)
#include "test_wheel.moc"
