// The one conversion from text to number, as every numeric box and setting reads it.
#pragma once

#include <cstdint>
#include <string_view>

namespace text {

// Full-width ASCII forms (A3 A1..A3 FE) become their ASCII characters and the
// full-width space (A1 A1) a space; then a decimal number is read from the start
// (white space, sign, digits, fraction, exponent). No leading number gives 0.
double TextToReal(std::string_view s);

// TextToReal cut toward zero to a signed 32-bit value, wrapping at 32 bits when it
// does not fit.
std::int32_t TextToNumber(std::string_view s);

// Wraps any whole number to 32 bits the way the counters do.
std::int32_t WrapToInt32(long long value);

}  // namespace text
