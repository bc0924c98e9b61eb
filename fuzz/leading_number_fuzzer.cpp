// The leading-number rule on any bytes: a number or 0, never NaN or -0; what follows the
// number and the blanks before it do not change it; the byte and 16-bit conversions stay in
// their ranges. The Qt wrapper reads valid UTF-8 the same way, full-width digits as digits.

#include "fuzz_check.h"
#include "model/leading_number.h"
#include "model/leading_number_text.h"

#include <QString>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using namespace ssq;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double value = leadingNumber(text);
    fuzzCheck(!std::isnan(value), "a text reads as NaN");
    fuzzCheck(value != 0 || !std::signbit(value), "a text reads as -0");

    const std::string padded = " \t " + std::string(text) + "x1";
    // "x1" could only join a number that ends the text; then the value must still agree.
    fuzzCheck(leadingNumber(padded) == value, "leading blanks or a trailing text change the value");

    const double rounded = roundHalfEven(value);
    fuzzCheck(std::isinf(value) || std::abs(rounded - value) <= 0.5,
              "rounding moves by more than a half");
    if (const auto byte = toByte(value))
        fuzzCheck(*byte == rounded, "toByte differs from the rounded value");
    if (const auto word = toInt16(value))
        fuzzCheck(*word == rounded, "toInt16 differs from the rounded value");

    // The Qt wrapper first turns full-width digits, signs and blanks into their ASCII forms; a
    // text without them reads exactly as its bytes do.
    const QString qtext = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    if (qtext.toUtf8() == QByteArray(text.data(), static_cast<qsizetype>(text.size()))) {
        const QByteArray ascii = normalizedDigits(qtext).toUtf8();
        fuzzCheck(numberOf(qtext) ==
                      leadingNumber(std::string_view(ascii.constData(),
                                                     static_cast<std::size_t>(ascii.size()))),
                  "the Qt text reads differently from its ASCII form");
        if (ascii == qtext.toUtf8())
            fuzzCheck(numberOf(qtext) == value, "the Qt text reads differently from its bytes");
    }
    return 0;
}
