// The number conversions of the exchange file: a real in decimal notation
// (optional sign, digits with an optional '.' fraction, optional exponent) and
// a decimal integer (optional sign). Nothing else converts: no blanks, no
// "inf"/"nan", no hexadecimal, no locale.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zorbi {

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
