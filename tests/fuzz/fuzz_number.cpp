// Any bytes: the real conversions read exactly what std::from_chars reads, to
// the bit, and fail exactly when it does. The bytes are tried as text and,
// to reach the edges of the exact range, as a mantissa and an exponent.
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "exchange/number_text.h"

using namespace zorbi;

namespace {

// The prefix conversion as plain from_chars gives it.
std::size_t ReferencePrefix(std::string_view text, double& value) {
  const std::size_t sign = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
  if (sign == text.size()) return 0;
  const char c = text[sign];
  if (!((c >= '0' && c <= '9') || c == '.')) return 0;
  const char* first = text.data() + (text[0] == '+' ? 1 : 0);
  const auto [end, ec] = std::from_chars(first, text.data() + text.size(), value);
  return ec == std::errc() ? static_cast<std::size_t>(end - text.data()) : 0;
}

bool SameBits(double a, double b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

void Check(std::string_view text) {
  double expected = 0, value = 0;
  const std::size_t reference = ReferencePrefix(text, expected);
  const std::size_t used = ReadRealPrefix(text, value);
  if (used != reference || (used != 0 && !SameBits(value, expected))) {
    std::fprintf(stderr, "prefix of \"%.*s\": %zu bytes, %a; from_chars %zu bytes, %a\n",
                 static_cast<int>(text.size()), text.data(), used, value, reference, expected);
    std::abort();
  }
  double whole = 0;
  if (ReadReal(text, whole) && reference == text.size() && !SameBits(whole, expected)) {
    std::fprintf(stderr, "\"%.*s\": %a, from_chars %a\n", static_cast<int>(text.size()),
                 text.data(), whole, expected);
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Check(std::string_view(reinterpret_cast<const char*>(data), size));
  if (size >= 11) {
    std::uint64_t mantissa = 0;
    std::memcpy(&mantissa, data, sizeof mantissa);
    // Mostly near 2^53, where the exact range ends.
    if (data[8] & 1) mantissa = (std::uint64_t{1} << 53) + (mantissa % 64) - 32;
    const int exponent = static_cast<std::int8_t>(data[9]) % 40;
    const int point = data[10] % 24;
    std::string digits = std::to_string(mantissa);
    if (point > 0 && static_cast<std::size_t>(point) < digits.size())
      digits.insert(digits.size() - static_cast<std::size_t>(point), ".");
    char text[64];
    const int n = std::snprintf(text, sizeof text, "%s%se%d", data[8] & 2 ? "-" : "",
                                digits.c_str(), exponent);
    Check(std::string_view(text, static_cast<std::size_t>(n)));
  }
  return 0;
}
