// What the user runs through the host is kept beside the program, and a
// search lists it first.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes.h"
#include "form_test_util.h"

using ::testing::ElementsAreArray;
using namespace zorbi;
using namespace zorbi::test;

namespace {

const std::string kUse = FormRig::InDir("Z_Orbi.use");
const std::string kExchange = FormRig::InDir("jwc_temp.txt");

// One start on the same files: Z_Orbi.DAT with A, B and C on two tabs, and
// the usage file as the last start left it.
struct UseRig : FormRig {
  explicit UseRig(const std::map<std::string, std::string>& before, bool withHost = true) {
    files.files = before;
    if (!files.files.count(FormRig::InDir("Z_Orbi.DAT")))
      files.files[FormRig::InDir("Z_Orbi.DAT")] = DataFileWith(
          {"T1", "T2"}, {{{"C:\\A.BAT", "run"}, {"C:\\B.BAT", "run"}}, {{"C:\\C.BAT", "run"}}});
    for (const char* bat : {"C:\\A.BAT", "C:\\B.BAT", "C:\\C.BAT"}) files.files[bat] = "@REM x";
    if (withHost)
      files.files[kExchange] = "hq\r\n";
    else
      files.files.erase(kExchange);
    EXPECT_TRUE(Create());
  }
  // The file names as a search for "run" lists them.
  std::vector<std::string> Found() {
    searchBox.SetText("run");
    form.SearchBox1Change();
    std::vector<std::string> names;
    for (int row = 1; row < grid.RowCount() && !grid.Cell(1, row).empty(); ++row)
      names.push_back(grid.Cell(1, row).substr(grid.Cell(1, row).find_first_not_of(' ')));
    searchBox.SetText("");
    form.SearchBox1Change();
    return names;
  }
  // Ctrl+F with nothing typed: the header, then the file names listed.
  std::vector<std::string> Favourites() {
    form.SearchBox1Request();
    std::vector<std::string> shown{grid.Cell(1, 0) + "|" + grid.Cell(2, 0)};
    for (int row = 1; row < grid.RowCount() && !grid.Cell(1, row).empty(); ++row)
      shown.push_back(grid.Cell(1, row).substr(grid.Cell(1, row).find_first_not_of(' ')));
    return shown;
  }
};

}  // namespace

TEST(UsageHistory, WhatRunsMostAndLatelyIsFoundFirst) {
  const struct {
    const char* what;
    std::vector<std::string> runs;  // a start each: the row picked ("" = キャンセル), then OK
    bool host;
    std::vector<std::string> found;  // file names in the search for "run" afterwards
  } cases[] = {
      {"nothing run: tab and item order", {}, true, {"A.BAT", "B.BAT", "C.BAT"}},
      {"B three times, C once", {"B", "C", "B", "B"}, true, {"B.BAT", "C.BAT", "A.BAT"}},
      {"the latest of equals first", {"C", "B"}, true, {"B.BAT", "C.BAT", "A.BAT"}},
      {"キャンセル hands nothing over", {"", "", "C"}, true, {"C.BAT", "A.BAT", "B.BAT"}},
      {"without the host nothing is handed over", {"B"}, false, {"A.BAT", "B.BAT", "C.BAT"}},
  };
  const std::string top = "よく使う項目|よく使う順 (上位 20)";
  for (const auto& c : cases) {
    std::map<std::string, std::string> files;
    std::int64_t now = 1'800'000'000;
    for (const std::string& run : c.runs) {
      UseRig rig(files, c.host);
      rig.sys.now = now += 60;
      if (run.empty()) {
        rig.form.Button4Click();
      } else {
        rig.ClickTab(run == "C" ? 1 : 0);
        rig.ClickRow(run == "B" ? 2 : 1);
        rig.form.Button2Click();
      }
      files = rig.files.files;
    }
    UseRig rig(files, c.host);
    rig.sys.now = now + 60;
    EXPECT_THAT(rig.Found(), ElementsAreArray(c.found)) << c.what;
    // Ctrl+F alone lists only what was run, in the same order; Enter runs the first.
    std::vector<std::string> favourites{top};
    for (const std::string& name : c.found)
      if (std::count(c.runs.begin(), c.runs.end(), name.substr(0, 1)) && c.host)
        favourites.push_back(name);
    if (favourites.size() == 1) favourites[0] = "よく使う項目|まだありません。実行すると並びます";
    EXPECT_THAT(rig.Favourites(), ElementsAreArray(favourites)) << c.what;
    rig.form.SearchBox1KeyDown(0x0D, {});
    EXPECT_EQ(rig.files.files[kExchange], !c.host ? ""
                                          : favourites.size() > 1
                                              ? "h/C:\\" + favourites[1] + "\r\n"
                                              : "hq\r\n")
        << c.what;
    EXPECT_TRUE(rig.messages.shown.empty() || favourites.size() == 1) << c.what;
  }
}

TEST(UsageHistory, ADamagedOrUnreadableFileIsNoHistoryAndIsReplaced) {
  const char* const kinds[] = {"", "garbage\r\n", "Z_Orbi.use 1\r\n5000\tx\tC:\\B.BAT\r\n",
                               nullptr};
  for (const char* bytes : kinds) {
    std::map<std::string, std::string> files;
    if (bytes) files[kUse] = bytes;
    UseRig rig(files);
    if (!bytes) rig.files.unreadable.insert(kUse);
    EXPECT_THAT(rig.Found(), ElementsAreArray({"A.BAT", "B.BAT", "C.BAT"}));
    rig.ClickRow(2);
    rig.form.Button2Click();
    EXPECT_TRUE(rig.messages.shown.empty());
    EXPECT_EQ(rig.files.files[kUse], "Z_Orbi.use 1\r\n1000\t1800000000\tC:\\B.BAT\r\n");
  }
}
