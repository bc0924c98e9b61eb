#include "red/results_paging.h"
#include "red/saved_results.h"
#include "support/temp_database.h"

#include <QSqlQuery>
#include <QTest>

using namespace ssq;
using namespace Qt::StringLiterals;

namespace {

// Result i (0-based) as the engine would list it: distinct, ascending texts.
QString resultText(int i) {
    return u"%1 %2 %3 %4 %5 %6"_s.arg(1 + i / 1000)
        .arg(10 + i / 100 % 10)
        .arg(20 + i % 10)
        .arg(30 - i % 3)
        .arg(31)
        .arg(33);
}

struct HmbcRow {
    QString number;
    QStringList texts;
};

QList<HmbcRow> hmbcRows(QSqlDatabase db) {
    QList<HmbcRow> rows;
    QSqlQuery q(u"select * from hmbc order by 编号"_s, db);
    while (q.next()) {
        HmbcRow r{q.value(0).toString(), {}};
        for (int c = 1; c <= 5; ++c)
            r.texts.append(q.value(c).toString());
        rows.append(r);
    }
    return rows;
}

int rowCount(QSqlDatabase db, const QString& query) {
    QSqlQuery q(db);
    if (!q.exec(query))
        return -1;
    int n = 0;
    while (q.next())
        ++n;
    return n;
}

} // namespace

class TestSavedResults : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void sevenResultsMakeTwoRows();
    void savingReplacesEarlierResults();
    void fiveThousandAreSaved();
    void aboveFiveThousandIsRefused();
    void failedSaveLeavesHmbcAsItWas();
    void lostFirstRowIsRestored();
    void loadStopsAtFirstEmptyPlace();
    void pagingQueries();
};

void TestSavedResults::sevenResultsMakeTwoRows() {
    test::TempDatabase t;
    QVERIFY2(t.isValid(), qPrintable(t.error()));
    const SaveOutcome out = saveResults(t.connection(), 7, resultText);
    QVERIFY(out.saved);
    QCOMPARE(out.message, u"所选号码保存完毕"_s);

    const QList<HmbcRow> rows = hmbcRows(t.connection());
    QCOMPARE(rows.size(), 3);
    QCOMPARE(rows[0].number, u"0"_s); // the kept first row
    QCOMPARE(rows[1].number, u"1"_s);
    QCOMPARE(rows[1].texts, (QStringList{resultText(0), resultText(1), resultText(2), resultText(3),
                                         resultText(4)}));
    QCOMPARE(rows[2].number, u"6"_s);
    QCOMPARE(rows[2].texts, (QStringList{resultText(5), resultText(6), {}, {}, {}}));

    const SavedResults loaded = loadSavedResults(t.connection());
    QVERIFY(loaded.error.isEmpty());
    QCOMPARE(loaded.recordCount, 3);
    QCOMPARE(loaded.texts.size(), 7);
    QCOMPARE(loaded.texts.last(), resultText(6));
    QCOMPARE(savedCountText(loaded.texts.size()), u"(您总共选出了7注号码)"_s);
}

void TestSavedResults::savingReplacesEarlierResults() {
    test::TempDatabase t;
    QVERIFY(t.isValid());
    QVERIFY(saveResults(t.connection(), 12, resultText).saved);
    QVERIFY(saveResults(t.connection(), 3, [](int i) { return resultText(100 + i); }).saved);
    const QList<HmbcRow> rows = hmbcRows(t.connection());
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows[1].texts.first(), resultText(100));
    QCOMPARE(loadSavedResults(t.connection()).texts.size(), 3);

    // Saving nothing keeps only the first row.
    QVERIFY(saveResults(t.connection(), 0, resultText).saved);
    QCOMPARE(hmbcRows(t.connection()).size(), 1);
    QCOMPARE(loadSavedResults(t.connection()).texts.size(), 0);
}

void TestSavedResults::fiveThousandAreSaved() {
    test::TempDatabase t;
    QVERIFY(t.isValid());
    QVERIFY(saveResults(t.connection(), 5000, resultText).saved);
    const QList<HmbcRow> rows = hmbcRows(t.connection());
    QCOMPARE(rows.size(), 1001);
    QCOMPARE(rows.last().number, u"4996"_s);
    QCOMPARE(rows.last().texts.last(), resultText(4999));
    const SavedResults loaded = loadSavedResults(t.connection());
    QCOMPARE(loaded.texts.size(), 5000);
    QCOMPARE(loaded.texts[2345], resultText(2345));
}

void TestSavedResults::aboveFiveThousandIsRefused() {
    test::TempDatabase t;
    QVERIFY(t.isValid());
    QVERIFY(saveResults(t.connection(), 7, resultText).saved);
    int asked = 0;
    const SaveOutcome out = saveResults(t.connection(), 5001, [&](int i) {
        ++asked;
        return resultText(i);
    });
    QVERIFY(!out.saved);
    QCOMPARE(out.message, u"您所选的号码超过了5000注,本程序拒绝执行此操作"_s);
    QCOMPARE(asked, 0);
    QCOMPARE(hmbcRows(t.connection()).size(), 3);
    QCOMPARE(loadSavedResults(t.connection()).texts.size(), 7);
}

void TestSavedResults::failedSaveLeavesHmbcAsItWas() {
    test::TempDatabase t;
    QVERIFY(t.isValid());
    QVERIFY(saveResults(t.connection(), 7, resultText).saved);
    const QList<HmbcRow> before = hmbcRows(t.connection());

    // The store refuses the row of result 26, after the old rows are gone and five new rows in.
    QSqlQuery trigger(t.connection());
    QVERIFY(trigger.exec(u"create trigger refuse before insert on hmbc when new.编号 = 26 "
                         "begin select raise(abort, 'disk full'); end"_s));
    const SaveOutcome out = saveResults(t.connection(), 40, resultText);
    QVERIFY(!out.saved);
    QVERIFY(out.message != u"所选号码保存完毕"_s);
    QVERIFY2(out.message.contains(u"保存失败"_s), qPrintable(out.message));

    const QList<HmbcRow> after = hmbcRows(t.connection());
    QCOMPARE(after.size(), before.size());
    for (int i = 0; i < after.size(); ++i) {
        QCOMPARE(after[i].number, before[i].number);
        QCOMPARE(after[i].texts, before[i].texts);
    }
}

void TestSavedResults::lostFirstRowIsRestored() {
    test::TempDatabase t;
    QVERIFY(t.isValid());
    QVERIFY(QSqlQuery(t.connection()).exec(u"delete from hmbc"_s));
    QVERIFY(saveResults(t.connection(), 6, resultText).saved);
    // Loading skips the first row, so without a new one the first five results would be lost.
    QCOMPARE(loadSavedResults(t.connection()).texts.size(), 6);
}

void TestSavedResults::loadStopsAtFirstEmptyPlace() {
    test::TempDatabase t;
    QVERIFY(t.isValid());
    QSqlQuery q(t.connection());
    QVERIFY(q.exec(
        u"insert into hmbc values (1, '1 2 3 4 5 6', '2 3 4 5 6 7', '', '4 5 6 7 8 9', null)"_s));
    const SavedResults loaded = loadSavedResults(t.connection());
    QCOMPARE(loaded.texts, (QStringList{u"1 2 3 4 5 6"_s, u"2 3 4 5 6 7"_s}));
    QCOMPARE(loaded.recordCount, 2);
}

void TestSavedResults::pagingQueries() {
    test::TempDatabase t;
    QVERIFY(t.isValid());
    QVERIFY(saveResults(t.connection(), 320, resultText).saved); // 64 rows

    ResultsPaging paging;
    const QString first = paging.firstPage();
    QCOMPARE(first, u"select* from hmbc where 编号>=1 and 编号<=150"_s);
    QCOMPARE(rowCount(t.connection(), first), 30);
    QCOMPARE(paging.indicator(65), u"页次： 1 / 3"_s);

    const QString second = paging.nextPage();
    QCOMPARE(second, u"select* from hmbc where 编号>=150 and 编号<=300"_s);
    QCOMPARE(rowCount(t.connection(), second), 30);
    QCOMPARE(rowCount(t.connection(), paging.nextPage()), 4);
    QCOMPARE(paging.indicator(65), u"页次： 3 / 3"_s);
    // Paging goes on past the last row and shows an empty page.
    QCOMPARE(rowCount(t.connection(), paging.nextPage()), 0);
    QCOMPARE(paging.indicator(65), u"页次： 4 / 3"_s);

    QCOMPARE(paging.firstPage(), first);
    QCOMPARE(paging.position(), 150);
    QCOMPARE(rowCount(t.connection(), ResultsPaging::allResults()), 65);
}

QTEST_GUILESS_MAIN(TestSavedResults)
#include "test_saved_results.moc"
