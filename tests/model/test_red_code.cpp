#include "model/red_code.h"

#include <QTest>

using namespace ssq;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(ssq::RedCombo)

class TestRedCode : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void codeFollowsEnumerationOrder();
    void knownCodes_data();
    void knownCodes();
    void invalidCombinations_data();
    void invalidCombinations();
    void codesOutsideRangeHaveNoCombination();
    void codeDigitsKeepLeadingZeros();
    void blueCodes_data();
    void blueCodes();
    void comboTextIsBlankSeparated();
};

// Walks all combinations in the order that defines the code and checks both directions.
void TestRedCode::codeFollowsEnumerationOrder() {
    int expected = 0;
    int mismatches = 0;
    for (int a = 1; a <= 28; ++a)
        for (int b = a + 1; b <= 29; ++b)
            for (int c = b + 1; c <= 30; ++c)
                for (int d = c + 1; d <= 31; ++d)
                    for (int e = d + 1; e <= 32; ++e)
                        for (int f = e + 1; f <= 33; ++f) {
                            ++expected;
                            const RedCombo red{a, b, c, d, e, f};
                            if (redCode(red) != expected || comboOfCode(expected) != red)
                                ++mismatches;
                        }
    QCOMPARE(expected, kComboCount);
    QCOMPARE(mismatches, 0);
}

void TestRedCode::knownCodes_data() {
    QTest::addColumn<RedCombo>("red");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text");
    QTest::newRow("first") << RedCombo{1, 2, 3, 4, 5, 6} << 1 << u"0000001"_s;
    QTest::newRow("second") << RedCombo{1, 2, 3, 4, 5, 7} << 2 << u"0000002"_s;
    QTest::newRow("last of the first run") << RedCombo{1, 2, 3, 4, 5, 33} << 28 << u"0000028"_s;
    QTest::newRow("fifth number moves") << RedCombo{1, 2, 3, 4, 6, 7} << 29 << u"0000029"_s;
    QTest::newRow("last") << RedCombo{28, 29, 30, 31, 32, 33} << 1107568 << u"1107568"_s;
}

void TestRedCode::knownCodes() {
    QFETCH(RedCombo, red);
    QFETCH(int, code);
    QFETCH(QString, text);
    QCOMPARE(redCode(red), code);
    QCOMPARE(QString::fromStdString(codeDigits(code).text()), text);
}

void TestRedCode::invalidCombinations_data() {
    QTest::addColumn<RedCombo>("red");
    QTest::newRow("equal neighbours") << RedCombo{5, 5, 6, 7, 8, 9};
    QTest::newRow("descending") << RedCombo{6, 5, 4, 3, 2, 1};
    QTest::newRow("zero") << RedCombo{0, 2, 3, 4, 5, 6};
    QTest::newRow("above 33") << RedCombo{1, 2, 3, 4, 5, 34};
    QTest::newRow("byte-sized") << RedCombo{1, 2, 3, 4, 5, 255};
    QTest::newRow("negative") << RedCombo{-3, 2, 3, 4, 5, 6};
}

void TestRedCode::invalidCombinations() {
    QFETCH(RedCombo, red);
    QVERIFY(!isValidCombo(red));
    QCOMPARE(redCode(red), 0);
}

void TestRedCode::codesOutsideRangeHaveNoCombination() {
    for (int code : {0, -1, kComboCount + 1})
        QCOMPARE(comboOfCode(code), RedCombo{});
}

void TestRedCode::codeDigitsKeepLeadingZeros() {
    const CodeDigits c = codeDigits(12345);
    QCOMPARE(c.text(), std::string("0012345"));
    QCOMPARE(c.d, (std::array<int, 7>{0, 0, 1, 2, 3, 4, 5}));
    QCOMPARE(codeDigits(1000000).d, (std::array<int, 7>{1, 0, 0, 0, 0, 0, 0}));
}

void TestRedCode::blueCodes_data() {
    QTest::addColumn<int>("blue");
    QTest::addColumn<int>("c1");
    QTest::addColumn<int>("c2");
    QTest::newRow("1") << 1 << 1 << 1;
    QTest::newRow("4 ends the first row") << 4 << 1 << 4;
    QTest::newRow("5 starts the second") << 5 << 2 << 1;
    QTest::newRow("8") << 8 << 2 << 4;
    QTest::newRow("9") << 9 << 3 << 1;
    QTest::newRow("16") << 16 << 4 << 4;
    QTest::newRow("0 has no code") << 0 << 0 << 0;
    QTest::newRow("17 has no code") << 17 << 0 << 0;
}

void TestRedCode::blueCodes() {
    QFETCH(int, blue);
    QFETCH(int, c1);
    QFETCH(int, c2);
    const BlueCode code = blueCode(blue);
    QCOMPARE(code.c1, c1);
    QCOMPARE(code.c2, c2);
}

void TestRedCode::comboTextIsBlankSeparated() {
    QCOMPARE(comboText({1, 5, 12, 20, 27, 33}), std::string("1 5 12 20 27 33"));
}

QTEST_APPLESS_MAIN(TestRedCode)
#include "test_red_code.moc"
