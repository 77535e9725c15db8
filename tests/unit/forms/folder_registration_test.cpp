#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes.h"
#include "form_test_util.h"

using ::testing::HasSubstr;
using namespace zorbi;
using namespace zorbi::test;

// Tab "T" holds C:\f\old.bat; the folder C:\F holds it again in capitals, two
// BAT files out of name order, an empty and an unreadable one, a text file
// and a subfolder.
TEST(FolderRegistration, RegistersTheFoldersBatFilesAsTheUserAnswers) {
  const ChosenFile f{"C:\\F", true, "C:\\F"}, g{"C:\\G", true, "C:\\G"},
      x{"C:\\x.bat", true, "x.bat"};
  const std::string a = "C:\\F\\A.BAT", b = "C:\\F\\b.bat";
  const struct {
    std::optional<ChosenFile> chosen;
    std::vector<ChosenFile> dropped;  // instead of the command
    Answer answer;
    int cancelAt;
    std::vector<std::string> added;
    std::vector<std::string> reportHas;  // empty: nothing reported
  } rows[] = {
      {f,
       {},
       Answer::Yes,
       0,
       {a, b, "C:\\F\\sub\\c.bat"},
       {"3 件", "済みの 1 件", "\nC:\\F\\bad",
        "表せない文字があるため、登録しませんでした。\r\nC:\\F\\caf\3770000E9.bat"}},
      {f, {}, Answer::No, 0, {a, b}, {"2 件", "済みの 1 件", "\nC:\\F\\empty.bat  (空"}},
      {f, {}, Answer::Cancel, 0, {}, {}},
      {f, {}, Answer::Yes, 4, {}, {}},  // キャンセル while reading
      {ChosenFile{"", false, "C:\\caf?"}, {}, Answer::Yes, 0, {}, {"Shift-JIS", "C:\\caf?"}},
      // Dropped files first, then the folders in turn.
      {std::nullopt, {g, x, f}, Answer::No, 0, {"C:\\x.bat", "C:\\G\\g.bat", a, b}, {"3 件"}},
  };
  for (const auto& row : rows) {
    FormRig rig;
    auto& files = rig.files.files;
    files[FormRig::InDir("Z_Orbi.DAT")] = DataFileWith({"T"}, {{{"C:\\f\\old.bat", "old", 2}}});
    for (const char* name : {"f\\old.bat", "F\\b.bat", "F\\A.BAT", "F\\OLD.BAT", "F\\note.txt",
                             "F\\bad.bat", "F\\sub\\c.bat", "G\\g.bat", "x.bat"})
      files[std::string("C:\\") + name] = std::string("@REM ") + (name + 2);
    files["C:\\F\\empty.bat"] = "";
    rig.files.unreadable.insert("C:\\F\\bad.bat");
    files["C:\\F\\caf\3770000E9.bat"] = "@REM caf";  // café.bat
    rig.files.unnamed.insert("C:\\F\\caf\3770000E9.bat");
    rig.files.others = {"C:\\F", "C:\\G"};
    ASSERT_TRUE(rig.Create());
    rig.messages.shown.clear();
    rig.dialogs.folder = row.chosen;
    rig.messages.answers = {row.answer};
    rig.progress.cancelAt = row.cancelAt;
    row.dropped.empty() ? rig.form.FolderRegister1Click()
                        : rig.form.StringGrid1DropFiles(row.dropped);

    std::vector<std::string> paths;
    const auto& items = rig.form.Cat().Data().TabList[0]->Items;
    for (const auto& item : items) paths.push_back(item->BatPath);
    std::vector<std::string> expected{"C:\\f\\old.bat"};
    expected.insert(expected.end(), row.added.begin(), row.added.end());
    const std::string what = row.added.empty() ? "" : row.added.back();
    EXPECT_EQ(paths, expected) << what;
    // The summary from the file's own "@REM" line.
    const TMenuItem& last = *items.back();
    EXPECT_TRUE(what.empty() ||
                (last.Memo == "\"" + last.Summary + "\"" && what.ends_with(last.Summary)))
        << what;
    const bool asked = row.chosen ? row.chosen->Representable : !row.dropped.empty();
    ASSERT_EQ(rig.messages.shown.size(), (asked ? 1u : 0u) + !row.reportHas.empty()) << what;
    if (asked) {
      const std::vector<std::string> folders = row.dropped.empty()
                                                   ? std::vector<std::string>{"C:\\F"}
                                                   : std::vector<std::string>{"C:\\G", "C:\\F"};
      EXPECT_EQ(rig.messages.lists.at(0), folders) << what;
    }
    for (const std::string& part : row.reportHas)
      EXPECT_THAT(rig.messages.WithList(rig.messages.shown.size() - 1), HasSubstr(part)) << what;
  }
}

// Dropped names that are no BAT files are each listed with their reason: a
// name with no Shift-JIS form (a folder café) is not taken for a file.
TEST(FolderRegistration, DroppedNamesThatCannotBeTakenAreListedWithTheirReason) {
  FormRig rig;
  ASSERT_TRUE(rig.Create());
  rig.form.StringGrid1DropFiles({{"C:\\note.txt", true, "C:\\note.txt"},
                                 {"", false, "C:\\caf\3770000E9"},
                                 {"", false, "C:\\caf\3770000E9.txt"}});
  ASSERT_EQ(rig.messages.shown.size(), 2u);
  EXPECT_THAT(rig.messages.WithList(0), HasSubstr("BAT ファイルではない"));
  EXPECT_THAT(rig.messages.WithList(0), ::testing::EndsWith("\r\nC:\\note.txt"));
  EXPECT_THAT(rig.messages.WithList(1),
              HasSubstr("表せない文字があるため、登録しませんでした。\r\nC:\\caf\3770000E9\r\n"));
}
