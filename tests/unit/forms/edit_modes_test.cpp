#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes.h"
#include "form_test_util.h"
#include "text/text_split.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using namespace zorbi;
using namespace zorbi::test;

namespace {

// A started form on one tab of `n` items, the first picked; the files exist.
struct Editing : FormRig {
  explicit Editing(int n) {
    auto items = NumberedItems(n);
    if (n > 0) items[0].pick = 2;
    files.files[InDir("Z_Orbi.DAT")] = DataFileWith({"T"}, {items});
    for (const auto& item : items) files.files[item.path] = "@REM x\r\n";
    EXPECT_TRUE(Create());
  }
  // The tab's items by summary, with their positions checked on the way.
  std::vector<std::string> Order() {
    std::vector<std::string> out;
    const TMList& tab = *form.Cat().Tab(0);
    for (int p = 0; p < tab.Count(); ++p) {
      EXPECT_EQ(tab.ItemAt(p)->Position, p);
      out.push_back(tab.ItemAt(p)->Summary);
    }
    return out;
  }
};

}  // namespace

TEST(EditSummary, OnlyTheSelectedRowIsStoredAndThePickStays) {
  struct Case {
    int commitRow;  // the summary cell selected at 確定終了
    std::vector<std::string> summaries;
  };
  for (const Case& c : {Case{1, {"new1", "S2", "S3"}}, Case{3, {"S1", "S2", "new3"}},
                        Case{5, {"S1", "S2", "S3"}}}) {
    Editing rig(3);
    rig.form.Edit1Click();
    EXPECT_EQ(rig.grid.selection, (GridRect{2, 1, 2, 1}));
    for (int row = 1; row <= 5; ++row) rig.grid.SetCell(2, row, "new" + std::to_string(row));
    rig.grid.SetSelection({2, c.commitRow, 2, c.commitRow});
    rig.form.K4Click();
    EXPECT_EQ(rig.Order(), c.summaries) << c.commitRow;
    // The highlight goes back to the pick.
    EXPECT_EQ(rig.form.Cat().PickedIndex(), 0);
    EXPECT_EQ(rig.grid.selection, (GridRect{1, 1, 2, 1}));
    EXPECT_EQ(rig.form.Cat().PickedBatPath(), "C:\\BAT\\F1.BAT");
    EXPECT_FALSE(rig.form.EditMode());
    EXPECT_TRUE(rig.grid.rowSelect);
    EXPECT_FALSE(rig.grid.editing);
  }
}

TEST(EditModes, OneAtATimeEachEndingTheOneBefore) {
  Editing rig(2);
  rig.form.K8Click();
  rig.form.Edit1Click();  // move mode ends first
  EXPECT_EQ(rig.label2.caption, "編集モード");
  EXPECT_TRUE(rig.form.EditMode() && !rig.grid.rowMoving);
  rig.form.K8Click();
  EXPECT_THAT(rig.messages.Texts(), ElementsAre("項目編集を終了して下さい。"));

  // Typed text the data cannot hold keeps the editor, the mode and the tab.
  rig.grid.refuseEdit = true;
  rig.form.StringGrid1Exit();
  rig.ClickTab(0);
  rig.form.n1Click();
  EXPECT_TRUE(rig.form.EditMode() && rig.label2.visible && rig.memo.readOnly);
  rig.grid.refuseEdit = false;

  rig.form.n1Click();  // the summary is stored, then the memo takes the keys
  EXPECT_TRUE(rig.form.MemoEditMode() && rig.memo.focused && !rig.memo.readOnly);
  EXPECT_TRUE(rig.grid.rowSelect && !rig.grid.editing);
  rig.form.K8Click();
  EXPECT_TRUE(rig.form.MoveMode() && rig.memo.readOnly && rig.grid.rowMoving);
}

TEST(EditMemo, LinesAreQuotedAsTheyAreAndReadBack) {
  struct Case {
    std::vector<std::string> lines;
    std::string stored;
    std::vector<std::string> shown;
  };
  const Case cases[] = {
      {{"abc", "", "x y"}, R"("abc","","x y")", {"abc", "", "x y"}},
      {{"a\"b"}, R"("a"b")", {"a", "b\""}},
      {{}, R"("")", {""}},
  };
  for (const Case& c : cases) {
    Editing rig(2);
    rig.ClickRow(2);
    rig.form.n1Click();
    rig.memo.lines = c.lines;
    rig.form.Exit2Click();
    EXPECT_EQ(rig.form.Cat().Item(0, 1)->Memo, c.stored);
    EXPECT_EQ(SplitDelimited(rig.form.Cat().Item(0, 1)->Memo, ','), c.shown);
  }
  // Refused text stays; a row without an item stores nothing; both end the mode only when stored.
  Editing rig(1);
  rig.form.n1Click();
  rig.memo.refuse = true;
  rig.form.Exit2Click();
  EXPECT_TRUE(rig.form.MemoEditMode());
  rig.memo.refuse = false;
  rig.grid.SetSelection({1, 4, 2, 4});
  rig.memo.lines = {"lost"};
  rig.form.Exit2Click();
  EXPECT_FALSE(rig.form.MemoEditMode());
  EXPECT_EQ(rig.form.Cat().Item(0, 0)->Memo, "\"Sum\"");
}

TEST(MoveItem, RowDropsReorderTheTabAndRenumber) {
  struct Case {
    int from, to;
    std::vector<std::string> order;
  };
  const Case cases[] = {
      {1, 15, {"S2", "S3", "S1"}},  // below the last item: to the end
      {3, 1, {"S3", "S1", "S2"}},
      {2, 3, {"S1", "S3", "S2"}},
      {5, 1, {"S1", "S2", "S3"}},  // started below the items
  };
  for (const Case& c : cases) {
    Editing rig(3);
    rig.form.K8Click();
    rig.grid.SetCell(1, 15, "  stray");      // the grid's own move left this
    rig.grid.content.MoveRow(c.from, c.to);  // the real grid moves first
    rig.form.StringGrid1RowMoved(c.from, c.to);
    EXPECT_EQ(rig.Order(), c.order) << c.from << "->" << c.to;
    EXPECT_EQ(rig.grid.Cell(0, 3), "  3");
    EXPECT_EQ(rig.grid.Cell(2, 3), c.order[2]);
    for (int row = 4; row < rig.grid.RowCount(); ++row) EXPECT_EQ(rig.grid.Cell(1, row), "");
    // The pick follows its item.
    EXPECT_EQ(rig.grid.Cell(2, rig.form.Cat().PickedIndex() + 1), "S1");
  }
}

// A row edited in place shows its item again once the mode ends, so a file
// found missing afterwards marks it.
TEST(EditSummary, TypedCellsGiveWayToTheItemWhenTheModeEnds) {
  Editing rig(2);
  FakeFileCheck check;
  rig.form.UseFileCheck(&check);
  rig.form.Edit1Click();
  rig.grid.SetCell(2, 1, "typed");
  rig.form.K4Click();
  rig.files.files.erase("C:\\BAT\\F1.BAT");
  rig.form.CheckFiles();
  check.Answer(rig.form, rig.files);
  EXPECT_EQ(rig.grid.Cell(2, 1), "typed");
  EXPECT_TRUE(rig.grid.content.Dimmed(1));
  EXPECT_TRUE(rig.grid.Cell(0, 1).starts_with(MissingFileMark));
}
