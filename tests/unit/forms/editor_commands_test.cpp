#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes.h"
#include "form_test_util.h"
#include "forms/editor_settings_form.h"
#include "forms/script_choice_form.h"
#include "text/editor_launch.h"

using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using namespace zorbi;
using namespace zorbi::test;

namespace {

const std::string kBat = "C:\\BAT\\conv.bat";

struct EditorRig : FormRig {
  FakeListBox list;
  FakeDialogWindow choiceWindow;
  TForm5 form5{list, choiceWindow};

  explicit EditorRig(const std::string& batText = "", const std::string& ini = "") {
    files.files[InDir("Z_Orbi.DAT")] = DataFileWith({"T"}, {{{kBat}}});
    if (!ini.empty()) files.files[InDir("Z_Orbi.ini")] = ini;
    files.files[kBat] = batText;
    EXPECT_TRUE(Create());
    forms.form5 = &form5;
  }
  // What the user saw: the started command lines, or the one message.
  std::string Outcome() const {
    std::string out;
    for (const std::string& line : procs.started) out += "start " + line + "\n";
    for (const auto& [text, kind] : messages.shown)
      out += (kind == MessageKind::Error ? "error " : "info ") + text + "\n";
    return out;
  }
};

TEST(ScriptNames, AreTakenFromAwkWordsSortedAndListedOnce) {
  const struct {
    std::string bat;
    std::vector<std::string> names;
  } cases[] = {
      {"jgawk -f conv.awk %1\r\n", {"conv.awk"}},
      {"jgawk -fconv.awk %1", {"conv.awk"}},
      {"jgawk -f conv.awk\r\n", {}},  // no space after the name
      {"gawk -f A.AWK x", {"A.AWK"}},
      {"awk -Fconv.awk x", {"-Fconv.awk"}},
      {"\t awk  -f  a.awk  %1 \r\n", {"a.awk"}},
      {"awk -f a.awk\t%1\r\n", {}},  // a tab is not the space after the name
      {"x -f b.awk 1\r\nx -f B.awk 1\nx -f a.awk 1\rx -f b.awk 2\r\n", {"a.awk", "b.awk", "B.awk"}},
      // Cut at the longest name, not inside 表.
      {"x -f" + std::string(254, 'a') + "\x95\x5c.awk 1", {std::string(254, 'a')}},
  };
  for (const auto& c : cases) EXPECT_THAT(ScriptNames(c.bat), ElementsAreArray(c.names)) << c.bat;
}

TEST(EditorLaunch, CommandLines) {
  const struct {
    std::string editor;
    std::string bat, alone;
  } cases[] = {
      {"notepad.exe", R"("notepad.exe" "C:\BAT\conv.bat")", R"("notepad.exe")"},
      {R"(C:\Program Files\ed\ed.exe)", R"("C:\Program Files\ed\ed.exe" "C:\BAT\conv.bat")",
       R"("C:\Program Files\ed\ed.exe")"},
      {R"( "C:\Program Files\ed.exe"  -n )", R"("C:\Program Files\ed.exe" -n "C:\BAT\conv.bat")",
       R"("C:\Program Files\ed.exe" -n)"},
      {R"("Z:\ed dir\rec.exe" -f "a b")", R"("Z:\ed dir\rec.exe" -f "a b" "C:\BAT\conv.bat")",
       R"("Z:\ed dir\rec.exe" -f "a b")"},
      // No shorter path may start: these are refused.
      {R"(C:\my editor\ed.exe")", "", ""},
      {R"("C:\my editor\ed.exe)", "", ""},
      {R"("C:\my editor\ed.exe"x)", "", ""},
      {R"("" -n)", "", ""},
  };
  for (const auto& c : cases) {
    EditorRig rig("", "[File]\r\nEditor=" + c.editor + "\r\n");  // as the settings file holds it
    rig.form.BEdit1Click();
    rig.form.N8Click();
    const std::string refused = "info エディターの指定を解釈できないため、起動しません。";
    if (c.bat.empty())
      EXPECT_THAT(rig.Outcome(), ::testing::StartsWith(refused)) << c.editor;
    else
      EXPECT_EQ(rig.Outcome(), "start " + c.bat + "\nstart " + c.alone + "\n") << c.editor;
  }
}

TEST(EditorLaunch, Failures) {
  const struct {
    const char* bat;  // nullptr: the BAT file is missing
    bool startFails;
    std::string outcome;
  } cases[] = {
      {nullptr, false,
       "info 選択された項目の外部変形は無効です、削除してください。\n"
       "info 選択された項目の外部変形は無効です、削除してください。\n"},
      {"echo conv.awk\r\n", false,
       "start \"notepad.exe\" \"C:\\BAT\\conv.bat\"\ninfo AWK利用の外部変形ではありません\n"},
      {"awk -f conv.awk %1\r\n", true,
       "error プロセスの生成に失敗\nerror エディターの起動に失敗しました。\n"
       "error プロセスの生成に失敗\n"},
  };
  for (const auto& c : cases) {
    EditorRig rig(c.bat ? c.bat : "");
    if (!c.bat) rig.files.files.erase(kBat);
    rig.files.files["C:\\BAT\\conv.awk"] = "";
    rig.procs.fail = c.startFails;
    rig.form.BEdit1Click();
    rig.form.SEditClick();
    if (c.startFails) rig.form.N8Click();
    EXPECT_EQ(rig.Outcome(), c.outcome) << (c.bat ? c.bat : "no BAT file");
  }
}

TEST(EditorLaunch, ScriptSearch) {
  // How the choice dialog is left: its title bar, キャンセル, OK, OK on line 0 or 1.
  enum Choice { NoDialog, TitleBar, Cancel, OkNone, Line0, Line1 };
  const struct {
    const char* name;
    Choice choose;  // NoDialog: the BAT file names one script, else two
    std::vector<std::string> files;
    std::string awkPath, variable;  // AWKPath, and the AWKPATH variable
    std::string outcome;
  } cases[] = {
      // clang-format off
      {"beside the BAT", NoDialog, {"C:\\BAT\\a.awk", "D:\\awk\\a.awk"}, "D:\\awk", "",
       R"(start "notepad.exe" "C:\BAT\a.awk")"},
      {"in AWKPath", NoDialog, {"D:\\awk\\a.awk"}, "D:\\awk", "",
       R"(start "notepad.exe" "D:\awk\a.awk")"},
      {"drive root without AWKPath", NoDialog, {"\\a.awk"}, "", "",
       R"(start "notepad.exe" "\a.awk")"},
      {"one name: AWKPATH not searched", NoDialog, {"E:\\x\\a.awk"}, "D:\\awk", "E:\\x",
       "info a.awk が見付かりませんでした。"},
      {"chosen: AWKPATH second folder", Line1, {"E:\\two\\b.awk"}, "D:\\awk", "E:\\one;E:\\two",
       R"(start "notepad.exe" "E:\two\b.awk")"},
      {"chosen: AWKPATH folders with spaces", Line1, {"E:\\my awk\\b.awk"}, "D:\\awk",
       "E:\\one ; \"E:\\my awk\"", R"(start "notepad.exe" "E:\my awk\b.awk")"},
      {"chosen: AWKPATH over 255 bytes", Line1, {"E:\\two\\b.awk"}, "D:\\awk",
       "E:\\one;" + std::string(250, 'x') + ";E:\\two", "info b.awk が見付かりませんでした。"},
      {"chosen: not found", Line0, {}, "D:\\awk", "E:\\one", "info a.awk が見付かりませんでした。"},
      {"キャンセル", Cancel, {"C:\\BAT\\a.awk"}, "", "", ""},
      {"OK with no line selected", OkNone, {"C:\\BAT\\a.awk"}, "", "", ""},
      {"closed by its title bar", TitleBar, {"C:\\BAT\\a.awk"}, "", "", ""},
      // clang-format on
  };
  for (const auto& c : cases) {
    EditorRig rig(c.choose == NoDialog ? "awk -f a.awk %1\r\n"
                                       : "awk -f b.awk %1\r\nawk -f a.awk %1\r\n");
    for (const std::string& f : c.files) rig.files.files[f] = "";
    rig.form.Settings().AWKPath = c.awkPath;
    if (!c.variable.empty()) rig.procs.environment["AWKPATH"] = c.variable;
    rig.form5.ChosenScript = "a.awk";  // from an earlier command
    rig.choiceWindow.whileShown = [&] {
      EXPECT_THAT(rig.list.items, ElementsAreArray({"a.awk", "b.awk"}));
      if (c.choose == Cancel) rig.form5.Button1Click();
      if (c.choose < OkNone) return;
      rig.list.index = c.choose - Line0;
      rig.form5.Button2Click();
    };
    rig.form.SEditClick();
    EXPECT_EQ(rig.Outcome(), c.outcome.empty() ? "" : c.outcome + "\n") << c.name;
    EXPECT_EQ(rig.choiceWindow.shown, c.choose == NoDialog ? 0 : 1) << c.name;
  }
}

TEST(EditorLaunch, ScriptEditWithoutAnItemRepeatsTheLastBatFile) {
  EditorRig rig("awk -f conv.awk %1\r\n");
  rig.files.files["C:\\BAT\\conv.awk"] = "";
  rig.grid.selection = {1, 5, 2, 5};  // a row without an item
  rig.form.SEditClick();
  EXPECT_EQ(rig.Outcome(), "info 選択された項目の外部変形は無効です、削除してください。\n");
  rig.messages.shown.clear();
  rig.grid.selection = {1, 1, 2, 1};
  rig.form.BEdit1Click();
  rig.grid.selection = {1, 5, 2, 5};
  rig.form.SEditClick();
  EXPECT_EQ(rig.procs.started.back(), R"("notepad.exe" "C:\BAT\conv.awk")");
}

TEST(EditorSettings, OnlyTheBrowseButtonsChangeTheSettings) {
  std::string editor = "notepad.exe", awkPath = "D:\\awk";
  FakeEditBox edit1, edit2;
  FakeDialogs dialogs;
  FakeMessages messages;
  FakeDialogWindow window;
  TForm4 form4({edit1, edit2}, editor, awkPath, dialogs, messages, window);
  form4.FormCreate();
  EXPECT_EQ(edit1.text + "|" + edit2.text, "notepad.exe|D:\\awk");

  edit1.text = "typed.exe";  // cancelled: the box shows the setting again
  form4.Button2Click();
  EXPECT_EQ(edit1.text, "notepad.exe");
  dialogs.next = std::vector<ChosenFile>{{"C:\\Program Files\\ed\\ed.exe", true, ""}};
  form4.Button2Click();
  dialogs.next = std::vector<ChosenFile>{{"E:\\new.awk", true, ""}};
  form4.Button3Click();
  EXPECT_EQ(editor + "|" + edit1.text, "C:\\Program Files\\ed\\ed.exe|ed.exe");
  EXPECT_EQ(awkPath + "|" + edit2.text, "E:|E:");
  EXPECT_EQ(dialogs.opened[1].InitialDir, "");
  EXPECT_EQ(dialogs.opened[2].InitialDir, "D:\\awk");

  dialogs.next = std::vector<ChosenFile>{{"", false, "C:\\?\\ed.exe"}};
  form4.Button2Click();
  EXPECT_EQ(editor, "C:\\Program Files\\ed\\ed.exe");
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].second, MessageKind::Warning);
  form4.Button1Click();
  EXPECT_EQ(window.closed, 1);

  // A quoted program with options shows as program and options, and is browsed from its folder.
  editor = R"("C:\my ed\ed.exe" -x)";
  form4.FormCreate();
  EXPECT_EQ(edit1.text, "ed.exe -x");
  form4.Button2Click();
  EXPECT_EQ(dialogs.opened.back().InitialDir, "C:\\my ed\\");
}

}  // namespace
