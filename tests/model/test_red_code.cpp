#include "model/red_code.h"

#include <QTest>

using namespace ssq;
using namespace Qt::StringLiterals;

class TestRedCode : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Every combination in the order that defines the code, both directions.
    void codeFollowsEnumerationOrder() {
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

    // Leading zeros and the last code, as digits.
    void codeDigitsText() {
        for (const auto& [red, code] : {std::pair{RedCombo{1, 2, 6, 11, 25, 31}, "0012345"},
                                        {RedCombo{28, 29, 30, 31, 32, 33}, "1107568"}}) {
            const CodeDigits digits = codeDigits(redCode(red));
            QCOMPARE(digits.text(), std::string(code));
            for (int i = 0; i < 7; ++i)
                QCOMPARE(digits.d[i], code[i] - '0');
        }
    }

    // Combinations that are not six ascending numbers of 1..33 have no code, and codes outside
    // 1..1107568 no combination.
    void outsideTheRange() {
        for (const RedCombo& red : {RedCombo{5, 5, 6, 7, 8, 9}, RedCombo{6, 5, 4, 3, 2, 1},
                                    RedCombo{0, 2, 3, 4, 5, 6}, RedCombo{1, 2, 3, 4, 5, 34}})
            QVERIFY(!isValidCombo(red) && redCode(red) == 0);
        for (int code : {0, -1, kComboCount + 1})
            QCOMPARE(comboOfCode(code), RedCombo{});
        QCOMPARE(comboText({1, 5, 12, 20, 27, 33}), std::string("1 5 12 20 27 33"));
    }

    // "blue:code", the code being c1 then c2, 0 when the number has none.
    void blueCodes() {
        for (const QString& expected : u"1:11 4:14 5:21 8:24 9:31 16:44 0:0 17:0"_s.split(u' ')) {
            const int blue = expected.section(u':', 0, 0).toInt();
            const BlueCode code = blueCode(blue);
            QCOMPARE(u"%1:%2"_s.arg(blue).arg(code.c1 * 10 + code.c2), expected);
        }
    }
};

QTEST_APPLESS_MAIN(TestRedCode)
#include "test_red_code.moc"
