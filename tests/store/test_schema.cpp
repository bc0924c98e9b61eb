// A new database file: its tables, column positions and the rows it ships with.

#include "store/record_set.h"
#include "store/schema.h"
#include "support/temp_database.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

using namespace Qt::StringLiterals;
using ssq::RecordSet;
using ssq::test::TempDatabase;

class TestSchema : public QObject {
    Q_OBJECT

private:
    TempDatabase* m_temp = nullptr;

    QStringList columns(const QString& table) {
        const QSqlRecord r = m_temp->connection().record(table);
        QStringList names;
        for (int i = 0; i < r.count(); ++i)
            names.append(r.fieldName(i));
        return names;
    }

private Q_SLOTS:
    void init() {
        m_temp = new TempDatabase;
        QVERIFY2(m_temp->isValid(), qPrintable(m_temp->error()));
    }
    void cleanup() { delete m_temp; }

    void drawTablesHaveTheirColumnsInPlace() {
        const QStringList kjhm = columns(u"kjhm"_s);
        QCOMPARE(kjhm.size(), 50);
        QCOMPARE(kjhm[0], u"期号"_s);
        QCOMPARE(kjhm[1], u"H1"_s);
        QCOMPARE(kjhm[33], u"H33"_s);
        QCOMPARE(kjhm[34], u"L1"_s);
        QCOMPARE(kjhm[49], u"L16"_s);

        const QStringList kjdm = columns(u"kjdm"_s);
        QCOMPARE(kjdm.size(), 63);
        QCOMPARE(kjdm[1], u"百万0"_s);
        QCOMPARE(kjdm[2], u"百万1"_s);
        QCOMPARE(kjdm[3], u"十万0"_s);
        QCOMPARE(kjdm[13], u"万位0"_s);
        QCOMPARE(kjdm[23], u"千位0"_s);
        QCOMPARE(kjdm[33], u"百位0"_s);
        QCOMPARE(kjdm[43], u"十位0"_s);
        QCOMPARE(kjdm[53], u"个位0"_s);
        QCOMPARE(kjdm[62], u"个位9"_s);

        const QStringList kjzb = columns(u"kjzb"_s);
        QCOMPARE(kjzb.size(), 44);
        const QList<std::pair<int, QString>> named{
            {0, u"期号"_s},   {1, u"号码文本"_s}, {2, u"代码文本"_s}, {3, u"和值"_s},
            {4, u"AC值"_s},   {20, u"代AC值"_s},  {24, u"跨度"_s},    {25, u"冷热值"_s},
            {28, u"热号"_s},  {29, u"冷热1"_s},   {34, u"冷热6"_s},   {35, u"蓝大小"_s},
            {36, u"蓝单双"_s}, {39, u"蓝代质数"_s}, {43, u"蓝代连号"_s}};
        for (const auto& [pos, name] : named)
            QCOMPARE(kjzb[pos], name);
    }

    void drawTablesStartEmpty() {
        for (const QString& t : {u"kjhm"_s, u"kjdm"_s, u"kjzb"_s}) {
            RecordSet rs(m_temp->connection());
            QVERIFY(rs.open(u"select* from %1 order by 期号 "_s.arg(t)));
            QCOMPARE(rs.recordCount(), 0);
        }
    }

    void shippedRows() {
        RecordSet rs(m_temp->connection());
        QVERIFY(rs.open(u"select* from tjbc order by 编号 "_s));
        QCOMPARE(rs.recordCount(), 157);
        QCOMPARE(rs.columnCount(), 3);
        rs.moveLast();
        QCOMPARE(rs.value(0), u"157"_s);
        QCOMPARE(rs.value(2), QString());

        QVERIFY(rs.open(u"select* from hmbc order by 编号 "_s));
        QCOMPARE(rs.recordCount(), 1);
        QCOMPARE(rs.columnCount(), 6);
        QVERIFY(rs.value(0).toInt() % 5 != 1); // never one of the saved rows' 1, 6, 11, ...

        QVERIFY(rs.open(u"select *from lqtjbc order by 编号 "_s));
        QCOMPARE(rs.recordCount(), 31);
        rs.moveLast();
        QCOMPARE(rs.value(0), u"31"_s);

        QVERIFY(rs.open(u"select* from hmtx order by 序号 "_s));
        QCOMPARE(rs.recordCount(), 5);
        QCOMPARE(rs.columnCount(), 35);
        QCOMPARE(rs.value(1), u"历史累计开出次数"_s);
        for (int r = 1; r <= 5; ++r, rs.moveNext()) {
            QCOMPARE(rs.value(0).toInt(), r);
            QVERIFY(!rs.value(1).isEmpty());
        }

        QVERIFY(rs.open(u"select* from rhmtx order by 序号 "_s));
        QCOMPARE(rs.recordCount(), 528);
        QCOMPARE(rs.value(1), u"01-02"_s);
        rs.moveNext();
        QCOMPARE(rs.value(1), u"01-03"_s);
        rs.moveLast();
        QCOMPARE(rs.value(0), u"528"_s);
        QCOMPARE(rs.value(1), u"32-33"_s);
        QCOMPARE(rs.columnName(3), u"累计开出"_s);
        QCOMPARE(rs.columnName(4), u"遗漏期数"_s);

        QVERIFY(rs.open(u"select * from rlhtx order by 序号"_s));
        QCOMPARE(rs.recordCount(), 32);
        QCOMPARE(rs.value(1), u"01-02"_s);
        rs.moveLast();
        QCOMPARE(rs.value(1), u"32-33"_s);

        QVERIFY(rs.open(u"select* from lqtx order by 序号 "_s));
        QCOMPARE(rs.recordCount(), 4);
        QCOMPARE(rs.columnCount(), 18);
    }

    void carriesItsSchemaVersion() {
        QSqlQuery q(m_temp->connection());
        QVERIFY(q.exec(u"PRAGMA user_version"_s) && q.next());
        QCOMPARE(q.value(0).toInt(), ssq::schema::kVersion);
    }

    void reopensAfterClose() {
        {
            RecordSet rs(m_temp->connection());
            QVERIFY(rs.open(u"select* from kjhm  "_s));
            rs.addNew();
            rs.setValue(0, u"7001"_s);
            QVERIFY(rs.update());
        }

        ssq::Database& db = m_temp->database();
        db.close();
        QVERIFY(!db.isOpen());
        QString error;
        QVERIFY2(db.open(&error), qPrintable(error));
        RecordSet again(db.connection());
        QVERIFY(again.open(u"select* from kjhm order by 期号 "_s));
        QCOMPARE(again.recordCount(), 1);
        QCOMPARE(again.value(0), u"7001"_s);
    }

    void twoDatabasesOnOneFileUseTheirOwnConnections() {
        ssq::Database second(m_temp->path());
        QString error;
        QVERIFY2(second.open(&error), qPrintable(error));
        QVERIFY(second.connection().connectionName() != m_temp->connection().connectionName());
        second.close();
        QVERIFY(m_temp->database().isOpen());
    }
};

QTEST_GUILESS_MAIN(TestSchema)
#include "test_schema.moc"
