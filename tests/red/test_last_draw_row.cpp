// The last-draw row: converting six typed numbers to the red code, and reading the newest
// draw of the history.

#include "red/last_draw_row.h"
#include "store/record_set.h"
#include "support/temp_database.h"

#include <QTest>

using namespace Qt::StringLiterals;
using Outcome = ssq::CodeConversion::Outcome;

namespace {

std::array<QString, 6> row(const QStringList& texts) {
    std::array<QString, 6> r;
    for (int i = 0; i < 6; ++i)
        r[i] = texts.value(i);
    return r;
}

// Appends one kjhm row the way draw entry stores a draw: each drawn number in its own column.
void addDraw(QSqlDatabase db, int issue, const QList<int>& reds, QList<int> blues) {
    ssq::RecordSet draws(db);
    QString error;
    QVERIFY2(draws.open(u"select* from kjhm order by 期号 "_s, &error), qPrintable(error));
    draws.addNew();
    draws.setValue(0, QString::number(issue));
    for (int r : reds)
        draws.setValue(r, QString::number(r));
    for (int b : blues)
        draws.setValue(33 + b, QString::number(b));
    QVERIFY2(draws.update(&error), qPrintable(error));
}

} // namespace

class TestLastDrawRow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void converts_data();
    void converts();
    void refuses_data();
    void refuses();
    void newestDrawIsHighestIssue();
    void newestDrawOfEmptyHistory();
    void newestDrawTakesAtMostSevenValues();
};

void TestLastDrawRow::converts_data() {
    QTest::addColumn<QStringList>("red");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("codeText");
    QTest::addColumn<QStringList>("digits");
    QTest::newRow("first") << QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s} << 1
                           << u"0000001"_s
                           << QStringList{u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"1"_s};
    QTest::newRow("last") << QStringList{u"28"_s, u"29"_s, u"30"_s, u"31"_s, u"32"_s, u"33"_s}
                          << 1107568 << u"1107568"_s
                          << QStringList{u"1"_s, u"1"_s, u"0"_s, u"7"_s, u"5"_s, u"6"_s, u"8"_s};
    QTest::newRow("last of the first block")
        << QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"33"_s} << 28 << u"0000028"_s
        << QStringList{u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"2"_s, u"8"_s};
    QTest::newRow("first of the next block")
        << QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"6"_s, u"7"_s} << 29 << u"0000029"_s
        << QStringList{u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"2"_s, u"9"_s};
    QTest::newRow("typical draw") << QStringList{u"1"_s, u"5"_s, u"12"_s, u"20"_s, u"27"_s, u"33"_s}
                                  << 96810 << u"0096810"_s
                                  << QStringList{u"0"_s, u"0"_s, u"9"_s, u"6"_s,
                                                 u"8"_s, u"1"_s, u"0"_s};
    // Each box is read by its leading number, rounded half to even into a byte.
    QTest::newRow("leading numbers and rounding")
        << QStringList{u" 1"_s, u"2号"_s, u"2.6"_s, u"4.4"_s, u"5"_s, u"6.5"_s} << 1 << u"0000001"_s
        << QStringList{u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"1"_s};
}

void TestLastDrawRow::converts() {
    QFETCH(QStringList, red);
    QFETCH(int, code);
    QFETCH(QString, codeText);
    QFETCH(QStringList, digits);
    const ssq::CodeConversion result = ssq::convertToCode(row(red));
    QCOMPARE(result.outcome, Outcome::Converted);
    QCOMPARE(result.code, code);
    QCOMPARE(result.codeText, codeText);
    QCOMPARE(QStringList(result.digits.begin(), result.digits.end()), digits);
}

void TestLastDrawRow::refuses_data() {
    QTest::addColumn<QStringList>("red");
    QTest::addColumn<Outcome>("outcome");
    QTest::newRow("equal neighbours")
        << QStringList{u"5"_s, u"5"_s, u"6"_s, u"7"_s, u"8"_s, u"9"_s} << Outcome::NotAscending;
    QTest::newRow("descending") << QStringList{u"6"_s, u"5"_s, u"4"_s, u"3"_s, u"2"_s, u"1"_s}
                                << Outcome::NotAscending;
    QTest::newRow("empty last box")
        << QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u""_s} << Outcome::NotAscending;
    QTest::newRow("rounds to equal")
        << QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"4.5"_s, u"6"_s} << Outcome::NotAscending;
    QTest::newRow("zero") << QStringList{u"0"_s, u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s}
                          << Outcome::Ignored;
    QTest::newRow("34") << QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"34"_s}
                        << Outcome::Ignored;
    QTest::newRow("255") << QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"255"_s}
                         << Outcome::Ignored;
    QTest::newRow("300") << QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"300"_s}
                         << Outcome::Ignored;
    // A value that is not a byte is refused before the order is looked at.
    QTest::newRow("300 first") << QStringList{u"300"_s, u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s}
                               << Outcome::Ignored;
    QTest::newRow("negative") << QStringList{u"-1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s}
                              << Outcome::Ignored;
    QTest::newRow("rounds to 256")
        << QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"255.5"_s} << Outcome::Ignored;
}

void TestLastDrawRow::refuses() {
    QFETCH(QStringList, red);
    QFETCH(Outcome, outcome);
    const ssq::CodeConversion result = ssq::convertToCode(row(red));
    QCOMPARE(result.outcome, outcome);
    QVERIFY(result.codeText.isEmpty());
    QCOMPARE(ssq::notAscendingMessage(), u"请按从小到大的顺序输入开奖号码"_s);
}

void TestLastDrawRow::newestDrawIsHighestIssue() {
    ssq::test::TempDatabase temp;
    QVERIFY2(temp.isValid(), qPrintable(temp.error()));
    addDraw(temp.connection(), 7001, {2, 4, 13, 20, 27, 33}, {9});
    addDraw(temp.connection(), 7003, {1, 5, 12, 20, 27, 33}, {16});
    addDraw(temp.connection(), 7002, {3, 8, 11, 19, 24, 30}, {1});

    const ssq::NewestDraw draw = ssq::readNewestDraw(temp.connection());
    QVERIFY2(draw.ok, qPrintable(draw.error));
    QCOMPARE(draw.values,
             (QStringList{u"1"_s, u"5"_s, u"12"_s, u"20"_s, u"27"_s, u"33"_s, u"16"_s}));
}

void TestLastDrawRow::newestDrawOfEmptyHistory() {
    ssq::test::TempDatabase temp;
    QVERIFY2(temp.isValid(), qPrintable(temp.error()));
    const ssq::NewestDraw draw = ssq::readNewestDraw(temp.connection());
    QVERIFY(!draw.ok);
    QVERIFY(draw.values.isEmpty());
    QCOMPARE(draw.error, u"开奖号码表中还没有开奖记录，无法自动输入上期号。"
                         u"请先通过菜单“数据操作”添加或导入开奖数据。"_s);
}

// A row edited by hand may hold extra cells: only the first seven drawn values are taken.
void TestLastDrawRow::newestDrawTakesAtMostSevenValues() {
    ssq::test::TempDatabase temp;
    QVERIFY2(temp.isValid(), qPrintable(temp.error()));
    addDraw(temp.connection(), 7001, {1, 2, 3, 4, 5, 6, 7}, {3, 4});
    QCOMPARE(ssq::readNewestDraw(temp.connection()).values,
             (QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s, u"7"_s}));

    addDraw(temp.connection(), 7002, {10, 20}, {});
    QCOMPARE(ssq::readNewestDraw(temp.connection()).values, (QStringList{u"10"_s, u"20"_s}));
}

QTEST_GUILESS_MAIN(TestLastDrawRow)
#include "test_last_draw_row.moc"
