#include "model/leading_number.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace ssq {

double leadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const auto isDigit = [&](std::size_t k) {
        return k < text.size() && text[k] >= '0' && text[k] <= '9';
    };
    const std::size_t intStart = i;
    while (isDigit(i))
        ++i;
    const std::string_view intPart = text.substr(intStart, i - intStart);
    std::string_view fracPart;
    if (i < text.size() && text[i] == '.') {
        const std::size_t fracStart = ++i;
        while (isDigit(i))
            ++i;
        fracPart = text.substr(fracStart, i - fracStart);
    }
    if (intPart.empty() && fracPart.empty())
        return 0;

    // from_chars ignores the locale, unlike strtod, and needs a digit before the point.
    std::string number = intPart.empty() ? std::string("0") : std::string(intPart);
    if (!fracPart.empty()) {
        number += '.';
        number += fracPart;
    }
    double value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value,
                                        std::chars_format::fixed);
    if (result.ec == std::errc::result_out_of_range) {
        // Too large overflows; a long run of zeros after the point underflows.
        const bool large = intPart.find_first_not_of('0') != std::string_view::npos;
        value = large ? std::numeric_limits<double>::infinity() : 0.0;
    }
    if (value == 0)
        return 0; // no negative zero for "-0"
    return negative ? -value : value;
}

double roundHalfEven(double value) {
    if (!std::isfinite(value))
        return value;
    const double below = std::floor(value);
    const double fraction = value - below;
    if (fraction < 0.5)
        return below;
    if (fraction > 0.5)
        return below + 1;
    return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

std::optional<std::uint8_t> toByte(double value) {
    const double r = roundHalfEven(value);
    if (!(r >= 0 && r <= 255))
        return std::nullopt;
    return static_cast<std::uint8_t>(r);
}

std::optional<std::int16_t> toInt16(double value) {
    const double r = roundHalfEven(value);
    if (!(r >= -32768 && r <= 32767))
        return std::nullopt;
    return static_cast<std::int16_t>(r);
}

} // namespace ssq
