#include "exchange/number_text.h"

#include <charconv>
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

}  // namespace

std::size_t ReadRealPrefix(std::string_view text, double& value) {
  const std::size_t sign = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
  if (sign == text.size() || !(IsDigit(text[sign]) || text[sign] == '.')) return 0;
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
