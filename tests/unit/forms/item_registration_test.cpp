#include "catalogue/registration.h"

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

ChosenFile File(const std::string& path) {
  return {path, true, path};
}

}  // namespace

TEST(Registration, AppendsChosenFilesInOrderAfterTheExistingItems) {
  FormRig rig;
  rig.files.files[kDat] = DataFileWith({"T"}, {NumberedItems(5)});
  for (int i = 1; i <= 5; ++i) rig.files.files["C:\\BAT\\F" + std::to_string(i) + ".BAT"] = "";
  rig.files.files["C:\\new\\x.bat"] = "@REM 円を描く\r\n";
  rig.files.files["C:\\new\\y.bat"] = "echo\r\n";
  ASSERT_TRUE(rig.Create());
  rig.ClickRow(2);
  rig.dialogs.next =
      std::vector{File("C:\\new\\x.bat"), File("C:\\new\\y.bat"), File("C:\\new\\x.bat")};
  rig.form.m2Click();

  ASSERT_EQ(rig.dialogs.opened.size(), 1u);
  const OpenDialogOptions& options = rig.dialogs.opened[0];
  EXPECT_EQ(options.Filter, "外部変形 BAT ファイル|*.bat");
  EXPECT_TRUE(options.MultiSelect);
  EXPECT_TRUE(options.FileMustExist);
  EXPECT_EQ(options.InitialDir, FormRig::Dir);

  const TMList& tab = *rig.form.Cat().Data().TabList[0];
  ASSERT_EQ(tab.Count(), 8);
  const TMenuItem& x = *tab.Items[5];
  EXPECT_EQ(x.BatPath, "C:\\new\\x.bat");
  EXPECT_EQ(x.Summary, "円を描く");
  EXPECT_EQ(x.Memo, "\"円を描く\"");
  EXPECT_EQ(x.TabNo, 0);
  EXPECT_EQ(x.Position, 5);
  EXPECT_EQ(x.PickState, 0);
  EXPECT_EQ(tab.Items[6]->Memo, "\"\"");
  EXPECT_EQ(tab.Items[7]->Position, 7);  // duplicates allowed
  // Refreshed, and the pick stays where it was.
  EXPECT_EQ(rig.grid.Cell(1, 8), "  x.bat");
  EXPECT_EQ(rig.form.Cat().PickedIndex(), 1);
  EXPECT_EQ(rig.grid.Selection(), (GridRect{1, 2, 2, 2}));
}

TEST(Registration, FirstItemOfAnEmptyTabIsPickedAndRowsGrow) {
  FormRig rig;
  ASSERT_TRUE(rig.Create());
  std::vector<ChosenFile> chosen;
  for (int i = 0; i < 25; ++i) {
    const std::string path = "C:\\n\\" + std::to_string(i) + ".bat";
    rig.files.files[path] = "@REM s\r\n";
    chosen.push_back(File(path));
  }
  rig.dialogs.next = chosen;
  rig.form.m2Click();
  EXPECT_EQ(rig.grid.RowCount(), 26);
  EXPECT_EQ(rig.form.Cat().PickedBatPath(), "C:\\n\\0.bat");
  EXPECT_EQ(rig.form.Cat().Data().TabList[0]->Items[0]->PickState, 2);
}

TEST(Registration, CancelStillRefreshesTheGrid) {
  FormRig rig;
  rig.files.files[kDat] = DataFileWith({"T"}, {NumberedItems(2)});
  rig.files.files["C:\\BAT\\F1.BAT"] = rig.files.files["C:\\BAT\\F2.BAT"] = "";
  ASSERT_TRUE(rig.Create());
  rig.grid.SetCell(2, 5, "stale");
  rig.form.m2Click();
  EXPECT_EQ(rig.grid.Cell(2, 5), "");
  EXPECT_EQ(rig.grid.Cell(2, 1), "S1");
  EXPECT_EQ(rig.form.Cat().PickedBatPath(), "C:\\BAT\\F1.BAT");
}

TEST(Registration, AnUnreadableOrEmptyFileEndsTheCommandKeepingEarlierOnes) {
  for (const bool unreadable : {true, false}) {
    FormRig rig;
    ASSERT_TRUE(rig.Create());
    rig.files.files["C:\\a.bat"] = "@REM a";
    rig.files.files["C:\\bad.bat"] = "";
    if (unreadable) rig.files.unreadable.insert("C:\\bad.bat");
    rig.files.files["C:\\c.bat"] = "@REM c";
    rig.dialogs.next = std::vector{File("C:\\a.bat"), File("C:\\bad.bat"), File("C:\\c.bat")};
    rig.form.m2Click();
    ASSERT_EQ(rig.form.Cat().Data().TabList[0]->Count(), 1);
    EXPECT_EQ(rig.form.Cat().Data().TabList[0]->Items[0]->BatPath, "C:\\a.bat");
    ASSERT_EQ(rig.messages.shown.size(), 1u);
    EXPECT_EQ(rig.messages.shown[0].second, MessageKind::Error);
    EXPECT_THAT(rig.messages.shown[0].first, ::testing::EndsWith("C:\\bad.bat"));
    EXPECT_EQ(rig.grid.Item(1), rig.form.Cat().Data().TabList[0]->Items[0].get());  // shown
  }
}

TEST(Registration, NamesWithoutAShiftJisFormAreRefusedOthersKept) {
  FormRig rig;
  ASSERT_TRUE(rig.Create());
  rig.files.files["C:\\a.bat"] = "@REM a";
  rig.dialogs.next = std::vector{ChosenFile{"", false, "C:\\caf?.bat"}, File("C:\\a.bat")};
  rig.form.m2Click();
  ASSERT_EQ(rig.form.Cat().Data().TabList[0]->Count(), 1);
  EXPECT_EQ(rig.form.Cat().Data().TabList[0]->Items[0]->BatPath, "C:\\a.bat");
  ASSERT_EQ(rig.messages.shown.size(), 1u);
  EXPECT_THAT(rig.messages.shown[0].first, ::testing::EndsWith("C:\\caf?.bat"));
  EXPECT_EQ(rig.grid.Cell(1, 1), "  a.bat");
}
