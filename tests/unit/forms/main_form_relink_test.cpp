#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

#include "fakes.h"
#include "form_test_util.h"
#include "forms/file_check_worker.h"
#include "forms/relink_form.h"
#include "forms/relink_plan.h"

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
      {"C:\\old\\", ""},
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
struct RelinkRig : FormRig {
  FakeReportList list;
  FakeLabel counts;
  FakeDialogWindow window;
  TRelinkForm relinkForm{RelinkControls{list, counts}, window};
  bool take = true;

  RelinkRig() {
    std::vector<ItemSpec> draw{
        {"C:\\old\\A.BAT", "As", 2}, {"C:\\keep\\K.BAT", "Ks"}, {"C:\\old\\DUP.BAT", "Ds"}};
    files.files[InDir("Z_Orbi.DAT")] = DataFileWith({"作図", "編集"}, {draw, {{"C:\\old\\b.bat"}}});
    for (const char* path : {"C:\\keep\\K.BAT", "D:\\new\\A.BAT", "D:\\new\\sub\\B.BAT",
                             "D:\\new\\1\\dup.bat", "D:\\new\\2\\DUP.BAT"})
      files.files[path] = "@REM x";
    others.insert("D:\\empty");
    dialogs.folder = ChosenFile{"D:\\new", true, "new"};
    forms.relinkForm = &relinkForm;
    window.whileShown = [this] { take ? relinkForm.OKClick() : relinkForm.CancelClick(); };
  }
  std::set<std::string>& others = files.others;
  std::vector<std::string> Paths() const {
    std::vector<std::string> paths;
    for (const auto& tab : form.Cat.TabList)
      for (const auto& item : tab->Items) paths.push_back(item->BatPath + "|" + item->Summary);
    return paths;
  }
};

TEST(Relink, OkTakesTheWholeListAndNothingElseChangesTheCatalogue) {
  const std::vector<std::string> before = {"C:\\old\\A.BAT|As", "C:\\keep\\K.BAT|Ks",
                                           "C:\\old\\DUP.BAT|Ds", "C:\\old\\b.bat|Sum"};
  const std::vector<std::string> relinked = {"D:\\new\\A.BAT|As", "C:\\keep\\K.BAT|Ks",
                                             "C:\\old\\DUP.BAT|Ds", "D:\\new\\sub\\B.BAT|Sum"};
  const struct {
    const char* what;
    std::function<void(RelinkRig&)> arrange;
    const char* message;  // the part that tells it apart; "" for none
    std::size_t foldersAsked;
    bool listed;
    bool changes;
  } cases[] = {
      {"OK", [](RelinkRig&) {}, "", 1, true, true},
      {"キャンセル", [](RelinkRig& r) { r.take = false; }, "", 1, true, false},
      {"no folder chosen", [](RelinkRig& r) { r.dialogs.folder.reset(); }, "", 1, false, false},
      {"check cancelled", [](RelinkRig& r) { r.progress.cancelAt = 1; }, "", 0, false, false},
      {"search cancelled", [](RelinkRig& r) { r.progress.cancelAt = 2; }, "", 1, false, false},
      {"folder unreadable", [](RelinkRig& r) { r.files.unlistable.insert("D:\\new"); },
       "フォルダーを読み込めません", 1, false, false},
      {"folder name without Shift-JIS",
       [](RelinkRig& r) {
         r.dialogs.folder = ChosenFile{"", false, "D:\\?"};
       },
       "Shift-JIS", 1, false, false},
      {"nothing found", [](RelinkRig& r) { r.dialogs.folder->Path = "D:\\empty"; },
       "見つからない: 3 件", 1, false, false},
      {"nothing missing",
       [](RelinkRig& r) {
         for (const char* path : {"C:\\old\\A.BAT", "C:\\old\\DUP.BAT", "C:\\old\\b.bat"})
           r.files.files[path] = "@REM x";
       },
       "リンク切れの項目はありません", 0, false, false},
  };
  for (const auto& c : cases) {
    RelinkRig rig;
    c.arrange(rig);
    ASSERT_TRUE(rig.Create());
    rig.messages.shown.clear();
    rig.form.Relink1Click();
    const std::string shown = rig.messages.Texts().empty() ? "" : rig.messages.Texts().back();
    EXPECT_NE(shown.find(c.message), std::string::npos) << c.what << ": " << shown;
    EXPECT_EQ(shown.empty(), *c.message == '\0') << c.what << ": " << shown;
    EXPECT_EQ(rig.dialogs.folderTitles.size(), c.foldersAsked) << c.what;
    EXPECT_EQ(rig.window.shown, c.listed ? 1 : 0) << c.what;
    EXPECT_EQ(rig.Paths(), c.changes ? relinked : before) << c.what;
    EXPECT_EQ(rig.form.Cat.PickedBatPath, c.changes ? "D:\\new\\A.BAT" : "C:\\old\\A.BAT")
        << c.what;
    EXPECT_EQ(rig.grid.Cell(0, 1).starts_with(MissingFileMark), !c.changes && c.foldersAsked)
        << c.what;
    if (c.listed) {
      EXPECT_EQ(rig.list.rows.size(), 0u) << "the list's texts are let go";
      EXPECT_NE(rig.counts.caption.find("再リンク: 2 件　複数見つかった: 1 件"), std::string::npos);
    }
  }
}

TEST(FileCheckWorker, AnswersEveryPathInOrderAwayFromTheCaller) {
  auto files = std::make_unique<FakeFiles>();
  std::vector<std::string> paths;
  for (int i = 0; i < 1300; ++i) {
    paths.push_back("C:\\F" + std::to_string(i));
    if (i % 3 == 0) files->files[paths.back()] = "";
  }
  std::mutex mutex;
  std::condition_variable woken;
  int wakes = 0;
  FileCheckWorker worker(std::move(files), [&] {
    const std::lock_guard<std::mutex> lock(mutex);
    ++wakes;
    woken.notify_all();
  });
  worker.Start({paths.begin(), paths.begin() + 700});
  worker.Start({paths.begin() + 700, paths.end()});
  std::vector<std::string> answered;
  std::vector<bool> exist;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  for (int seen = 0; answered.size() < paths.size();) {
    std::unique_lock<std::mutex> lock(mutex);
    ASSERT_TRUE(woken.wait_until(lock, deadline, [&] { return wakes > seen; })) << answered.size();
    seen = wakes;
    lock.unlock();
    for (const CheckedFiles& part : worker.TakeAnswers()) {
      EXPECT_LE(part.Paths.size(), FileCheckWorker::kPartSize);
      answered.insert(answered.end(), part.Paths.begin(), part.Paths.end());
      exist.insert(exist.end(), part.Exist.begin(), part.Exist.end());
    }
  }
  EXPECT_EQ(answered, paths);
  for (std::size_t i = 0; i < exist.size(); ++i) EXPECT_EQ(exist[i], i % 3 == 0) << i;
}

}  // namespace
}  // namespace zorbi::test
