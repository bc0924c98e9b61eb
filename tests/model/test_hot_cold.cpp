#include "model/hot_cold.h"

#include <QFile>
#include <QTest>

#include <algorithm>
#include <set>

using namespace ssq;
using namespace Qt::StringLiterals;

namespace {

constexpr RedCombo kWithout{28, 29, 30, 31, 32, 33};

// `count` draws of 28..33; the draws whose index (0 = oldest) is in `with` hold `number`
// in place of 28.
std::vector<RedCombo> historyOf(int count, int number, const std::set<int>& with) {
    std::vector<RedCombo> history(count, kWithout);
    for (int i : with)
        history[i][0] = number;
    return history;
}

std::vector<RedCombo> realHistory() {
    QFile file(qEnvironmentVariable("SSQ_SHARED_DATA") + u"/ssq-history.csv"_s);
    std::vector<RedCombo> history;
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return history;
    file.readLine(); // header
    while (!file.atEnd()) {
        const QList<QByteArray> fields = file.readLine().trimmed().split(',');
        if (fields.size() < 8)
            continue;
        RedCombo red{};
        for (int k = 0; k < 6; ++k)
            red[k] = fields[k + 1].toInt();
        history.push_back(red);
    }
    return history;
}

} // namespace

class TestHotCold : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void workedExample();
    void exactlyTwentyTwoDraws();
    void neverDrawn_data();
    void neverDrawn();
    void drawnInNewestHasNoOmission();
    void classes_data();
    void classes();
    void window_data();
    void window();
    void shortHistories();
    void realHistoryIsConsistent();
};

// 100 draws; 7 drawn 20 times, 5 of them in the last 22, last seen 2 draws ago:
// 20 - Int(600/33) + 2*5 - 3*2 = 6.
void TestHotCold::workedExample() {
    std::set<int> with{80, 85, 90, 95, 97};
    for (int i = 0; i < 15; ++i)
        with.insert(i * 5);
    const HotColdStats s = hotColdStats(historyOf(100, 7, with));
    QCOMPARE(s.total[7], 20);
    QCOMPARE(s.recent[7], 5);
    QCOMPARE(s.omission[7], 2);
    QCOMPARE(s.hv[7], 6);
    QCOMPARE(hotColdValues(historyOf(100, 7, with))[7], 6);
}

void TestHotCold::exactlyTwentyTwoDraws() {
    std::vector<RedCombo> history = realHistory();
    QVERIFY2(history.size() >= 22, "the shared draw history could not be read");
    history.resize(22);
    const HotColdStats s = hotColdStats(history);
    const HotColdValues hv = hotColdValues(history);
    for (int j = 1; j <= kRedMax; ++j) {
        QCOMPARE(s.recent[j], s.total[j]);
        QCOMPARE(s.hv[j], 3 * s.total[j] - 4 - 3 * s.omission[j]);
        QCOMPARE(hv[j], s.hv[j]);
    }
}

void TestHotCold::neverDrawn_data() {
    QTest::addColumn<int>("draws");
    QTest::newRow("22") << 22;
    QTest::newRow("100") << 100;
    QTest::newRow("more than 5000") << 5001;
}

void TestHotCold::neverDrawn() {
    QFETCH(int, draws);
    const HotColdStats s = hotColdStats(historyOf(draws, 7, {}));
    QCOMPARE(s.total[7], 0);
    QCOMPARE(s.omission[7], draws);
    QCOMPARE(s.hv[7], -(6 * draws / 33) - 3 * draws);
}

void TestHotCold::drawnInNewestHasNoOmission() {
    const HotColdStats s = hotColdStats(historyOf(30, 7, {0, 29}));
    QCOMPARE(s.omission[7], 0);
    QCOMPARE(s.omission[28], 1); // replaced by 7 in the newest draw only
    QCOMPARE(s.omission[29], 0);
}

void TestHotCold::classes_data() {
    QTest::addColumn<int>("hv");
    QTest::addColumn<HotColdClass>("expected");
    QTest::newRow("-100") << -100 << HotColdClass::Cold;
    QTest::newRow("-16") << -16 << HotColdClass::Cold;
    QTest::newRow("-15") << -15 << HotColdClass::Warm;
    QTest::newRow("9") << 9 << HotColdClass::Warm;
    QTest::newRow("10") << 10 << HotColdClass::Hot;
}

void TestHotCold::classes() {
    QFETCH(int, hv);
    QFETCH(HotColdClass, expected);
    QCOMPARE(hotColdClass(hv), expected);
}

void TestHotCold::window_data() {
    QTest::addColumn<int>("window");
    QTest::addColumn<int>("expected");
    // 7 is in draws 0, 10, 25 and 29 of 30.
    QTest::newRow("last draw") << 1 << 1;
    QTest::newRow("last 5") << 5 << 2;
    QTest::newRow("last 20") << 20 << 3;
    QTest::newRow("whole history") << 30 << 4;
    QTest::newRow("beyond the history") << 5000 << 4;
    QTest::newRow("none") << 0 << 0;
    QTest::newRow("negative") << -3 << 0;
}

void TestHotCold::window() {
    QFETCH(int, window);
    QFETCH(int, expected);
    QCOMPARE(hotColdStats(historyOf(30, 7, {0, 10, 25, 29}), window).window[7], expected);
}

void TestHotCold::shortHistories() {
    std::vector<RedCombo> history = realHistory();
    QVERIFY2(history.size() >= 21, "the shared draw history could not be read");
    history.resize(21);
    QCOMPARE(hotColdValues(history), HotColdValues{});
    QCOMPARE(hotColdValues({}), HotColdValues{});
    const HotColdStats s = hotColdStats(history);
    QCOMPARE(s.recent, s.total);
    const HotColdStats empty = hotColdStats({});
    QCOMPARE(empty.hv, HotColdValues{});
}

// Over the real history: each draw adds six appearances, the last 22 draws 132, and each
// omission points at the draw that last held the number.
void TestHotCold::realHistoryIsConsistent() {
    const std::vector<RedCombo> history = realHistory();
    QVERIFY2(history.size() > 1000, "the shared draw history could not be read");
    const int n = static_cast<int>(history.size());
    const HotColdStats s = hotColdStats(history, 100);
    int total = 0;
    int recent = 0;
    int window = 0;
    for (int j = 1; j <= kRedMax; ++j) {
        total += s.total[j];
        recent += s.recent[j];
        window += s.window[j];
        const int last = n - 1 - s.omission[j];
        QVERIFY(last >= 0);
        QVERIFY(std::find(history[last].begin(), history[last].end(), j) != history[last].end());
        for (int i = last + 1; i < n; ++i)
            QVERIFY(std::find(history[i].begin(), history[i].end(), j) == history[i].end());
    }
    QCOMPARE(total, 6 * n);
    QCOMPARE(recent, 6 * kRecentDraws);
    QCOMPARE(window, 600);
}

QTEST_APPLESS_MAIN(TestHotCold)
#include "test_hot_cold.moc"
