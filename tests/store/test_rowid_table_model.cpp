// The editable model of manual modify: every edit and every deleted row reaches the file, and
// only the row that was touched.

#include "store/draw_entry.h"
#include "store/rowid_table_model.h"
#include "support/draw_tables.h"
#include "support/temp_database.h"

#include <QAbstractItemModelTester>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace ssq;
using ssq::test::tableRows;
using ssq::test::TempDatabase;

class TestRowidTableModel : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void editsAndDeletesReachTheFile() {
        TempDatabase temp;
        QVERIFY(addDraw(temp.connection(), {7001, {1, 2, 3, 4, 5, 6}, 1}).written);
        QVERIFY(addDraw(temp.connection(), {7002, {2, 3, 4, 5, 6, 7}, 2}).written);
        QVERIFY(addDraw(temp.connection(), {7002, {2, 3, 4, 5, 6, 7}, 2}).written); // twice

        RowidTableModel model(temp.connection(), u"kjzb"_s);
        QAbstractItemModelTester tester(&model);
        QVERIFY(model.select());
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.tableColumnCount(), 44);
        QVERIFY(!(model.flags(model.index(0, 44)) & Qt::ItemIsEditable));

        // Correct the sum of the second draw by hand: the identical third row keeps its value.
        QVERIFY(model.setData(model.index(1, 3), 99));
        QList<QVariantList> rows = tableRows(temp.connection(), u"kjzb"_s);
        QCOMPARE(rows[1][3].toInt(), 99);
        QCOMPARE(rows[2][3].toInt(), 27);
        QCOMPARE(model.data(model.index(1, 3)).toInt(), 99);

        // Deleting one of two identical rows deletes one.
        RowidTableModel numbers(temp.connection(), u"kjhm"_s);
        QVERIFY(numbers.select());
        QVERIFY(numbers.removeRow(2));
        QCOMPARE(tableRows(temp.connection(), u"kjhm"_s).size(), 2);
        QVERIFY(numbers.select());
        QCOMPARE(numbers.rowCount(), 2);

        // An edited issue moves the row in issue order.
        QVERIFY(numbers.setData(numbers.index(0, 0), u"7005"_s));
        rows = tableRows(temp.connection(), u"kjhm"_s);
        QCOMPARE(rows[1][0].toInt(), 7005);
    }
};

QTEST_GUILESS_MAIN(TestRowidTableModel)
#include "test_rowid_table_model.moc"
