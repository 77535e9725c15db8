#include "catalogue/path_txt.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace zorbi;

TEST(PathTxt, TabNamesAsCommaTextThenOneLinePerItem) {
  CatalogueData c;
  for (int t = 0; t < 4; ++t) c.TabList.push_back(std::make_unique<TMList>());
  for (const auto& [tab, path] : std::vector<std::pair<int, std::string>>{
           {0, "C:\\JWW\\A.BAT"}, {1, "C:\\JWW\\B.BAT"}, {1, "C:\\表\\C,D.BAT"}}) {
    auto item = std::make_unique<TMenuItem>();
    item->InitItem(path, "S", tab, 0, "", "", "", 0, 0);
    AddItem(*c.TabList[static_cast<std::size_t>(tab)], std::move(item));
  }
  EXPECT_EQ(PathTxtImage({"Tab1", "Draw lines", "", "a\"b"}, c.TabList),
            "Tab1,\"Draw lines\",,\"a\"\"b\"\r\n"
            "0,C:\\JWW\\A.BAT\r\n"
            "1,C:\\JWW\\B.BAT\r\n"
            "1,C:\\表\\C,D.BAT\r\n");
  CatalogueData one;
  one.TabList.push_back(std::make_unique<TMList>());
  EXPECT_EQ(PathTxtImage({"Tab1"}, one.TabList), "Tab1\r\n");
}

namespace {

// BAT files: E.BAT is empty, GONE.BAT cannot be read.
std::optional<std::string> BatHead(const std::string& path) {
  if (path.ends_with("GONE.BAT")) return std::nullopt;
  return path == "E.BAT" ? "" : "@REM " + path + "\r\n";
}

}  // namespace

TEST(PathTxtRestore, RebuildsTabsAndItemsInFileOrder) {
  struct Row {
    const char* name;
    std::string bytes;
    std::size_t tabCount;
    std::string image;  // the export of the restored catalogue
    std::size_t tabs;
  };
  const Row rows[] = {
      {"example",
       "Tab1,\"Draw lines\"\r\n0,C:\\JWW\\A.BAT\r\n1,C:\\JWW\\B.BAT\r\n1,C:\\JWW\\C.BAT\r\n", 1,
       "Tab1,\"Draw lines\"\r\n0,C:\\JWW\\A.BAT\r\n1,C:\\JWW\\B.BAT\r\n1,C:\\JWW\\C.BAT\r\n", 2},
      {"blanks around the comma, LF and CR ends, no last end",
       "A,B\n1 , C:\\JWW\\B.BAT\r 0,C:\\JWW\\A.BAT", 1,
       "A,B\r\n0,C:\\JWW\\A.BAT\r\n1,C:\\JWW\\B.BAT\r\n", 2},
      {"surplus tabs stay", "A\r\n0,C:\\JWW\\A.BAT\r\n", 3, "A\r\n0,C:\\JWW\\A.BAT\r\n", 3},
      {"a path with commas reads back whole", "A\r\n0,C:\\a,v2.BAT\r\n0 , X,Y.BAT \r\n", 1,
       "A\r\n0,C:\\a,v2.BAT\r\n0,X,Y.BAT\r\n", 1},
      {"a name cut after a lead byte", "A\x81,B\r\n", 1, "A\x81,B\r\n", 2},
      {"blank lines and CR CR LF ends are skipped", "A\r\r\n0,C:\\a.BAT\r\r\n\r\n \t\r\n", 1,
       "A\r\n0,C:\\a.BAT\r\n", 1},
      {"empty file keeps the names", "", 2, "Old1,Old2\r\n", 2},
      {"no name on line 1 gives Tab1", " \r\n0,C:\\JWW\\A.BAT\r\n", 1,
       "Tab1\r\n0,C:\\JWW\\A.BAT\r\n", 1},
  };
  for (const Row& row : rows) {
    PathTxtCatalogue out;
    PathTxtError error;
    ASSERT_TRUE(RestorePathTxt(row.bytes, {"Old1", "Old2"}, row.tabCount, BatHead, out, error))
        << row.name;
    EXPECT_EQ(PathTxtImage(out.TabNames, out.TabList), row.image) << row.name;
    EXPECT_EQ(out.TabList.size(), row.tabs) << row.name;
  }
}

TEST(PathTxtRestore, UnusableLinesAreLeftOutWithTheirRealLineNumbers) {
  const struct {
    std::string item;  // after "A,B", a good line and a blank line
    PathTxtFault fault;
  } rows[] = {
      {"x,C:\\JWW\\A.BAT", PathTxtFault::BadTabNumber},
      {",C:\\JWW\\A.BAT", PathTxtFault::BadTabNumber},
      {"99999999999,C:\\JWW\\A.BAT", PathTxtFault::BadTabNumber},
      {"0", PathTxtFault::NoPath},
      {"0, ", PathTxtFault::NoPath},
      {"2,C:\\JWW\\A.BAT", PathTxtFault::NoSuchTab},
      {"-1,C:\\JWW\\A.BAT", PathTxtFault::NoSuchTab},
      {"0,C:\\JWW\\GONE.BAT", PathTxtFault::UnreadableBat},
      {"0,E.BAT", PathTxtFault::EmptyBat},
  };
  for (const auto& row : rows) {
    PathTxtCatalogue out;
    PathTxtError error;
    const std::string bytes =
        "A,B\r\r\n0,C:\\JWW\\A.BAT\r\r\n\r\n" + row.item + "\r\n1,C:\\JWW\\B.BAT\r\n";
    // Three tabs in hand: a third tab exists but the file does not name it.
    ASSERT_TRUE(RestorePathTxt(bytes, {}, 3, BatHead, out, error)) << row.item;
    ASSERT_EQ(out.Skipped.size(), 1u) << row.item;
    EXPECT_EQ(out.Skipped[0].Fault, row.fault) << row.item;
    EXPECT_EQ(out.Skipped[0].LineNo, 4u) << row.item;
    EXPECT_EQ(out.Skipped[0].Line, row.item);
    EXPECT_EQ(PathTxtImage(out.TabNames, out.TabList),
              "A,B\r\n0,C:\\JWW\\A.BAT\r\n1,C:\\JWW\\B.BAT\r\n")
        << row.item;
  }
}

TEST(PathTxtRestore, AFileThatIsNotShiftJisIsRefusedWhole) {
  const struct {
    std::string bytes;
    PathTxtFault fault;
    std::size_t lineNo;
  } rows[] = {
      {"\xEF\xBB\xBFTab1\r\n0,C:\\A.BAT\r\n", PathTxtFault::Utf8, 1},
      // Notepad's UTF-8 without a mark: "あい" is E3 81 82 E3 81 84, each
      // pair of which Shift-JIS would take for a character.
      {"Tab1\r\n0,C:\\\xE3\x81\x82\xE3\x81\x84.BAT\r\n", PathTxtFault::Utf8, 1},
      {"\xFF\xFET\0a\0", PathTxtFault::Utf16, 1},
      {"Tab1\r\n\n0,C:\\\x82\xA0\x80.BAT\r\n", PathTxtFault::NotShiftJis, 3},
      {"T\x80x,\"\x81\"\r\n", PathTxtFault::NotShiftJis, 1},
      {"T\r\n0,C:\\\xFD.BAT\r\n", PathTxtFault::NotShiftJis, 2},
  };
  for (const auto& row : rows) {
    PathTxtCatalogue out;
    out.TabNames = {"kept"};
    PathTxtError error;
    EXPECT_FALSE(RestorePathTxt(row.bytes, {}, 1, BatHead, out, error)) << row.bytes;
    EXPECT_EQ(error.Fault, row.fault) << row.bytes;
    EXPECT_EQ(error.LineNo, row.lineNo) << row.bytes;
    EXPECT_THAT(out.TabNames, ::testing::ElementsAre("kept"));
  }
}
