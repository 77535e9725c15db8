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

// Lead bytes of rows that code page 932 leaves empty: no conversion to it
// ever writes them.
constexpr bool IsUnassignedSjisLead(unsigned char b) {
  return b == 0x85 || b == 0x86 || b == 0xEB || b == 0xEC || b == 0xEF;
}

// The offset of the first byte that is not part of a code page 932
// character (a lone lead byte, a lead byte of an empty row, 0x80, 0xA0,
// 0xFD to 0xFF), or npos.
constexpr std::size_t FirstNonSjisByte(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (IsUnassignedSjisLead(b)) return i;
    if (IsSjisLeadByte(b)) {
      if (SjisCharLen(text, i) != 2) return i;
      i += 2;
    } else if (b == 0x80 || b == 0xA0 || b >= 0xFD) {
      return i;
    } else {
      ++i;
    }
  }
  return std::string_view::npos;
}

// The longest prefix of `text` of at most `maxBytes` bytes that ends on a
// character boundary.
std::string_view SjisPrefix(std::string_view text, std::size_t maxBytes);

}  // namespace zorbi
