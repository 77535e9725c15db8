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

}  // namespace

// Each close picks a row and presses OK. A close that changes the data file
// keeps the old one first; none is ever stopped by its backup.
TEST(DataBackups, ClosesKeepTheNewestTenAndNeverStop) {
  const std::string first = kFolder + "\\Z_Orbi-20270115-080000.DAT";
  const struct {
    const char* picks;  // the row picked before each close
    int secondsApart;
    std::string file;  // made before each start, or unwritable
    bool unwritable;
    const char* kept;  // how many backups, the first and the last
    const char* note;  // what backup-failed.txt holds afterwards; "": no file
  } rows[] = {
      {"12121212121", 60, kFolder + "\\mine.txt", false, "10 080100 081000", ""},
      {"222", 60, "", false, "0", ""},
      {"12", 0, "", false, "2 080000 080001", ""},
      {"1", 60, kFolder, false, "0", "2027/01/15 08:00:00 Z_Orbi.DAT のバックアップを作れません"},
      {"12", 60, first, true, "1 080100 080100", ""},
      {"1", 60, first, true, "0", "08:00:00 Z_Orbi.DAT のバックアップを作れませんでした: "},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.picks) + " " + row.file);
    std::map<std::string, std::string> files{
        {kDat, DataFileWith({"A", "B"}, {{{"C:\\1.BAT"}, {"C:\\2.BAT", "Sum", 2}}, {}})},
        {"C:\\1.BAT", "@REM 1"},
        {"C:\\2.BAT", "@REM 2"}};
    std::vector<std::string> before;  // the data file as each close found it
    for (std::size_t k = 0; row.picks[k] != '\0'; ++k) {
      FormRig rig;
      rig.files.files = files;
      if (!row.file.empty() && !row.unwritable) rig.files.files[row.file] = "x";
      if (row.unwritable) rig.files.unwritable.insert(row.file);
      rig.sys.now = kStart + row.secondsApart * static_cast<std::int64_t>(k);
      ASSERT_TRUE(rig.Create());
      rig.messages.shown.clear();
      rig.ClickRow(row.picks[k] - '0');
      before.push_back(rig.files.files[kDat]);
      rig.form.Button2Click();
      EXPECT_EQ(rig.window.destroyed, 1);
      EXPECT_TRUE(rig.messages.shown.empty());
      files = rig.files.files;
    }
    // Each backup holds the data file as the close that made it found it.
    std::vector<std::string> kept;
    for (const auto& [path, bytes] : files)
      if (path.rfind(kFolder + "\\Z_Orbi-20270115-", 0) == 0) {
        kept.push_back(path.substr(kFolder.size() + 17, 6));
        EXPECT_EQ(bytes, before.at(before.size() - std::stoul(row.kept) + kept.size() - 1));
      }
    EXPECT_EQ(
        kept.empty() ? "0" : std::to_string(kept.size()) + " " + kept.front() + " " + kept.back(),
        row.kept);
    EXPECT_EQ(files.count(row.file), !row.file.empty() && !row.unwritable ? 1u : 0u);
    EXPECT_THAT(files[kNote], HasSubstr(row.note));
    EXPECT_EQ(files[kNote].empty(), *row.note == '\0');
  }
}

// "バックアップから復旧...": the list, newest first; a damaged backup is
// refused, the one chosen restored through the data-file restore.
TEST(DataBackups, TheListRestoresTheBackupChosen) {
  FormRig rig;
  rig.files.files[kDat] = DataFileWith({"Now"}, {{{"C:\\1.BAT"}}});
  rig.files.files["C:\\1.BAT"] = rig.files.files["C:\\2.BAT"] = "@REM";
  rig.files.files[kFolder + "\\Z_Orbi-20261201-090000.DAT"] =
      DataFileWith({"Old"}, {{{"C:\\1.BAT"}, {"C:\\2.BAT"}}});
  rig.files.files[kFolder + "\\Z_Orbi-20261202-090000.DAT"] = "Z_Orbi.DataFile";
  rig.files.files[kFolder + "\\z_orbi-20261203-090000.dat"] =
      DataFileWith({"New", "Two"}, {{{"C:\\1.BAT"}}, {{"C:\\2.BAT"}}});
  rig.files.files[kNote] = "2026/12/04 09:00:00 Z_Orbi.DAT のバックアップを作れませんでした: x\r\n";
  FakeListBox list;
  FakeLabel note;
  FakeDialogWindow window;
  TBackupListForm form({list, note}, window);
  rig.forms.backupListForm = &form;
  ASSERT_TRUE(rig.Create());
  const std::string dat = rig.files.files[kDat];
  window.whileShown = [&] {
    EXPECT_THAT(list.items,
                ElementsAre("2026/12/03 09:00:00  タブ   2  項目       2",
                            "2026/12/02 09:00:00  壊れています（データファイルとして読めません）",
                            "2026/12/01 09:00:00  タブ   1  項目       2"));
    EXPECT_EQ(list.index, 0);
    EXPECT_THAT(note.caption, HasSubstr("2026/12/04 09:00:00 Z_Orbi.DAT のバックアップを作れ"));
    list.index = 1;
    form.OKClick();
    EXPECT_THAT(note.caption, HasSubstr("壊れているため"));
    EXPECT_EQ(window.closed, 0);
    list.index = 2;
    form.OKClick();
  };
  rig.form.RestoreFromBackup();
  EXPECT_EQ(rig.tabs.tabs, std::vector<std::string>{"Old"});
  // Z_Orbi.DAT is the file read at start: the close asks nothing and writes.
  EXPECT_EQ(rig.files.files[kDat], dat);
  rig.messages.shown.clear();
  rig.form.Button2Click();
  EXPECT_EQ(rig.window.destroyed, 1);
  EXPECT_TRUE(rig.messages.shown.empty());
}
