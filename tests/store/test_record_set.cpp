// Record sets over real tables: navigation, reading and writing by position, the program's
// query texts, and transactions around writes.

#include "store/query_text.h"
#include "store/record_set.h"
#include "store/transaction.h"
#include "support/temp_database.h"

#include <QSqlQuery>
#include <QTest>

using namespace Qt::StringLiterals;
using ssq::RecordSet;
using ssq::test::TempDatabase;

class TestRecordSet : public QObject {
    Q_OBJECT

private:
    TempDatabase* m_temp = nullptr;

    void addDraw(int issue, const QList<int>& reds, int blue) {
        RecordSet rs(m_temp->connection());
        QVERIFY(rs.open(u"select* from kjhm order by 期号 "_s));
        rs.addNew();
        rs.setValue(0, QString::number(issue));
        for (int r : reds)
            rs.setValue(r, QString::number(r));
        rs.setValue(33 + blue, QString::number(blue));
        QString error;
        QVERIFY2(rs.update(&error), qPrintable(error));
    }

    QVariant stored(const QString& sql) {
        QSqlQuery q(m_temp->connection());
        if (!q.exec(sql) || !q.next())
            return u"<none>"_s;
        return q.value(0);
    }

private Q_SLOTS:
    void init() {
        m_temp = new TempDatabase;
        QVERIFY2(m_temp->isValid(), qPrintable(m_temp->error()));
    }
    void cleanup() { delete m_temp; }

    void emptyTable() {
        RecordSet rs(m_temp->connection());
        QVERIFY(rs.open(u"select* from kjhm  "_s));
        QCOMPARE(rs.recordCount(), 0);
        QCOMPARE(rs.columnCount(), 50);
        QVERIFY(rs.bof() && rs.eof());
        QCOMPARE(rs.position(), -1);
        QVERIFY(!rs.moveFirst());
        QVERIFY(!rs.moveNext());
        QVERIFY(!rs.movePrevious());
        QCOMPARE(rs.value(0), QString());
        QVERIFY(rs.update()); // nothing to store
        QVERIFY(!rs.remove());

        rs.setValue(0, u"7001"_s); // no current row: the write cannot be kept
        QVERIFY(!rs.update());
        QVERIFY(!rs.lastError().isEmpty());
    }

    void navigationSetsBofAndEof() {
        addDraw(7003, {1, 2, 3, 4, 5, 6}, 1);
        addDraw(7001, {2, 3, 4, 5, 6, 7}, 2);
        addDraw(7002, {3, 4, 5, 6, 7, 8}, 3);
        RecordSet rs(m_temp->connection());
        QVERIFY(rs.open(u"select* from kjhm order by 期号 "_s));
        QCOMPARE(rs.recordCount(), 3);
        QCOMPARE(rs.value(0), u"7001"_s);
        QVERIFY(!rs.bof() && !rs.eof());
        QVERIFY(rs.moveNext());
        QVERIFY(rs.moveNext());
        QCOMPARE(rs.value(0), u"7003"_s);
        QVERIFY(!rs.moveNext());
        QVERIFY(rs.eof());
        QCOMPARE(rs.value(0), QString());
        QVERIFY(rs.movePrevious());
        QCOMPARE(rs.value(0), u"7003"_s);
        QVERIFY(rs.moveFirst());
        QVERIFY(!rs.movePrevious());
        QVERIFY(rs.bof() && !rs.eof());
        QVERIFY(rs.moveNext());
        QCOMPARE(rs.position(), 0);
        QVERIFY(rs.moveLast());
        QCOMPARE(rs.value(0), u"7003"_s);
        QCOMPARE(rs.value(4), u"4"_s);
        QCOMPARE(rs.value(7), QString()); // empty red cell
        QCOMPARE(rs.value(34), u"1"_s);
        QCOMPARE(rs.value(99), QString());
    }

    void theProgramsQueryTextsRunUnchanged() {
        addDraw(7018, {1, 5, 12, 20, 27, 33}, 8);
        const QList<std::pair<QString, int>> queries{
            {u"select* from kjhm order by 期号 "_s, 50},
            {u"select* from kjhm  "_s, 50},
            {u"select* from kjhm  where 期号 =7018"_s, 50},
            {u"select* from kjdm order by 期号 "_s, 63},
            {u"select* from kjzb order by 期号 "_s, 44},
            {u"select *from lqtjbc order by 编号 "_s, 2},
            {u"select 期号,L1,L2,L3,L4,L5,L6,L7,L8,L9,L10,L11,L12,L13,L14,L15,L16 from kjhm order by 期号 "_s, 17},
            {u"select 期号,蓝大小,蓝单双, 蓝代大号,蓝代奇号,蓝代质数,蓝代和值,蓝代积值,蓝代跨度,蓝代连号 from kjzb order by 期号 "_s, 10},
            {u"select * from rlhtx order by 序号"_s, 6},
            {u"select* from rhmtx order by 遗漏期数 "_s, 6},
            {u"select* from hmbc where 编号>=1 and 编号<=150"_s, 6},
        };
        for (const auto& [text, columns] : queries) {
            RecordSet rs(m_temp->connection());
            QString error;
            QVERIFY2(rs.open(text, &error), qPrintable(text + u": "_s + error));
            QCOMPARE(rs.columnCount(), columns);
            QVERIFY2(rs.isWritable(), qPrintable(text));
        }
        RecordSet one(m_temp->connection());
        QVERIFY(one.open(u"select* from kjhm  where 期号 =7018"_s));
        QCOMPARE(one.recordCount(), 1);
        QCOMPARE(one.value(5), u"5"_s);
        QVERIFY(one.open(u"select 期号,L1,L2,L3,L4,L5,L6,L7,L8,L9,L10,L11,L12,L13,L14,L15,L16 from kjhm order by 期号 "_s));
        QCOMPARE(one.value(8), u"8"_s);
    }

    void onlyOneTableQueriesAreWritable() {
        QCOMPARE(ssq::writableForm(u"select* from kjhm order by 期号 "_s)->table, u"kjhm"_s);
        QCOMPARE(ssq::writableForm(u"select *from lqtjbc"_s)->table, u"lqtjbc"_s);
        for (const QString& text : {u"select count(*) from kjhm"_s, u"select distinct 期号 from kjhm"_s,
                                    u"select * from kjhm, kjdm"_s,
                                    u"select * from kjhm where 期号 in (select 期号 from kjdm)"_s,
                                    u"delete from kjhm"_s}) {
            QVERIFY2(!ssq::writableForm(text), qPrintable(text));
        }
        addDraw(7001, {1, 2, 3, 4, 5, 6}, 1);
        RecordSet rs(m_temp->connection());
        QVERIFY(rs.open(u"select count(*) from kjhm"_s));
        QCOMPARE(rs.value(0), u"1"_s);
        rs.setValue(0, u"5"_s);
        QVERIFY(!rs.update());
        QVERIFY(!rs.remove());
        QCOMPARE(stored(u"select count(*) from kjhm"_s).toInt(), 1);
    }

    void writesAreStoredWithNumericAffinity() {
        RecordSet rs(m_temp->connection());
        QVERIFY(rs.open(u"select* from kjdm order by 期号 "_s));
        rs.addNew();
        rs.setValue(0, u"7018"_s);
        rs.setValue(1, u"0"_s);   // 百万0 holds the digit 0
        rs.setValue(54, u"1"_s);  // 个位1
        QVERIFY(rs.update());
        QCOMPARE(stored(u"select typeof(期号) from kjdm"_s).toString(), u"integer"_s);
        QCOMPARE(stored(u"select typeof(百万0) || typeof(百万1) from kjdm"_s).toString(), u"integernull"_s);

        QVERIFY(rs.requery());
        QCOMPARE(rs.recordCount(), 1);
        QCOMPARE(rs.value(1), u"0"_s);    // a stored digit 0
        QCOMPARE(rs.value(2), QString()); // an empty cell
        QCOMPARE(rs.value(54), u"1"_s);

        // Rewriting a cell to "" empties it; untouched cells keep their values.
        rs.setValue(1, QString());
        rs.setValue(0, u"07019"_s);
        QVERIFY(rs.update());
        QCOMPARE(rs.value(0), u"7019"_s); // read back as stored
        QCOMPARE(stored(u"select 百万0 is null from kjdm"_s).toInt(), 1);
        QCOMPARE(stored(u"select 个位1 from kjdm"_s).toInt(), 1);

        RecordSet texts(m_temp->connection());
        QVERIFY(texts.open(u"select* from kjzb order by 期号 "_s));
        texts.addNew();
        texts.setValue(0, u"7001"_s);
        texts.setValue(1, u"1 2 3 4 5 6 +1"_s);
        texts.setValue(2, u"0000001"_s);
        texts.setValue(25, u"-17"_s);
        QVERIFY(texts.update());
        QVERIFY(texts.requery());
        QCOMPARE(texts.value(2), u"0000001"_s); // a text column keeps leading zeros
        QCOMPARE(texts.value(25), u"-17"_s);
    }

    void movingOffAChangedRowStoresIt() {
        ssq::Transaction t(m_temp->connection());
        RecordSet rs(m_temp->connection());
        QVERIFY(rs.open(u"select* from rhmtx order by 序号 "_s));
        for (int p = 1; p <= 528; ++p) {
            rs.setValue(3, QString::number(p % 7));
            rs.setValue(5, u"28%"_s);
            rs.moveNext();
        }
        QVERIFY(rs.eof());
        QVERIFY(rs.update());
        QVERIFY(t.commit());
        QCOMPARE(stored(u"select sum(累计开出) from rhmtx"_s).toInt(), 75 * 21 + 1 + 2 + 3);
        QCOMPARE(stored(u"select 遗漏比 from rhmtx where 序号 = 528"_s).toString(), u"28%"_s);
        QCOMPARE(stored(u"select count(*) from rhmtx"_s).toInt(), 528);
    }

    void removeThenMoveNextGoesToTheFollowingRow() {
        // Saving results keeps hmbc's first row and deletes every other one this way.
        RecordSet rs(m_temp->connection());
        QVERIFY(rs.open(u"select* from hmbc order by 编号 "_s));
        for (int k = 0; k < 3; ++k) {
            rs.addNew();
            rs.setValue(0, QString::number(1 + 5 * k));
            rs.setValue(1, u"1 2 3 4 5 6"_s);
        }
        QVERIFY(rs.update());
        QVERIFY(rs.requery());
        QCOMPARE(rs.recordCount(), 4);
        for (int k = 1; k < 4; ++k) {
            rs.moveFirst();
            rs.moveNext();
            QVERIFY(rs.remove());
            QCOMPARE(rs.position(), -1);
            QVERIFY(rs.update());
        }
        QCOMPARE(rs.recordCount(), 1);
        QCOMPARE(stored(u"select count(*) from hmbc"_s).toInt(), 1);
        QCOMPARE(stored(u"select 编号 from hmbc"_s).toInt(), 0);

        addDraw(7001, {1, 2, 3, 4, 5, 6}, 1);
        addDraw(7002, {1, 2, 3, 4, 5, 7}, 1);
        addDraw(7003, {1, 2, 3, 4, 5, 8}, 1);
        QVERIFY(rs.open(u"select* from kjhm order by 期号 "_s));
        rs.moveNext();
        QVERIFY(rs.remove());
        QVERIFY(rs.moveNext());
        QCOMPARE(rs.value(0), u"7003"_s);
        QVERIFY(rs.movePrevious());
        QCOMPARE(rs.value(0), u"7001"_s);
    }

    void transactionRollsBackUnlessCommitted() {
        {
            ssq::Transaction t(m_temp->connection());
            QVERIFY(t.active());
            addDraw(7001, {1, 2, 3, 4, 5, 6}, 1);
            addDraw(7002, {1, 2, 3, 4, 5, 7}, 1);
        }
        QCOMPARE(stored(u"select count(*) from kjhm"_s).toInt(), 0);
        {
            ssq::Transaction t(m_temp->connection());
            addDraw(7001, {1, 2, 3, 4, 5, 6}, 1);
            QVERIFY(t.commit());
            QVERIFY(!t.active());
        }
        QCOMPARE(stored(u"select count(*) from kjhm"_s).toInt(), 1);
    }

    void failedWriteIsReported() {
        QSqlQuery q(m_temp->connection());
        QVERIFY(q.exec(u"CREATE TRIGGER refuse BEFORE INSERT ON kjhm BEGIN SELECT RAISE(ABORT, 'refused'); END"_s));
        RecordSet rs(m_temp->connection());
        QVERIFY(rs.open(u"select* from kjhm  "_s));
        rs.addNew();
        rs.setValue(0, u"7001"_s);
        QString error;
        QVERIFY(!rs.update(&error));
        QVERIFY(error.contains(u"refused"_s));
        QCOMPARE(rs.lastError(), error);
    }
};

QTEST_GUILESS_MAIN(TestRecordSet)
#include "test_record_set.moc"
