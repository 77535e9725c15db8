#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes.h"
#include "form_test_util.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using namespace zorbi;
using namespace zorbi::test;

namespace {

constexpr ShiftState kNone{};
constexpr ShiftState kCtrl{false, true, false};
constexpr ShiftState kShift{true, false, false};
constexpr ShiftState kShiftCtrl{true, true, false};
constexpr int kEnter = 0x0D, kDown = 0x28;

struct KeyRig : FormRig {
  explicit KeyRig(int tabCount = 2) {
    std::vector<std::string> names;
    std::vector<std::vector<ItemSpec>> items;
    for (int t = 0; t < tabCount; ++t) {
      names.push_back("T" + std::to_string(t));
      items.push_back(NumberedItems(3, "C:\\t" + std::to_string(t) + "\\"));
      for (const auto& it : items.back()) files.files[it.path] = "";
    }
    files.files[InDir("Z_Orbi.DAT")] = DataFileWith(names, items);
    EXPECT_TRUE(Create());
  }
  void Stroke(int key, ShiftState shift = kNone) {
    form.StringGrid1KeyDown(key, shift);
    form.StringGrid1KeyUp(key, shift);
  }
};

}  // namespace

TEST(Keys, NumberKeysPickOrReport) {
  KeyRig rig;
  rig.Stroke('3');
  EXPECT_EQ(rig.form.Cat().PickedBatPath(), "C:\\t0\\F3.BAT");
  EXPECT_EQ(rig.grid.Selection(), (GridRect{1, 3, 2, 3}));
  rig.Stroke(0x61);  // keypad 1
  EXPECT_EQ(rig.form.Cat().PickedIndex(), 0);
  rig.Stroke('2', kShift);
  EXPECT_EQ(rig.form.Cat().PickedIndex(), 1);
  EXPECT_THAT(rig.messages.shown, IsEmpty());
  // A pick scrolled out of sight by the wheel comes back into view, and so
  // does the cell edit mode starts on.
  rig.grid.topRow = 11;
  rig.Stroke('3');
  EXPECT_LE(rig.grid.topRow, 3);
  rig.grid.topRow = 11;
  rig.form.Edit1Click();
  EXPECT_LE(rig.grid.topRow, 3);
  rig.form.K4Click();
  rig.Stroke('2');

  rig.Stroke('4');
  rig.Stroke('0');
  rig.Stroke(0x60);
  EXPECT_THAT(rig.messages.Texts(), ElementsAre("4 番目の項目は登録されていません。",
                                                "10 番目の項目は登録されていません。",
                                                "10 番目の項目は登録されていません。"));
  EXPECT_EQ(rig.form.Cat().PickedIndex(), 1);
  EXPECT_EQ(rig.window.destroyed, 0);
}

TEST(Keys, CtrlNumberShowsATabOnlyWhileCtrlIsHeldAlone) {
  KeyRig rig;
  rig.Stroke('2', kCtrl);
  EXPECT_EQ(rig.tabs.index, 1);
  EXPECT_EQ(rig.form.Cat().CurrentTab(), 1);
  EXPECT_EQ(rig.form.Cat().PickedBatPath(), "C:\\t1\\F1.BAT");
  EXPECT_EQ(rig.form.Cat().Item(0, 0)->PickState, 1);  // remembered, as through the strip

  rig.Stroke('7', kCtrl);  // no seventh tab: silently nothing
  EXPECT_EQ(rig.tabs.index, 1);
  EXPECT_THAT(rig.messages.shown, IsEmpty());

  // Ctrl released before the number: neither a pick nor a tab switch.
  rig.form.StringGrid1KeyDown('2', kCtrl);
  rig.form.StringGrid1KeyUp('2', kNone);
  EXPECT_EQ(rig.tabs.index, 1);
  EXPECT_EQ(rig.form.Cat().PickedIndex(), 0);
  // Shift+Ctrl is not Ctrl alone: it picks.
  rig.form.StringGrid1KeyDown('3', kShiftCtrl);
  EXPECT_EQ(rig.form.Cat().PickedIndex(), 2);
}

// Ctrl+Tab goes round the tabs, Ctrl+Shift+Tab back.
TEST(Keys, CtrlTabShowsTheNextTabRound) {
  KeyRig rig(3);
  for (const auto& [back, tab] : {std::pair{false, 1}, {false, 2}, {false, 0}, {true, 2}}) {
    rig.form.CtrlTabKey(back);
    EXPECT_EQ(rig.tabs.index, tab);
    EXPECT_EQ(rig.form.Cat().CurrentTab(), tab);
  }
}

TEST(Keys, EnterConfirmsAndKeyRanConfirmsAnyRelease) {
  {
    KeyRig rig;
    rig.Stroke(kDown);
    EXPECT_EQ(rig.window.destroyed, 0);
    rig.Stroke(kEnter);
    EXPECT_EQ(rig.window.destroyed, 1);
  }
  {
    KeyRig rig;
    rig.form.K10Click();
    EXPECT_TRUE(rig.form.Settings().KeyRan);
    EXPECT_TRUE(rig.k10.checked);
    rig.Stroke('2', kCtrl);
    EXPECT_EQ(rig.window.destroyed, 0);
    rig.Stroke('3');
    EXPECT_EQ(rig.window.destroyed, 1);
    EXPECT_EQ(rig.form.Cat().PickedBatPath(), "C:\\t1\\F3.BAT");
  }
  {
    KeyRig rig;
    rig.form.K10Click();
    rig.form.K10Click();
    EXPECT_FALSE(rig.form.Settings().KeyRan);
    EXPECT_FALSE(rig.k10.checked);
    rig.form.K10Click();
    rig.files.files.erase("C:\\t0\\F2.BAT");
    // The key that finds its file missing does not confirm it; Enter then does.
    rig.Stroke('2');
    EXPECT_EQ(rig.messages.shown.size(), 1u);
    EXPECT_EQ(rig.window.destroyed, 0);
    // Nor does an arrow whose move the grid turns into a pick.
    rig.files.files.erase("C:\\t0\\F3.BAT");
    rig.form.StringGrid1KeyDown(kDown, kNone);
    rig.ClickRow(3);
    rig.form.StringGrid1KeyUp(kDown, kNone);
    EXPECT_EQ(rig.window.destroyed, 0);
    rig.Stroke(kEnter);
    EXPECT_EQ(rig.window.destroyed, 1);
  }
}

// Edit mode takes no number or Enter; Ctrl+number ends every mode as a click
// on the tab does.
TEST(Keys, EditModeTakesNoNumberAndATabSwitchEndsEveryMode) {
  KeyRig rig;
  rig.form.Edit1Click();
  rig.Stroke('3');
  rig.Stroke(kEnter);
  EXPECT_EQ(rig.form.Cat().PickedIndex(), 0);
  EXPECT_EQ(rig.window.destroyed, 0);
  rig.Stroke('2', kCtrl);
  EXPECT_EQ(rig.tabs.index, 1);
  EXPECT_FALSE(rig.form.EditMode());

  rig.form.K8Click();
  rig.Stroke('3');
  EXPECT_EQ(rig.form.Cat().PickedIndex(), 2);
  rig.Stroke('1', kCtrl);
  EXPECT_EQ(rig.tabs.index, 0);
  EXPECT_FALSE(rig.form.MoveMode());
  EXPECT_FALSE(rig.label2.visible);
}
