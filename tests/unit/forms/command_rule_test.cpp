// The rule of what may run now, and the faults it keeps out when the main
// window's features meet: a missing file chained by the gesture that found
// it, a search around a disabled OK, an empty result list that still
// confirms, a mode that outlives a tab switch, a drop lost during a search.
#include "forms/command_rule.h"

#include <gtest/gtest.h>

#include "fakes.h"
#include "form_test_util.h"

using namespace zorbi;
using namespace zorbi::test;

namespace {

// "run", "no", "no:<message start>", with what comes first: +mode +search
// +result +nochain.
std::string Says(Command command, const FormState& s) {
  const Verdict v = MayRun(command, s);
  if (!v.Runs) return v.Message.empty() ? "no" : "no:" + std::string(v.Message.substr(0, 4));
  std::string out = "run";
  if (v.EndModeFirst) out += " +mode";
  if (v.LeaveSearchFirst) out += " +search";
  if (v.PickResultFirst) out += " +result";
  if (v.ChainNothing) out += " +nochain";
  return out;
}

}  // namespace

TEST(CommandRule, WhatMayRunInEachState) {
  FormState normal, memo, edit, search, found, unstable, closing, missingNow;
  memo.Mode = FormMode::MemoEdit;
  edit.Mode = FormMode::ItemEdit;
  search.Searching = true;
  found = search;
  found.ResultHighlighted = true;
  unstable.ConfirmDisabled = true;
  closing.Closing = true;
  missingNow.PickedNowMissing = true;
  const struct {
    Command command;
    FormState state;
    const char* says;
  } rows[] = {
      {Command::Confirm, normal, "run"},
      {Command::Confirm, edit, "no"},
      {Command::Confirm, unstable, "no"},
      {Command::Confirm, closing, "no"},
      {Command::Confirm, missingNow, "no"},
      {Command::Confirm, found, "run +result"},
      {Command::Confirm, search, "no:検索"},
      {Command::CloseRequest, search, "run +search +nochain"},
      {Command::CloseRequest, found, "run +result"},
      {Command::CloseRequest, unstable, "run"},
      {Command::CloseRequest, closing, "no"},
      {Command::Cancel, found, "run"},
      {Command::PickRow, memo, "run +mode"},
      {Command::PickRow, edit, "no"},
      {Command::PickRow, search, "no"},
      {Command::SwitchTab, edit, "run +mode"},
      {Command::SwitchTab, unstable, "no"},
      {Command::StartMove, edit, "no:項目"},
      {Command::StartItemEdit, memo, "run +mode"},
      {Command::DeleteItem, found, "no"},
      {Command::Register, unstable, "no"},
      {Command::DropFiles, search, "run +search"},
      {Command::CatalogueWide, unstable, "run"},
      {Command::CatalogueWide, search, "run +search"},
      {Command::UndoRedo, found, "run +search"},
      {Command::UndoRedo, edit, "run +mode"},
      {Command::UndoRedo, closing, "no"},
      {Command::Relink, search, "run"},
      {Command::Search, unstable, "no"},
      {Command::Search, memo, "run +mode"},
      {Command::ShowResultOnTab, search, "no"},
      {Command::ShowResultOnTab, found, "run +result"},
  };
  for (const auto& row : rows)
    EXPECT_EQ(Says(row.command, row.state), row.says) << static_cast<int>(row.command);
}

namespace {

const std::string kExchange = FormRig::InDir("jwc_temp.txt");

// 作図 holds A (picked) and B; 編集 holds M, whose file is gone.
struct SeamRig : FormRig {
  explicit SeamRig(const std::string& exchange = "hq\r\n") {
    files.files[InDir("Z_Orbi.DAT")] = DataFileWith(
        {"作図", "編集"}, {{{"C:\\A.BAT", "A", 2, "\"A\""}, {"C:\\B.BAT", "B", 0, "\"B\""}},
                           {{"C:\\missing.BAT", "M", 0, "\"M\""}}});
    files.files["C:\\A.BAT"] = "@REM A";
    files.files["C:\\B.BAT"] = "@REM B";
    files.files[kExchange] = exchange;
    EXPECT_TRUE(Create());
  }
  void Find(const std::string& text) {
    searchBox.SetText(text);
    form.SearchBox1Change();
  }
  std::string Chained() {
    const std::string& bytes = files.files[kExchange];
    return bytes.starts_with("h/") ? bytes.substr(2, bytes.find('\r') - 2) : "";
  }
};

}  // namespace

TEST(CommandRule, FaultsAtTheSeamsBetweenFeatures) {
  const struct {
    const char* what;
    std::function<void(SeamRig&)> steps;
    bool open;            // the window stays
    const char* chained;  // "" for nothing
  } rows[] = {
      {"Enter on a result whose file is missing",
       [](SeamRig& r) { r.Find("missing"), r.form.SearchBox1KeyDown(0x0D, {}); }, true, ""},
      {"a double click on it", [](SeamRig& r) { r.Find("missing"), r.form.StringGrid1DblClick(1); },
       true, ""},
      {"the close box over it", [](SeamRig& r) { r.Find("missing"), r.form.Close(); }, true, ""},
      {"then OK: the warning came with the pick",
       [](SeamRig& r) { r.Find("missing"), r.form.Close(), r.form.Button2Click(); }, false,
       "C:\\missing.BAT"},
      {"OK over no results", [](SeamRig& r) { r.Find("zzz"), r.form.Button2Click(); }, true, ""},
      {"the close box over no results", [](SeamRig& r) { r.Find("zzz"), r.form.Close(); }, false,
       ""},
      {"a result confirmed",
       [](SeamRig& r) { r.Find("b.bat"), r.form.SearchBox1KeyDown(0x0D, {}); }, false, "C:\\B.BAT"},
  };
  for (const auto& row : rows) {
    SeamRig rig;
    row.steps(rig);
    EXPECT_EQ(rig.window.destroyed == 0, row.open) << row.what;
    EXPECT_EQ(rig.Chained(), row.chained) << row.what;
  }
}

TEST(CommandRule, AnUnstableHostLeavesOnlyCancelAndTheCloseBox) {
  SeamRig rig("hq\r\npt x y\r\n");
  EXPECT_FALSE(rig.searchBox.enabled);
  rig.Find("b");
  EXPECT_FALSE(rig.form.Searching());
  rig.form.SearchBox1KeyDown(0x0D, {});
  rig.form.StringGrid1KeyDown(0x0D, {});
  rig.form.StringGrid1KeyUp(0x0D, {});
  EXPECT_EQ(rig.window.destroyed, 0);
  EXPECT_FALSE(rig.files.files.count(FormRig::InDir("PATH.TXT")));
  rig.form.Close();
  EXPECT_EQ(rig.window.destroyed, 1);
  EXPECT_EQ(rig.form.Cat().PickedBatPath(), "C:\\A.BAT");
}

TEST(CommandRule, ADropDuringASearchGoesOnTheTabItBeganFrom) {
  SeamRig rig;
  rig.files.files["C:\\N.BAT"] = "@REM N";
  rig.Find("b");
  rig.form.StringGrid1DropFiles({{"C:\\N.BAT", true, "N.BAT"}});
  EXPECT_FALSE(rig.form.Searching());
  EXPECT_EQ(rig.tabs.index, 0);
  ASSERT_NE(rig.form.Cat().Item(0, 2), nullptr);
  EXPECT_EQ(rig.form.Cat().Item(0, 2)->BatPath, "C:\\N.BAT");
  EXPECT_EQ(rig.grid.Item(3), rig.form.Cat().Item(0, 2));
}
