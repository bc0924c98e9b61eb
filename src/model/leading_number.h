#pragma once
// Every value read from a text is its longest leading decimal number: leading blanks skipped,
// an optional sign, digits with at most one decimal point; the rest ignored, no exponent.
// Empty or non-numeric text reads 0; digits too many for a double read as +-infinity.

#include <cstdint>
#include <optional>
#include <string_view>

namespace ssq {

double leadingNumber(std::string_view text);

// Rounds half to even (a value halfway between two whole numbers goes to the even one).
double roundHalfEven(double value);

// A value converted to a byte (0..255) after rounding; nullopt when it does not fit.
std::optional<std::uint8_t> toByte(double value);

// A value converted to a 16-bit integer after rounding; nullopt when it does not fit.
std::optional<std::int16_t> toInt16(double value);

} // namespace ssq
