// Saved results in hmbc on a real database: five to a row after the kept first row, at most 5000,
// and a save that is refused or fails leaves what was saved before.

#include "red/results_paging.h"
#include "red/saved_results.h"
#include "support/temp_database.h"

#include <QSqlQuery>
#include <QTest>

using namespace ssq;
using namespace Qt::StringLiterals;

namespace {

QString resultText(int i) {
    return u"%1 %2 %3 31 32 33"_s.arg(1 + i / 100).arg(10 + i / 10 % 10).arg(20 + i % 10);
}

// Every row of hmbc: its number, then its five texts.
QList<QStringList> hmbcRows(QSqlDatabase db) {
    QList<QStringList> rows;
    QSqlQuery q(u"select * from hmbc order by 编号"_s, db);
    while (q.next()) {
        rows.append(QStringList());
        for (int c = 0; c <= 5; ++c)
            rows.last().append(q.value(c).toString());
    }
    return rows;
}

} // namespace

class TestSavedResults : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void saveAndLoad() {
        test::TempDatabase t;
        QVERIFY2(t.isValid(), qPrintable(t.error()));
        QSqlDatabase db = t.connection();
        QVERIFY(saveResults(db, 12, resultText).saved);
        QCOMPARE(saveResults(db, 7, resultText).message, u"所选号码保存完毕"_s);
        const QList<QStringList> rows = hmbcRows(db);
        QCOMPARE(rows.size(), 3); // the earlier twelve are gone
        QCOMPARE(rows[0][0], u"0"_s);
        QCOMPARE(rows[1].mid(0, 2) + rows[1].mid(5),
                 (QStringList{u"1"_s, resultText(0), resultText(4)}));
        QCOMPARE(rows[2], (QStringList{u"6"_s, resultText(5), resultText(6), {}, {}, {}}));
        QCOMPARE(loadSavedResults(db).texts.size(), 7);
        QCOMPARE(loadSavedResults(db).recordCount, 3);

        int asked = 0;
        const ResultText counted = [&](int i) {
            ++asked;
            return resultText(i);
        };
        const SaveOutcome refused = saveResults(db, 5001, counted);
        QCOMPARE(refused.message, u"您所选的号码超过了5000注,本程序拒绝执行此操作"_s);
        QVERIFY(!refused.saved && asked == 0);
        QCOMPARE(hmbcRows(db), rows);

        // The store refuses the row of result 26, after the old rows are gone and five new rows in.
        QVERIFY(
            QSqlQuery(db).exec(u"create trigger refuse before insert on hmbc when new.编号 = 26 "
                               "begin select raise(abort, 'disk full'); end"_s));
        const SaveOutcome failed = saveResults(db, 40, resultText);
        QVERIFY2(!failed.saved && failed.message.contains(u"保存失败"_s),
                 qPrintable(failed.message));
        QCOMPARE(hmbcRows(db), rows);

        QVERIFY(QSqlQuery(db).exec(u"drop trigger refuse"_s));
        QVERIFY(saveResults(db, 5000, resultText).saved);
        QCOMPARE(hmbcRows(db).size(), 1001);
        QCOMPARE(hmbcRows(db).last().mid(0, 1) + hmbcRows(db).last().mid(5),
                 (QStringList{u"4996"_s, resultText(4999)}));
        QCOMPARE(loadSavedResults(db).texts.mid(2345, 1), QStringList{resultText(2345)});
    }

    void lostFirstRowAndEmptyPlaces() {
        test::TempDatabase t;
        QVERIFY(t.isValid());
        // Loading skips the first row, so without a new one the first five results would be lost.
        QVERIFY(QSqlQuery(t.connection()).exec(u"delete from hmbc"_s));
        QVERIFY(saveResults(t.connection(), 6, resultText).saved);
        QCOMPARE(loadSavedResults(t.connection()).texts.size(), 6);
        // Loading stops at the first empty place.
        QVERIFY(QSqlQuery(t.connection()).exec(u"update hmbc set 号码3 = '' where 编号 = 1"_s));
        QCOMPARE(loadSavedResults(t.connection()).texts,
                 (QStringList{resultText(0), resultText(1)}));
        // Paging goes on past the last row.
        ResultsPaging paging;
        QCOMPARE(paging.firstPage(), u"select* from hmbc where 编号>=1 and 编号<=150"_s);
        QCOMPARE(paging.nextPage(), u"select* from hmbc where 编号>=150 and 编号<=300"_s);
        paging.nextPage();
        paging.nextPage();
        QCOMPARE(paging.indicator(65), u"页次： 4 / 3"_s);
    }
};

QTEST_GUILESS_MAIN(TestSavedResults)
#include "test_saved_results.moc"
