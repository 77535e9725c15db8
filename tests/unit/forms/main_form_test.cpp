#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes.h"
#include "files/startup_preload.h"
#include "form_test_util.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using namespace zorbi;
using namespace zorbi::test;

namespace {

const std::string kDat = FormRig::InDir("Z_Orbi.DAT");
const std::string kPathTxt = FormRig::InDir("PATH.TXT");
const std::string kIni = FormRig::InDir("Z_Orbi.ini");

}  // namespace

TEST(StartUp, WithoutDataFileShowsOneEmptyTab1) {
  FormRig rig;
  rig.files.files[kPathTxt] = "Tab1\r\n";  // ignored without Z_Orbi.DAT
  ASSERT_TRUE(rig.Create());
  EXPECT_EQ(rig.window.caption, "Z_Orbi Ver" ZORBI_VERSION);
  EXPECT_EQ(rig.form.AppDir(), FormRig::Dir);
  EXPECT_EQ(rig.form.Link().OwnExeName, "Z_Orbi.exe");
  EXPECT_EQ(rig.form.Cat().BatFolder(), FormRig::Dir);
  EXPECT_THAT(rig.tabs.tabs, ElementsAre("Tab1"));
  EXPECT_EQ(rig.form.Cat().Data().TabList.size(), 1u);
  EXPECT_EQ(rig.grid.Cell(1, 0), "ファイル名");
  EXPECT_EQ(rig.grid.Cell(2, 0), "概要");
  EXPECT_EQ(rig.grid.Cell(1, 1), "");
  EXPECT_FALSE(rig.datRestore.enabled);
  EXPECT_FALSE(rig.pathRestore.enabled);
  EXPECT_THAT(rig.messages.shown, IsEmpty());
  EXPECT_TRUE(rig.form.SettingsLoaded());
  EXPECT_FALSE(rig.form.Handoff().Loaded());
}

TEST(StartUp, OpensTheExampleOnItsPickedTabWithTheMemoShown) {
  FormRig rig;
  rig.files.files[kDat] =
      DataFileWith({"Tab1", "作図"}, {{}, {{"C:\\JWW\\A.BAT", "Circle", 2, "\"Circle\""}}});
  ASSERT_EQ(rig.files.files[kDat].size(), 109u);
  rig.files.files["C:\\JWW\\A.BAT"] = "@REM Circle\r\n";
  ASSERT_TRUE(rig.Create());
  EXPECT_THAT(rig.tabs.tabs, ElementsAre("Tab1", "作図"));
  EXPECT_EQ(rig.tabs.index, 1);
  EXPECT_EQ(rig.form.Cat().CurrentTab(), 1);
  EXPECT_EQ(rig.grid.Cell(0, 1), "  1");
  EXPECT_EQ(rig.grid.Cell(1, 1), "  A.BAT");
  EXPECT_EQ(rig.grid.Cell(2, 1), "Circle");
  EXPECT_EQ(rig.grid.Selection(), (GridRect{1, 1, 2, 1}));
  EXPECT_EQ(rig.form.Cat().PickedBatPath(), "C:\\JWW\\A.BAT");
  EXPECT_THAT(rig.memo.lines, ElementsAre("Circle"));
  EXPECT_TRUE(rig.datRestore.enabled);
  EXPECT_FALSE(rig.pathRestore.enabled);
  EXPECT_THAT(rig.messages.shown, IsEmpty());
}

TEST(StartUp, BothRecoveryItemsNeedBothFiles) {
  FormRig rig;
  rig.files.files[kDat] = DataFileWith({"Tab1"}, {});
  rig.files.files[kPathTxt] = "Tab1\r\n";
  ASSERT_TRUE(rig.Create());
  EXPECT_TRUE(rig.datRestore.enabled);
  EXPECT_TRUE(rig.pathRestore.enabled);
}

TEST(StartUp, PickOnTheThirdTabOpensThere) {
  FormRig rig;
  auto third = NumberedItems(3, "C:\\T3\\");
  third[1].pick = 2;
  third[1].memo = "\"line one\",\"line two\"";
  rig.files.files[kDat] = DataFileWith({"A", "B", "C"}, {NumberedItems(2), {}, third});
  rig.files.files["C:\\T3\\F2.BAT"] = "";
  ASSERT_TRUE(rig.Create());
  EXPECT_EQ(rig.tabs.index, 2);
  EXPECT_EQ(rig.grid.Selection(), (GridRect{1, 2, 2, 2}));
  EXPECT_EQ(rig.form.Cat().PickedIndex(), 1);
  EXPECT_EQ(rig.form.Cat().PickedBatPath(), "C:\\T3\\F2.BAT");
  EXPECT_THAT(rig.memo.lines, ElementsAre("line one", "line two"));
  EXPECT_THAT(rig.messages.shown, IsEmpty());
}

TEST(StartUp, AnEmptyCurrentTabReportsNoInvalidItem) {
  FormRig rig;
  rig.files.files[kDat] = DataFileWith({"Tab1"}, {});
  ASSERT_TRUE(rig.Create());
  EXPECT_THAT(rig.messages.shown, IsEmpty());
  EXPECT_EQ(rig.form.Cat().PickedBatPath(), "");
}

TEST(StartUp, AMissingPickedFileIsReportedBeforeTheWindow) {
  FormRig rig;
  rig.files.files[kDat] = DataFileWith({"Tab1"}, {{{"C:\\gone.bat", "S", 2}}});
  ASSERT_TRUE(rig.Create());
  EXPECT_EQ(rig.messages.shown.size(), 1u);  // not once per step that selects it
  EXPECT_EQ(rig.form.Cat().PickedBatPath(), "C:\\gone.bat");
}

TEST(StartUp, RejectedOrUnreadableFileEndsTheProgramWritingNothing) {
  {
    FormRig rig;
    rig.files.files[kDat] = "not a data file";
    EXPECT_FALSE(rig.Create());
    EXPECT_THAT(rig.messages.Texts(), ElementsAre("データファイルではありません、終了します。"));
    EXPECT_FALSE(rig.form.SettingsLoaded());
    EXPECT_THAT(rig.files.writes, IsEmpty());
    EXPECT_EQ(rig.files.files[kDat], "not a data file");
  }
  {
    FormRig rig;
    rig.files.files[kDat] = DataFileWith({"Tab1"}, {});
    rig.files.unreadable.insert(kDat);
    EXPECT_FALSE(rig.Create());
    ASSERT_EQ(rig.messages.shown.size(), 1u);
    EXPECT_EQ(rig.messages.shown[0].second, MessageKind::Error);
    EXPECT_THAT(rig.files.writes, IsEmpty());
  }
}

TEST(CloseSequence, CloseBoxRewritesTheDataFileByteForByte) {
  FormRig rig;
  auto items = NumberedItems(3);
  items[2].pick = 2;
  // Names a UTF-16 tab control would change: NEC and IBM duplicates, a lone
  // lead byte at the end, a name longer than its 1023-character buffer.
  const std::string original =
      DataFileWith({"作図", "", "x y", "\xED\x40", "\x87\x90", "A\x81", std::string(1500, 'n')},
                   {items, {}, NumberedItems(1)});
  rig.files.files[kDat] = original;
  for (const auto& it : items) rig.files.files[it.path] = "";
  ASSERT_TRUE(rig.Create());
  rig.form.Close();
  EXPECT_EQ(rig.window.destroyed, 1);
  EXPECT_THAT(rig.files.writes, ElementsAre(kIni, kDat));
  EXPECT_EQ(rig.files.files[kDat], original);
  for (int row = 1; row < rig.grid.RowCount(); ++row) EXPECT_EQ(rig.grid.Item(row), nullptr);
}

// A data file held for a moment by another program (a virus scanner, a sync
// client) is waited for; one held throughout is reported after the wait,
// a read-only one at once. A data file that cannot be read is no other copy's change.
TEST(CloseSequence, AHeldDataFileIsWaitedForWithinABound) {
  const struct {
    int heldTimes;
    bool readOnly, unreadable;
    bool saved;
    bool waits;
  } rows[] = {{1, false, false, true, true},
              {1000, false, false, false, true},
              {0, true, false, false, false},
              {0, false, true, true, false}};
  for (const auto& row : rows) {
    FormRig rig;
    rig.files.files[kDat] = DataFileWith({"Mine"}, {});
    ASSERT_TRUE(rig.Create());
    rig.files.held[kDat] = row.heldTimes;
    if (row.readOnly) rig.files.readOnly.insert(kDat);
    if (row.unreadable) rig.files.unreadable.insert(kDat);
    rig.form.Close();
    EXPECT_EQ(rig.window.destroyed, row.saved ? 1 : 0) << row.heldTimes;
    EXPECT_EQ(rig.files.waited > 0, row.waits) << row.heldTimes;
    EXPECT_LE(rig.files.waited, HeldFileWaitMs);
    const std::string said = rig.messages.shown.empty() ? "" : rig.messages.shown[0].first;
    EXPECT_EQ(said.find("保存できませんでした") != std::string::npos, !row.saved) << said;
  }
}

TEST(CloseSequence, AFailedWriteKeepsTheWindowAndTheCatalogue) {
  FormRig rig;
  ASSERT_TRUE(rig.Create());
  rig.files.unwritable.insert(kDat);
  rig.form.Button4Click();
  EXPECT_EQ(rig.window.destroyed, 0);
  ASSERT_EQ(rig.messages.shown.size(), 1u);
  EXPECT_THAT(rig.messages.shown[0].first,
              ::testing::StartsWith("Z_Orbi.DAT を保存できませんでした。\r\ndisk full"));
  EXPECT_EQ(rig.messages.shown[0].second, MessageKind::Error);
  EXPECT_EQ(rig.form.Cat().Data().TabList.size(), 1u);

  rig.files.unwritable.clear();
  rig.form.Close();
  EXPECT_EQ(rig.window.destroyed, 1);
  EXPECT_EQ(rig.files.files[kDat], DataFileWith({"Tab1"}, {}));
  rig.form.Close();  // a second request after the end does nothing
  EXPECT_EQ(rig.window.destroyed, 1);
}

TEST(CloseSequence, EditModeBlocksOnlyOk) {
  FormRig rig;
  rig.files.files[kDat] = DataFileWith({"Tab1"}, {{{"C:\\A.BAT", "A", 2}}});
  rig.files.files["C:\\A.BAT"] = "";
  ASSERT_TRUE(rig.Create());
  rig.form.Edit1Click();
  rig.form.Button2Click();
  rig.form.StringGrid1DblClick(1);
  EXPECT_EQ(rig.window.destroyed, 0);
  EXPECT_THAT(rig.files.writes, IsEmpty());

  rig.form.Button4Click();
  EXPECT_EQ(rig.window.destroyed, 1);
  EXPECT_EQ(rig.form.ChainPath(), "");
}

TEST(CloseSequence, OkAndCloseBoxKeepThePick) {
  for (const bool viaOk : {true, false}) {
    FormRig rig;
    rig.files.files[kDat] = DataFileWith({"Tab1"}, {{{"C:\\A.BAT", "A", 2}}});
    rig.files.files["C:\\A.BAT"] = "";
    ASSERT_TRUE(rig.Create());
    if (viaOk)
      rig.form.Button2Click();
    else
      rig.form.Close();
    EXPECT_EQ(rig.window.destroyed, 1);
    EXPECT_EQ(rig.form.Cat().PickedBatPath(), "C:\\A.BAT");
  }
}

// A memo that can't be stored asks before the close; a second close request
// that arrives while the question is open (another OK, キャンセル or the
// close box) is dropped, so the question comes once and the window closes once.
TEST(CloseSequence, ACloseRequestDuringTheQuestionIsNotAskedAgain) {
  using Request = void (TForm1::*)();
  const Request requests[] = {&TForm1::Button2Click, &TForm1::Button4Click, &TForm1::Close};
  for (const Request outer : requests) {
    for (const Request inner : requests) {
      FormRig rig;
      rig.files.files[kDat] = DataFileWith({"Tab1"}, {{{"C:\\A.BAT", "A", 2}}});
      rig.files.files["C:\\A.BAT"] = "";
      ASSERT_TRUE(rig.Create());
      rig.form.n1Click();
      rig.memo.refuse = true;
      rig.messages.yes = true;
      rig.messages.whileAsking = [&] { (rig.form.*inner)(); };
      (rig.form.*outer)();
      EXPECT_EQ(rig.messages.shown.size(), 1u);
      EXPECT_EQ(rig.window.destroyed, 1);
    }
  }
}

TEST(PathTxt, WrittenByOkAndCancelOnlyAndBeforeTheCatalogue) {
  {
    FormRig rig;
    ASSERT_TRUE(rig.Create());
    rig.form.Close();  // the close box
    EXPECT_THAT(rig.files.writes, ElementsAre(kIni, kDat));
  }
  for (const bool ok : {true, false}) {
    FormRig rig;
    ASSERT_TRUE(rig.Create());
    ok ? rig.form.Button2Click() : rig.form.Button4Click();
    EXPECT_THAT(rig.files.writes, ElementsAre(kPathTxt, kIni, kDat));
    EXPECT_EQ(rig.files.files[kPathTxt], "Tab1\r\n");
  }
}

TEST(PathTxt, AFailedExportStopsTheCloseWithTheWindowOpen) {
  FormRig rig;
  ASSERT_TRUE(rig.Create());
  rig.files.unwritable.insert(kPathTxt);
  rig.form.Button4Click();
  EXPECT_EQ(rig.window.destroyed, 0);
  EXPECT_THAT(rig.files.writes, IsEmpty());
  ASSERT_EQ(rig.messages.shown.size(), 1u);
  EXPECT_THAT(rig.messages.shown[0].first, ::testing::StartsWith("PATH.TXT を保存"));
}

// Four items on two tabs, the second picked; its item count field is at 20.
std::string FourItems() {
  auto first = NumberedItems(3);
  first[1].pick = 2;
  return DataFileWith({"A", "B"}, {first, NumberedItems(1, "C:\\B\\")});
}

std::string WithItemCount(std::string file, std::int32_t count) {
  std::string field;
  WriteInt32(field, count);
  return file.replace(20, 4, field);
}

TEST(CountsThatDisagreeWithTheBytes, NegativeCountsAreRefusedSmallOnesKeepABackup) {
  for (const std::int32_t count : {-1, -2, INT32_MIN}) {
    FormRig rig;
    rig.files.files[kDat] = WithItemCount(FourItems(), count);
    EXPECT_FALSE(rig.Create()) << count;
    EXPECT_THAT(rig.messages.Texts(), ElementsAre("データファイルではありません、終了します。"));
    EXPECT_THAT(rig.files.writes, IsEmpty());
  }
  for (const std::int32_t count : {0, 3}) {
    const std::string damaged = WithItemCount(FourItems(), count);
    FormRig rig;
    rig.files.files[kDat] = damaged;
    ASSERT_TRUE(rig.Create()) << count;
    rig.form.Button4Click();
    EXPECT_EQ(rig.window.destroyed, 1);
    EXPECT_THAT(rig.files.writes,
                ElementsAre(kPathTxt, kIni, kDat + ".bak",
                            FormRig::InDir("backup\\Z_Orbi-20270115-080000.DAT"), kDat));
    EXPECT_EQ(rig.files.files[kDat + ".bak"], damaged);

    // The file written has no bytes left over: no second backup.
    FormRig again;
    again.files.files[kDat] = rig.files.files[kDat];
    ASSERT_TRUE(again.Create());
    again.form.Close();
    EXPECT_THAT(again.files.writes, ElementsAre(kIni, kDat));
  }
}

TEST(StartUp, ADataFileReadBeforeTheWindowEndsAsTheReadInPlace) {
  const std::string good = DataFileWith({"A", "B"}, {NumberedItems(3), {{"C:\\X.BAT", "x", 2}}});
  const struct {
    const char* name;
    std::string bytes;
    bool unreadable;
  } cases[] = {
      {"good", good, false},
      {"unreadable", good, true},
      {"not a data file", "not a data file", false},
      {"negative count", WithItemCount(FourItems(), -1), false},
      {"count too small", WithItemCount(FourItems(), 3), false},
  };
  // Each case read on the worker thread, then where it is taken, as small files are.
  for (std::size_t k = 0; k < 2 * std::size(cases); ++k) {
    const auto& c = cases[k % std::size(cases)];
    const std::uint64_t workerFromBytes = k < std::size(cases) ? 0 : 1u << 20;
    FormRig inPlace, preloaded;
    for (FormRig* rig : {&inPlace, &preloaded}) {
      rig->files.files[kDat] = c.bytes;
      rig->files.files["C:\\X.BAT"] = "@REM x\r\n";
      if (c.unreadable) rig->files.unreadable.insert(kDat);
    }
    StartupPreload preload(std::make_unique<FakeFiles>(preloaded.files), kDat,
                           FormRig::InDir("jwc_temp.txt"), workerFromBytes);
    preloaded.form.UsePreload(&preload);
    const bool started = inPlace.Create();
    EXPECT_EQ(preloaded.Create(), started) << c.name;
    const auto seen = [](FormRig& r) {
      std::vector<std::string> cells;
      for (int row = 0; row < r.grid.RowCount(); ++row) cells.push_back(r.grid.Cell(2, row));
      return std::tuple(r.messages.shown, r.form.Cat().TabNames(), r.form.Cat().CurrentTab(),
                        r.form.Cat().PickedBatPath(), cells, r.datRestore.enabled);
    };
    EXPECT_EQ(seen(inPlace), seen(preloaded)) << c.name;
    if (!started) continue;
    inPlace.form.Button4Click();
    preloaded.form.Button4Click();
    EXPECT_EQ(inPlace.files.writes, preloaded.files.writes) << c.name;
    EXPECT_EQ(inPlace.files.files, preloaded.files.files) << c.name;
  }
}

TEST(FilesThatAreNotFiles, AFolderNamedLikeTheDataFileEndsTheProgram) {
  FormRig rig;
  rig.files.others.insert(kDat);
  EXPECT_FALSE(rig.Create());
  EXPECT_THAT(rig.messages.Texts(), ElementsAre("Z_Orbi.DAT を読み込めません、終了します。"));
  EXPECT_THAT(rig.files.writes, IsEmpty());
}

TEST(ACloseThatCannotSave, AReadOnlyFileIsNotReplacedAndTheUserMayCloseWithoutIt) {
  for (const bool yes : {false, true}) {
    FormRig rig;
    const std::string old = FourItems();
    rig.files.files[kDat] = old;
    rig.files.files["C:\\BAT\\F2.BAT"] = "";
    rig.files.readOnly.insert(kDat);
    ASSERT_TRUE(rig.Create());
    rig.messages.yes = yes;
    rig.form.Close();
    EXPECT_EQ(rig.window.destroyed, yes ? 1 : 0);
    ASSERT_EQ(rig.messages.shown.size(), 1u);
    EXPECT_THAT(rig.messages.shown[0].first, ::testing::HasSubstr("read-only"));
    EXPECT_EQ(rig.files.files[kDat], old);
  }
}

// Every step of every write on the OK path fails once in turn. Whatever
// failed, each file is its old self or complete, nothing is left beside it,
// the user is told, and OK again finishes the job.
TEST(ACloseThatCannotSave, EveryFailedStepKeepsOldOrNewFilesAndARetrySucceeds) {
  const std::string kBackupNote = FormRig::InDir("backup-failed.txt");
  const struct {
    const char* name;
    bool refuseNewFiles;
    bool trailingBytes;
  } cases[] = {
      {"writable folder", false, false},
      {"folder refusing new files", true, false},
      {"data file with bytes past its items", false, true},
  };
  for (const auto& c : cases) {
    std::map<std::string, std::string> old;
    old[kDat] = FourItems() + (c.trailingBytes ? "more" : "");
    old[kPathTxt] = "old";
    old[kIni] = "";  // a folder refusing new files takes it in place
    old[FormRig::InDir("jwc_temp.txt")] = "hq\r\n";
    for (const auto& it : NumberedItems(3)) old[it.path] = "";
    const auto run = [&](int failStep, bool yes, FormRig& rig) {
      rig.files.files = old;
      rig.files.folderRefusesNewFiles = c.refuseNewFiles;
      ASSERT_TRUE(rig.Create());
      rig.files.failStep = failStep;
      rig.messages.yes = yes;
      rig.form.Button2Click();
    };
    FormRig clean;
    run(0, false, clean);
    ASSERT_EQ(clean.window.destroyed, 1) << c.name;
    const std::map<std::string, std::string> done = clean.files.files;

    for (int k = 1; k <= clean.files.steps; ++k) {
      for (const bool yes : {false, true}) {
        SCOPED_TRACE(std::string(c.name) + ", step " + std::to_string(k) + (yes ? ", はい" : ""));
        FormRig rig;
        run(k, yes, rig);
        for (const auto& [path, bytes] : rig.files.files) {
          if (path == kBackupNote) continue;
          const bool asBefore = old.count(path) && old.at(path) == bytes;
          EXPECT_TRUE(asBefore || (done.count(path) && done.at(path) == bytes)) << path;
        }
        if (rig.files.files == done) {  // the folder took another way
          EXPECT_EQ(rig.window.destroyed, 1);
          continue;
        }
        // Neither the launch history nor a backup costs a question: the
        // history is written again next time, a failed backup leaves a note.
        const auto kept = [&](std::map<std::string, std::string> files) {
          files.erase(FormRig::InDir("Z_Orbi.use"));
          files.erase(kBackupNote);
          std::erase_if(files, [](const auto& file) {
            return file.first.rfind(FormRig::InDir("backup\\"), 0) == 0;
          });
          return files;
        };
        if (kept(rig.files.files) == kept(done)) {
          EXPECT_EQ(rig.window.destroyed, 1);
          EXPECT_TRUE(rig.messages.shown.empty());
          continue;
        }
        ASSERT_FALSE(rig.messages.shown.empty());
        EXPECT_THAT(rig.messages.shown[0].first, ::testing::HasSubstr("disk full"));
        if (yes) {
          EXPECT_EQ(rig.window.destroyed, 1);
          continue;
        }
        EXPECT_EQ(rig.window.destroyed, 0);
        rig.files.failStep = 0;
        rig.form.Button2Click();
        EXPECT_EQ(rig.window.destroyed, 1);
        EXPECT_EQ(rig.files.files, done);
      }
    }
  }
}

// Another copy of the program in the same folder saved the data file after
// this one read it: before anything is written the user chooses to replace
// it (はい), to close keeping it and PATH.TXT as they are (いいえ; the settings
// are still saved), or to stay (キャンセル, nothing written). An OK that
// stopped earlier, after PATH.TXT, as the settings could not be written,
// left this window's export there: いいえ makes it the kept file's again.
TEST(CloseSequence, ADataFileChangedSinceItWasReadIsAskedAboutBeforeAnyWrite) {
  const std::string other = DataFileWith({"Other", "二"}, {{{"C:\\O.BAT", "O"}}, {}});
  const std::string kPathTxt = FormRig::InDir("PATH.TXT");
  // The other copy's file is kept before it is replaced.
  const std::string kBackup = FormRig::InDir("backup\\Z_Orbi-20270115-080000.DAT");
  const struct {
    bool fileAtStart, changed, viaOk, stoppedBefore;
    Answer answer;
    std::vector<std::string> writes;
  } rows[] = {{true, false, true, false, Answer::Cancel, {kPathTxt, kIni, kDat}},
              {true, true, true, false, Answer::Cancel, {}},
              {true, true, true, false, Answer::No, {kIni}},
              {true, true, false, false, Answer::No, {kIni}},
              {true, true, true, false, Answer::Yes, {kPathTxt, kIni, kBackup, kDat}},
              {false, true, false, false, Answer::Cancel, {}},
              {true, true, true, true, Answer::No, {kPathTxt, kIni}},
              {true, true, false, true, Answer::No, {kPathTxt, kIni}},
              {true, true, true, true, Answer::Yes, {kPathTxt, kIni, kBackup, kDat}}};
  for (const auto& row : rows) {
    FormRig rig;
    if (row.fileAtStart) rig.files.files[kDat] = DataFileWith({"Mine"}, {});
    ASSERT_TRUE(rig.Create());
    if (row.stoppedBefore) {
      rig.files.unwritable.insert(kIni);
      rig.form.Button2Click();  // "close without saving it?" いいえ
      ASSERT_EQ(rig.window.destroyed, 0);
      ASSERT_EQ(rig.files.files[kPathTxt], "Mine\r\n");
      rig.files.unwritable.clear();
      rig.files.writes.clear();
      rig.messages.shown.clear();
    }
    if (row.changed) rig.files.files[kDat] = other;
    rig.messages.answers = {row.answer};
    row.viaOk ? rig.form.Button2Click() : rig.form.Close();
    EXPECT_EQ(rig.messages.shown.size(), row.changed ? 1u : 0u);
    EXPECT_EQ(rig.window.destroyed, row.writes.empty() ? 0 : 1);
    EXPECT_EQ(rig.files.writes, row.writes);
    if (row.answer == Answer::No) {
      EXPECT_EQ(rig.files.files[kPathTxt], row.stoppedBefore ? "Other,二\r\n0,C:\\O.BAT\r\n" : "");
    }
  }
}
