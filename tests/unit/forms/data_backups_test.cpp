// Dated backups of the data file at close, and the restore from one.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes.h"
#include "form_test_util.h"
#include "forms/backup_list_form.h"

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using namespace zorbi;
using namespace zorbi::test;

namespace {

const std::string kDat = FormRig::InDir("Z_Orbi.DAT");
const std::string kFolder = FormRig::InDir("backup");
const std::string kNote = FormRig::InDir("backup-failed.txt");
constexpr std::int64_t kStart = 1'800'000'000;  // 2027/01/15 08:00:00 UTC

// The backups in the folder, oldest first, with their bytes.
std::map<std::string, std::string> Backups(const std::map<std::string, std::string>& files) {
  std::map<std::string, std::string> found;
  for (const auto& [path, bytes] : files)
    if (path.rfind(kFolder + "\\Z_Orbi-", 0) == 0) found[path.substr(kFolder.size() + 1)] = bytes;
  return found;
}

}  // namespace

// Each close picks a row and presses OK. A close that changes the data file
// keeps the old one first; none is ever stopped by its backup.
TEST(DataBackups, ClosesKeepTheNewestTenAndNeverStop) {
  const struct {
    const char* what;
    std::vector<int> picks;  // the row picked before each close
    int secondsApart;
    std::function<void(FakeFiles&)> spoil;
    std::vector<std::string> names;  // the first and last backup kept, or none
    std::size_t kept;
    const char* note;  // what backup-failed.txt holds afterwards; "": no file
  } rows[] = {
      {"the 11th changing close drops the oldest",
       {1, 2, 1, 2, 1, 2, 1, 2, 1, 2, 1},
       60,
       [](FakeFiles& f) { f.files[kFolder + "\\notes.txt"] = "mine"; },
       {"Z_Orbi-20270115-080100.DAT", "Z_Orbi-20270115-081000.DAT"},
       10,
       ""},
      {"equal bytes make no backup", {2, 2, 2}, 60, nullptr, {}, 0, ""},
      {"two closes in one second",
       {1, 2},
       0,
       nullptr,
       {"Z_Orbi-20270115-080000.DAT", "Z_Orbi-20270115-080001.DAT"},
       2,
       ""},
      {"a file named backup",
       {1},
       60,
       [](FakeFiles& f) { f.files[kFolder] = "x"; },
       {},
       0,
       "2027/01/15 08:00:00 Z_Orbi.DAT のバックアップを作れませんでした: "},
      {"a folder that takes no files",
       {1, 2},
       60,
       [](FakeFiles& f) { f.closedFolders.insert(kFolder); },
       {},
       0,
       "2027/01/15 08:01:00"},
      {"a backup made again clears the note",
       {1},
       60,
       [](FakeFiles& f) { f.files[kNote] = "old"; },
       {"Z_Orbi-20270115-080000.DAT", "Z_Orbi-20270115-080000.DAT"},
       1,
       ""},
  };
  for (const auto& row : rows) {
    std::map<std::string, std::string> files{
        {kDat, DataFileWith({"A", "B"}, {{{"C:\\1.BAT"}, {"C:\\2.BAT", "Sum", 2}}, {}})},
        {"C:\\1.BAT", "@REM 1"},
        {"C:\\2.BAT", "@REM 2"}};
    std::vector<std::string> before;  // the data file as each close found it
    for (std::size_t k = 0; k < row.picks.size(); ++k) {
      FormRig rig;
      rig.files.files = files;
      if (row.spoil) row.spoil(rig.files);
      rig.sys.now = kStart + row.secondsApart * static_cast<std::int64_t>(k);
      ASSERT_TRUE(rig.Create()) << row.what;
      rig.messages.shown.clear();
      rig.ClickRow(row.picks[k]);
      before.push_back(rig.files.files[kDat]);
      rig.form.Button2Click();
      EXPECT_EQ(rig.window.destroyed, 1) << row.what;
      EXPECT_TRUE(rig.messages.shown.empty()) << row.what;
      files = rig.files.files;
    }
    const std::map<std::string, std::string> kept = Backups(files);
    ASSERT_EQ(kept.size(), row.kept) << row.what;
    if (!row.names.empty()) {
      EXPECT_EQ(kept.begin()->first, row.names.front()) << row.what;
      EXPECT_EQ(kept.rbegin()->first, row.names.back()) << row.what;
      // Each holds the data file as the close it was made by found it.
      auto older = before.end() - static_cast<std::ptrdiff_t>(row.kept);
      for (const auto& [name, bytes] : kept) EXPECT_EQ(bytes, *older++) << row.what << name;
    }
    // Files of the user's in the folder stay.
    if (row.kept == 10) {
      EXPECT_EQ(files.count(kFolder + "\\notes.txt"), 1u);
    }
    EXPECT_THAT(files.count(kNote) ? files[kNote] : "", HasSubstr(row.note)) << row.what;
    EXPECT_EQ(files.count(kNote) > 0, *row.note != '\0') << row.what;
  }
}

// A data file another copy saved is what the close replaces: that one is kept.
TEST(DataBackups, TheFileReplacedIsKeptEvenWhenAnotherCopySavedIt) {
  FormRig rig;
  rig.files.files[kDat] = DataFileWith({"A"}, {{{"C:\\1.BAT"}}});
  ASSERT_TRUE(rig.Create());
  const std::string other = DataFileWith({"Other"}, {{{"C:\\9.BAT"}}});
  rig.files.files[kDat] = other;
  rig.messages.answers = {Answer::Yes};
  rig.form.Button2Click();
  EXPECT_THAT(Backups(rig.files.files), ElementsAre(std::pair<const std::string, std::string>{
                                            "Z_Orbi-20270115-080000.DAT", other}));
}

// "バックアップから復旧...": the list, newest first, and the restore of the
// one chosen, through the data-file restore.
TEST(DataBackups, TheListRestoresTheBackupChosen) {
  const struct {
    const char* what;
    std::function<void(TBackupListForm&)> user;  // in the list
    bool confirm;                                // OK to the restore's question
    std::vector<std::string> tabs;               // shown afterwards
    const char* note;                            // above the list when the user left it
  } rows[] = {
      {"the older one",
       [](TBackupListForm& f) {
         f.C.List.SetItemIndex(2);
         f.OKClick();
       },
       true,
       {"Old"},
       "新しい順"},
      {"the question answered キャンセル",
       [](TBackupListForm& f) {
         f.C.List.SetItemIndex(2);
         f.OKClick();
       },
       false,
       {"Now"},
       "新しい順"},
      {"a damaged one is refused",
       [](TBackupListForm& f) {
         f.C.List.SetItemIndex(1);
         f.OKClick();
         f.CancelClick();
       },
       true,
       {"Now"},
       "壊れているため"},
      {"Enter takes the newest",
       [](TBackupListForm& f) { f.OKClick(); },
       true,
       {"New", "Two"},
       "新しい順"},
  };
  for (const auto& row : rows) {
    FormRig rig;
    rig.files.files[kDat] = DataFileWith({"Now"}, {{{"C:\\1.BAT"}}});
    for (const char* bat : {"C:\\1.BAT", "C:\\2.BAT", "C:\\3.BAT"}) rig.files.files[bat] = "@REM";
    rig.files.files[kFolder + "\\Z_Orbi-20261201-090000.DAT"] =
        DataFileWith({"Old"}, {{{"C:\\1.BAT"}, {"C:\\2.BAT"}}});
    rig.files.files[kFolder + "\\Z_Orbi-20261202-090000.DAT"] = "Z_Orbi.DataFile";
    rig.files.files[kFolder + "\\z_orbi-20261203-090000.dat"] =
        DataFileWith({"New", "Two"}, {{{"C:\\1.BAT"}}, {{"C:\\2.BAT"}, {"C:\\3.BAT"}}});
    rig.files.files[kNote] =
        "2026/12/04 09:00:00 Z_Orbi.DAT のバックアップを作れませんでした: x\r\n";
    FakeListBox list;
    FakeLabel note;
    FakeDialogWindow window;
    TBackupListForm form({list, note}, window);
    rig.forms.backupListForm = &form;
    ASSERT_TRUE(rig.Create());
    rig.messages.shown.clear();
    const std::string dat = rig.files.files[kDat];
    rig.messages.answer = row.confirm;
    window.whileShown = [&] {
      EXPECT_THAT(list.items,
                  ElementsAre("2026/12/03 09:00:00  タブ   2  項目       3",
                              "2026/12/02 09:00:00  壊れています（データファイルとして読めません）",
                              "2026/12/01 09:00:00  タブ   1  項目       2"));
      EXPECT_THAT(note.caption, HasSubstr("2026/12/04 09:00:00 Z_Orbi.DAT のバックアップを作れ"));
      row.user(form);
      EXPECT_THAT(note.caption, HasSubstr(row.note)) << row.what;
    };
    rig.form.RestoreFromBackup();
    EXPECT_EQ(window.shown, 1);
    EXPECT_EQ(rig.form.Cat().TabNames(), row.tabs) << row.what;
    EXPECT_EQ(rig.tabs.tabs, row.tabs) << row.what;
    // Z_Orbi.DAT is the file read at start: the close asks nothing and writes.
    EXPECT_EQ(rig.files.files[kDat], dat) << row.what;
    rig.form.Button2Click();
    EXPECT_EQ(rig.window.destroyed, 1) << row.what;
    EXPECT_EQ(rig.messages.shown.size(), 0u) << row.what;
  }
}
