#include "model/leading_number.h"

#include <QTest>

#include <cmath>
#include <limits>
#include <string>

using namespace ssq;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

class TestLeadingNumber : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void leadingNumber_data();
    void leadingNumber();
    void hugeAndTinyNumbers();
    void roundHalfEven_data();
    void roundHalfEven();
    void toByte_data();
    void toByte();
    void toInt16();
};

void TestLeadingNumber::leadingNumber_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("trailing letters") << QByteArray("12abc") << 12.0;
    QTest::newRow("leading blank") << QByteArray(" 7") << 7.0;
    QTest::newRow("leading tab") << QByteArray("\t4") << 4.0;
    QTest::newRow("decimal") << QByteArray("3.5x") << 3.5;
    QTest::newRow("negative") << QByteArray("-16") << -16.0;
    QTest::newRow("plus sign") << QByteArray("+3") << 3.0;
    QTest::newRow("point first") << QByteArray(".5") << 0.5;
    QTest::newRow("point last") << QByteArray("5.") << 5.0;
    QTest::newRow("no exponent") << QByteArray("1e5") << 1.0;
    QTest::newRow("second point ends it") << QByteArray("1.2.3") << 1.2;
    QTest::newRow("blank ends it") << QByteArray("12 34") << 12.0;
    QTest::newRow("leading zeros") << QByteArray("0012") << 12.0;
    QTest::newRow("issue text") << QByteArray("7018") << 7018.0;
    QTest::newRow("letters") << QByteArray("abc") << 0.0;
    QTest::newRow("empty") << QByteArray("") << 0.0;
    QTest::newRow("point alone") << QByteArray(".") << 0.0;
    QTest::newRow("sign alone") << QByteArray("-") << 0.0;
    QTest::newRow("blank after sign") << QByteArray("- 5") << 0.0;
    QTest::newRow("two signs") << QByteArray("+-5") << 0.0;
    QTest::newRow("full-width digits") << QByteArray("１２") << 0.0;
}

void TestLeadingNumber::leadingNumber() {
    QFETCH(QByteArray, text);
    QFETCH(double, value);
    QCOMPARE(ssq::leadingNumber(std::string_view(text.constData(), text.size())), value);
}

void TestLeadingNumber::hugeAndTinyNumbers() {
    QCOMPARE(ssq::leadingNumber("1" + std::string(400, '0')), kInf);
    QCOMPARE(ssq::leadingNumber("-1" + std::string(400, '0')), -kInf);
    QCOMPARE(ssq::leadingNumber("0." + std::string(400, '0') + "1"), 0.0);
    QVERIFY(!std::signbit(ssq::leadingNumber("-0")));
}

void TestLeadingNumber::roundHalfEven_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("rounded");
    QTest::newRow("0.5") << 0.5 << 0.0;
    QTest::newRow("1.5") << 1.5 << 2.0;
    QTest::newRow("2.5") << 2.5 << 2.0;
    QTest::newRow("2.5 plus a bit") << 2.5000001 << 3.0;
    QTest::newRow("2.4") << 2.4 << 2.0;
    QTest::newRow("-0.5") << -0.5 << 0.0;
    QTest::newRow("-1.5") << -1.5 << -2.0;
    QTest::newRow("-2.5") << -2.5 << -2.0;
    QTest::newRow("-2.6") << -2.6 << -3.0;
}

void TestLeadingNumber::roundHalfEven() {
    QFETCH(double, value);
    QFETCH(double, rounded);
    QCOMPARE(ssq::roundHalfEven(value), rounded);
}

void TestLeadingNumber::toByte_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("byte"); // -1: does not fit
    QTest::newRow("0") << 0.0 << 0;
    QTest::newRow("-0.5 rounds to 0") << -0.5 << 0;
    QTest::newRow("2.5 rounds to 2") << 2.5 << 2;
    QTest::newRow("255") << 255.0 << 255;
    QTest::newRow("255.4") << 255.4 << 255;
    QTest::newRow("255.5 rounds to 256") << 255.5 << -1;
    QTest::newRow("300") << 300.0 << -1;
    QTest::newRow("-1") << -1.0 << -1;
    QTest::newRow("-0.6") << -0.6 << -1;
    QTest::newRow("infinity") << kInf << -1;
    QTest::newRow("not a number") << kNaN << -1;
}

void TestLeadingNumber::toByte() {
    QFETCH(double, value);
    QFETCH(int, byte);
    const std::optional<std::uint8_t> b = ssq::toByte(value);
    QCOMPARE(b.has_value() ? int(*b) : -1, byte);
}

void TestLeadingNumber::toInt16() {
    QCOMPARE(ssq::toInt16(32767.0), std::optional<std::int16_t>(32767));
    QCOMPARE(ssq::toInt16(-32768.5), std::optional<std::int16_t>(-32768)); // half to even
    QCOMPARE(ssq::toInt16(-2.5), std::optional<std::int16_t>(-2));
    QCOMPARE(ssq::toInt16(32767.5), std::nullopt); // rounds to 32768
    QCOMPARE(ssq::toInt16(-32769.0), std::nullopt);
    QCOMPARE(ssq::toInt16(kNaN), std::nullopt);
}

QTEST_APPLESS_MAIN(TestLeadingNumber)
#include "test_leading_number.moc"
