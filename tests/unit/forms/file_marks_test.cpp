#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "catalogue/relink_plan.h"
#include "fakes.h"
#include "files/file_check_worker.h"
#include "form_test_util.h"
#include "forms/relink_form.h"

namespace zorbi::test {
namespace {

TEST(RelinkPlan, EachMissingItemGoesToItsNameFoundOnceBelowTheFolder) {
  const std::vector<std::string> found = {
      "D:\\new\\A.BAT",        "D:\\new\\sub\\b.bat", "D:\\new\\x\\DUP.bat", "D:\\new\\y\\dup.BAT",
      "D:\\new\\\x83\x61.bat",  // ヂ: its trail byte is a lower-case letter
      "D:\\new\\c.bat.txt"};
  const struct {
    const char* missing;
    const char* relinked;  // "": not found, "*": found several times
  } cases[] = {
      {"C:\\old\\a.bat", "D:\\new\\A.BAT"},
      {"C:\\old\\B.BAT", "D:\\new\\sub\\b.bat"},
      {"E:\\a.bat", "D:\\new\\A.BAT"},  // another item of that name goes there too
      {"C:\\old\\dup.bat", "*"},
      {"C:\\old\\\x83\x41.bat", ""},  // ア is not ヂ
      {"C:\\old\\c.bat", ""},
      {"", ""},
  };
  std::vector<MissingItem> missing;
  std::vector<ItemRelink> changes;
  std::int64_t several = 0, none = 0;
  for (const auto& c : cases) {
    const auto position = static_cast<std::int32_t>(missing.size());
    missing.push_back({1, position, c.missing});
    const std::string relinked = c.relinked;
    if (relinked == "*") ++several;
    if (relinked.empty()) ++none;
    if (relinked.size() > 1) changes.push_back({1, position, c.missing, relinked});
  }
  const RelinkPlan plan = MakeRelinkPlan(missing, found);
  EXPECT_EQ(plan.Changes, changes);
  EXPECT_EQ(plan.FoundSeveral, several);
  EXPECT_EQ(plan.NotFound, none);
}

// 作図: A (picked), K (there), DUP; 編集: b. Below D:\new: A once, B once, DUP twice.
TEST(Relink, OkTakesTheWholeListAndNothingElseChangesTheCatalogue) {
  const struct {
    const char* what;
    const char* folder;   // nullptr: none chosen; "": a name without Shift-JIS
    int cancelAt;         // the progress report the user cancels at
    bool take;            // OK in the list
    const char* message;  // the part that tells it apart; "" for none
    std::size_t foldersAsked;
    bool listed;
  } cases[] = {
      {"OK", "D:\\new", 0, true, "", 1, true},
      {"キャンセル", "D:\\new", 0, false, "", 1, true},
      {"no folder chosen", nullptr, 0, true, "", 1, false},
      {"check cancelled", "D:\\new", 1, true, "", 0, false},
      {"search cancelled", "D:\\new", 2, true, "", 1, false},
      {"folder unreadable", "D:\\locked", 0, true, "フォルダーを読み込めません", 1, false},
      {"folder name without Shift-JIS", "", 0, true, "Shift-JIS", 1, false},
      {"nothing found", "D:\\empty", 0, true,
       "見つからない: 3 件　Shift-JIS で表せない名前のフォルダー: 1 件", 1, false},
      {"nothing missing", "D:\\new", 0, true, "リンク切れの項目はありません", 0, false},
  };
  for (const auto& c : cases) {
    FormRig rig;
    FakeReportList list;
    FakeLabel counts;
    FakeDialogWindow window;
    TRelinkForm relinkForm{RelinkControls{list, counts}, window};
    rig.forms.relinkForm = &relinkForm;
    window.whileShown = [&] { c.take ? relinkForm.OKClick() : relinkForm.CancelClick(); };
    std::vector<ItemSpec> draw{
        {"C:\\old\\A.BAT", "As", 2}, {"C:\\keep\\K.BAT", "Ks"}, {"C:\\old\\DUP.BAT", "Ds"}};
    rig.files.files[rig.InDir("Z_Orbi.DAT")] =
        DataFileWith({"作図", "編集"}, {draw, {{"C:\\old\\b.bat"}}});
    for (const char* path : {"C:\\keep\\K.BAT", "D:\\new\\A.BAT", "D:\\new\\sub\\B.BAT",
                             "D:\\new\\1\\dup.bat", "D:\\new\\2\\DUP.BAT", "D:\\locked\\A.BAT"})
      rig.files.files[path] = "@REM x";
    rig.files.unlistable.insert("D:\\locked");
    rig.files.others.insert("D:\\empty");
    rig.files.others.insert("D:\\empty\\caf\3770000E9");  // café: it can be read
    rig.files.unnamed.insert("D:\\empty\\caf\3770000E9");
    if (c.foldersAsked == 0 && c.cancelAt == 0)
      for (const char* path : {"C:\\old\\A.BAT", "C:\\old\\DUP.BAT", "C:\\old\\b.bat"})
        rig.files.files[path] = "@REM x";
    if (c.folder) rig.dialogs.folder = ChosenFile{c.folder, *c.folder != '\0', "D:\\?"};
    rig.progress.cancelAt = c.cancelAt;
    ASSERT_TRUE(rig.Create());
    rig.messages.shown.clear();
    rig.form.Relink1Click();

    const std::string shown = rig.messages.Texts().empty() ? "" : rig.messages.Texts().back();
    EXPECT_NE(shown.find(c.message), std::string::npos) << c.what << ": " << shown;
    EXPECT_EQ(shown.empty(), *c.message == '\0') << c.what << ": " << shown;
    EXPECT_EQ(rig.dialogs.folderTitles.size(), c.foldersAsked) << c.what;
    EXPECT_EQ(window.shown, c.listed ? 1 : 0) << c.what;
    const bool changes = c.listed && c.take;
    std::string paths;
    for (const auto& tab : rig.form.Cat().Data().TabList)
      for (const auto& item : tab->Items) paths += item->BatPath + "|" + item->Summary + " ";
    EXPECT_EQ(paths, changes ? "D:\\new\\A.BAT|As C:\\keep\\K.BAT|Ks C:\\old\\DUP.BAT|Ds "
                               "D:\\new\\sub\\B.BAT|Sum "
                             : "C:\\old\\A.BAT|As C:\\keep\\K.BAT|Ks C:\\old\\DUP.BAT|Ds "
                               "C:\\old\\b.bat|Sum ")
        << c.what;
    EXPECT_EQ(rig.form.Cat().PickedBatPath(), changes ? "D:\\new\\A.BAT" : "C:\\old\\A.BAT")
        << c.what;
    EXPECT_EQ(rig.grid.Cell(0, 1).starts_with(MissingFileMark), !changes && c.foldersAsked)
        << c.what;
    EXPECT_EQ(counts.caption.find("再リンク: 2 件　複数見つかった: 1 件") == 0, c.listed) << c.what;
  }
}

// Started over search results, a relink that changes nothing leaves them.
TEST(Relink, KeepsTheSearchUnlessItChangedSomething) {
  for (const bool take : {false, true}) {
    FormRig rig;
    FakeReportList list;
    FakeLabel counts;
    FakeDialogWindow window;
    TRelinkForm relinkForm{RelinkControls{list, counts}, window};
    rig.forms.relinkForm = &relinkForm;
    window.whileShown = [&] { take ? relinkForm.OKClick() : relinkForm.CancelClick(); };
    rig.files.files[rig.InDir("Z_Orbi.DAT")] = DataFileWith({"T"}, {{{"C:\\old\\A.BAT"}}});
    rig.files.files["D:\\new\\A.BAT"] = "@REM x";
    rig.dialogs.folder = ChosenFile{"D:\\new", true, "D:\\new"};
    ASSERT_TRUE(rig.Create());
    rig.searchBox.SetText("a");
    rig.form.SearchBox1Change();
    rig.form.Relink1Click();
    EXPECT_EQ(window.shown, 1);
    EXPECT_EQ(rig.form.Searching(), !take);
  }
}

// Files deleted or put back while the window is open are marked anew when it
// comes back to the front; a check still running is not asked for twice.
TEST(FileMarks, TheWindowComingBackChecksEveryFileAgain) {
  FormRig rig;
  FakeFileCheck check;
  rig.form.UseFileCheck(&check);
  rig.files.files[rig.InDir("Z_Orbi.DAT")] =
      DataFileWith({"T"}, {{{"C:\\A.BAT", "A", 2}, {"C:\\B.BAT"}}});
  rig.files.files["C:\\A.BAT"] = rig.files.files["C:\\B.BAT"] = "@REM x";
  ASSERT_TRUE(rig.Create());
  rig.form.FormActivate();  // before the first check: nothing to check again
  EXPECT_TRUE(check.asked.empty());
  rig.form.CheckFiles();
  check.Answer(rig.form, rig.files);
  const auto marked = [&](int row) { return rig.grid.Cell(0, row).starts_with(MissingFileMark); };
  rig.files.files.erase("C:\\B.BAT");
  rig.form.FormActivate();
  rig.form.FormActivate();
  EXPECT_EQ(check.asked.size(), 2u);
  check.Answer(rig.form, rig.files);
  EXPECT_TRUE(marked(2));
  rig.files.files["C:\\B.BAT"] = "@REM x";
  rig.form.FormActivate();
  check.Answer(rig.form, rig.files);
  EXPECT_FALSE(marked(2));
  EXPECT_FALSE(marked(1));
}

TEST(FileCheckWorker, AnswersEveryPathInOrderAwayFromTheCaller) {
  auto files = std::make_unique<FakeFiles>();
  std::vector<std::string> paths;
  for (int i = 0; i < 1300; ++i) {
    paths.push_back("C:\\F" + std::to_string(i));
    if (i % 3 == 0) files->files[paths.back()] = "";
  }
  std::atomic<int> wakes{0};
  FileCheckWorker worker(std::move(files), [&] { ++wakes; });
  worker.Start({paths.begin(), paths.begin() + 700});
  worker.Start({paths.begin() + 700, paths.end()});
  std::vector<std::string> answered;
  std::vector<bool> exist;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (answered.size() < paths.size() && std::chrono::steady_clock::now() < deadline) {
    for (const CheckedFiles& part : worker.TakeAnswers()) {
      answered.insert(answered.end(), part.Paths.begin(), part.Paths.end());
      exist.insert(exist.end(), part.Exist.begin(), part.Exist.end());
    }
    std::this_thread::yield();
  }
  EXPECT_EQ(answered, paths);
  EXPECT_GT(wakes, 0);
  for (std::size_t i = 0; i < exist.size(); ++i) EXPECT_EQ(exist[i], i % 3 == 0) << i;
}

}  // namespace
}  // namespace zorbi::test
