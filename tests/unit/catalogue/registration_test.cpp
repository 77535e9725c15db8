#include "catalogue/registration.h"

#include <gtest/gtest.h>

using namespace zorbi;

TEST(BatSummary, MarkerRules) {
  EXPECT_EQ(BatSummary("@REM 円を描く\r\nrest"), "円を描く");
  EXPECT_EQ(BatSummary("@rem  two spaces \t\n"), "two spaces");
  EXPECT_EQ(BatSummary("@REMnospace"), "ospace");  // the fifth byte always goes
  EXPECT_EQ(BatSummary("@REM"), "");
  EXPECT_EQ(BatSummary("@REM "), "");
  EXPECT_EQ(BatSummary("@Rem other case"), "");
  EXPECT_EQ(BatSummary(" @REM leading space"), "");
  EXPECT_EQ(BatSummary("\r\n@REM second line"), "");
  EXPECT_EQ(BatSummary("\n"), "");
  EXPECT_EQ(BatSummary("@REM \"quoted\" text\rLF"), "\"quoted\" text");
  EXPECT_EQ(BatSummary(std::string_view("@REM cut\0hidden", 15)), "cut");
}

TEST(BatSummary, EmptyFilesHaveNoLine) {
  EXPECT_EQ(BatSummary(""), std::nullopt);
  EXPECT_EQ(BatSummary(std::string("\0@REM x", 7)), std::nullopt);
}

TEST(BatSummary, KeepsBytesSixTo260WithoutHalfACharacter) {
  const std::string ascii = "@REM " + std::string(300, 'a');
  EXPECT_EQ(BatSummary(ascii.substr(0, BatHeadBytes)), std::string(255, 'a'));
  // 作 at bytes 260-261 (1-based) crosses the cut: left out whole.
  const std::string across = "@REM " + std::string(254, 'b') + "作" + "tail";
  EXPECT_EQ(BatSummary(across.substr(0, BatHeadBytes)), std::string(254, 'b'));
  // 作 at bytes 259-260 fits.
  const std::string fits = "@REM " + std::string(253, 'c') + "作" + "tail";
  EXPECT_EQ(BatSummary(fits.substr(0, BatHeadBytes)), std::string(253, 'c') + "作");
}
