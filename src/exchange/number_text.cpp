#include "exchange/number_text.h"

#include <cfloat>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <system_error>

namespace zorbi {

namespace {

constexpr bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Checks the real grammar and finds the decimal exponent of the first
// significant digit, so that an out-of-range result can be told apart as
// underflow (small) or overflow (large). `magnitude` is meaningless for zero.
bool ScanReal(std::string_view text, long long& magnitude) {
  const std::size_t n = text.size();
  std::size_t i = 0;
  if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
  long long intDigits = 0, fracDigits = 0;
  bool significant = false;
  long long firstSignificant = 0;  // position among all mantissa digits
  for (; i < n && IsDigit(text[i]); ++i, ++intDigits) {
    if (!significant && text[i] != '0') {
      significant = true;
      firstSignificant = intDigits;
    }
  }
  if (i < n && text[i] == '.') {
    ++i;
    for (; i < n && IsDigit(text[i]); ++i, ++fracDigits) {
      if (!significant && text[i] != '0') {
        significant = true;
        firstSignificant = intDigits + fracDigits;
      }
    }
  }
  if (intDigits + fracDigits == 0) return false;
  long long exponent = 0;
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i == n || !IsDigit(text[i])) return false;
    for (; i < n && IsDigit(text[i]); ++i)
      if (exponent < 1'000'000'000) exponent = exponent * 10 + (text[i] - '0');
    if (negative) exponent = -exponent;
  }
  if (i != n) return false;
  magnitude = intDigits - firstSignificant - 1 + exponent;
  return true;
}

// Clinger's fast path: a mantissa up to 2^53 and 10^0..10^22 are exact
// doubles, so one multiplication or division rounds correctly, just as
// from_chars does. Needs doubles evaluated in double precision (not x87).
constexpr bool kFastPath = FLT_EVAL_METHOD == 0;
constexpr std::uint64_t kExactMantissa = std::uint64_t{1} << 53;
using number_detail::kExactPowers;

// Appends the digits from `p` on to `mantissa`; returns where they end. Past
// 19 digits the mantissa wraps, which the caller tells by the count.
const char* TakeDigits(const char* p, const char* end, std::uint64_t& mantissa) {
  // A byte at a time: with the few digits of a coordinate, this beats
  // eight-byte steps.
  for (; p != end && IsDigit(*p); ++p)
    mantissa = mantissa * 10 + static_cast<std::uint64_t>(*p - '0');
  return p;
}

// The bytes of the real at the front of `text` when the fast path converts
// it, else 0 (then from_chars decides).
std::size_t ReadRealFast(std::string_view text, double& value) {
  const char* p = text.data();
  const char* const end = p + text.size();
  bool negative = false;
  if (p != end && (*p == '+' || *p == '-')) negative = *p++ == '-';
  const char* const intStart = p;
  while (p != end && *p == '0') ++p;
  const char* significantStart = p;
  std::uint64_t mantissa = 0;
  p = TakeDigits(p, end, mantissa);
  const char* const intEnd = p;
  std::ptrdiff_t fractionDigits = 0, significant = intEnd - significantStart;
  if (p != end && *p == '.') {
    const char* const fractionStart = ++p;
    if (significant == 0) {
      while (p != end && *p == '0') ++p;
      significantStart = p;
    }
    p = TakeDigits(p, end, mantissa);
    fractionDigits = p - fractionStart;
    significant = p - significantStart - (significantStart < intEnd ? 1 : 0);
  }
  if (intEnd == intStart && fractionDigits == 0) return 0;
  if (significant > 19) return 0;
  long long exponent = 0;
  if (p != end && (*p == 'e' || *p == 'E')) {
    // Without digits the exponent isn't part of the number.
    const char* q = p + 1;
    bool negativeExponent = false;
    if (q != end && (*q == '+' || *q == '-')) negativeExponent = *q++ == '-';
    if (q != end && IsDigit(*q)) {
      for (; q != end && IsDigit(*q); ++q) {
        // A long fraction may offset a long exponent: leave both to from_chars.
        if (exponent >= 1'000'000) return 0;
        exponent = exponent * 10 + (*q - '0');
      }
      if (negativeExponent) exponent = -exponent;
      p = q;
    }
  }
  exponent -= fractionDigits;
  if (mantissa > kExactMantissa || exponent < -22 || exponent > 22) return 0;
  double result = static_cast<double>(mantissa);
  if (exponent < 0)
    result /= kExactPowers[-exponent];
  else
    result *= kExactPowers[exponent];
  value = negative ? -result : result;
  return static_cast<std::size_t>(p - text.data());
}

}  // namespace

std::size_t ReadRealPrefix(std::string_view text, double& value) {
  const std::size_t sign = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
  if (sign == text.size() || !(IsDigit(text[sign]) || text[sign] == '.')) return 0;
  if constexpr (kFastPath) {
    if (const std::size_t used = ReadRealFast(text, value)) return used;
  }
  const char* first = text.data() + sign;
  const char* last = text.data() + text.size();
  // from_chars takes a '-' but no '+'.
  if (text[0] == '-') --first;
  double result = 0;
  const auto [end, ec] = std::from_chars(first, last, result);
  if (ec != std::errc()) return 0;
  value = result;
  return static_cast<std::size_t>(end - text.data());
}

bool ReadReal(std::string_view text, double& value) {
  double result = 0;
  const char* const last = text.data() + text.size();
  if (!text.empty() && ReadPlainReal(text.data(), text.data(), last, result) == last) {
    value = result;
    return true;
  }
  if (!text.empty() && ReadRealPrefix(text, result) == text.size()) {
    value = result;
    return true;
  }
  // What is left: text outside the grammar, or a value out of range.
  long long magnitude = 0;
  if (!ScanReal(text, magnitude)) return false;
  const char* first = text.data() + (text[0] == '+' ? 1 : 0);
  const auto [end, ec] = std::from_chars(first, text.data() + text.size(), result);
  if (ec != std::errc::result_out_of_range || magnitude >= 0) return false;
  // Too small for a double: zero.
  value = text[0] == '-' ? -0.0 : 0.0;
  return true;
}

bool ReadInteger(std::string_view text, std::int32_t& value) {
  const std::size_t digitsFrom = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
  if (digitsFrom == text.size()) return false;
  for (std::size_t i = digitsFrom; i < text.size(); ++i)
    if (!IsDigit(text[i])) return false;
  if (text[0] == '+') text.remove_prefix(1);
  std::int32_t result = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), result);
  if (ec != std::errc() || end != text.data() + text.size()) return false;
  value = result;
  return true;
}

}  // namespace zorbi
