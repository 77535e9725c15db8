#include "text/display_text.h"

namespace zorbi {

namespace {

constexpr std::size_t KeptDigits = 6;

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The code point kept at `at`, or 0 when no kept character starts there.
char32_t KeptAt(std::string_view text, std::size_t at) {
  if (text[at] != KeptCharMark || text.size() - at <= KeptDigits) return 0;
  char32_t c = 0;
  for (std::size_t k = 1; k <= KeptDigits; ++k) {
    const int digit = HexValue(text[at + k]);
    if (digit < 0) return 0;
    c = c * 16 + static_cast<char32_t>(digit);
  }
  return c <= 0x10FFFF ? c : 0;
}

}  // namespace

std::string KeptChar(char32_t c) {
  static constexpr char Digits[] = "0123456789ABCDEF";
  std::string kept(1, KeptCharMark);
  for (int shift = 20; shift >= 0; shift -= 4) kept += Digits[(c >> shift) & 0xF];
  return kept;
}

std::vector<DisplayPiece> DisplayPieces(std::string_view text) {
  std::vector<DisplayPiece> pieces;
  std::size_t start = 0;
  for (std::size_t at = 0; at < text.size(); ++at) {
    const char32_t c = KeptAt(text, at);
    if (c == 0) continue;
    if (at > start) pieces.push_back({text.substr(start, at - start), 0});
    pieces.push_back({{}, c});
    at += KeptDigits;
    start = at + 1;
  }
  if (start < text.size()) pieces.push_back({text.substr(start), 0});
  return pieces;
}

}  // namespace zorbi
