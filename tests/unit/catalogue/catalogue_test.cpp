#include "catalogue/catalogue.h"

#include <gtest/gtest.h>

using namespace zorbi;

namespace {

std::unique_ptr<TMenuItem> NewItem(const std::string& path, std::int32_t tab, std::int32_t pos) {
  auto item = std::make_unique<TMenuItem>();
  item->InitItem(path, "summary", tab, pos, "\"summary\"", "", "", 0, 0);
  return item;
}

}  // namespace

TEST(Catalogue, NewItemIsEmptyUntilInitItemFillsAllNineFields) {
  TMenuItem item;
  EXPECT_EQ(item.BatPath, "");
  EXPECT_EQ(item.TabNo, 0);
  EXPECT_EQ(item.PickState, 0);
  EXPECT_EQ(item.Reserved3, 0);

  item.InitItem("C:\\A.BAT", "Sum", 3, 4, "\"Sum\"", "r1", "r2", 2, -7);
  EXPECT_EQ(item.BatPath, "C:\\A.BAT");
  EXPECT_EQ(item.Summary, "Sum");
  EXPECT_EQ(item.TabNo, 3);
  EXPECT_EQ(item.Position, 4);
  EXPECT_EQ(item.Memo, "\"Sum\"");
  EXPECT_EQ(item.Reserved1, "r1");
  EXPECT_EQ(item.Reserved2, "r2");
  EXPECT_EQ(item.PickState, 2);
  EXPECT_EQ(item.Reserved3, -7);
}

TEST(Catalogue, CreateResetsAndClearKeepsTheTab) {
  Catalogue c;
  c.CurrentTab = 5;
  c.PickedIndex = 9;
  c.TabList.push_back(std::make_unique<TMList>());
  CreateCatalogue(c);
  EXPECT_TRUE(c.TabList.empty());
  EXPECT_EQ(c.CurrentTab, 0);
  EXPECT_EQ(c.PickedIndex, 0);

  c.TabList.push_back(std::make_unique<TMList>());
  c.TabList.push_back(std::make_unique<TMList>());
  ClearTabItems(*c.TabList[0]);  // nothing to clear
  AddItem(*c.TabList[1], NewItem("a", 1, 0));
  AddItem(*c.TabList[1], NewItem("b", 1, 1));
  EXPECT_EQ(c.TotalItemCount(), 2);
  ClearTabItems(*c.TabList[1]);
  EXPECT_EQ(c.TabList.size(), 2u);
  EXPECT_EQ(c.TotalItemCount(), 0);
}

TEST(Catalogue, FreeReleasesTabsPastTheStripToo) {
  // Run under ASan: every item freed exactly once, nothing leaked.
  Catalogue c;
  CreateCatalogue(c);
  for (int t = 0; t < 4; ++t) c.TabList.push_back(std::make_unique<TMList>());
  AddItem(*c.TabList[0], NewItem("a", 0, 0));
  AddItem(*c.TabList[3], NewItem("d", 3, 0));
  FreeCatalogue(c);
  EXPECT_TRUE(c.TabList.empty());
}

TEST(Catalogue, LookupsOutsideTheCatalogueNameNothing) {
  Catalogue c;
  CreateCatalogue(c);
  c.TabList.push_back(std::make_unique<TMList>());
  TMenuItem& a = AddItem(*c.TabList[0], NewItem("a", 0, 0));
  EXPECT_EQ(c.Tab(0), c.TabList[0].get());
  EXPECT_EQ(c.Tab(1), nullptr);
  EXPECT_EQ(c.Tab(-1), nullptr);
  EXPECT_EQ(c.Item(0, 0), &a);
  EXPECT_EQ(c.Item(0, 1), nullptr);
  EXPECT_EQ(c.Item(0, -1), nullptr);
  EXPECT_EQ(c.Item(7, 0), nullptr);
  EXPECT_EQ(c.Item(0, std::int64_t{1} << 40), nullptr);
}
