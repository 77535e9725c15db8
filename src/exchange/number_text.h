// The number conversions of the exchange file: a real in decimal notation
// (optional sign, digits with an optional '.' fraction, optional exponent) and
// a decimal integer (optional sign). Nothing else converts: no blanks, no
// "inf"/"nan", no hexadecimal, no locale.
#pragma once

#include <bit>
#include <cfloat>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace zorbi {

namespace number_detail {
// 10^0..10^22 are exact doubles.
inline constexpr double kExactPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                          1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                          1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

static_assert(std::endian::native == std::endian::little, "the digit chunks read little-endian");

// The eight bytes from p on as far as they lie before end; the rest read as
// NUL, which is no digit. The first byte is the lowest. Bytes from `begin`
// on may be read: when eight of them end at `end`, those are loaded and
// shifted, which costs no branch on the length.
inline std::uint64_t LoadEight(const char* begin, const char* p, const char* end) {
  std::uint64_t chunk = 0;
  if (end - begin >= 8) {
    const std::ptrdiff_t room = end - p;
    const std::ptrdiff_t back = (8 - room) & -static_cast<std::ptrdiff_t>(room < 8);
    std::memcpy(&chunk, p - back, 8);
    const unsigned skip = static_cast<unsigned>(back) * 4;  // two shifts: up to 64 bits
    return (chunk >> skip) >> skip;
  }
  for (const char* q = p; q != end; ++q)
    chunk |= std::uint64_t{static_cast<unsigned char>(*q)} << (8 * (q - p));
  return chunk;
}

// How many of the chunk's bytes, from the first, are digits. A byte is one
// when both it and it plus 6 have 3 as their high nibble; a carry out of a
// byte of 0xFA or more spoils only the bytes after it, a non-digit.
inline unsigned LeadingDigits(std::uint64_t chunk) {
  constexpr std::uint64_t kHigh = 0xF0F0F0F0F0F0F0F0, kThree = 0x3030303030303030;
  const std::uint64_t other =
      ((chunk & kHigh) ^ kThree) | (((chunk + 0x0606060606060606) & kHigh) ^ kThree);
  // Without a branch: eight when no byte is another.
  return static_cast<unsigned>(std::countr_zero(other | std::uint64_t{1} << 63)) / 8 + (other == 0);
}

// The value of the first `count` (0..8) bytes of the chunk, all digits.
inline std::uint64_t DigitsValue(std::uint64_t chunk, unsigned count) {
  // The digits move to the top, so the bytes below read as leading zeros.
  const unsigned shift = 4 * (8 - count);  // two shifts: up to 64 bits
  std::uint64_t v = ((chunk - 0x3030303030303030) << shift) << shift;
  v = v * 10 + (v >> 8);  // pairs
  return ((v & 0x000000FF000000FF) * (100 + (1000000ULL << 32)) +
          ((v >> 16) & 0x000000FF000000FF) * (1 + (10000ULL << 32))) >>
         32;
}

inline constexpr std::uint64_t kPowers10[] = {1,      10,      100,      1000,     10000,
                                              100000, 1000000, 10000000, 100000000};

// Appends the digits from p on, eight at a time, to the mantissa; returns
// where they end, and in `next` the byte there (0 at end). Past 19 digits the
// mantissa wraps, which the caller tells by the count.
inline const char* TakeDigits(const char* begin, const char* p, const char* end,
                              std::uint64_t& mantissa, unsigned& next) {
  for (;;) {
    const std::uint64_t chunk = LoadEight(begin, p, end);
    const unsigned count = LeadingDigits(chunk);
    mantissa = mantissa * kPowers10[count] + DigitsValue(chunk, count);
    p += count;
    if (count < 8) {
      next = static_cast<unsigned>(chunk >> (8 * count)) & 0xFF;
      return p;
    }
  }
}
}  // namespace number_detail

// The shape nearly every coordinate has, [-]d+[.d*] with at most 19 digits,
// converted in one pass where it is exact (mantissa up to 2^53: one division
// by an exact power of ten rounds as from_chars does). Returns the end of the
// number, or nullptr for any other shape or size; ReadRealPrefix decides those.
// Bytes from `begin` (at most p) up to end may be read, not only the number's.
inline const char* ReadPlainReal(const char* begin, const char* p, const char* end, double& value) {
#if FLT_EVAL_METHOD == 0
  if (p == end) return nullptr;
  const bool negative = *p == '-';
  p += negative;
  const char* const start = p;
  std::uint64_t mantissa = 0;
  unsigned next = 0;
  p = number_detail::TakeDigits(begin, p, end, mantissa, next);
  const char* const wholeEnd = p;
  if (wholeEnd == start) return nullptr;
  std::ptrdiff_t fraction = 0;
  if (next == '.') {
    const char* const fractionStart = ++p;
    p = number_detail::TakeDigits(begin, p, end, mantissa, next);
    fraction = p - fractionStart;
  }
  if ((wholeEnd - start) + fraction > 19 || mantissa > (std::uint64_t{1} << 53)) return nullptr;
  if ((next | 0x20) == 'e') return nullptr;
  const double result = static_cast<double>(mantissa) /
                        number_detail::kExactPowers[static_cast<std::size_t>(fraction)];
  // The sign set without a branch; -0.0 as negation gives it.
  value =
      std::bit_cast<double>(std::bit_cast<std::uint64_t>(result) | std::uint64_t{negative} << 63);
  return p;
#else
  (void)begin, (void)p, (void)end, (void)value;
  return nullptr;
#endif
}

namespace number_detail {
// Skips the digits from p on, eight at a time; returns where they end, and in
// `next` the byte there (0 at end).
inline const char* SkipDigits(const char* begin, const char* p, const char* end, unsigned& next) {
  for (;;) {
    const std::uint64_t chunk = LoadEight(begin, p, end);
    const unsigned count = LeadingDigits(chunk);
    p += count;
    if (count < 8) {
      next = static_cast<unsigned>(chunk >> (8 * count)) & 0xFF;
      return p;
    }
  }
}
}  // namespace number_detail

// The end of a number of the shape [-]d+[.d*] with at most 300 whole digits,
// else nullptr. Every such number converts (ReadReal): it is too small to
// overflow, and a value too small for a double becomes zero. Bytes from
// `begin` (at most p) up to end may be read.
inline const char* SkipPlainReal(const char* begin, const char* p, const char* end) {
  if (p == end) return nullptr;
  p += *p == '-';
  const char* const start = p;
  unsigned next = 0;
  p = number_detail::SkipDigits(begin, p, end, next);
  if (p == start || p - start > 300) return nullptr;
  if (next == '.') p = number_detail::SkipDigits(begin, p + 1, end, next);
  return p;
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
