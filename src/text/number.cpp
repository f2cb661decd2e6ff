#include "text/number.h"

#include <locale.h>
#include <stdlib.h>

#include <cmath>
#include <string>

#include "text/text.h"

namespace text {

namespace {

std::string HalfWidth(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    std::size_t len = CharLength(s, i);
    auto b0 = static_cast<unsigned char>(s[i]);
    auto b1 = len == 2 ? static_cast<unsigned char>(s[i + 1]) : 0;
    if (len == 2 && b0 == 0xA3 && b1 >= 0xA1 && b1 <= 0xFE) {
      out += static_cast<char>(b1 - 0x80);
    } else if (len == 2 && b0 == 0xA1 && b1 == 0xA1) {
      out += ' ';
    } else {
      out.append(s.substr(i, len));
    }
    i += len;
  }
  return out;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsSpace(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

// The longest leading decimal number, without surrounding white space; empty when none.
std::string LeadingNumber(const std::string& s) {
  std::size_t i = 0;
  while (i < s.size() && IsSpace(s[i])) ++i;
  std::size_t start = i;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  }
  if (digits == 0) return {};
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    std::size_t e = i + 1;
    if (e < s.size() && (s[e] == '+' || s[e] == '-')) ++e;
    if (e < s.size() && IsDigit(s[e])) {
      while (e < s.size() && IsDigit(s[e])) ++e;
      i = e;
    }
  }
  return s.substr(start, i - start);
}

}  // namespace

double TextToReal(std::string_view s) {
  std::string number = LeadingNumber(HalfWidth(s));
  if (number.empty()) return 0;
  // The C locale, whatever the program's locale says about the decimal point.
  static locale_t cLocale = newlocale(LC_NUMERIC_MASK, "C", nullptr);
  return strtod_l(number.c_str(), nullptr, cLocale);
}

std::int32_t WrapToInt32(long long value) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

std::int32_t TextToNumber(std::string_view s) {
  double value = std::trunc(TextToReal(s));
  if (!std::isfinite(value)) return 0;
  // fmod is exact, so this keeps the low 32 bits of any whole number a double holds.
  return WrapToInt32(static_cast<long long>(std::fmod(value, 4294967296.0)));
}

}  // namespace text
