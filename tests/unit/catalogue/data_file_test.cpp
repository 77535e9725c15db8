#include "catalogue/data_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "catalogue/catalogue.h"
#include "catalogue/path_txt.h"

using ::testing::ElementsAre;
using namespace zorbi;

namespace {

std::string Hex(std::initializer_list<int> bytes) {
  std::string s;
  for (int b : bytes) s += static_cast<char>(b);
  return s;
}

std::string Int(std::int32_t v) {
  std::string s;
  WriteInt32(s, v);
  return s;
}

std::string Counted(std::string_view text) {
  std::string s;
  WriteCountedString(s, text);
  return s;
}

// Two tabs "Tab1" and 作図, one picked item on the second tab.
const std::string kExample = Hex({0x5A, 0x5F, 0x4F, 0x72, 0x62, 0x69, 0x2E, 0x44, 0x61, 0x74, 0x61,
                                  0x46, 0x69, 0x6C, 0x65, 0x00}) +
                             Hex({2, 0, 0, 0}) + Hex({1, 0, 0, 0}) + Hex({5, 0, 0, 0}) + "Tab1" +
                             Hex({0}) + Hex({5, 0, 0, 0, 0x8D, 0xEC, 0x90, 0x7D, 0}) +
                             Hex({13, 0, 0, 0}) + "C:\\JWW\\A.BAT" + Hex({0}) + Hex({7, 0, 0, 0}) +
                             "Circle" + Hex({0}) + Hex({1, 0, 0, 0}) + Hex({0, 0, 0, 0}) +
                             Hex({9, 0, 0, 0}) + "\"Circle\"" + Hex({0}) + Hex({1, 0, 0, 0, 0}) +
                             Hex({1, 0, 0, 0, 0}) + Hex({2, 0, 0, 0}) + Hex({0, 0, 0, 0});

std::unique_ptr<TMenuItem> NewItem(std::string path, std::int32_t tab, std::int32_t pos,
                                   std::int32_t pick = 0) {
  auto item = std::make_unique<TMenuItem>();
  item->InitItem(std::move(path), "Sum", tab, pos, "\"Sum\"", "", "", pick, 0);
  return item;
}

void AddTabs(CatalogueData& c, int n) {
  for (int i = 0; i < n; ++i) c.TabList.push_back(std::make_unique<TMList>());
}

std::string Header() {
  std::string s;
  WriteZString(s, DataFileHeader);
  return s;
}

std::string ItemRecord(std::string_view path, std::int32_t tab, std::int32_t pos,
                       std::int32_t pick) {
  return Counted(path) + Counted("S") + Int(tab) + Int(pos) + Counted("\"S\"") + Counted("") +
         Counted("") + Int(pick) + Int(0);
}

}  // namespace

TEST(DataFile, WritesTheTwoTabExampleByteForByte) {
  CatalogueData c;
  AddTabs(c, 2);
  AddItem(*c.TabList[1], NewItem("C:\\JWW\\A.BAT", 1, 0, 2))
      .InitItem("C:\\JWW\\A.BAT", "Circle", 1, 0, "\"Circle\"", "", "", 2, 0);
  const std::string image = CatalogueImage(c, 2, {"Tab1", "作図"});
  ASSERT_EQ(kExample.size(), 109u);
  EXPECT_EQ(image, kExample);
}

// A catalogue made and reordered by its own operations, written as the data
// file and as PATH.TXT: every number in the records is the item's place, its
// tab and its pick, byte for byte.
TEST(DataFile, SeveralTabsAndItemsAreWrittenByteForByte) {
  Catalogue cat;
  cat.StartEmpty();
  cat.AddTab("作図");
  for (const char* name : {"A", "B", "C"})
    cat.AppendItem(0, std::string("C:\\") + name + ".BAT", name);
  for (const char* name : {"D", "E"}) cat.AppendItem(1, std::string("C:\\") + name + ".BAT", name);
  cat.MoveItem(0, 2, 0);  // C, A, B
  cat.PickItem(1);        // A
  const auto record = [](char name, int tab, int position, int pick) {
    const std::string path = std::string("C:\\") + name + ".BAT";
    return Hex({9, 0, 0, 0}) + path + Hex({0, 2, 0, 0, 0, name, 0, tab, 0, 0, 0}) +
           Hex({position, 0, 0, 0, 4, 0, 0, 0, '"', name, '"', 0}) + Hex({1, 0, 0, 0, 0}) +
           Hex({1, 0, 0, 0, 0}) + Hex({pick, 0, 0, 0, 0, 0, 0, 0});
  };
  const std::string expected = kExample.substr(0, 16) + Hex({2, 0, 0, 0, 5, 0, 0, 0}) +
                               kExample.substr(24, 18) + record('C', 0, 0, 0) +
                               record('A', 0, 1, 2) + record('B', 0, 2, 0) + record('D', 1, 0, 0) +
                               record('E', 1, 1, 0);
  EXPECT_EQ(CatalogueImage(cat.Data(), 2, cat.TabNames()), expected);
  EXPECT_EQ(PathTxtImage(cat.TabNames(), cat.Data().TabList),
            "Tab1,作図\r\n0,C:\\C.BAT\r\n0,C:\\A.BAT\r\n0,C:\\B.BAT\r\n1,C:\\D.BAT\r\n"
            "1,C:\\E.BAT\r\n");
}

TEST(DataFile, ReadsTheExampleAndRestoresThePick) {
  CatalogueData c;
  std::vector<std::string> names{"old"};
  ASSERT_TRUE(ReadCatalogueImage(c, kExample, names));
  EXPECT_THAT(names, ElementsAre("Tab1", "作図"));
  ASSERT_EQ(c.TabList.size(), 2u);
  EXPECT_TRUE(c.TabList[0]->Items.empty());
  ASSERT_EQ(c.TabList[1]->Items.size(), 1u);
  const TMenuItem& item = *c.TabList[1]->Items[0];
  EXPECT_EQ(item.BatPath, "C:\\JWW\\A.BAT");
  EXPECT_EQ(item.Summary, "Circle");
  EXPECT_EQ(item.Memo, "\"Circle\"");
  EXPECT_EQ(item.PickState, 2);
  EXPECT_EQ(c.CurrentTab, 1);
  EXPECT_EQ(c.PickedIndex, 0);
  EXPECT_EQ(CatalogueImage(c, 2, names), kExample);
}

TEST(DataFile, OneEmptyTabIs33Bytes) {
  CatalogueData c;
  AddTabs(c, 1);
  const std::string image = CatalogueImage(c, 1, {"Tab1"});
  EXPECT_EQ(image, Header() + Int(1) + Int(0) + Hex({5, 0, 0, 0}) + "Tab1" + Hex({0}));
  EXPECT_EQ(image.size(), 33u);
}

TEST(DataFile, RoundTripKeepsEmptyNamesJapaneseTextAndReservedFields) {
  CatalogueData c;
  AddTabs(c, 3);
  AddItem(*c.TabList[1], NewItem("C:\\ソフト\\表.BAT", 1, 0))
      .InitItem("C:\\ソフト\\表.BAT", "円を描く", 1, 0, "\"円を描く\",二行目", "keep1", "keep2", 1,
                0x7fffffff);
  AddItem(*c.TabList[2], NewItem("D:\\x y\\B.BAT", 2, 0, 2));
  const std::vector<std::string> names{"A", "", "作図"};
  const std::string image = CatalogueImage(c, 3, names);
  // ソフト and 表 count two bytes a character: 16 text bytes, N = 17.
  EXPECT_EQ(image.substr(24 + 6 + 5 + 9, 4), Int(17));

  CatalogueData back;
  std::vector<std::string> backNames;
  ASSERT_TRUE(ReadCatalogueImage(back, image, backNames));
  EXPECT_EQ(backNames, names);
  const TMenuItem& item = *back.TabList[1]->Items[0];
  EXPECT_EQ(item.Summary, "円を描く");
  EXPECT_EQ(item.Reserved1, "keep1");
  EXPECT_EQ(item.Reserved2, "keep2");
  EXPECT_EQ(item.Reserved3, 0x7fffffff);
  EXPECT_EQ(back.CurrentTab, 2);
  EXPECT_EQ(CatalogueImage(back, 3, backNames), image);
}

TEST(DataFile, ExtraEmptyTabsPastTheStripDoNotChangeTheFile) {
  CatalogueData c;
  AddTabs(c, 2);
  AddItem(*c.TabList[0], NewItem("a", 0, 0));
  const std::string plain = CatalogueImage(c, 2, {"A", "B"});
  AddTabs(c, 3);
  EXPECT_EQ(CatalogueImage(c, 2, {"A", "B"}), plain);
}

TEST(DataFile, ItemsOnTabsPastTheStripKeepTheFileReadable) {
  CatalogueData c;
  AddTabs(c, 3);
  AddItem(*c.TabList[2], NewItem("a", 2, 0));
  const std::string image = CatalogueImage(c, 1, {"A"});
  CatalogueData back;
  std::vector<std::string> names;
  ASSERT_TRUE(ReadCatalogueImage(back, image, names));
  EXPECT_THAT(names, ElementsAre("A", "", ""));
  EXPECT_EQ(back.TabList[2]->Items.size(), 1u);
}

TEST(DataFile, PlacesItemsByTabNoInFileOrder) {
  const std::string file = Header() + Int(2) + Int(3) + Counted("A") + Counted("B") +
                           ItemRecord("x", 1, 0, 0) + ItemRecord("y", 0, 0, 0) +
                           ItemRecord("z", 1, 1, 0);
  CatalogueData c;
  c.CurrentTab = 4;  // no pick in the file: kept
  c.PickedIndex = 6;
  std::vector<std::string> names;
  ASSERT_TRUE(ReadCatalogueImage(c, file + "trailing bytes are ignored", names));
  ASSERT_EQ(c.TabList[1]->Items.size(), 2u);
  EXPECT_EQ(c.TabList[1]->Items[0]->BatPath, "x");
  EXPECT_EQ(c.TabList[1]->Items[1]->BatPath, "z");
  EXPECT_EQ(c.TabList[0]->Items[0]->BatPath, "y");
  EXPECT_EQ(c.CurrentTab, 4);
  EXPECT_EQ(c.PickedIndex, 6);
}

TEST(DataFile, LastPickedRecordDecides) {
  const std::string file = Header() + Int(2) + Int(2) + Counted("A") + Counted("B") +
                           ItemRecord("x", 0, 0, 2) + ItemRecord("y", 1, 5, 2);
  CatalogueData c;
  std::vector<std::string> names;
  ASSERT_TRUE(ReadCatalogueImage(c, file, names));
  EXPECT_EQ(c.CurrentTab, 1);
  EXPECT_EQ(c.PickedIndex, 0);  // its place, not the Position stored
  EXPECT_EQ(c.TabList[1]->Items[0]->Position, 0);
}

TEST(DataFile, ItemsPastTheStoredNamesAreRefusedAlsoWithTabsAlready) {
  // A restore's emptied tabs have no names: items put there could never be seen.
  for (const std::string& file :
       {Header() + Int(1) + Int(1) + Counted("A") + ItemRecord("x", 2, 0, 0),
        Header() + Int(0) + Int(1) + ItemRecord("x", 0, 0, 0)}) {
    CatalogueData c;
    AddTabs(c, 2);
    std::vector<std::string> names{"old"};
    EXPECT_FALSE(ReadCatalogueImage(c, file, names));
    EXPECT_EQ(c.TabList.size(), 2u);
    EXPECT_THAT(names, ElementsAre("old"));
  }
}

TEST(DataFile, NoTabsAndNoItemsReadsAsOneTab1) {
  CatalogueData c;
  std::vector<std::string> names{"old"};
  ASSERT_TRUE(ReadCatalogueImage(c, Header() + Int(0) + Int(0), names));
  EXPECT_THAT(names, ElementsAre("Tab1"));
  EXPECT_EQ(c.TabList.size(), 1u);
}

TEST(DataFile, MalformedFilesAreRejectedAndChangeNothing) {
  const std::string good = Header() + Int(1) + Int(1) + Counted("A") + ItemRecord("x", 0, 0, 2);
  std::vector<std::pair<std::string, std::string>> bad = {
      {"header in other case", "z_orbi.datafile" + std::string(1, '\0') + good.substr(16)},
      {"empty file", ""},
      {"no header terminator", "Z_Orbi.DataFile"},
      {"length zero", Header() + Int(1) + Int(0) + Int(0)},
      {"length too big", Header() + Int(1) + Int(0) + Int(100'001) + std::string(100'001, 'a')},
      {"negative length", Header() + Int(1) + Int(0) + Int(-1)},
      // One tab already there plus one from the file: 2 names nothing.
      {"tab number past the tabs",
       Header() + Int(1) + Int(1) + Counted("A") + ItemRecord("x", 2, 0, 0)},
      {"negative tab number",
       Header() + Int(1) + Int(1) + Counted("A") + ItemRecord("x", -1, 0, 0)},
      {"huge counts", Header() + Int(0x7fffffff) + Int(0x7fffffff) + Counted("A")},
      {"negative tab count", Header() + Int(-3) + Int(0)},
      {"negative item count", Header() + Int(1) + Int(-1) + Counted("A") + good.substr(30)},
      {"lowest item count", Header() + Int(1) + Int(INT32_MIN) + Counted("A") + good.substr(30)},
  };
  for (std::size_t cut = 0; cut < good.size(); ++cut)
    bad.emplace_back("cut at " + std::to_string(cut), good.substr(0, cut));

  for (const auto& [why, bytes] : bad) {
    CatalogueData c;
    AddTabs(c, 1);
    AddItem(*c.TabList[0], NewItem("mine", 0, 0));
    c.CurrentTab = 0;
    c.PickedIndex = 3;
    std::vector<std::string> names{"mine"};
    EXPECT_FALSE(ReadCatalogueImage(c, bytes, names)) << why;
    EXPECT_THAT(names, ElementsAre("mine")) << why;
    ASSERT_EQ(c.TabList.size(), 1u) << why;
    EXPECT_EQ(c.TabList[0]->Items.size(), 1u) << why;
    EXPECT_EQ(c.PickedIndex, 3) << why;
  }
}

TEST(DataFile, ItemsWithoutAnyTabAreRejectedAtStart) {
  CatalogueData c;
  std::vector<std::string> names;
  EXPECT_FALSE(ReadCatalogueImage(c, Header() + Int(0) + Int(1) + ItemRecord("x", 0, 0, 0), names));
  EXPECT_TRUE(c.TabList.empty());
}

TEST(DataFile, LongestStringsFitTheBuffer) {
  const std::string max(99'999, 'a');
  CatalogueData c;
  std::vector<std::string> names;
  ASSERT_TRUE(ReadCatalogueImage(c, Header() + Int(1) + Int(0) + Counted(max), names));
  EXPECT_EQ(names[0], max);
  // A field without its terminator inside N bytes keeps all N bytes.
  ASSERT_TRUE(ReadCatalogueImage(c, Header() + Int(1) + Int(0) + Int(3) + "abc", names));
  EXPECT_EQ(names[0], "abc");
  // Text after a 0x00 inside the field is dropped.
  ASSERT_TRUE(
      ReadCatalogueImage(c, Header() + Int(1) + Int(0) + Int(4) + std::string("a\0bc", 4), names));
  EXPECT_EQ(names[0], "a");
}

TEST(DataFile, WriterCutsLongStringsAtACharacterBoundary) {
  EXPECT_EQ(Counted(std::string(100'000, 'a')), Int(100'000) + std::string(99'999, 'a') + '\0');
  // A double-byte character across the limit is left out whole.
  const std::string across = std::string(99'998, 'a') + "作";
  EXPECT_EQ(Counted(across), Int(99'999) + std::string(99'998, 'a') + '\0');
  const std::string fits = std::string(99'997, 'a') + "作";
  EXPECT_EQ(Counted(fits), Int(100'000) + fits + '\0');
  // Only the text before a 0x00 byte is stored.
  EXPECT_EQ(Counted(std::string("ab\0cd", 5)), Int(3) + "ab" + '\0');
  EXPECT_EQ(Counted(""), Hex({1, 0, 0, 0, 0}));
}

TEST(DataFile, MissingNamesAreWrittenEmpty) {
  CatalogueData c;
  AddTabs(c, 2);
  EXPECT_EQ(CatalogueImage(c, 2, {"A"}), Header() + Int(2) + Int(0) + Counted("A") + Counted(""));
}

TEST(DataFile, ItemsReadIntoATabWithItemsGoAfterThemWithThePick) {
  const std::string file = Header() + Int(1) + Int(2) + Counted("A") + ItemRecord("x", 0, 0, 2) +
                           ItemRecord("y", 0, 1, 0);
  CatalogueData c;
  AddTabs(c, 1);
  AddItem(*c.TabList[0], NewItem("old", 0, 0));
  std::vector<std::string> names;
  ASSERT_TRUE(ReadCatalogueImage(c, file, names));
  ASSERT_EQ(c.TabList[0]->Count(), 3);
  EXPECT_EQ(c.TabList[0]->Items[1]->BatPath, "x");
  EXPECT_EQ(c.TabList[0]->Items[2]->Position, 2);
  EXPECT_EQ(c.CurrentTab, 0);
  EXPECT_EQ(c.PickedIndex, 1);
}

TEST(DataFile, TextsReadOutliveTheBytesAndTheCatalogueTheyCameFrom) {
  CatalogueData c;
  std::vector<std::string> names;
  {
    const std::string bytes = kExample;
    ASSERT_TRUE(ReadCatalogueImage(c, bytes, names));
  }
  // A copy needs no bytes of the file: only the catalogue holds them then.
  auto copy = std::make_unique<TMenuItem>(*c.Item(1, 0));
  copy->Source.reset();
  TMenuItem& read = *c.Item(1, 0);
  read.SetSummary(read.Summary + "!");  // a changed text has bytes of its own
  EXPECT_EQ(read.Summary, "Circle!");
  EXPECT_EQ(read.Memo, "\"Circle\"");
  c.TabList.clear();
  CatalogueData again;
  AddTabs(again, 2);
  AddItem(*again.TabList[1], std::move(copy));
  EXPECT_EQ(CatalogueImage(again, 2, names), kExample);
}
