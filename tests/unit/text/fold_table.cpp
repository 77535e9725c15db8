// Prints every Shift-JIS character with its search fold, one per line:
// "<code in hex> <folded bytes in hex>", for the check against Unicode's own
// width and kana rules (fold_reference.py).
#include <cstdio>
#include <string>

#include "text/search_fold.h"
#include "text/sjis.h"

int main() {
  const auto print = [](unsigned code, const std::string& sjis) {
    std::printf("%X ", code);
    for (const char c : zorbi::SearchFold(sjis)) std::printf("%02X", static_cast<unsigned char>(c));
    std::printf("\n");
  };
  for (unsigned b = 0; b < 0x100; ++b)
    if (!zorbi::IsSjisLeadByte(static_cast<unsigned char>(b)))
      print(b, std::string(1, static_cast<char>(b)));
  for (unsigned lead = 0; lead < 0x100; ++lead) {
    if (!zorbi::IsSjisLeadByte(static_cast<unsigned char>(lead))) continue;
    for (unsigned trail = 0; trail < 0x100; ++trail)
      if (zorbi::IsSjisTrailByte(static_cast<unsigned char>(trail)))
        print(lead << 8 | trail, {static_cast<char>(lead), static_cast<char>(trail)});
  }
  return 0;
}
