#include "exchange/exchange_writer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using namespace zorbi;

namespace {

struct Writer : ::testing::Test {
  ExchangeState s;
  std::string file = "old content";
  int writes = 0;
  bool failNext = false;

  Writer() { CreateExchangeLists(s); }

  ExchangeWrite Write() {
    return WriteExchangeFile(s, [this](const std::string& bytes) {
      ++writes;
      if (failNext) return false;
      file = bytes;
      return true;
    });
  }
};

}  // namespace

TEST_F(Writer, NothingToWriteLeavesTheFile) {
  EXPECT_EQ(Write(), ExchangeWrite::Nothing);
  EXPECT_EQ(writes, 0);
  EXPECT_EQ(file, "old content");
}

TEST_F(Writer, LinesWithCrLfThenEmptied) {
  AddOutputLine(s, "h/C:\\cad\\a.bat");
  AddOutputLine(s, "");
  AddOutputLine(s, "x");
  EXPECT_EQ(Write(), ExchangeWrite::Written);
  EXPECT_EQ(file, "h/C:\\cad\\a.bat\r\n\r\nx\r\n");
  EXPECT_THAT(s.OutputLines, IsEmpty());
  EXPECT_EQ(Write(), ExchangeWrite::Nothing);
  EXPECT_EQ(writes, 1);
}

TEST_F(Writer, FailedWriteKeepsTheLines) {
  AddOutputLine(s, "h/a.bat");
  failNext = true;
  EXPECT_EQ(Write(), ExchangeWrite::Failed);
  EXPECT_EQ(file, "old content");
  EXPECT_THAT(s.OutputLines, ElementsAre("h/a.bat"));
  failNext = false;
  EXPECT_EQ(Write(), ExchangeWrite::Written);
  EXPECT_EQ(file, "h/a.bat\r\n");
}

TEST_F(Writer, ChainingLinesWithAndWithoutInfo) {
  EXPECT_THAT(ChainingLines("C:\\cad\\tools\\arrange.bat", false),
              ElementsAre("h/C:\\cad\\tools\\arrange.bat"));
  // "を起動します" in Shift-JIS, byte for byte.
  const std::string notice = "\x82\xF0\x8B\x4E\x93\xAE\x82\xB5\x82\xDC\x82\xB7";
  EXPECT_EQ(notice, "を起動します");  // the source's texts compile to Shift-JIS too
  EXPECT_THAT(ChainingLines("C:\\cad\\tools\\arrange.bat", true),
              ElementsAre("h/C:\\cad\\tools\\arrange.bat", "h#arrange.bat" + notice));
  EXPECT_THAT(ChainingLines("arrange.bat", true),
              ElementsAre("h/arrange.bat", "h#arrange.bat" + notice));
  EXPECT_THAT(ChainingLines("D:run.bat", true), ElementsAre("h/D:run.bat", "h#run.bat" + notice));
  // ソ ends in 0x5C: not a folder separator.
  EXPECT_THAT(ChainingLines("C:\\jw\\\x83\x5C\x95\x5C.bat", true),
              ElementsAre("h/C:\\jw\\\x83\x5C\x95\x5C.bat", "h#\x83\x5C\x95\x5C.bat" + notice));
  EXPECT_THAT(ChainingLines("C:\\\x83\x5C\\b.bat", true)[1], "h#b.bat" + notice);

  AddOutputLine(s, "kept");
  ASSERT_TRUE(AddChainingLines(s, "C:\\a.bat", true));
  EXPECT_EQ(Write(), ExchangeWrite::Written);
  EXPECT_EQ(file, "kept\r\nh/C:\\a.bat\r\nh#a.bat" + notice + "\r\n");
}

TEST_F(Writer, PathsThatCouldAddHostCommandsAreNeverChained) {
  EXPECT_TRUE(IsChainablePath("C:\\a b\\x.bat"));
  EXPECT_TRUE(IsChainablePath("\x7F\x83\x5C"));
  for (const std::string& path :
       {std::string("C:\\a.bat\r\nh/C:\\evil.bat"), std::string("a\nb"), std::string("a\rb"),
        std::string("a\tb"), std::string("a\x1F"), std::string("a\0b", 3), std::string()}) {
    EXPECT_FALSE(IsChainablePath(path));
    EXPECT_THAT(ChainingLines(path, true), IsEmpty());
    EXPECT_FALSE(AddChainingLines(s, path, true));
  }
  EXPECT_THAT(s.OutputLines, IsEmpty());
  EXPECT_EQ(Write(), ExchangeWrite::Nothing);
}
