// The number conversions of the exchange file: a real in decimal notation
// (optional sign, digits with an optional '.' fraction, optional exponent) and
// a decimal integer (optional sign). Nothing else converts: no blanks, no
// "inf"/"nan", no hexadecimal, no locale.
#pragma once

#include <cfloat>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zorbi {

namespace number_detail {
// 10^0..10^22 are exact doubles.
inline constexpr double kExactPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                          1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                          1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
}  // namespace number_detail

// The shape nearly every coordinate has, [-]d+[.d*] with at most 19 digits,
// converted in one pass where it is exact (mantissa up to 2^53: one division
// by an exact power of ten rounds as from_chars does). Returns the end of the
// number, or nullptr for any other shape or size; ReadRealPrefix decides those.
inline const char* ReadPlainReal(const char* p, const char* end, double& value) {
#if FLT_EVAL_METHOD == 0
  const bool negative = p != end && *p == '-';
  if (negative) ++p;
  const char* const start = p;
  std::uint64_t mantissa = 0;
  for (; p != end && static_cast<unsigned char>(*p - '0') < 10; ++p)
    mantissa = mantissa * 10 + static_cast<std::uint64_t>(*p - '0');
  const char* const wholeEnd = p;
  if (wholeEnd == start) return nullptr;
  std::ptrdiff_t fraction = 0;
  if (p != end && *p == '.') {
    const char* const fractionStart = ++p;
    for (; p != end && static_cast<unsigned char>(*p - '0') < 10; ++p)
      mantissa = mantissa * 10 + static_cast<std::uint64_t>(*p - '0');
    fraction = p - fractionStart;
  }
  if ((wholeEnd - start) + fraction > 19 || mantissa > (std::uint64_t{1} << 53)) return nullptr;
  if (p != end && (*p == 'e' || *p == 'E')) return nullptr;
  const double result = static_cast<double>(mantissa) /
                        number_detail::kExactPowers[static_cast<std::size_t>(fraction)];
  value = negative ? -result : result;
  return p;
#else
  (void)p, (void)end, (void)value;
  return nullptr;
#endif
}

// Accepts [+-]? (d+ ('.' d*)? | '.' d+) ([eE] [+-]? d+)?. A value too small
// for a double becomes zero; one too large doesn't convert.
bool ReadReal(std::string_view text, double& value);

// Converts the real at the front of `text` (sign, then a digit or '.'), as
// far as it reaches; returns the bytes used, or 0 when none converts cleanly
// (a range error included). ReadReal(text) is this plus the range rules when
// the whole text is used.
std::size_t ReadRealPrefix(std::string_view text, double& value);

// Accepts [+-]? d+ within the range of a 32-bit integer.
bool ReadInteger(std::string_view text, std::int32_t& value);

}  // namespace zorbi
