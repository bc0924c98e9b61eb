// The main window's hot/cold table computed from a real database file holding real draws.

#include "analysis/hot_cold_table.h"
#include "store/draw_entry.h"
#include "support/draw_tables.h"
#include "support/temp_database.h"

#include <QSqlQuery>
#include <QTest>

using namespace Qt::StringLiterals;

class TestHotColdTable : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // 21 draws are refused; 22 and more give the values of the whole history.
    void valuesOfTheStoredHistory() {
        ssq::test::TempDatabase temp;
        const QList<ssq::test::HistoryDraw> draws = ssq::test::realDraws(u"2021001"_s, 100);
        QCOMPARE(draws.size(), 100);
        std::vector<ssq::RedCombo> reds;
        for (const ssq::test::HistoryDraw& d : draws) {
            QVERIFY(ssq::addDraw(temp.connection(), {d.issue, d.red, d.blue}).written);
            reds.push_back(d.red);
            const ssq::HotColdTableResult result = ssq::hotColdTable(temp.connection());
            if (reds.size() == 21) {
                QVERIFY(!result.ok && result.tooFewDraws);
                QCOMPARE(result.message, u"您的数据库中的记录不足22条，将不录取冷热值一类的4个指标"_s);
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

QTEST_GUILESS_MAIN(TestHotColdTable)
#include "test_hot_cold_table.moc"
