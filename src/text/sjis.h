// Shift-JIS (code page 932) character boundaries. A lead byte followed by a
// valid trail byte is one double-byte character; anything else is one byte.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zorbi {

constexpr bool IsSjisLeadByte(unsigned char b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

constexpr bool IsSjisTrailByte(unsigned char b) {
  return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

// Length in bytes (1 or 2) of the character that starts at `i`.
constexpr std::size_t SjisCharLen(std::string_view text, std::size_t i) {
  if (i + 1 < text.size() && IsSjisLeadByte(static_cast<unsigned char>(text[i])) &&
      IsSjisTrailByte(static_cast<unsigned char>(text[i + 1])))
    return 2;
  return 1;
}

// The longest prefix of `text` of at most `maxBytes` bytes that ends on a
// character boundary.
std::string_view SjisPrefix(std::string_view text, std::size_t maxBytes);

}  // namespace zorbi
