#include "text/text_split.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>

#include "text/sjis.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using namespace zorbi;

TEST(SplitDelimited, SpaceDelimitedTokensAndQuotedRuns) {
  EXPECT_THAT(SplitDelimited("a  \"b c\" d", ' '), ElementsAre("a", "b c", "d"));
  EXPECT_THAT(SplitDelimited("\t lc 1  2 \r\n", ' '), ElementsAre("lc", "1", "2"));
  // A quoted token ends at its closing quote; what follows starts a new token.
  EXPECT_THAT(SplitDelimited("\"a\"b", ' '), ElementsAre("a", "b"));
  EXPECT_THAT(SplitDelimited("", ' '), IsEmpty());
  EXPECT_THAT(SplitDelimited(" \t\r\n", ','), IsEmpty());
}

TEST(SplitDelimited, CommaTextWithQuotesAndEmptyPieces) {
  EXPECT_THAT(SplitDelimited("\"x\",\"y\"", ','), ElementsAre("x", "y"));
  EXPECT_THAT(SplitDelimited("\"a\"\"b\"", ','), ElementsAre("a\"b"));
  EXPECT_THAT(SplitDelimited("x,,y", ','), ElementsAre("x", "", "y"));
  EXPECT_THAT(SplitDelimited("x, ,y", ','), ElementsAre("x", "", "y"));
  EXPECT_THAT(SplitDelimited("x,", ','), ElementsAre("x", ""));
  EXPECT_THAT(SplitDelimited(",", ','), ElementsAre("", ""));
  EXPECT_THAT(SplitDelimited("a b,c", ','), ElementsAre("a", "b", "c"));
  EXPECT_THAT(SplitDelimited("C:\\a;D:\\b;", ';'), ElementsAre("C:\\a", "D:\\b", ""));
}

TEST(SplitDelimited, UnclosedQuoteLosesLastByte) {
  EXPECT_THAT(SplitDelimited("\"abc", ','), ElementsAre("ab"));
  EXPECT_THAT(SplitDelimited("\"", ','), ElementsAre(""));
}

TEST(SplitDelimited, DoubleByteCharactersStayWhole) {
  // 作図 and ソ表 (trail bytes 0x5C) inside and around quotes and delimiters.
  EXPECT_THAT(SplitDelimited("作図,\"ソ表 x\",表", ','), ElementsAre("作図", "ソ表 x", "表"));
  // A lead byte before a byte that cannot be a trail byte is a single byte,
  // so the blank after it still separates.
  EXPECT_THAT(SplitDelimited("\x81 a", ' '), ElementsAre("\x81", "a"));
  EXPECT_THAT(SplitDelimited("a \x81", ' '), ElementsAre("a", "\x81"));
  EXPECT_THAT(SplitDelimited("\"\x81\"", ','), ElementsAre("\x81"));
}

TEST(SplitBy, TrimsAndDropsEmptyPieces) {
  TokenList list;
  EXPECT_EQ(SplitBy(' ', "sc  1  2", list), 3u);
  EXPECT_THAT(list, ElementsAre("sc", "1", "2"));

  list.clear();
  EXPECT_EQ(SplitBy(',', "1,,C:\\x", list), 2u);
  EXPECT_THAT(list, ElementsAre("1", "C:\\x"));

  list.clear();
  EXPECT_EQ(SplitBy(' ', "", list), 1u);
  EXPECT_THAT(list, ElementsAre(""));

  list.clear();
  EXPECT_EQ(SplitBy('$', "  no separator here \r\n", list), 1u);
  EXPECT_THAT(list, ElementsAre("no separator here"));

  list.clear();
  EXPECT_EQ(SplitBy(',', "a,", list), 2u);
  EXPECT_THAT(list, ElementsAre("a", ""));
}

TEST(SplitBy, AppendsToListAndKnowsNoQuotes) {
  TokenList list{"kept"};
  EXPECT_EQ(SplitBy(' ', "\"a b\" c", list), 4u);
  EXPECT_THAT(list, ElementsAre("kept", "\"a", "b\"", "c"));
}

TEST(JoinCommaText, QuotesOnlyWhereNeeded) {
  EXPECT_EQ(JoinCommaText({"Tab1", "my tab"}), "Tab1,\"my tab\"");
  EXPECT_EQ(JoinCommaText({""}), "\"\"");
  EXPECT_EQ(JoinCommaText({"a", ""}), "a,");
  EXPECT_EQ(JoinCommaText({}), "");
  EXPECT_EQ(JoinCommaText({"a\"b", "x,y", "t\tu", "作図"}), "\"a\"\"b\",\"x,y\",\"t\tu\",作図");
}

TEST(JoinCommaText, ReadsBackThroughSplitDelimited) {
  // Random lines over bytes that matter to the two functions: blanks, quotes,
  // commas, lead and trail bytes, backslashes.
  const std::string alphabet = std::string("ab ,\"\t\\@") + "\x81\x83\x95\x5c\xe0\x40\xfc";
  std::mt19937 rng(12345);
  for (int round = 0; round < 2000; ++round) {
    TokenList lines(rng() % 4 + 1);
    for (auto& line : lines) {
      const std::size_t len = rng() % 6;
      for (std::size_t k = 0; k < len; ++k) line += alphabet[rng() % alphabet.size()];
    }
    // Leading or trailing blanks survive only inside quotes, which an
    // unquoted line never has; every line with a blank is quoted, so all
    // lines must come back unchanged.
    EXPECT_EQ(SplitDelimited(JoinCommaText(lines), ','), lines)
        << "comma text: " << JoinCommaText(lines);
  }
}

TEST(FileNamePart, AfterLastBackslashOrColon) {
  EXPECT_EQ(FileNamePart("C:\\JWW\\A.BAT"), "A.BAT");
  EXPECT_EQ(FileNamePart("C:A.BAT"), "A.BAT");
  EXPECT_EQ(FileNamePart("A.BAT"), "A.BAT");
  EXPECT_EQ(FileNamePart("C:\\JWW\\"), "");
  EXPECT_EQ(FileNamePart(""), "");
  // 表 and ソ end in 0x5C, which is not a folder separator there.
  EXPECT_EQ(FileNamePart("C:\\ソフト\\表.BAT"), "表.BAT");
  EXPECT_EQ(FileNamePart("C:\\JWW\\ソ"), "ソ");
  // A lead byte before a colon is a byte of its own; the colon counts.
  EXPECT_EQ(FileNamePart("C:\\x\x81:y.bat"), "y.bat");
}

TEST(Sjis, PrefixEndsOnCharacterBoundary) {
  EXPECT_EQ(SjisPrefix("ab作図", 3), "ab");
  EXPECT_EQ(SjisPrefix("ab作図", 4), "ab作");
  EXPECT_EQ(SjisPrefix("ab作図", 100), "ab作図");
  EXPECT_EQ(SjisPrefix("ab\x81", 3), "ab\x81");
  EXPECT_EQ(SjisCharLen("\x81", 0), 1u);
  EXPECT_EQ(SjisCharLen("\x81\x7f", 0), 1u);
  EXPECT_EQ(SjisCharLen("\x81\x40", 0), 2u);
}
