// The main window's hot/cold table computed from a real database file holding real draws.

#include "analysis/hot_cold_table.h"
#include "support/draw_tables.h"
#include "support/temp_database.h"

#include <QSqlQuery>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Number rows as draw entry writes them: H<n> holds n for each drawn red, L<b> the blue.
bool storeDraws(QSqlDatabase db, const QList<ssq::test::HistoryDraw>& draws) {
    for (const ssq::test::HistoryDraw& d : draws) {
        QStringList columns{u"期号"_s};
        QStringList values{QString::number(d.issue)};
        for (int n : d.red) {
            columns.append(u"H%1"_s.arg(n));
            values.append(QString::number(n));
        }
        columns.append(u"L%1"_s.arg(d.blue));
        values.append(QString::number(d.blue));
        QSqlQuery q(db);
        if (!q.exec(
                u"insert into kjhm (%1) values (%2)"_s.arg(columns.join(u','), values.join(u','))))
            return false;
    }
    return true;
}

bool holds(const ssq::test::HistoryDraw& d, int n) {
    return std::find(d.red.begin(), d.red.end(), n) != d.red.end();
}

} // namespace

class TestHotColdTable : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void fewerThan22DrawsAreRefused();
    void exactly22Draws();
    void aLongerHistory();
    void aBrokenStoreIsReported();
};

void TestHotColdTable::fewerThan22DrawsAreRefused() {
    ssq::test::TempDatabase temp;
    QVERIFY(temp.isValid());
    const auto draws = ssq::test::realDraws(u"2020001"_s, 21);
    QCOMPARE(draws.size(), 21);
    QVERIFY(storeDraws(temp.connection(), draws));
    const ssq::HotColdTableResult result = ssq::hotColdTable(temp.connection());
    QVERIFY(!result.ok);
    QVERIFY(result.tooFewDraws);
    QCOMPARE(result.message, u"您的数据库中的记录不足22条，将不录取冷热值一类的4个指标"_s);
}

// With 22 draws every draw is recent: HV = 3 * total - Int(132 / 33) - 3 * omission.
void TestHotColdTable::exactly22Draws() {
    ssq::test::TempDatabase temp;
    QVERIFY(temp.isValid());
    const auto draws = ssq::test::realDraws(u"2020001"_s, 22);
    QVERIFY(storeDraws(temp.connection(), draws));
    const ssq::HotColdTableResult result = ssq::hotColdTable(temp.connection());
    QVERIFY(result.ok);
    QCOMPARE(result.message, u"冷热值分析完毕,您可以选号了"_s);
    for (int n = 1; n <= ssq::kRedMax; ++n) {
        int total = 0;
        for (const auto& d : draws)
            total += holds(d, n);
        int omission = 0;
        while (omission < draws.size() && !holds(draws[draws.size() - 1 - omission], n))
            ++omission;
        QCOMPARE(result.values[n], 3 * total - 4 - 3 * omission);
    }
    QCOMPARE(result.values[0], 0);
}

void TestHotColdTable::aLongerHistory() {
    ssq::test::TempDatabase temp;
    QVERIFY(temp.isValid());
    const auto draws = ssq::test::realDraws(u"2021001"_s, 100);
    QCOMPARE(draws.size(), 100);
    QVERIFY(storeDraws(temp.connection(), draws));
    const ssq::HotColdTableResult result = ssq::hotColdTable(temp.connection());
    QVERIFY(result.ok);
    // A number drawn 20 times in all, 5 times lately and last seen 2 draws ago scores
    // 20 - Int(600 / 33) + 10 - 6 = 6: the expectation over 100 draws is 18.
    for (int n = 1; n <= ssq::kRedMax; ++n) {
        int total = 0, recent = 0;
        for (int i = 0; i < 100; ++i) {
            total += holds(draws[i], n);
            recent += i >= 78 && holds(draws[i], n);
        }
        int omission = 0;
        while (omission < 100 && !holds(draws[99 - omission], n))
            ++omission;
        QCOMPARE(result.values[n], total - 18 + 2 * recent - 3 * omission);
    }
}

void TestHotColdTable::aBrokenStoreIsReported() {
    ssq::test::TempDatabase temp;
    QVERIFY(temp.isValid());
    QSqlQuery q(temp.connection());
    QVERIFY(q.exec(u"drop table kjhm"_s));
    const ssq::HotColdTableResult result = ssq::hotColdTable(temp.connection());
    QVERIFY(!result.ok);
    QVERIFY(!result.tooFewDraws);
    QVERIFY(!result.message.isEmpty());
}

QTEST_GUILESS_MAIN(TestHotColdTable)
#include "test_hot_cold_table.moc"
