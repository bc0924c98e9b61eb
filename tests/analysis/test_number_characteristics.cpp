// hmtx with the cold/warm/hot lists, rhmtx and rlhtx, each cell against a plain count.

#include "analysis/hot_cold_characteristics.h"
#include "analysis/hot_cold_ranking.h"
#include "analysis/pair_statistics.h"
#include "analysis/pair_tables.h"
#include "analysis_fixtures.h"

#include <QTest>

using namespace ssq;
using namespace Qt::StringLiterals;

namespace {

bool holds(const RedCombo& red, int j) {
    return std::find(red.begin(), red.end(), j) != red.end();
}

// hmtx rows 1..5 (columns 2..34) counted the long way: total, window, last 22, omission, value.
QList<QStringList> expectedHotColdRows(const QList<RedCombo>& d, int window) {
    const int n = static_cast<int>(d.size());
    QList<QStringList> rows(5);
    for (int j = 1; j <= 33; ++j) {
        int t = 0, w = 0, r = 0, g = 0;
        for (int i = 0; i < n; ++i) {
            t += holds(d[i], j);
            w += i >= n - window && holds(d[i], j);
            r += i >= n - 22 && holds(d[i], j);
        }
        for (int i = n - 1; i >= 0 && !holds(d[i], j); --i)
            ++g;
        for (int k : {0, 1, 2, 3, 4})
            rows[k].append(
                QString::number(QList<int>{t, w, r, g, t - 6 * n / 33 + 2 * r - 3 * g}[k]));
    }
    return rows;
}

// rhmtx or rlhtx columns 2..5 counted the long way.
QList<QStringList> expectedPairRows(const QList<RedCombo>& d, bool neighbours) {
    const int n = static_cast<int>(d.size());
    QList<QStringList> rows;
    for (int a = 1; a < 33; ++a)
        for (int b = a + 1; b <= (neighbours ? a + 1 : 33); ++b) {
            int c = 0, g = 0;
            bool seen = false;
            for (int i = n - 1; i >= 0; --i) {
                const bool both = holds(d[i], a) && holds(d[i], b);
                c += both;
                seen = seen || both;
                g += !seen;
            }
            rows.append({QString::number(int(n * 0.0284)), QString::number(c), QString::number(g),
                         QString::number(g * 2.8) + u'%'});
        }
    return rows;
}

QList<QStringList> columns(const QList<QStringList>& rows, int first, int last) {
    QList<QStringList> out;
    for (const QStringList& row : rows)
        out.append(row.mid(first, last - first + 1));
    return out;
}

template <typename Draw> QList<RedCombo> reds(const QList<Draw>& draws) {
    QList<RedCombo> out;
    for (const Draw& d : draws)
        out.append(d.red);
    return out;
}

} // namespace

class TestNumberCharacteristics : public QObject {
    Q_OBJECT

    test::TempDatabase m_forty; // 40 hand-made draws

private Q_SLOTS:
    void initTestCase() { QVERIFY(test::addDraws(m_forty.connection(), test::rotatingDraws(40))); }

    void rankingExchangesEqualValues() {
        HotColdValues equal{};
        equal.fill(7);
        const HotColdRanking r = hotColdRanking(equal);
        QCOMPARE(r.cold, u"33   32   31   30   29   28   27   26   25"_s);
        QCOMPARE(r.hot, u"9   8   7   6   5   4   3   2   1"_s);
    }

    // Ranks of real slices worked out apart from the program, ties included.
    void realSlices_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QStringList>("lists");
        QTest::newRow("22 draws")
            << u"2020001"_s << 22 << u"22"_s
            << QStringList{u"3   18   23   21   29   32   12   26   24"_s,
                           u"19   28   33   1   7   13   11   5   4   25   8   9   31   17   15"_s,
                           u"14   6   20   16   10   27   30   22   2"_s};
        QTest::newRow("500 draws, window 100")
            << u"2021001"_s << 500 << u" 99.5"_s
            << QStringList{
                   u"16   13   3   20   1   27   4   31   22"_s,
                   u"5   30   21   11   29   25   18   33   28   23   24   8   14   10   15"_s,
                   u"19   32   7   6   12   9   2   17   26"_s};
    }
    void realSlices() {
        QFETCH(QString, from);
        QFETCH(int, count);
        QFETCH(QString, window);
        QFETCH(QStringList, lists);
        test::TempDatabase temp;
        QVERIFY(test::importRealDraws(temp, from, count));
        const HotColdCharacteristics r = analyseHotColdCharacteristics(temp.connection(), window);
        QVERIFY2(r.ok, qPrintable(r.message));
        QCOMPARE(QStringList({r.ranking.cold, r.ranking.warm, r.ranking.hot}), lists);
        const QList<QStringList> rows = test::statisticsRows(temp.connection(), u"hmtx"_s);
        const QList<RedCombo> d = reds(test::realDraws(from, count));
        QCOMPARE(columns(rows, 2, 34), expectedHotColdRows(d, r.window));
        QVERIFY(writePairTable(temp.connection(), PairList::AllPairs).ok);
        QVERIFY(writePairTable(temp.connection(), PairList::Neighbours).ok);
        QCOMPARE(columns(test::statisticsRows(temp.connection(), u"rhmtx"_s), 2, 5),
                 expectedPairRows(d, false));
        QCOMPARE(columns(test::statisticsRows(temp.connection(), u"rlhtx"_s), 2, 5),
                 expectedPairRows(d, true));
    }

    // 31..33 never came in 22 hand-made draws: the pair (32, 33) has omission 22.
    void pairNeverDrawnThenDrawn() {
        test::TempDatabase temp;
        QVERIFY(test::addDraws(temp.connection(), test::rotatingDraws(22)));
        QVERIFY(writePairTable(temp.connection(), PairList::AllPairs).ok);
        QCOMPARE(test::statisticsRows(temp.connection(), u"rhmtx"_s)[527].mid(1),
                 (QStringList{u"32-33"_s, u"0"_s, u"0"_s, u"22"_s, u"61.6%"_s}));

        // Drawn together in the newest draw, it is the last row of both tables with 0 and 0%.
        QVERIFY(test::addDraws(temp.connection(), {{1023, {1, 2, 3, 31, 32, 33}, 1}}));
        QVERIFY(writePairTable(temp.connection(), PairList::AllPairs).ok);
        QVERIFY(writePairTable(temp.connection(), PairList::Neighbours).ok);
        const QStringList drawnTogether{u"0"_s, u"1"_s, u"0"_s, u"0%"_s};
        QCOMPARE(test::statisticsRows(temp.connection(), u"rhmtx"_s)[527].mid(2), drawnTogether);
        QCOMPARE(test::statisticsRows(temp.connection(), u"rlhtx"_s)[31].mid(1),
                 QStringList{u"32-33"_s} + drawnTogether);
    }

    // No positive number in the box means 22 draws and a notice; halves round to even.
    void windowBox_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("window");
        QTest::addColumn<bool>("notice");
        QTest::newRow("empty") << QString() << 22 << true;
        QTest::newRow("negative") << u"-3"_s << 22 << true;
        QTest::newRow("0.4") << u"0.4"_s << 22 << true;
        QTest::newRow("4.5") << u"4.5"_s << 4 << false;
        QTest::newRow("whole history") << u"40"_s << 40 << false;
    }
    void windowBox() {
        QFETCH(QString, text);
        QFETCH(int, window);
        QFETCH(bool, notice);
        const HotColdCharacteristics r = analyseHotColdCharacteristics(m_forty.connection(), text);
        QVERIFY(r.ok);
        QCOMPARE(r.window, window);
        QCOMPARE(r.defaultWindowNotice.isEmpty(), !notice);
    }

    // Refusals write nothing: 21 draws for every analysis, a window beyond the history.
    void refusalsLeaveTheTables() {
        test::TempDatabase temp;
        QVERIFY(test::addDraws(temp.connection(), test::rotatingDraws(21)));
        const auto tables = [&] {
            return test::statisticsRows(temp.connection(), u"hmtx"_s) +
                   test::statisticsRows(temp.connection(), u"rhmtx"_s) +
                   test::statisticsRows(temp.connection(), u"rlhtx"_s);
        };
        const QList<QStringList> before = tables();
        const QString tooFew =
            u"您的数据库中的记录不足22条，不适合使用本功能，请等到记录达到22条后使用"_s;
        HotColdCharacteristics r = analyseHotColdCharacteristics(temp.connection(), u""_s);
        QVERIFY(r.refused && r.message == tooFew && r.defaultWindowNotice.isEmpty());
        for (PairList list : {PairList::AllPairs, PairList::Neighbours}) {
            const PairTableResult p = writePairTable(temp.connection(), list);
            QVERIFY(p.refused && p.message == tooFew);
        }
        QVERIFY(test::addDraws(temp.connection(), test::rotatingDraws(22).mid(21)));
        r = analyseHotColdCharacteristics(temp.connection(), u"23"_s);
        QVERIFY(r.refused);
        QCOMPARE(r.message,
                 u"您输入的查询期数超出了数据库中的记录范围,您的数据最高记录为22条,请重新输入"_s);
        QCOMPARE(tables(), before);
    }

    // A table that lost rows is reported and left as it was.
    void aDamagedTableIsReported() {
        test::TempDatabase temp;
        QVERIFY(test::addDraws(temp.connection(), test::rotatingDraws(22)));
        QVERIFY(QSqlQuery(temp.connection()).exec(u"delete from rlhtx where 序号 = 32"_s));
        const PairTableResult p = writePairTable(temp.connection(), PairList::Neighbours);
        QVERIFY(!p.ok && !p.refused && p.message.contains(u"rlhtx"_s));
        QCOMPARE(test::statisticsRows(temp.connection(), u"rlhtx"_s)[0][3], QString());
    }
};

QTEST_GUILESS_MAIN(TestNumberCharacteristics)
#include "test_number_characteristics.moc"
