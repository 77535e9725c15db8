#include "exchange/exchange_writer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using namespace zorbi;

namespace {

// "を起動します" in Shift-JIS.
const std::string kNotice = "\x82\xF0\x8B\x4E\x93\xAE\x82\xB5\x82\xDC\x82\xB7";

struct Writer : ::testing::Test {
  ExchangeState s;
  std::string file = "old content";
  bool fail = false;

  Writer() { CreateExchangeLists(s); }

  ExchangeWrite Write() {
    return WriteExchangeFile(s, [this](const std::string& bytes) {
      if (!fail) file = bytes;
      return !fail;
    });
  }
};

}  // namespace

TEST_F(Writer, WritesLinesWithCrLfOnceThenNothing) {
  EXPECT_EQ(Write(), ExchangeWrite::Nothing);
  EXPECT_EQ(file, "old content");
  AddOutputLine(s, "h/C:\\cad\\a.bat");
  AddOutputLine(s, "");
  fail = true;
  EXPECT_EQ(Write(), ExchangeWrite::Failed);  // the lines stay for another try
  EXPECT_EQ(file, "old content");
  fail = false;
  EXPECT_EQ(Write(), ExchangeWrite::Written);
  EXPECT_EQ(file, "h/C:\\cad\\a.bat\r\n\r\n");
  EXPECT_THAT(s.OutputLines, IsEmpty());
  file = "x";
  EXPECT_EQ(Write(), ExchangeWrite::Nothing);
  EXPECT_EQ(file, "x");
}

TEST_F(Writer, ChainingLines) {
  EXPECT_EQ(kNotice, "を起動します");  // the source's own texts compile to Shift-JIS
  EXPECT_THAT(ChainingLines("C:\\cad\\tools\\arrange.bat", false),
              ElementsAre("h/C:\\cad\\tools\\arrange.bat"));
  EXPECT_THAT(ChainingLines("C:\\cad\\tools\\arrange.bat", true),
              ElementsAre("h/C:\\cad\\tools\\arrange.bat", "h#arrange.bat" + kNotice));
  EXPECT_EQ(ChainingLines("arrange.bat", true)[1], "h#arrange.bat" + kNotice);
  EXPECT_EQ(ChainingLines("D:run.bat", true)[1], "h#run.bat" + kNotice);
  // ソ and 表 end in 0x5C, which is no folder separator there.
  EXPECT_EQ(ChainingLines("C:\\jw\\\x83\x5C\x95\x5C.bat", true)[1],
            "h#\x83\x5C\x95\x5C.bat" + kNotice);
  EXPECT_EQ(ChainingLines("C:\\\x83\x5C\\b.bat", true)[1], "h#b.bat" + kNotice);

  ASSERT_TRUE(AddChainingLines(s, "C:\\a.bat", true));
  EXPECT_EQ(Write(), ExchangeWrite::Written);
  EXPECT_EQ(file, "h/C:\\a.bat\r\nh#a.bat" + kNotice + "\r\n");
}

TEST_F(Writer, PathsThatCouldAddHostCommandsAreNeverChained) {
  EXPECT_TRUE(IsChainablePath("C:\\a b\\x.bat\x7F"));
  for (const std::string& path :
       {std::string("C:\\a.bat\r\nh/C:\\evil.bat"), std::string("a\nb"), std::string("a\tb"),
        std::string("a\x1F"), std::string("a\0b", 3), std::string()}) {
    EXPECT_FALSE(IsChainablePath(path));
    EXPECT_THAT(ChainingLines(path, true), IsEmpty());
    EXPECT_FALSE(AddChainingLines(s, path, true));
  }
  EXPECT_EQ(Write(), ExchangeWrite::Nothing);
}
