#include "forms/tab_settings_form.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes.h"
#include "form_test_util.h"

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using namespace zorbi;
using namespace zorbi::test;

namespace {

const std::string kDat = FormRig::InDir("Z_Orbi.DAT");

struct TabRig : FormRig {
  FakeListBox list;
  FakeEditBox edit;
  FakeMessages dialogMessages;
  FakeDialogWindow dialogWindow;
  TForm2 form2{TabSettingsControls{list, edit}, form.TabHost(), dialogMessages, dialogWindow};

  // Tab t is named names[t] and holds counts[t] items in folder "C:\<name>\".
  void Start(const std::vector<std::string>& names, const std::vector<int>& counts, int shown) {
    std::vector<std::vector<ItemSpec>> items;
    for (std::size_t t = 0; t < names.size(); ++t)
      items.push_back(NumberedItems(counts[t], "C:\\" + names[t] + "\\"));
    files.files[kDat] = DataFileWith(names, items);
    ASSERT_TRUE(Create());
    ClickTab(shown);
    form2.FormShow();
  }

  // "name:count" per tab, checking that each tab holds its own items, all
  // with its index as TabNo, and that the list and strip show the names.
  std::vector<std::string> Tabs() const {
    const Catalogue& cat = form.Cat();
    std::vector<std::string> out;
    for (std::size_t t = 0; t < cat.TabNames().size(); ++t) {
      const TMList* tab = cat.Tab(static_cast<std::int64_t>(t));
      for (const auto& item : tab->Items) {
        EXPECT_EQ(item->TabNo, static_cast<std::int32_t>(t)) << item->BatPath;
        EXPECT_EQ(item->BatPath.find("C:\\" + cat.TabNames()[t] + "\\"), 0u) << item->BatPath;
      }
      out.push_back(cat.TabNames()[t] + ":" + std::to_string(tab->Count()));
    }
    EXPECT_EQ(list.items, cat.TabNames());
    EXPECT_EQ(tabs.tabs, cat.TabNames());
    EXPECT_EQ(tabs.index, cat.CurrentTab());
    return out;
  }

  int RowsWithText() const {
    int n = 0;
    for (int row = 1; row < grid.RowCount(); ++row) n += !grid.Cell(1, row).empty();
    return n;
  }
};

}  // namespace

TEST(TabSettings, DeleteAndMoveKeepTabNoAndChooseTheCurrentTab) {
  const std::vector<std::string> abc{"A", "B", "C"};
  const struct {
    std::vector<std::string> names;
    int shown, selected;
    void (TForm2::*click)();
    std::vector<std::string> tabs;
    std::int32_t current;
  } cases[] = {
      {abc, 1, 0, &TForm2::Button6Click, {"B:2", "C:4"}, 1},  // the next tab moves under it
      {abc, 2, 2, &TForm2::Button6Click, {"A:3", "B:2"}, 1},  // the shown last tab: the one before
      {abc, 2, 0, &TForm2::Button6Click, {"B:2", "C:4"}, 1},
      {{"A"}, 0, -1, &TForm2::Button6Click, {"Tab1:0"}, 0},  // the last tab is emptied, renamed
      {abc, 0, 2, &TForm2::Button4Click, {"A:3", "C:4", "B:2"}, 1},  // the moved tab is shown
      {abc, 2, 0, &TForm2::Button5Click, {"B:2", "A:3", "C:4"}, 1},
      {abc, 2, 0, &TForm2::Button4Click, {"A:3", "B:2", "C:4"}, 2},  // first up: nothing
      {abc, 1, 2, &TForm2::Button5Click, {"A:3", "B:2", "C:4"}, 1},  // last down: nothing
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.tabs));
    TabRig rig;
    rig.Start(c.names, {3, 2, 4}, c.shown);
    rig.list.index = c.selected;
    (rig.form2.*c.click)();
    EXPECT_THAT(rig.Tabs(), ElementsAreArray(c.tabs));
    EXPECT_EQ(rig.form.Cat().CurrentTab(), c.current);
    EXPECT_TRUE(rig.dialogMessages.shown.empty());
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
    TabRig rig;
    rig.Start({"A", "B"}, {1, 2}, 1);
    rig.edit.text = "X";
    (rig.form2.*c.click)();
    EXPECT_THAT(rig.dialogMessages.Texts(), ElementsAre(c.message));
    EXPECT_THAT(rig.Tabs(), ElementsAre("A:1", "B:2"));
  }
}

TEST(TabSettings, RenameAndAddTakeTheNameOrRefuseACharacterByItsCode) {
  TabRig rig;
  rig.Start({"A", "B"}, {1, 2}, 1);
  rig.list.index = 0;
  rig.form2.ListBox1Click();
  EXPECT_EQ(rig.edit.text, "A");
  rig.edit.text = "";
  rig.form2.Button2Click();  // an empty name renames nothing
  rig.form2.Button3Click();  // but adds a tab without a name
  rig.edit.refused = U'\u00E9';
  rig.form2.Button2Click();
  rig.form2.Button3Click();
  EXPECT_EQ(rig.edit.refused, U'\u00E9');  // left in the box to correct
  EXPECT_THAT(rig.dialogMessages.Texts(),
              ElementsAre(::testing::HasSubstr("U+00E9"), ::testing::HasSubstr("U+00E9")));
  rig.edit.SetText("作図");
  rig.form2.Button2Click();
  EXPECT_THAT(rig.form.Cat().TabNames(), ElementsAre("作図", "B", ""));
  EXPECT_EQ(rig.tabs.tabs, rig.form.Cat().TabNames());
  EXPECT_EQ(rig.form.Cat().Data().TabList.size(), 3u);
}
