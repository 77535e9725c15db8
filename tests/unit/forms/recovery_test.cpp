#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <functional>

#include "fakes.h"
#include "form_test_util.h"

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;
using namespace zorbi;
using namespace zorbi::test;

namespace {

const std::string kDat = FormRig::InDir("Z_Orbi.DAT");
const std::string kPathTxt = FormRig::InDir("PATH.TXT");

// Two tabs; the second item of tab "B" is picked and carries an edited memo.
void Arrange(FormRig& rig) {
  rig.files.files[kDat] = DataFileWith(
      {"A", "B"},
      {{{"C:\\J\\1.BAT", "One"}}, {{"C:\\J\\2.BAT"}, {"C:\\J\\3.BAT", "Three", 2, "m"}}});
  rig.files.files[kPathTxt] = "P,\"Q R\"\r\n1,C:\\J\\1.BAT\r\n1 , C:\\J\\2.BAT\r\n";
  for (const char* bat : {"C:\\J\\1.BAT", "C:\\J\\2.BAT", "C:\\J\\3.BAT"})
    rig.files.files[bat] = std::string("@REM new ") + bat + "\r\n";
  ASSERT_TRUE(rig.Create());
  rig.messages.shown.clear();
}

}  // namespace

TEST(Recovery, PathTxtRebuildsFromTheFilesWithoutTheOldPick) {
  FormRig rig;
  Arrange(rig);
  rig.form.PATHTXT1Click();
  EXPECT_THAT(rig.messages.questions, ElementsAre("現在の設定を破棄して前回の内容に戻します。"));
  EXPECT_THAT(rig.tabs.tabs, ElementsAre("P", "Q R"));
  EXPECT_EQ(rig.tabs.index, 0);
  EXPECT_EQ(rig.grid.Item(1), nullptr);
  EXPECT_EQ(rig.form.Cat().PickedBatPath(), "");
  rig.ClickTab(1);
  EXPECT_EQ(rig.grid.Cell(2, 2), "new C:\\J\\2.BAT");
  EXPECT_THAT(rig.memo.lines, ElementsAre("new C:\\J\\1.BAT"));
}

TEST(Recovery, DataFileTwiceShowsTheSavedPickEachTimeWithMoreSurplusTabs) {
  FormRig rig;
  Arrange(rig);
  rig.ClickTab(0);
  for (std::size_t tabs : {4u, 6u}) {
    rig.form.RestoreFromDataFile();
    EXPECT_EQ(rig.form.Cat().Data().TabList.size(), tabs);
    EXPECT_THAT(rig.tabs.tabs, ElementsAre("A", "B"));
    EXPECT_EQ(rig.tabs.index, 1);
    EXPECT_EQ(rig.grid.Selection(), (GridRect{1, 2, 2, 2}));
    EXPECT_EQ(rig.form.Cat().PickedBatPath(), "C:\\J\\3.BAT");
    EXPECT_THAT(rig.memo.lines, ElementsAre("m"));
  }
  EXPECT_TRUE(rig.messages.shown.empty());
}

// A restore that is cancelled or stops keeps the catalogue, the grid and both
// files; closing then saves the catalogue exactly as it was loaded.
TEST(Recovery, ARestoreThatStopsChangesNothing) {
  const struct {
    std::function<void(FormRig&)> spoil;
    void (TForm1::*restore)();
    const char* text;  // "": no message
  } rows[] = {
      {[](FormRig& r) { r.messages.answer = false; }, &TForm1::PATHTXT1Click, ""},
      {[](FormRig& r) { r.messages.answer = false; }, &TForm1::RestoreFromDataFile, ""},
      {[](FormRig& r) { r.progress.cancelAt = 1; }, &TForm1::PATHTXT1Click, ""},
      {[](FormRig& r) { r.progress.cancelAt = 1; }, &TForm1::RestoreFromDataFile, ""},
      {[](FormRig& r) { r.files.files[kPathTxt] += "x,C:\\J\\3.BAT\r\n"; }, &TForm1::PATHTXT1Click,
       "4 行目: x,C:\\J\\3.BAT"},
      {[](FormRig& r) { r.files.unreadable.insert("C:\\J\\2.BAT"); }, &TForm1::PATHTXT1Click,
       "3 行目: 1 , C:\\J\\2.BAT"},
      {[](FormRig& r) { r.files.files.erase(kPathTxt); }, &TForm1::PATHTXT1Click, "PATH.TXT"},
      {[](FormRig& r) { r.files.files[kPathTxt].insert(0, "\xEF\xBB\xBF"); },
       &TForm1::PATHTXT1Click, "UTF-8"},
      {[](FormRig& r) { r.files.files[kDat] = "Z_Orbi.DataFile"; }, &TForm1::RestoreFromDataFile,
       "データファイルではありません"},
      {[](FormRig& r) { r.files.unreadable.insert(kDat); }, &TForm1::RestoreFromDataFile,
       "Z_Orbi.DAT"},
      {[](FormRig& r) { r.files.files.erase(kDat); }, &TForm1::RestoreFromDataFile, "Z_Orbi.DAT"},
  };
  for (const auto& row : rows) {
    FormRig rig;
    Arrange(rig);
    const std::string dat = rig.files.files[kDat];
    std::array<std::array<std::string, 3>, 4> texts;
    for (int r = 0; r < 4; ++r) texts[static_cast<std::size_t>(r)] = rig.grid.Texts(r);
    row.spoil(rig);
    const std::map<std::string, std::string> files = rig.files.files;
    (rig.form.*row.restore)();
    const std::string shown = rig.messages.shown.empty() ? "" : rig.messages.WithList(0);
    EXPECT_THAT(shown, HasSubstr(row.text));
    EXPECT_EQ(shown.empty(), *row.text == '\0') << row.text;
    EXPECT_EQ(rig.files.files, files) << row.text;
    for (int r = 0; r < 4; ++r) {
      EXPECT_EQ(rig.grid.Texts(r), texts[static_cast<std::size_t>(r)]) << row.text;
      EXPECT_EQ(rig.grid.Item(r), r == 0 ? nullptr : rig.form.Cat().Item(1, r - 1)) << row.text;
    }
    EXPECT_EQ(rig.form.Cat().PickedBatPath(), "C:\\J\\3.BAT");
    rig.files.unreadable.clear();
    rig.messages.answers = {Answer::Yes};  // a data file changed on disk is replaced when asked
    rig.form.Close();
    EXPECT_EQ(rig.files.files[kDat], dat) << row.text;
  }
}

// はい to the question restores every usable line at once; the question lists
// the first 20 lines left out and counts the rest.
TEST(Recovery, PathTxtWithUnusableLinesAsksAndRestoresTheRest) {
  FormRig rig;
  Arrange(rig);
  std::string text = "P,\"Q R\"\r\n1,C:\\J\\2.BAT\r\n";
  for (int k = 0; k < 22; ++k) text += "0,C:\\J\\GONE" + std::to_string(k) + ".BAT\r\n";
  rig.files.files[kPathTxt] = text + "7,C:\\J\\1.BAT\r\n0,C:\\J\\3.BAT\r\n";
  rig.messages.yes = true;
  rig.form.PATHTXT1Click();
  ASSERT_EQ(rig.messages.shown.size(), 1u);
  EXPECT_THAT(rig.messages.shown[0].first, HasSubstr("23 行"));
  const std::vector<std::string>& listed = rig.messages.lists.at(0);
  EXPECT_THAT(listed, Contains("3 行目: 0,C:\\J\\GONE0.BAT"));
  EXPECT_THAT(listed, Contains("22 行目: 0,C:\\J\\GONE19.BAT"));
  EXPECT_THAT(listed, Not(Contains(HasSubstr("GONE20"))));
  EXPECT_THAT(listed, Contains("... ほか 3 行"));
  EXPECT_EQ(rig.form.Cat().Item(0, 0)->BatPath, "C:\\J\\3.BAT");
  EXPECT_EQ(rig.form.Cat().Item(1, 0)->BatPath, "C:\\J\\2.BAT");
  EXPECT_EQ(rig.grid.Item(1), rig.form.Cat().Item(0, 0));
}
