// The blue selection on plain controls: each condition alone, the tolerance rules, the strict
// list and the forced 0..0 range.

#include "blue/blue_controls_text.h"
#include "blue/blue_selection.h"

#include <QTest>

using namespace ssq;
using namespace Qt::StringLiterals;

namespace {

// The accepted numbers as "1 2 3".
QString accepted(const BlueSelectionResult& r) {
    QStringList numbers;
    for (int i = 1; i <= r.count; ++i)
        numbers.append(r.slots[i]);
    return numbers.join(u' ');
}

} // namespace

class TestBlueSelection : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void oneCondition_data() {
        QTest::addColumn<QString>("controls");
        QTest::addColumn<QString>("expected");
        const QString all = u"1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16"_s;
        QTest::newRow("nothing ticked") << u""_s << all;
        QTest::newRow("1 eliminated, 0 never eliminates")
            << u"c3 t1=5 t2=0 t3=_7x t4=16.5"_s << u"1 2 3 4 6 8 9 10 11 12 13 14 15 16"_s;
        QTest::newRow("2 small") << u"c1 o1"_s << u"1 2 3 4 5 6 7 8"_s;
        QTest::newRow("3 odd") << u"c2 c13"_s << u"1 3 5 7 9 11 13 15"_s;
        QTest::newRow("3 both") << u"c2 c13 c14"_s << u""_s;
        QTest::newRow("4 one digit of 3..4") << u"c4 t11=1 t12=1"_s << u"3 4 7 8 9 10 13 14"_s;
        QTest::newRow("5 no odd digit") << u"c5 t13=0"_s << u"6 8 14 16"_s;
        QTest::newRow("6 two digits of 2..3") << u"c6 t15=2 t16=2"_s << u"6 7 10 11"_s;
        QTest::newRow("7 sum 3..4") << u"c7 t17=4 t18=3"_s << u"2 3 5 6 9"_s;
        QTest::newRow("7 decimal bound") << u"c7 t17=3.5"_s << u"1 2 5"_s;
        QTest::newRow("8 product 9..12") << u"c8 t19=12 t20=9"_s << u"11 12 15"_s;
        QTest::newRow("9 on Check10, empty bounds") << u"c10"_s << u"1 6 11 16"_s;
        QTest::newRow("10 on Check9, adjacent") << u"c9 c15"_s << u"2 5 7 10 12 15"_s;
    }
    void oneCondition() {
        QFETCH(QString, controls);
        QFETCH(QString, expected);
        BlueControls c = test::blueControls(controls);
        const BlueSelectionResult r = runBlueSelection(c);
        QVERIFY(r.ok);
        QCOMPARE(accepted(r), expected);
        for (int i = r.count + 1; i <= 16; ++i)
            QCOMPARE(r.slots[i], u"  "_s);
    }

    void tolerance_data() {
        QTest::addColumn<QString>("controls");
        QTest::addColumn<QString>("expected");
        // Conditions 2 (small) and 3 (odd): 1..8 odd fail none, 1..8 even and 9..16 odd one,
        // 9..16 even two.
        const QString two = u"c1 o1 c2 c13 "_s;
        QTest::newRow("exactly one") << two + u"c12 t27=1 t28=1"_s << u"2 4 6 8 9 11 13 15"_s;
        QTest::newRow("at least one")
            << two + u"c12 t27=2 t28=1"_s << u"2 4 6 8 9 10 11 12 13 14 15 16"_s;
        QTest::newRow("range typed but not ticked is forced to 0")
            << two + u"t27=2 t28=0"_s << u"1 3 5 7"_s;
        QTest::newRow("strict 2 keeps the small ones")
            << two + u"c11 t23=2 c12 t27=1"_s << u"1 2 3 4 5 6 7 8"_s;
        QTest::newRow("strict names an unticked condition")
            << u"c1 o1 c11 t23=3 c12 t27=1"_s << u"1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16"_s;
        QTest::newRow("strict list off ignores its boxes")
            << two + u"t23=2 c12 t27=1"_s << u"1 2 3 4 5 6 7 8 9 11 13 15"_s;
    }
    void tolerance() {
        QFETCH(QString, controls);
        QFETCH(QString, expected);
        BlueControls c = test::blueControls(controls);
        const BlueSelectionResult r = runBlueSelection(c);
        QVERIFY2(r.ok, qPrintable(r.message));
        QCOMPARE(accepted(r), expected);
    }

    // Everything off: all sixteen, and the range turned on at 0..0 for the player to see.
    void forcedRangeAndSummary() {
        BlueControls c;
        const BlueSelectionResult r = runBlueSelection(c);
        QCOMPARE(r.summary, u"符合条件的号码共有16注!"_s);
        BlueControls forced;
        forced.check[12] = 1;
        forced.text[27] = forced.text[28] = u"0"_s;
        QCOMPARE(c, forced);

        // A range the player ticked is left as typed.
        c = test::blueControls(u"c12 t27=3"_s);
        runBlueSelection(c);
        QCOMPARE(c, test::blueControls(u"c12 t27=3"_s));

        // No number gets past the strict list: the range is not touched.
        c = test::blueControls(u"c2 c13 c14 c11 t23=3 t27=5"_s);
        const BlueSelectionResult none = runBlueSelection(c);
        QCOMPARE(none.count, 0);
        QCOMPARE(none.summary, u"没有符合条件的号码,请重新设置条件!"_s);
        QCOMPARE(c, test::blueControls(u"c2 c13 c14 c11 t23=3 t27=5"_s));
    }

    void strictListRefusals() {
        for (const QString& value : {u"11"_s, u"10.6"_s, u"99999999999999999999999"_s}) {
            BlueControls c = test::blueControls(u"c11 t23=1 t25="_s + value);
            const BlueControls before = c;
            const BlueSelectionResult r = runBlueSelection(c);
            QVERIFY2(!r.ok && r.message.contains(u"第3个框"_s) && r.message.contains(value),
                     qPrintable(value));
            QCOMPARE(c, before);
        }
        BlueControls c = test::blueControls(u"c11 t23=-0.4 t24=abc"_s);
        QVERIFY(runBlueSelection(c).ok);
    }
};

QTEST_APPLESS_MAIN(TestBlueSelection)
#include "test_blue_selection.moc"
