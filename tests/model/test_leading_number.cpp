#include "model/leading_number.h"

#include <QTest>

#include <cmath>
#include <limits>
#include <string>

using namespace ssq;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr int kNone = std::numeric_limits<int>::min();

class TestLeadingNumber : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void leadingNumber_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("trailing letters") << QByteArray("12abc") << 12.0;
        QTest::newRow("leading blank and tab") << QByteArray(" \t7") << 7.0;
        QTest::newRow("signs and points") << QByteArray("-3.5x") << -3.5;
        QTest::newRow("no exponent") << QByteArray("1e5") << 1.0;
        QTest::newRow("second point ends it") << QByteArray("1.2.3") << 1.2;
        QTest::newRow("blank ends it") << QByteArray("0012 34") << 12.0;
        QTest::newRow("blank after sign") << QByteArray("- 5") << 0.0;
        QTest::newRow("full-width digits") << QByteArray("１２") << 0.0;
    }
    void leadingNumber() {
        QFETCH(QByteArray, text);
        QFETCH(double, value);
        QCOMPARE(ssq::leadingNumber(std::string_view(text.constData(), text.size())), value);
    }

    void hugeAndTinyNumbers() {
        QCOMPARE(ssq::leadingNumber("-1" + std::string(400, '0')), -kInf);
        QCOMPARE(ssq::leadingNumber("0." + std::string(400, '0') + "1"), 0.0);
        QVERIFY(!std::signbit(ssq::leadingNumber("-0")));
    }

    // Rounding is half to even, then the value must fit.
    void toByteAndInt16_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("byte");  // -1: does not fit
        QTest::addColumn<int>("int16"); // kNone: does not fit
        QTest::newRow("-0.5") << -0.5 << 0 << 0;
        QTest::newRow("1.5") << 1.5 << 2 << 2;
        QTest::newRow("2.5") << 2.5 << 2 << 2;
        QTest::newRow("-2.5") << -2.5 << -1 << -2;
        QTest::newRow("255.5") << 255.5 << -1 << 256;
        QTest::newRow("32767.5") << 32767.5 << -1 << kNone;
        QTest::newRow("-32768.5") << -32768.5 << -1 << -32768;
        QTest::newRow("-32769") << -32769.0 << -1 << kNone;
        QTest::newRow("not a number") << kNaN << -1 << kNone;
    }
    void toByteAndInt16() {
        QFETCH(double, value);
        QFETCH(int, byte);
        QFETCH(int, int16);
        const std::optional<std::uint8_t> b = ssq::toByte(value);
        QCOMPARE(b.has_value() ? int(*b) : -1, byte);
        const std::optional<std::int16_t> i = ssq::toInt16(value);
        QCOMPARE(i.has_value() ? int(*i) : kNone, int16);
    }
};

QTEST_APPLESS_MAIN(TestLeadingNumber)
#include "test_leading_number.moc"
