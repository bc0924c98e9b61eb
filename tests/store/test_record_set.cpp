// Record sets over real tables: navigation, reading and writing by position, which queries can
// be written, and transactions around writes.

#include "store/query_text.h"
#include "store/record_set.h"
#include "store/transaction.h"
#include "support/temp_database.h"

#include <QSqlQuery>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
using ssq::RecordSet;

class TestRecordSet : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ssq::test::TempDatabase> m_temp;

    QSqlDatabase db() { return m_temp->connection(); }
    QString stored(const QString& sql) {
        QSqlQuery q(db());
        return q.exec(sql) && q.next() ? q.value(0).toString() : u"<none>"_s;
    }
    // kjhm rows of reds 1..6 and blue 1; adding the next row stores the one before.
    void addDraws(const QList<int>& issues) {
        RecordSet rs(db());
        QVERIFY(rs.open(u"select* from kjhm order by 期号 "_s));
        for (int issue : issues) {
            rs.addNew();
            rs.setValue(0, QString::number(issue));
            for (int k : {1, 2, 3, 4, 5, 6, 34})
                rs.setValue(k, QString::number(k % 33));
        }
        QVERIFY(rs.update());
    }

private Q_SLOTS:
    void init() {
        m_temp = std::make_unique<ssq::test::TempDatabase>();
        QVERIFY2(m_temp->isValid(), qPrintable(m_temp->error()));
    }

    void emptyTable() {
        RecordSet rs(db());
        QVERIFY(rs.open(u"select* from kjhm  "_s));
        QCOMPARE(rs.recordCount(), 0);
        QVERIFY(rs.bof() && rs.eof());
        QCOMPARE(rs.position(), -1);
        QVERIFY(!rs.moveFirst() && !rs.moveNext() && !rs.movePrevious());
        QCOMPARE(rs.value(0), QString());
        QVERIFY(rs.update()); // nothing to store
        QVERIFY(!rs.remove());
        rs.setValue(0, u"7001"_s); // no current row: the write cannot be kept
        QVERIFY(!rs.update());
        QVERIFY(!rs.lastError().isEmpty());
    }

    void navigationAndRemove() {
        addDraws({7003, 7001, 7002});
        RecordSet rs(db());
        QVERIFY(rs.open(u"select* from kjhm order by 期号 "_s));
        QCOMPARE(rs.recordCount(), 3);
        QCOMPARE(rs.value(0), u"7001"_s);
        QVERIFY(rs.moveNext() && rs.moveNext() && !rs.moveNext() && rs.eof());
        QVERIFY(rs.value(0).isEmpty() && rs.movePrevious());
        QCOMPARE(rs.value(0), u"7003"_s);
        QVERIFY(rs.moveFirst() && !rs.movePrevious() && rs.bof() && !rs.eof());
        QVERIFY(rs.moveLast());
        QCOMPARE(rs.value(34), u"1"_s);
        QVERIFY(rs.value(7).isEmpty() && rs.value(99).isEmpty()); // an empty cell; no such column

        // After a remove there is no current row; the next move goes to the following one.
        QVERIFY(rs.moveFirst() && rs.moveNext() && rs.remove());
        QCOMPARE(rs.position(), -1);
        QVERIFY(rs.moveNext());
        QCOMPARE(rs.value(0), u"7003"_s);
        QCOMPARE(stored(u"select count(*) from kjhm"_s), u"2"_s);
    }

    void onlyOneTableQueriesAreWritable() {
        addDraws({7018});
        const QString blues =
            u"select 期号,L1,L2,L3,L4,L5,L6,L7,L8,L9,L10,L11,L12,L13,L14,L15,L16 from kjhm order by 期号 "_s;
        RecordSet rs(db());
        for (const QString& text : {u"select *from lqtjbc order by 编号 "_s,
                                    u"select* from hmbc where 编号>=1 and 编号<=150"_s, blues})
            QVERIFY2(rs.open(text) && rs.isWritable(), qPrintable(text));
        QCOMPARE(ssq::writableForm(blues)->table, u"kjhm"_s);
        QCOMPARE(rs.columnCount(), 17);
        QCOMPARE(rs.value(1), u"1"_s);
        for (const QString& text : {u"select distinct 期号 from kjhm"_s, u"select * from kjhm, kjdm"_s,
                                    u"select * from kjhm where 期号 in (select 期号 from kjdm)"_s})
            QVERIFY2(!ssq::writableForm(text), qPrintable(text));
        QVERIFY(rs.open(u"select count(*) from kjhm"_s));
        rs.setValue(0, u"5"_s);
        QVERIFY(!rs.update() && !rs.remove());
        QCOMPARE(stored(u"select count(*) from kjhm"_s), u"1"_s);
    }

    // Number columns hold numbers (a digit 0 is not an empty cell); text columns keep their text.
    void valuesKeepTheirTypes() {
        RecordSet rs(db());
        QVERIFY(rs.open(u"select* from kjdm order by 期号 "_s));
        rs.addNew();
        rs.setValue(0, u"07018"_s);
        rs.setValue(1, u"0"_s);
        QVERIFY(rs.update() && rs.requery());
        QCOMPARE(stored(u"select typeof(期号) || typeof(百万0) || typeof(百万1) from kjdm"_s),
                 u"integerintegernull"_s);
        QCOMPARE(rs.value(0) + u"|"_s + rs.value(1) + u"|"_s + rs.value(2), u"7018|0|"_s);
        rs.setValue(1, QString());
        QVERIFY(rs.update());
        QCOMPARE(stored(u"select 百万0 is null from kjdm"_s), u"1"_s);
        QVERIFY(rs.open(u"select* from kjzb order by 期号 "_s));
        rs.addNew();
        rs.setValue(2, u"0000001"_s);
        rs.setValue(25, u"-17"_s);
        QVERIFY(rs.update() && rs.requery());
        QCOMPARE(rs.value(2) + rs.value(25), u"0000001-17"_s);

    }

    // Moving off a changed row stores it; all of it inside one transaction.
    void changedRowsAreStoredOnMove() {
        ssq::Transaction t(db());
        RecordSet rs(db());
        QVERIFY(rs.open(u"select* from rhmtx order by 序号 "_s));
        for (int p = 1; p <= 528; ++p, rs.moveNext())
            rs.setValue(3, QString::number(p % 7));
        QVERIFY(rs.eof() && rs.update() && t.commit());
        QCOMPARE(stored(u"select sum(累计开出) || ' ' || count(*) from rhmtx"_s), u"1581 528"_s);
    }
};

QTEST_GUILESS_MAIN(TestRecordSet)
#include "test_record_set.moc"
