// The AC query of the last-draw row and the hot/cold table of a database holding real draws.

#include "analysis/ac_query.h"
#include "analysis/hot_cold_table.h"
#include "support/draw_tables.h"
#include "support/temp_database.h"

#include <QSqlQuery>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Box texts: comma-separated, or one character per box.
template <std::size_t N> std::array<QString, N> boxes(const QString& text) {
    const QStringList list =
        text.contains(u',') ? text.split(u',') : text.split(QString(), Qt::SkipEmptyParts);
    std::array<QString, N> out;
    for (std::size_t i = 0; i < N; ++i)
        out[i] = list.value(qsizetype(i));
    return out;
}

} // namespace

class TestAnalysis : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void acQuery_data() {
        QTest::addColumn<QString>("red");
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("redAc");
        QTest::addColumn<int>("codeAc"); // -1: refused with the message in `code`
        QTest::newRow("all differences distinct") << u"1,2,4,8,16,32"_s << u"0005277"_s << 15 << 5;
        // A repeated 5 gives a difference 0, which is not counted.
        QTest::newRow("repeated number") << u"5,5,7,9,11,13"_s << u"0012345"_s << 4 << 6;
        QTest::newRow("255, far differences uncounted")
            << u"1,2,3,4,5,255"_s << u"0000000"_s << 4 << 1;
        QTest::newRow("leading numbers") << u" 1,2x,4.4,8,16,32abc"_s << u"0005277"_s << 15 << 5;
        QTest::newRow("unfilled digits") << u"1,2,3,4,5,6"_s << QString() << 5 << 1;
        // 2.5 - 0 rounds half to even (2), 2.5 - 2.5 is 0.
        QTest::newRow("half digits") << u"1,2,3,4,5,6"_s << u"0,2.5,2.5,0,0,0,0"_s << 5 << 2;
        QTest::newRow("huge digit") << u"1,2,3,4,5,6"_s << u"99999999,0,0,0,0,0,0"_s << 5 << 1;
        const QString order = u"请在上期开奖号输入区按从小到大的顺序填好六个红球号码，再查询AC值"_s;
        const QString range = u"上期开奖号输入区的红球号码必须在0到255之间，请改正后再查询AC值"_s;
        const QString six = u"请在上期开奖号输入区填好六个红球号码，再查询AC值"_s;
        QTest::newRow("empty box") << u"1,2,3,4,5, "_s << six << 0 << -1;
        QTest::newRow("descending") << u"6,5,4,3,2,1"_s << order << 0 << -1;
        QTest::newRow("255.6 rounds to 256") << u"1,2,3,4,5,255.6"_s << range << 0 << -1;
        QTest::newRow("-1") << u"-1,2,3,4,5,6"_s << range << 0 << -1;
    }
    // The common scale takes 5 off and stops at 0, repeated numbers included.
    void acScales() {
        QCOMPARE(ssq::redAcMessage(14), u"常规AC值为14（常用算法为9）"_s);
        QCOMPARE(ssq::redAcMessage(4), u"常规AC值为4（常用算法为0）"_s);
    }

    void acQuery() {
        QFETCH(QString, red);
        QFETCH(QString, code);
        QFETCH(int, redAc);
        QFETCH(int, codeAc);
        const ssq::AcQueryResult r =
            ssq::acQuery(boxes<6>(red), boxes<7>(codeAc < 0 ? u"0012345"_s : code));
        if (codeAc < 0) {
            QVERIFY(!r.ok);
            QCOMPARE(r.message, code);
            return;
        }
        QVERIFY2(r.ok, qPrintable(r.message));
        QCOMPARE(r.redAc, redAc);
        QCOMPARE(r.codeAc, codeAc);
    }

    // 21 draws are refused; 22 and more give the values of the whole history.
    void valuesOfTheStoredHistory() {
        ssq::test::TempDatabase temp;
        const QList<ssq::test::HistoryDraw> draws = ssq::test::realDraws(u"2021001"_s, 100);
        QCOMPARE(draws.size(), 100);
        std::vector<ssq::RedCombo> reds;
        for (const ssq::test::HistoryDraw& d : draws) {
            QVERIFY(ssq::test::addDraws(temp.connection(), {d.input()}));
            reds.push_back(d.red);
            const ssq::HotColdTableResult result = ssq::hotColdTable(temp.connection());
            if (reds.size() == 21) {
                QVERIFY(!result.ok && result.tooFewDraws);
                QCOMPARE(result.message,
                         u"您的数据库中的记录不足22条，将不录取冷热值一类的4个指标"_s);
            } else if (reds.size() == 22 || reds.size() == 100) {
                QVERIFY(result.ok);
                QCOMPARE(result.message, u"冷热值分析完毕,您可以选号了"_s);
                QCOMPARE(result.values, ssq::hotColdValues(reds));
            }
        }
    }

    void aBrokenStoreIsReported() {
        ssq::test::TempDatabase temp;
        QVERIFY(QSqlQuery(temp.connection()).exec(u"drop table kjhm"_s));
        const ssq::HotColdTableResult result = ssq::hotColdTable(temp.connection());
        QVERIFY(!result.ok && !result.tooFewDraws && !result.message.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestAnalysis)
#include "test_analysis.moc"
