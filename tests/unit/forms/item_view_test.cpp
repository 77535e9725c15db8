#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes.h"
#include "form_test_util.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using namespace zorbi;
using namespace zorbi::test;

namespace {

const std::string kDat = FormRig::InDir("Z_Orbi.DAT");

// A started form over the given tabs; every item's BAT file exists.
struct Started : FormRig {
  Started(const std::vector<std::string>& names, const std::vector<std::vector<ItemSpec>>& items) {
    files.files[kDat] = DataFileWith(names, items);
    for (const auto& tab : items)
      for (const auto& item : tab) files.files[item.path] = "@REM x\r\n";
    EXPECT_TRUE(Create());
  }
  std::int32_t Pick(int tab, int pos) { return form.Cat().Item(tab, pos)->PickState; }
};

}  // namespace

TEST(ShowTab, RowCountGrowsPastTwentyItemsAndNeverShrinks) {
  Started rig({"20", "21", "35", "empty"}, {NumberedItems(20, "C:\\a\\"),
                                            NumberedItems(21, "C:\\b\\"),
                                            NumberedItems(35, "C:\\c\\"),
                                            {}});
  EXPECT_EQ(rig.grid.RowCount(), 21);
  rig.ClickTab(1);
  EXPECT_EQ(rig.grid.RowCount(), 22);
  rig.ClickTab(2);
  EXPECT_EQ(rig.grid.RowCount(), 36);
  EXPECT_EQ(rig.grid.Cell(2, 35), "S35");

  rig.ClickTab(3);
  EXPECT_EQ(rig.grid.RowCount(), 36);
  for (int row = 1; row < 36; ++row) {
    EXPECT_EQ(rig.grid.Cell(1, row), "") << row;
    EXPECT_EQ(rig.grid.Item(row), nullptr) << row;
  }
  EXPECT_EQ(rig.form.Cat().PickedIndex(), 0);
  EXPECT_EQ(rig.form.Cat().PickedBatPath(), "");
  EXPECT_THAT(rig.memo.lines, IsEmpty());
  EXPECT_EQ(rig.grid.Selection(), (GridRect{1, 1, 2, 1}));
}

TEST(ShowTab, CellTextsOfARow) {
  auto items = NumberedItems(7);
  items[6].path = "C:\\tools\\bat\\ABC.BAT";
  items[6].summary = "  keeps its blanks";
  Started rig({"T"}, {items});
  EXPECT_EQ(rig.grid.Cell(0, 7), "  7");
  EXPECT_EQ(rig.grid.Cell(1, 7), "  ABC.BAT");
  EXPECT_EQ(rig.grid.Cell(2, 7), "  keeps its blanks");
  EXPECT_EQ(rig.grid.Item(7), rig.form.Cat().Item(0, 6));
  EXPECT_EQ(rig.grid.Item(8), nullptr);
}

TEST(ShowTab, PicksTheLastMarkedItemOrTheFirst) {
  auto marked = NumberedItems(5, "C:\\m\\");
  marked[1].pick = 1;
  marked[3].pick = 1;
  Started rig({"none", "marked"}, {NumberedItems(3), marked});
  // Opens on tab 0 (no item is the current pick): first item picked.
  EXPECT_EQ(rig.form.Cat().PickedIndex(), 0);
  EXPECT_EQ(rig.Pick(0, 0), 2);
  rig.ClickTab(1);
  EXPECT_EQ(rig.form.Cat().PickedIndex(), 3);
  EXPECT_EQ(rig.form.Cat().PickedBatPath(), "C:\\m\\F4.BAT");
  EXPECT_EQ(rig.Pick(1, 3), 2);
  EXPECT_EQ(rig.Pick(1, 1), 1);  // the other mark stays
}

// Start-up opens the tab of the file's pick on that tab's last marked item,
// whichever comes last in the file; marks on other tabs don't count.
TEST(ShowTab, StartsOnTheLastMarkOfThePicksTab) {
  const struct {
    std::vector<int> first, second;  // the two tabs' pick states
    int tab, picked;
  } rows[] = {
      {{0, 0, 0}, {0, 2, 0, 0}, 1, 1}, {{0, 0, 0}, {0, 2, 0, 1}, 1, 3},
      {{0, 0, 0}, {0, 1, 0, 2}, 1, 3}, {{0, 0, 0}, {2, 0, 1, 0}, 1, 2},
      {{0, 0, 1}, {0, 2, 0, 0}, 1, 1}, {{0, 2, 0}, {0, 0, 1, 0}, 0, 1},
  };
  for (const auto& row : rows) {
    auto a = NumberedItems(3, "C:\\a\\"), b = NumberedItems(4, "C:\\b\\");
    for (std::size_t i = 0; i < a.size(); ++i) a[i].pick = row.first[i];
    for (std::size_t i = 0; i < b.size(); ++i) b[i].pick = row.second[i];
    Started rig({"A", "B"}, {a, b});
    EXPECT_EQ(rig.form.Cat().CurrentTab(), row.tab);
    EXPECT_EQ(rig.form.Cat().PickedIndex(), row.picked);
    EXPECT_EQ(rig.Pick(row.tab, row.picked), 2);
  }
}

TEST(ShowTab, ScrollsSoThePickIsTheTenthVisibleRow) {
  for (const auto& [pickRow, top] : std::vector<std::pair<int, int>>{{10, 1}, {11, 2}, {25, 16}}) {
    auto items = NumberedItems(30);
    items[static_cast<std::size_t>(pickRow - 1)].pick = 2;
    Started rig({"T"}, {items});
    EXPECT_EQ(rig.grid.TopRow(), top) << pickRow;
    EXPECT_EQ(rig.grid.Selection(), (GridRect{1, pickRow, 2, pickRow}));
  }
}

TEST(SelectCell, PickingMovesTheMarkAndShowsTheMemo) {
  auto items = NumberedItems(3);
  items[2].memo = "\"a, b\",\"\",c";
  Started rig({"T"}, {items});
  EXPECT_EQ(rig.Pick(0, 0), 2);
  rig.ClickRow(3);
  EXPECT_EQ(rig.Pick(0, 0), 0);
  EXPECT_EQ(rig.Pick(0, 2), 2);
  EXPECT_EQ(rig.form.Cat().PickedIndex(), 2);
  EXPECT_EQ(rig.form.Cat().PickedBatPath(), "C:\\BAT\\F3.BAT");
  EXPECT_THAT(rig.memo.lines, ElementsAre("a, b", "", "c"));
  EXPECT_THAT(rig.messages.shown, IsEmpty());
}

TEST(SelectCell, MissingBatFileIsPickedAndReported) {
  Started rig({"T"}, {NumberedItems(2)});
  rig.files.files.erase("C:\\BAT\\F2.BAT");
  rig.ClickRow(2);
  EXPECT_EQ(rig.form.Cat().PickedBatPath(), "C:\\BAT\\F2.BAT");
  EXPECT_EQ(rig.Pick(0, 1), 2);
  EXPECT_THAT(rig.messages.Texts(),
              ElementsAre("選択項目の外部変形は無効です、削除してください。"));
}

// A missing file is said over its row, highlighted and in view where it
// stays, whichever gesture picked it: a click, a number key or a tab switch
// over a grid scrolled away.
TEST(SelectCell, AMissingFileIsSaidOverItsHighlightedRowInView) {
  enum Gesture { Click, Key, Tab };
  for (const auto& [gesture, row] :
       std::vector<std::pair<Gesture, int>>{{Click, 3}, {Key, 5}, {Tab, 5}, {Tab, 25}}) {
    SCOPED_TRACE(testing::Message() << "gesture " << gesture << ", row " << row);
    auto second = NumberedItems(30, "C:\\B\\");
    second[static_cast<std::size_t>(row - 1)].pick = 1;
    Started rig({"T", "U"}, {NumberedItems(30), second});
    rig.files.files.erase((gesture == Tab ? "C:\\B\\F" : "C:\\BAT\\F") + std::to_string(row) +
                          ".BAT");
    int said = 0, top = 0;
    rig.messages.whileShowing = [&] { said = rig.grid.Selection().Top, top = rig.grid.TopRow(); };
    if (gesture != Click) rig.grid.SetTopRow(20);
    if (gesture == Click) rig.ClickRow(row);
    if (gesture == Key) rig.form.StringGrid1KeyDown('0' + row, {});
    if (gesture == Tab) rig.ClickTab(1);
    EXPECT_EQ(said, row);
    EXPECT_TRUE(top <= row && row <= top + 9) << "top row " << top;
    EXPECT_EQ(rig.grid.TopRow(), top);
  }
}

TEST(SelectCell, AnEmptyRowKeepsThePickAndItsHighlightButChecksIt) {
  Started rig({"T", "empty"}, {NumberedItems(2), {}});
  rig.ClickRow(2);
  rig.ClickRow(9);
  EXPECT_EQ(rig.grid.Selection(), (GridRect{1, 2, 2, 2}));
  EXPECT_EQ(rig.form.Cat().PickedIndex(), 1);
  EXPECT_EQ(rig.form.Cat().PickedBatPath(), "C:\\BAT\\F2.BAT");
  EXPECT_THAT(rig.messages.shown, IsEmpty());

  rig.files.files.erase("C:\\BAT\\F2.BAT");
  rig.ClickRow(9);
  EXPECT_EQ(rig.messages.shown.size(), 1u);

  rig.ClickTab(1);
  rig.ClickRow(1);  // nothing picked on an empty tab
  EXPECT_EQ(rig.messages.shown.size(), 2u);
}

TEST(SelectCell, EditModeAndTabSwitchingOnlyGuardTheSelection) {
  Started rig({"T"}, {NumberedItems(3)});
  for (const bool edit : {true, false}) {
    if (edit) rig.form.Edit1Click();
    if (!edit) rig.form.K4Click();
    bool allow = true;
    if (!edit) rig.form.TabControl1Changing(allow);  // and no change yet
    for (int col = 0; col < 3; ++col) {
      bool canSelect = true;
      rig.form.StringGrid1SelectCell(col, 3, canSelect);
      EXPECT_EQ(canSelect, col == 2) << col;
    }
    EXPECT_EQ(rig.form.Cat().PickedIndex(), 0);
    EXPECT_EQ(rig.Pick(0, 2), 0);
  }
}

TEST(SelectCell, RowsAndIndexesOutsideTheCatalogueNameNothing) {
  Started rig({"T"}, {NumberedItems(2)});
  bool canSelect = true;
  rig.form.StringGrid1SelectCell(0, -1, canSelect);
  rig.form.StringGrid1SelectCell(0, 500, canSelect);
  EXPECT_EQ(rig.form.Cat().PickedIndex(), 0);
  rig.ClickRow(2);
  EXPECT_EQ(rig.Pick(0, 0), 0);  // still one current pick
  EXPECT_EQ(rig.Pick(0, 1), 2);
}

TEST(TabSwitch, LeavingThroughTheStripRemembersThePick) {
  Started rig({"A", "B"}, {NumberedItems(4, "C:\\a\\"), NumberedItems(3, "C:\\b\\")});
  rig.ClickRow(3);
  rig.ClickTab(1);
  EXPECT_EQ(rig.Pick(0, 2), 1);
  EXPECT_EQ(rig.form.Cat().CurrentTab(), 1);
  EXPECT_EQ(rig.form.Cat().PickedBatPath(), "C:\\b\\F1.BAT");

  rig.ClickTab(0);
  EXPECT_EQ(rig.form.Cat().PickedIndex(), 2);
  EXPECT_EQ(rig.form.Cat().PickedBatPath(), "C:\\a\\F3.BAT");
  EXPECT_EQ(rig.Pick(0, 2), 2);
  EXPECT_EQ(rig.grid.Selection(), (GridRect{1, 3, 2, 3}));
}

TEST(TabSwitch, CellsWrittenOnATabDoNotShowOnTheNext) {
  Started rig({"A", "B"}, {NumberedItems(4, "C:\\a\\"), NumberedItems(3, "C:\\b\\")});
  rig.form.Edit1Click();
  rig.grid.SetCell(2, 2, "typed");   // edited, then left for another row
  rig.grid.SetCell(2, 1, "stored");  // the row selected when the tab goes
  rig.ClickTab(1);
  EXPECT_EQ(rig.grid.Cell(2, 2), "S2");
  EXPECT_EQ(rig.grid.Item(2), rig.form.Cat().Item(1, 1));
  rig.ClickTab(0);
  EXPECT_EQ(rig.grid.Cell(2, 1) + rig.grid.Cell(2, 2), "storedS2");
}

TEST(TabSwitch, LeavingAnEmptyTabMarksNothing) {
  Started rig({"empty", "B"}, {{}, NumberedItems(2)});
  rig.ClickTab(1);
  EXPECT_EQ(rig.Pick(1, 0), 2);
  rig.ClickTab(0);
  EXPECT_EQ(rig.Pick(1, 0), 1);
  EXPECT_EQ(rig.form.Cat().PickedBatPath(), "");
}
