// The last-draw row: converting six typed numbers to the red code, and reading the newest draw of
// the history.

#include "red/last_draw_row.h"
#include "support/temp_database.h"

#include <QSqlQuery>
#include <QTest>

using namespace ssq;
using namespace Qt::StringLiterals;

class TestLastDrawRow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The six boxes separated by "|"; the code, or what happens instead.
    void converts_data() {
        QTest::addColumn<QString>("boxes");
        QTest::addColumn<QString>("code");
        QTest::newRow("first") << u"1|2|3|4|5|6"_s << u"0000001"_s;
        QTest::newRow("last") << u"28|29|30|31|32|33"_s << u"1107568"_s;
        QTest::newRow("end of the first block") << u"1|2|3|4|5|33"_s << u"0000028"_s;
        QTest::newRow("next block") << u"1|2|3|4|6|7"_s << u"0000029"_s;
        QTest::newRow("typical draw") << u"1|5|12|20|27|33"_s << u"0096810"_s;
        QTest::newRow("leading numbers, half to even") << u" 1|2号|2.6|4.4|5|6.5"_s << u"0000001"_s;
        QTest::newRow("equal neighbours") << u"5|5|6|7|8|9"_s << u"ascending"_s;
        QTest::newRow("empty last box") << u"1|2|3|4|5|"_s << u"ascending"_s;
        QTest::newRow("rounds to equal") << u"1|2|3|4|4.5|6"_s << u"ascending"_s;
        QTest::newRow("zero") << u"0|1|2|3|4|5"_s << u"ignored"_s;
        QTest::newRow("34") << u"1|2|3|4|5|34"_s << u"ignored"_s;
        QTest::newRow("no byte, before the order") << u"300|1|2|3|4|5"_s << u"ignored"_s;
        QTest::newRow("rounds to 256") << u"1|2|3|4|5|255.5"_s << u"ignored"_s;
    }

    void converts() {
        QFETCH(QString, boxes);
        QFETCH(QString, code);
        const QStringList t = boxes.split(u'|');
        const CodeConversion c = convertToCode({t[0], t[1], t[2], t[3], t[4], t[5]});
        using enum CodeConversion::Outcome;
        QCOMPARE(c.outcome == Ignored        ? u"ignored"_s
                 : c.outcome == NotAscending ? u"ascending"_s
                                             : c.codeText,
                 code);
        if (c.outcome == Converted) {
            QCOMPARE(QStringList(c.digits.begin(), c.digits.end()).join(QString()), code);
            QCOMPARE(c.code, code.toInt());
        }
    }

    void newestDraw() {
        test::TempDatabase temp;
        QVERIFY2(temp.isValid(), qPrintable(temp.error()));
        NewestDraw draw = readNewestDraw(temp.connection());
        QVERIFY(!draw.ok && draw.values.isEmpty());
        QCOMPARE(draw.error, u"开奖号码表中还没有开奖记录，无法自动输入上期号。"
                             u"请先通过菜单“数据操作”添加或导入开奖数据。"_s);
        // Entered out of order; the newest is the highest issue.
        QSqlQuery q(temp.connection());
        QVERIFY(q.exec(
            u"insert into kjhm (期号, H2, H4, H13, H20, H27, H33, L9) values (7001, 2, 4, 13, 20, 27, 33, 9)"_s));
        QVERIFY(q.exec(
            u"insert into kjhm (期号, H1, H5, H12, H20, H27, H33, L16) values (7003, 1, 5, 12, 20, 27, 33, 16)"_s));
        QVERIFY(q.exec(
            u"insert into kjhm (期号, H3, H8, H11, H19, H24, H30, L1) values (7002, 3, 8, 11, 19, 24, 30, 1)"_s));
        draw = readNewestDraw(temp.connection());
        QVERIFY2(draw.ok, qPrintable(draw.error));
        QCOMPARE(draw.values.join(u' '), u"1 5 12 20 27 33 16"_s);
        // A row edited by hand may hold extra cells: only the first seven drawn values are taken.
        QVERIFY(q.exec(
            u"insert into kjhm (期号, H1, H2, H3, H4, H5, H6, H7, L3, L4) values (7004, 1, 2, 3, 4, 5, 6, 7, 3, 4)"_s));
        QCOMPARE(readNewestDraw(temp.connection()).values.join(u' '), u"1 2 3 4 5 6 7"_s);
    }
};

QTEST_GUILESS_MAIN(TestLastDrawRow)
#include "test_last_draw_row.moc"
