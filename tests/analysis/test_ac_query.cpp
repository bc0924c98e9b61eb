// The AC values of the last-draw row, and the rows the query refuses.

#include "analysis/ac_query.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

using Reds = std::array<QString, 6>;
using Digits = std::array<QString, 7>;

Reds reds(const QStringList& texts) {
    Reds r;
    for (int i = 0; i < 6; ++i)
        r[i] = texts.value(i);
    return r;
}

Digits digits(const QString& sevenDigits) {
    Digits d;
    for (int i = 0; i < 7; ++i)
        d[i] = sevenDigits.mid(i, 1);
    return d;
}

} // namespace

class TestAcQuery : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void redAndCodeAc_data();
    void redAndCodeAc();
    void unfilledCodeDigitsGiveOne();
    void codeDigitOddities();
    void refusesRow_data();
    void refusesRow();
    void messageTexts();
};

void TestAcQuery::redAndCodeAc_data() {
    QTest::addColumn<QStringList>("red");
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("redAc");
    QTest::addColumn<int>("codeAc");
    QTest::newRow("1..6, differences 1..5")
        << QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s} << u"0000001"_s << 5 << 2;
    QTest::newRow("all differences distinct")
        << QStringList{u"1"_s, u"2"_s, u"4"_s, u"8"_s, u"16"_s, u"32"_s} << u"0005277"_s << 15 << 5;
    // The repeated 5 gives a difference 0, which is not counted: {2,4,6,8} and their sums.
    QTest::newRow("repeated number")
        << QStringList{u"5"_s, u"5"_s, u"7"_s, u"9"_s, u"11"_s, u"13"_s} << u"0012345"_s << 4 << 6;
    QTest::newRow("seven equal digits")
        << QStringList{u"1"_s, u"5"_s, u"12"_s, u"20"_s, u"27"_s, u"33"_s} << u"7777777"_s << 13
        << 1;
    // Numbers beyond the red balls: differences above 32 are outside the counted range.
    QTest::newRow("255 allowed, far differences uncounted")
        << QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"255"_s} << u"0000000"_s << 4 << 1;
    QTest::newRow("leading-number reading")
        << QStringList{u" 1"_s, u"2x"_s, u"4.4"_s, u"8"_s, u"16"_s, u"32abc"_s} << u"0005277"_s
        << 15 << 5;
}

void TestAcQuery::redAndCodeAc() {
    QFETCH(QStringList, red);
    QFETCH(QString, code);
    QFETCH(int, redAc);
    QFETCH(int, codeAc);
    const ssq::AcQueryResult result = ssq::acQuery(reds(red), digits(code));
    QVERIFY2(result.ok, qPrintable(result.error));
    QCOMPARE(result.redAc, redAc);
    QCOMPARE(result.codeAc, codeAc);
}

void TestAcQuery::unfilledCodeDigitsGiveOne() {
    const ssq::AcQueryResult result =
        ssq::acQuery(reds({u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s}), Digits{});
    QVERIFY(result.ok);
    QCOMPARE(result.codeAc, 1);
}

void TestAcQuery::codeDigitOddities() {
    const Reds row = reds({u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s});
    // 2.5 − 0 rounds half to even (2), 2.5 − 2.5 is 0: differences {0, 2}.
    Digits halves = {u"0"_s, u"2.5"_s, u"2.5"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s};
    QCOMPARE(ssq::acQuery(row, halves).codeAc, 2);
    // A difference far beyond 16 bits is simply not a digit difference.
    Digits huge = {u"99999999"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s};
    const ssq::AcQueryResult result = ssq::acQuery(row, huge);
    QVERIFY(result.ok);
    QCOMPARE(result.codeAc, 1);
}

void TestAcQuery::refusesRow_data() {
    QTest::addColumn<QStringList>("red");
    QTest::addColumn<QString>("error");
    const QString order = u"请在上期开奖号输入区按从小到大的顺序填好六个红球号码，再查询AC值"_s;
    const QString range = u"上期开奖号输入区的红球号码必须在0到255之间，请改正后再查询AC值"_s;
    QTest::newRow("empty last box")
        << QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u""_s} << order;
    QTest::newRow("descending") << QStringList{u"6"_s, u"5"_s, u"4"_s, u"3"_s, u"2"_s, u"1"_s}
                                << order;
    QTest::newRow("above 255") << QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"256"_s}
                               << range;
    QTest::newRow("rounds above 255")
        << QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"255.6"_s} << range;
    QTest::newRow("negative") << QStringList{u"-1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s}
                              << range;
    QTest::newRow("empty row") << QStringList{} << u""_s;
}

void TestAcQuery::refusesRow() {
    QFETCH(QStringList, red);
    QFETCH(QString, error);
    const ssq::AcQueryResult result = ssq::acQuery(reds(red), digits(u"0012345"_s));
    if (error.isEmpty()) {
        // Six zeros are ascending (each not below the one before): no difference counts.
        QVERIFY(result.ok);
        QCOMPARE(result.redAc, 0);
        return;
    }
    QVERIFY(!result.ok);
    QCOMPARE(result.error, error);
}

void TestAcQuery::messageTexts() {
    QCOMPARE(ssq::redAcMessage(15), u"常规AC值为15"_s);
    QCOMPARE(ssq::codeAcMessage(6), u"代码AC值为6"_s);
}

QTEST_APPLESS_MAIN(TestAcQuery)
#include "test_ac_query.moc"
