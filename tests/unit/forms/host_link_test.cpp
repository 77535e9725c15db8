#include "forms/host_link.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes.h"

using namespace zorbi;
using namespace zorbi::test;

namespace {

// Processes: 10 Z_Orbi.exe (ourselves), 20 and 30 cmd.exe, 40 JW_WIN, 50 CMD.EXE.
const std::vector<ProcessEntry> kProcesses{
    {10, "Z_Orbi.exe"}, {20, "cmd.exe"}, {30, "cmd.exe"}, {40, "Jw_win.exe"}, {50, "CMD.EXE"}};

}  // namespace

TEST(HostLink, SearchKeepsCommandWindowsInSystemOrder) {
  const struct {
    const char* name;
    std::vector<std::pair<WindowId, std::uint32_t>> windows;
    std::string ownExe = "Z_Orbi.exe";
    bool noProcessList = false;
    std::vector<WindowId> targets;
    const char* message;  // nullptr: none
  } rows[] = {
      {"host only",
       {{1, 10}, {2, 40}},
       "Z_Orbi.exe",
       false,
       {},
       "ターゲットの認識に失敗しました。"},
      {"one console, its hidden window skipped",
       {{1, 10}, {9, 20}, {2, 40}, {3, 20}},
       "Z_Orbi.exe",
       false,
       {3},
       nullptr},
      {"two consoles, any case",
       {{5, 50}, {1, 10}, {3, 20}},
       "Z_Orbi.exe",
       false,
       {5, 3},
       "JW_WINに戻らない"},
      {"own windows never", {{3, 20}, {4, 30}}, "CMD.exe", false, {}, "認識に失敗しました。"},
      {"no process list", {{3, 20}}, "Z_Orbi.exe", true, {}, "認識に失敗しました。"},
  };
  for (const auto& row : rows) {
    FormRig rig;
    rig.host.windows = row.windows;
    rig.host.hidden = {9};
    if (row.noProcessList)
      rig.host.processes.reset();
    else
      rig.host.processes = kProcesses;
    rig.form.OwnExeName = row.ownExe;
    rig.form.FindTargetWindows();
    std::vector<WindowId> found;
    for (const TargetEntry& e : rig.form.TargetList) found.push_back(e.Window);
    EXPECT_EQ(found, row.targets) << row.name;
    if (row.message) {
      ASSERT_EQ(rig.messages.shown.size(), 1u) << row.name;
      EXPECT_THAT(rig.messages.shown[0].first, ::testing::HasSubstr(row.message)) << row.name;
    } else {
      EXPECT_TRUE(rig.messages.shown.empty()) << row.name;
    }
  }
}

TEST(HostLink, SwitchRaisesTheFrontMostTargetOnlyWhileItLivesAndJWCheckIsOn) {
  const struct {
    const char* name;
    bool jwCheck;
    bool closed;
    std::vector<WindowId> raised;
  } rows[] = {
      {"on", true, false, {3}},
      {"switched off", false, false, {}},
      {"window gone", true, true, {}},
  };
  for (const auto& row : rows) {
    FormRig rig;
    rig.host.windows = {{3, 20}, {4, 30}};
    rig.host.processes = kProcesses;
    rig.form.OwnExeName = "Z_Orbi.exe";
    rig.form.FindTargetWindows();
    rig.form.JWCheck = row.jwCheck;
    if (row.closed) rig.host.closed.insert(3);
    rig.form.FormDestroy();
    EXPECT_EQ(rig.host.raised, row.raised) << row.name;
    EXPECT_TRUE(rig.form.TargetList.empty());
  }
}

TEST(HostLink, NamesCompareWithoutCaseButNeverInsideADoubleByteCharacter) {
  EXPECT_TRUE(SameFileName("Cmd.EXE", "cmd.exe"));
  // 0x83 0x41 and 0x83 0x61 are two different katakana.
  EXPECT_FALSE(SameFileName("\x83\x41.exe", "\x83\x61.exe"));
  EXPECT_EQ(ExeNameOfProcess(7, {{7, "old.exe"}, {8, "x"}, {7, std::string("new.exe\0z", 9)}}),
            "new.exe");
}
