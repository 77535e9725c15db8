#include "cp932.h"
#include "text/display_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace zorbi {
namespace {

TEST(Cp932, JapaneseTextConvertsBothWays) {
  const struct {
    std::string cp932;
    std::wstring utf16;
  } cases[] = {
      {"\x8D\xEC\x90\x7D", L"作図"},
      {"\x82\x6C\x82\x72\x20\x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E", L"ＭＳ Ｐゴシック"},
      {"\xCC\xA7\xB2\xD9", L"ﾌｧｲﾙ"},                  // half-width katakana: one byte each
      {"\x83\x5C\x83\x74\x83\x67", L"ソフト"},        // 0x5C as a trail byte, not a backslash
      {"C:\\JWW\\\x95\x5C.bat", L"C:\\JWW\\表.bat"},  // backslashes stay backslashes
      {std::string("a\0b", 3), std::wstring(L"a\0b", 3)},
      {"", L""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Widen(c.cp932), c.utf16);
    EXPECT_EQ(Narrow(c.utf16), c.cp932);
  }
}

TEST(Cp932, NarrowRefusesTextWithoutCp932Form) {
  // Each would otherwise come out as '?' or a look-alike ("e" for é).
  // With the character a message names.
  const struct {
    std::wstring text;
    char32_t first;
  } refused[] = {
      {L"caf\u00E9", 0xE9},            // Latin letter
      {L"\u4F5C\U0001F600", 0x1F600},  // emoji, a surrogate pair
      {L"\u4E02", 0x4E02},             // ideograph outside JIS X 0208 and the NEC/IBM extensions
      {L"a\xD800z", 0xD800},           // lone surrogate
  };
  for (const auto& c : refused) {
    EXPECT_EQ(Narrow(c.text), std::nullopt) << "text of " << c.text.size() << " code units";
    EXPECT_EQ(FirstUnrepresentable(c.text), c.first);
  }
  EXPECT_EQ(FirstUnrepresentable(L"\u4F5C\u56F3"), 0u);
  // One bad character refuses the whole text.
  EXPECT_EQ(Narrow(L"作図\u00E9"), std::nullopt);
}

TEST(Cp932, DisplayNameKeepsWhatHasNoCp932Form) {
  // Shown as the system spells it; never best fit, as "a.bat" would name
  // another file, one that may exist.
  const struct {
    std::wstring name;
    std::string narrow;
  } cases[] = {
      {L"C:\\JWW\\\u00E4.bat", "C:\\JWW\\" + KeptChar(0xE4) + ".bat"},
      {L"\u4F5C\u56F3\u4E02", "\x8D\xEC\x90\x7D" + KeptChar(0x4E02)},
      {L"\U0001F600.bat", KeptChar(0x1F600) + ".bat"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NarrowForDisplay(c.name), c.narrow);
    EXPECT_EQ(WidenForDisplay(NarrowForDisplay(c.name)), c.name);
  }
}

}  // namespace
}  // namespace zorbi
