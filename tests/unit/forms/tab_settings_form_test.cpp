#include "forms/tab_settings_form.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes.h"
#include "form_test_util.h"

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using namespace zorbi;
using namespace zorbi::test;

namespace {

const std::string kDat = FormRig::InDir("Z_Orbi.DAT");

struct TabRig : FormRig {
  FakeListBox list;
  FakeEditBox edit;
  FakeMessages dialogMessages;
  FakeDialogWindow dialogWindow;
  TForm2 form2{TabSettingsControls{list, edit}, form, dialogMessages, dialogWindow};

  // Tabs named by `names`; tab t holds counts[t] items in folder "C:\<name>\".
  void Start(const std::vector<std::string>& names, const std::vector<int>& counts, int shown) {
    std::vector<std::vector<ItemSpec>> items;
    for (std::size_t t = 0; t < names.size(); ++t)
      items.push_back(NumberedItems(counts[t], "C:\\" + names[t] + "\\"));
    files.files[kDat] = DataFileWith(names, items);
    ASSERT_TRUE(Create());
    ClickTab(shown);
    form2.FormShow();
  }

  // "name:count" per tab, after checking that every item's TabNo is its tab's index
  // and that each tab holds only the items it started with.
  std::vector<std::string> Tabs() const {
    const Catalogue& cat = form.Cat;
    std::vector<std::string> out;
    for (std::size_t t = 0; t < cat.TabNames.size(); ++t) {
      const TMList* tab = cat.Tab(static_cast<std::int64_t>(t));
      const int n = tab ? tab->Count() : -1;
      for (int p = 0; p < n; ++p) {
        const TMenuItem* item = tab->ItemAt(p);
        EXPECT_EQ(item->TabNo, static_cast<std::int32_t>(t)) << item->BatPath;
        EXPECT_EQ(item->BatPath.find("C:\\" + cat.TabNames[t] + "\\"), 0u) << item->BatPath;
      }
      out.push_back(cat.TabNames[t] + ":" + std::to_string(n));
    }
    // The list and the strip show the catalogue's names, the strip at CurrentTab.
    EXPECT_EQ(list.items, cat.TabNames);
    EXPECT_EQ(tabs.tabs, cat.TabNames);
    EXPECT_EQ(tabs.index, cat.CurrentTab);
    return out;
  }

  int RowsWithText() const {
    int n = 0;
    for (int row = 1; row < grid.RowCount(); ++row) n += !grid.Cell(1, row).empty();
    return n;
  }
};

}  // namespace

TEST(TabSettings, DeleteKeepsTabNoAndPicksTheCurrentTab) {
  const struct {
    int shown, selected;
    std::vector<std::string> tabs;
    std::int32_t current;
  } cases[] = {
      {1, 0, {"B:2", "C:4"}, 1},  // deleting a tab before the shown one shows the next
      {2, 2, {"A:3", "B:2"}, 1},  // deleting the shown last tab shows the one before
      {2, 0, {"B:2", "C:4"}, 1},  // the shown last tab stays shown at its new index
      {0, 1, {"A:3", "C:4"}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.selected);
    TabRig rig;
    rig.Start({"A", "B", "C"}, {3, 2, 4}, c.shown);
    rig.list.index = c.selected;
    rig.form2.Button6Click();
    EXPECT_THAT(rig.Tabs(), ElementsAreArray(c.tabs));
    EXPECT_EQ(rig.form.Cat.CurrentTab, c.current);
    EXPECT_EQ(rig.RowsWithText(), rig.form.Cat.Tab(c.current)->Count());
    EXPECT_THAT(rig.dialogMessages.shown, IsEmpty());
  }
}

TEST(TabSettings, DeletingTheLastTabLeavesAnEmptyTab1) {
  TabRig rig;
  rig.Start({"A"}, {5}, 0);
  rig.form2.Button6Click();  // no selection needed
  EXPECT_THAT(rig.Tabs(), ElementsAre("Tab1:0"));
  EXPECT_EQ(rig.RowsWithText(), 0);
  for (int row = 1; row < rig.grid.RowCount(); ++row) EXPECT_EQ(rig.grid.Item(row), nullptr);
  rig.form.Close();
  std::vector<std::string> names;
  Catalogue back;
  ASSERT_TRUE(ReadCatalogueImage(back, rig.files.files[kDat], names));
  EXPECT_THAT(names, ElementsAre("Tab1"));
  EXPECT_EQ(back.TotalItemCount(), 0);
}

TEST(TabSettings, MoveMakesTheMovedTabCurrentAndRenumbersBoth) {
  const struct {
    int shown, selected, step;
    std::vector<std::string> tabs;
    std::int32_t current;
  } cases[] = {
      {0, 3, -1, {"A:3", "B:2", "D:1", "C:4"}, 2},
      {0, 1, +1, {"A:3", "C:4", "B:2", "D:1"}, 2},
      {2, 0, -1, {"A:3", "B:2", "C:4", "D:1"}, 2},  // first line up: nothing
      {2, 3, +1, {"A:3", "B:2", "C:4", "D:1"}, 2},  // last line down: nothing
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.selected * 10 + c.step);
    TabRig rig;
    rig.Start({"A", "B", "C", "D"}, {3, 2, 4, 1}, c.shown);
    rig.list.index = c.selected;
    c.step < 0 ? rig.form2.Button4Click() : rig.form2.Button5Click();
    EXPECT_THAT(rig.Tabs(), ElementsAreArray(c.tabs));
    EXPECT_EQ(rig.form.Cat.CurrentTab, c.current);
  }
}

TEST(TabSettings, CommandsWithoutASelectionAskForOneAndChangeNothing) {
  const struct {
    void (TForm2::*click)();
    std::string message;
  } cases[] = {
      {&TForm2::Button2Click, "先に変更するタブ名を選択してください。"},
      {&TForm2::Button6Click, "先に削除するタブ名を選択してください。"},
      {&TForm2::Button4Click, "先に移動するタブ名を選択してください。"},
      {&TForm2::Button5Click, "先に移動するタブ名を選択してください。"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    TabRig rig;
    rig.Start({"A", "B"}, {1, 2}, 1);
    rig.edit.text = "X";
    (rig.form2.*c.click)();
    EXPECT_THAT(rig.dialogMessages.Texts(), ElementsAre(c.message));
    EXPECT_THAT(rig.Tabs(), ElementsAre("A:1", "B:2"));
    EXPECT_EQ(rig.form.Cat.CurrentTab, 1);
  }
}

TEST(TabSettings, RenameAndAddTakeTheTypedName) {
  TabRig rig;
  rig.Start({"A", "B"}, {1, 2}, 1);
  rig.list.index = 0;
  rig.form2.ListBox1Click();
  EXPECT_EQ(rig.edit.text, "A");
  rig.edit.text = "";
  rig.form2.Button2Click();  // an empty name renames nothing
  rig.form2.Button3Click();  // but adds a tab without a name
  rig.edit.text = "作図";
  rig.form2.Button2Click();
  EXPECT_THAT(rig.form.Cat.TabNames, ElementsAre("作図", "B", ""));
  EXPECT_EQ(rig.form.Cat.TabList.size(), 3u);
  EXPECT_EQ(rig.tabs.index, 1);
  EXPECT_THAT(rig.dialogMessages.shown, IsEmpty());
}

TEST(TabSettings, ACharacterWithoutAShiftJisFormIsRefusedByName) {
  for (void (TForm2::*click)() : {&TForm2::Button2Click, &TForm2::Button3Click}) {
    TabRig rig;
    rig.Start({"A"}, {1}, 0);
    rig.list.index = 0;
    rig.edit.refused = U'\u00E9';
    (rig.form2.*click)();
    ASSERT_EQ(rig.dialogMessages.shown.size(), 1u);
    EXPECT_THAT(rig.dialogMessages.shown[0].first, ::testing::HasSubstr("U+00E9"));
    EXPECT_EQ(rig.edit.refused, U'\u00E9');  // still in the box to correct
    EXPECT_THAT(rig.form.Cat.TabNames, ElementsAre("A"));
    EXPECT_EQ(rig.form.Cat.TabList.size(), 1u);
  }
}

TEST(TabSettings, OpenedFromTheMenuClosingShowsTheCurrentTabAndSavesIt) {
  TabRig rig;
  rig.form.Form2 = &rig.form2;
  auto big = NumberedItems(15, "C:\\A\\");
  big[14].pick = 2;
  rig.files.files[kDat] = DataFileWith({"A", "B"}, {big, NumberedItems(3, "C:\\B\\")});
  ASSERT_TRUE(rig.Create());
  ASSERT_EQ(rig.RowsWithText(), 15);
  rig.dialogWindow.whileShown = [&] {
    rig.form2.FormShow();
    rig.list.index = 1;
    rig.form2.Button4Click();  // B up: shown on closing
    rig.form2.Button1Click();
    rig.form2.FormClose();
  };
  rig.form.K3Click();
  EXPECT_EQ(rig.dialogWindow.shown, 1);
  EXPECT_EQ(rig.dialogWindow.closed, 1);
  EXPECT_EQ(rig.RowsWithText(), 3);
  EXPECT_EQ(rig.grid.Cell(1, 1), "  F1.BAT");
  rig.form.Close();

  // The file keeps the new order, and only the tab left shown holds the current pick.
  std::vector<std::string> names;
  Catalogue back;
  ASSERT_TRUE(ReadCatalogueImage(back, rig.files.files[kDat], names));
  EXPECT_THAT(names, ElementsAre("B", "A"));
  EXPECT_EQ(back.CurrentTab, 0);
  EXPECT_EQ(back.Item(0, 0)->PickState, 2);
  EXPECT_EQ(back.Item(1, 14)->PickState, 1);
}
