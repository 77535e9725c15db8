#include "text/display_text.h"

#include <gtest/gtest.h>

namespace zorbi::test {
namespace {

// The pieces as text: runs as they are, kept characters as <U+XXXX>.
std::string Spelled(std::string_view text) {
  std::string out;
  for (const DisplayPiece& piece : DisplayPieces(text)) {
    if (piece.Char == 0) {
      out += piece.Bytes;
    } else {
      char code[16];
      std::snprintf(code, sizeof code, "<U+%04X>", static_cast<unsigned>(piece.Char));
      out += code;
    }
  }
  return out;
}

TEST(DisplayText, KeptCharactersComeBackAndEverythingElseStaysBytes) {
  const struct {
    std::string text;
    const char* spelled;
  } cases[] = {
      {"C:\\caf" + KeptChar(0xE9) + ".bat", "C:\\caf<U+00E9>.bat"},
      {KeptChar(0x1F600) + KeptChar(0x10FFFF), "<U+1F600><U+10FFFF>"},
      {"\x95\x5c" + KeptChar(0xE9), "\x95\x5c<U+00E9>"},  // 表 before it
      // Marks that keep nothing stay bytes.
      {"a\37700E9", "a\37700E9"},
      {"\37700e9ab", "\37700e9ab"},
      {"\377110000", "\377110000"},
      {"\377\3770000E9", "\377<U+00E9>"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(Spelled(c.text), c.spelled) << c.spelled;
  EXPECT_EQ(KeptChar(0xE9), "\3770000E9");
}

}  // namespace
}  // namespace zorbi::test
