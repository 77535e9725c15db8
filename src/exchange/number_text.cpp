#include "exchange/number_text.h"

#include <charconv>
#include <system_error>

namespace zorbi {

namespace {

constexpr bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Checks the real grammar and finds the decimal exponent of the first
// significant digit, so an out-of-range result can be told apart as
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

bool ReadReal(std::string_view text, double& value) {
  long long magnitude = 0;
  if (!ScanReal(text, magnitude)) return false;
  // from_chars takes no '+'; the scan has already checked what follows it.
  if (text.front() == '+') text.remove_prefix(1);
  double result = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), result);
  if (ec == std::errc::result_out_of_range) {
    if (magnitude >= 0) return false;
    result = text.front() == '-' ? -0.0 : 0.0;
  } else if (ec != std::errc() || end != text.data() + text.size()) {
    return false;
  }
  value = result;
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
