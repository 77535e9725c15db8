// The number conversions of the exchange file: a real in decimal notation
// (optional sign, digits with an optional '.' fraction, optional exponent) and
// a decimal integer (optional sign). Nothing else converts: no blanks, no
// "inf"/"nan", no hexadecimal, no locale.
#pragma once

#include <cstdint>
#include <string_view>

namespace zorbi {

// Accepts [+-]? (d+ ('.' d*)? | '.' d+) ([eE] [+-]? d+)?. A value too small
// for a double becomes zero; one too large doesn't convert.
bool ReadReal(std::string_view text, double& value);

// Accepts [+-]? d+ within the range of a 32-bit integer.
bool ReadInteger(std::string_view text, std::int32_t& value);

}  // namespace zorbi
