// The back-test against hand-checked targets and full runs in each target's context, and the
// live count against full runs.

#include "backtest/backtest.h"
#include "backtest/live_count.h"
#include "red/last_draw_check.h"
#include "red/last_draw_row.h"
#include "red/selection_engine.h"
#include "store/record_set.h"
#include "support/draw_tables.h"
#include "support/random_panel.h"
#include "support/stored_draws.h"
#include "support/temp_database.h"

#include <QSignalSpy>
#include <QTest>

#include <algorithm>

Q_DECLARE_METATYPE(ssq::PanelState)

using namespace ssq;
using namespace Qt::StringLiterals;

namespace {

// Sums 21, 22, 93, 111; draws 2 and 3 share no number with the draw before them.
std::vector<StoredDraw> handHistory() {
    return {test::storedDraw(1, {1, 2, 3, 4, 5, 6}, 1), test::storedDraw(2, {1, 2, 3, 4, 5, 7}, 2),
            test::storedDraw(3, {10, 11, 12, 13, 14, 33}, 3),
            test::storedDraw(4, {2, 9, 16, 23, 30, 31}, 4)};
}

// Condition 4 (sum) within 20..100 and condition 10 (numbers of the last draw) within 0..2.
PanelState sumAndRepeats(const char* toleranceMax, const char* toleranceMin,
                         bool repeatsNonTolerant = false) {
    PanelState p;
    p.check1[0] = p.check1[4] = p.check1[10] = 1;
    p.text1[50] = u"100"_s;
    p.text1[51] = u"20"_s;
    p.text1[62] = u"2"_s;
    p.text1[63] = u"0"_s;
    p.text1[168] = QString::fromLatin1(toleranceMax);
    p.text1[169] = QString::fromLatin1(toleranceMin);
    if (repeatsNonTolerant) {
        p.check4 = 1;
        p.text1[156] = p.text3[10] = u"10"_s;
    }
    return p;
}

QList<int> numbersOf(const std::bitset<41>& bits) {
    QList<int> out;
    for (int k = 1; k <= 40; ++k)
        if (bits[k])
            out.append(k);
    return out;
}

QString expectedLiveText(const PanelState& p, const HotColdValues& hv) {
    const SelectionInputs inputs = readSelectionInputs(p, hv);
    if (const auto reason = refusalReason(inputs))
        return refusalShortText(*reason);
    return u"当前条件保留%1注"_s.arg(SelectionEngine(inputs).run().count());
}

} // namespace

class TestBacktest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void handCheckedTargets_data() {
        QTest::addColumn<PanelState>("panel");
        QTest::addColumn<QStringList>("rows"); // verdict:failed numbers, oldest target first
        QTest::newRow("every condition must pass")
            << sumAndRepeats("", "") << QStringList{u"淘汰:10"_s, u"保留:"_s, u"淘汰:4"_s};
        QTest::newRow("one failure allowed")
            << sumAndRepeats("1", "") << QStringList{u"保留:10"_s, u"保留:"_s, u"保留:4"_s};
        QTest::newRow("exactly one failure")
            << sumAndRepeats("1", "1") << QStringList{u"保留:10"_s, u"淘汰:"_s, u"保留:4"_s};
        QTest::newRow("repeats may not fail")
            << sumAndRepeats("1", "", true) << QStringList{u"淘汰:10"_s, u"保留:"_s, u"保留:4"_s};
    }

    // Each target is judged with the draw before it in the last-draw row; the kept count is a
    // full run's in that context.
    void handCheckedTargets() {
        QFETCH(PanelState, panel);
        QFETCH(QStringList, rows);
        const Backtest backtest(panel, {}, handHistory(), {30, false});
        QCOMPARE(backtest.refusal(), std::nullopt);
        const BacktestResult result = backtest.run();
        QStringList got;
        for (std::size_t i = 0; i < result.rows.size(); ++i) {
            const BacktestRow& row = result.rows[i];
            got.append(verdictText(row.kept) + u':' + failedText(row.failed));
            QCOMPARE(row.issue, int(i) + 2);
            const int index = int(i) + 1;
            const SelectionEngine full(backtest.contextPanel(index),
                                       backtest.contextHotCold(index));
            QCOMPARE(row.keptCount, full.run().count());
        }
        QCOMPARE(got, rows);
        QCOMPARE(result.summary().keptDraws, int(rows.filter(u"保留"_s).size()));
    }

    void hotColdPerTargetAndCounts() {
        const std::vector<StoredDraw> history = handHistory();
        PanelState p;
        p.check1[0] = p.check1[4] = 1;
        p.text1[50] = p.text1[51] = u"21"_s; // only 1 2 3 4 5 6 has the sum 21
        const Backtest backtest(p, {}, history, {2, true});
        QCOMPARE(backtest.targetCount(), 2);
        QCOMPARE(backtest.run().summary().averageKept, 1.0);
        // Fewer than 22 earlier draws: the values are 0, as draw entry stores them.
        QCOMPARE(backtest.contextHotCold(3), HotColdValues{});
        const PanelState context = backtest.contextPanel(3);
        QCOMPARE(context.text1[1], u"10"_s);
        QCOMPARE(context.text1[7], u"3"_s);
        QCOMPARE(context.text1[8],
                 QString::fromStdString(codeDigits(redCode(history[2].red)).text()));
    }

    void refusals_data() {
        QTest::addColumn<PanelState>("panel");
        QTest::addColumn<int>("draws");
        QTest::addColumn<int>("last");
        QTest::addColumn<bool>("fromHistory");
        QTest::addColumn<QString>("message"); // a part of it; empty when it runs
        PanelState zone;
        zone.check1[4] = 1;
        PanelState hot;
        hot.check3 = hot.check1[38] = 1;
        QTest::newRow("no target") << PanelState{} << 1 << 30 << true << u"至少要有两期"_s;
        QTest::newRow("zone box") << zone << 4 << 30 << true << u"没有点击指标一区选择框"_s;
        QTest::newRow("empty table of the panel") << hot << 4 << 30 << false << u"冷热值选项"_s;
        QTest::newRow("values from the history") << hot << 4 << 30 << true << QString();
    }

    void refusals() {
        QFETCH(PanelState, panel);
        QFETCH(int, draws);
        QFETCH(int, last);
        QFETCH(bool, fromHistory);
        QFETCH(QString, message);
        std::vector<StoredDraw> history = handHistory();
        history.resize(std::size_t(draws));
        const Backtest backtest(panel, {}, history, {last, fromHistory});
        const BacktestResult result = backtest.run();
        if (message.isEmpty()) {
            QCOMPARE(result.refusal, std::nullopt);
            QCOMPARE(result.rows.size(), std::size_t(draws - 1));
        } else {
            QVERIFY(result.refusal && result.refusal->contains(message));
            QVERIFY(result.rows.empty());
        }
    }

    // The number of draws typed into the window or given to `ssq-cli backtest --last`.
    void depth_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("depth"); // 0: refused
        QTest::addColumn<QString>("refusal");
        const QString whole = u"回测期数必须是大于0的整数"_s;
        QTest::newRow("3") << u"3"_s << 3 << QString();
        QTest::newRow("trailing letters") << u"3abc"_s << 0 << whole;
        QTest::newRow("0") << u"0"_s << 0 << whole;
        QTest::newRow("the most") << u"100000"_s << 100000 << QString();
        QTest::newRow("one more") << u"100001"_s << 0 << u"回测期数最多为100000期"_s;
    }
    void depth() {
        QFETCH(QString, text);
        QFETCH(int, depth);
        QFETCH(QString, refusal);
        QString said;
        QCOMPARE(backtestDepth(text, &said).value_or(0), depth);
        QCOMPARE(said, refusal);
    }

    void incompleteDrawsAreLeftOut() {
        std::vector<StoredDraw> history = handHistory();
        history[2].complete = false; // target 3 and, as a previous draw, target 4 go
        const Backtest backtest(PanelState{}, {}, history, {30, false});
        QCOMPARE(backtest.targetCount(), 1);
        QCOMPARE(backtest.skippedCount(), 2);
        const std::atomic_bool cancel{true};
        QVERIFY(backtest.run({}, &cancel).cancelled);
    }

    // The real history, 20 conditions with hot/cold values per target: verdicts and counts are
    // those of full runs in each context, on one thread or several.
    void realTargetsMatchFullRuns() {
        const QList<test::HistoryDraw> draws = test::realDraws(u"2020001"_s, 60);
        QCOMPARE(draws.size(), 60);
        const std::vector<StoredDraw> history = test::storedDraws(draws);
        HotColdValues unused{};
        PanelState p = test::randomPanel(7, test::PanelKind::Every, unused);
        for (int k : {1, 2, 3, 8, 14, 15, 16, 17, 18, 20, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31})
            p.check1[k] = 0;
        // Bounds that the conditions of the context (10, 11, 19, 37..40) often fail.
        const std::pair<int, const char*> bounds[] = {
            {62, "1"},    {63, "0"},  {64, "2"},  {65, "0"},  {82, "4"},  {83, "2"},  {148, "40"},
            {149, "-60"}, {150, "2"}, {151, "0"}, {152, "5"}, {153, "2"}, {154, "3"}, {155, "0"}};
        for (const auto& [box, text] : bounds)
            p.text1[box] = QString::fromLatin1(text);
        p.text1[168] = u"2"_s;
        // A table of the panel with values too large to pack beside the counts.
        HotColdValues huge{};
        for (int n = 1; n <= kRedMax; ++n)
            huge[n] = (n % 4 - 2) * (n == 7 ? 3'000'000 : 13);
        p.text1[148] = u"100"_s;
        p.text1[149] = u"-100"_s;
        for (bool fromHistory : {true, false}) {
            const Backtest backtest(p, huge, history, {4, fromHistory});
            const BacktestResult several = backtest.run({}, nullptr, 3);
            const BacktestResult one = backtest.run({}, nullptr, 1);
            QCOMPARE(several.rows.size(), std::size_t(4));
            for (std::size_t i = 0; i < 4; ++i) {
                const BacktestRow& row = several.rows[i];
                const int index = 56 + int(i);
                QCOMPARE(row.issue, history[index].issue);
                QCOMPARE(backtest.contextHotCold(index) == huge, !fromHistory);
                const SelectionEngine engine(backtest.contextPanel(index),
                                             backtest.contextHotCold(index));
                const SelectionResult full = engine.run();
                const int code = redCode(row.red);
                QCOMPARE(row.keptCount, full.count());
                QCOMPARE(row.kept, std::binary_search(full.codes.begin(), full.codes.end(), code));
                QCOMPARE(row.failed, engine.failedConditions(code));
                QCOMPARE(one.rows[i].keptCount, row.keptCount);
                QCOMPARE(one.rows[i].failed, row.failed);
            }
        }
    }

    // The check skips a range condition unless both of its bounds hold text, where the engine
    // reads an empty bound as 0; with every bound given, and every condition enabled, the
    // newest target fails exactly the conditions the check ticks.
    void newestTargetMatchesLastDrawCheck() {
        test::TempDatabase temp;
        QVERIFY2(temp.isValid(), qPrintable(temp.error()));
        QVERIFY(test::addRealDraws(temp.connection(), u"2020001"_s, 30));
        std::vector<StoredDraw> history = loadDraws(temp.connection());
        RecordSet kjzb(temp.connection());
        QVERIFY(kjzb.open(u"select* from kjzb order by 期号 "_s));
        QVERIFY(kjzb.moveLast());
        QStringList row;
        for (int c = 0; c < kjzb.columnCount(); ++c)
            row.append(kjzb.value(c));
        const StoredIndicators indicators = storedIndicatorsOf(row);
        QStringList newest;
        for (int n : history.back().red)
            newest.append(QString::number(n));
        newest.append(QString::number(history.back().blue));

        int failures = 0;
        for (quint32 seed = 1; seed <= 12; ++seed) {
            HotColdValues unused{};
            PanelState panel = test::randomPanel(seed, test::PanelKind::Every, unused);
            // The check ticks a range condition only when both bounds are given.
            for (const auto& [first, last, maxBox, low, high, indicator] : test::kConditionInputs)
                if (maxBox && (panel.text1[maxBox].isEmpty() || panel.text1[maxBox + 1].isEmpty()))
                    panel.text1[maxBox] = panel.text1[maxBox + 1] = QString::number(low);
            const Backtest backtest(panel, {}, history, {1, true});
            const BacktestResult result = backtest.run();
            QCOMPARE(result.rows.size(), std::size_t(1));
            QVERIFY(fillLastDrawRow(panel, newest));
            const LastDrawCheck check = checkLastDraw(panel, indicators);
            std::bitset<41> ticked;
            for (int k = 1; k <= 40; ++k)
                ticked[k] = check.ticked[k];
            QCOMPARE(numbersOf(result.rows[0].failed), numbersOf(ticked));
            failures += check.count;
        }
        QVERIFY2(failures >= 24, "the random panels fail too few conditions to compare");
    }

    void texts() {
        BacktestRow row;
        row.issue = 2;
        row.red = {1, 2, 3, 4, 5, 7};
        row.blue = 2;
        row.failed[4] = row.failed[10] = true;
        row.keptCount = 123;
        QCOMPARE(backtestCsv({row}), u"期号,开奖号码,未通过的条件,保留或淘汰,保留注数\n"
                                     u"0002,1 2 3 4 5 7+2,\"4,10\",淘汰,123\n"_s);
        const BacktestSummary chance{10, 3, 0.3 * kComboCount};
        QVERIFY(summaryText(chance).contains(u"开奖号码保留比例 30.0%，组合保留比例 30.0%"_s));
        QVERIFY(summaryText(chance).contains(u"不高于"_s));
        QVERIFY(!summaryText({10, 4, 0.3 * kComboCount}).contains(u"不高于"_s));
    }

    // The count shown while editing is what a full run would keep, or the refusal in short.
    void liveCountEqualsFullRun() {
        quint32 seed = 2024;
        int counted = 0;
        for (int i = 0; i < 240; ++i) {
            HotColdValues hv{};
            const PanelState p = test::randomPanel(seed++, test::PanelKind::Careless, hv);
            const QString expected = expectedLiveText(p, hv);
            QCOMPARE(liveCountText(readSelectionInputs(p, hv)), expected);
            counted += expected.startsWith(u"当前"_s);
        }
        QVERIFY2(counted >= 150, "too few random panels were counted");
    }

    // Edits in quick succession give one count, of the last panel; a count overtaken by a newer
    // request is never shown.
    void liveCountShowsOnlyTheNewest() {
        HotColdValues hv{};
        quint32 seed = 5;
        PanelState current = test::randomPanel(seed++, test::PanelKind::Careless, hv);
        LiveCount live([&] { return readSelectionInputs(current, hv); }, nullptr, 30);
        QSignalSpy shown(&live, &LiveCount::textChanged);
        for (int i = 0; i < 3; ++i) {
            current = test::randomPanel(seed++, test::PanelKind::Careless, hv);
            live.panelChanged();
        }
        QVERIFY(shown.wait(5000));
        QTest::qWait(100);
        QCOMPARE(shown.size(), 1);
        QCOMPARE(live.text(), expectedLiveText(current, hv));

        shown.clear();
        for (int i = 0; i < 6; ++i) {
            current = test::randomPanel(seed++, test::PanelKind::Careless, hv);
            live.countNow();
        }
        QTRY_COMPARE_WITH_TIMEOUT(live.shown(), live.requested(), 5000);
        QCOMPARE(live.text(), expectedLiveText(current, hv));
        QCOMPARE(shown.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestBacktest)
#include "test_backtest.moc"
