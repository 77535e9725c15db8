#include "forms/host_link.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes.h"

using namespace zorbi;
using namespace zorbi::test;

namespace {

// 10 is ourselves; 20, 30 and 50 are consoles; 9 is a hidden window of one.
void Arrange(FormRig& rig, std::vector<std::pair<WindowId, std::uint32_t>> windows) {
  rig.host.windows = std::move(windows);
  rig.host.hidden = {9};
  rig.host.processes = {
      {{10, "Z_Orbi.exe"}, {20, "cmd.exe"}, {30, "cmd.exe"}, {40, "Jw_win.exe"}, {50, "CMD.EXE"}}};
  rig.form.Link().OwnExeName = "Z_Orbi.exe";
}

}  // namespace

TEST(HostLink, SearchKeepsVisibleCommandWindowsInSystemOrder) {
  const struct {
    std::vector<std::pair<WindowId, std::uint32_t>> windows;
    const char* ownExe;
    bool processList;
    std::vector<WindowId> targets;
    const char* message;  // "": none
  } rows[] = {
      {{{1, 10}, {2, 40}}, "Z_Orbi.exe", true, {}, "ターゲットの認識に失敗しました。"},
      {{{1, 10}, {9, 20}, {2, 40}, {3, 20}}, "Z_Orbi.exe", true, {3}, ""},
      {{{5, 50}, {1, 10}, {3, 20}}, "Z_Orbi.exe", true, {5, 3}, "JW_WINに戻らない"},
      {{{3, 20}, {4, 30}}, "CMD.exe", true, {}, "認識に失敗しました。"},
      {{{3, 20}}, "Z_Orbi.exe", false, {}, "認識に失敗しました。"},
  };
  for (const auto& row : rows) {
    FormRig rig;
    Arrange(rig, row.windows);
    if (!row.processList) rig.host.processes.reset();
    rig.form.Link().OwnExeName = row.ownExe;
    rig.form.Link().FindTargetWindows();
    std::vector<WindowId> found;
    for (const TargetEntry& e : rig.form.Link().TargetList) found.push_back(e.Window);
    EXPECT_EQ(found, row.targets) << row.ownExe << " " << row.targets.size();
    const std::string shown = rig.messages.shown.empty() ? "" : rig.messages.shown[0].first;
    EXPECT_THAT(shown, ::testing::HasSubstr(row.message));
    EXPECT_EQ(shown.empty(), *row.message == '\0');
  }
}

TEST(HostLink, SwitchRaisesTheFrontMostTargetOnlyWhileItLivesAndJWCheckIsOn) {
  const struct {
    bool jwCheck, closed;
    std::vector<WindowId> raised;
  } rows[] = {{true, false, {3}}, {false, false, {}}, {true, true, {}}};
  for (const auto& row : rows) {
    FormRig rig;
    Arrange(rig, {{3, 20}, {4, 30}});
    rig.form.Link().FindTargetWindows();
    rig.form.Settings().JWCheck = row.jwCheck;
    if (row.closed) rig.host.closed.insert(3);
    rig.form.FormDestroy();
    EXPECT_EQ(rig.host.raised, row.raised);
    EXPECT_TRUE(rig.form.Link().TargetList.empty());
  }
}

TEST(HostLink, CaseFoldingSkipsTheSecondByteOfACharacter) {
  EXPECT_FALSE(SameFileName("\x83\x41.exe", "\x83\x61.exe"));  // two different katakana
}

// Windows Terminal: the console is a hidden PseudoConsoleWindow of cmd.exe,
// owned by the terminal's window, which is what comes forward.
TEST(HostLink, AHiddenPseudoConsoleCountsAndItsRootOwnerComesForward) {
  const struct {
    std::vector<std::pair<WindowId, std::uint32_t>> windows;
    std::vector<WindowId> raised;  // empty: no target (and the message)
  } rows[] = {
      {{{1, 10}, {3, 20}}, {3}},           // a visible console
      {{{1, 10}, {6, 20}, {7, 60}}, {7}},  // a pseudo console in a terminal
      {{{1, 10}, {8, 30}}, {8}},           // a pseudo console without an owner
      {{{1, 10}, {9, 20}}, {}},            // only a hidden IME window
  };
  for (const auto& row : rows) {
    FormRig rig;
    Arrange(rig, row.windows);
    rig.host.hidden = {6, 8, 9};
    rig.host.classes = {{6, "PseudoConsoleWindow"}, {8, "PseudoConsoleWindow"}, {9, "IME"}};
    rig.host.owners = {{6, 7}};
    rig.form.Settings().JWCheck = true;
    rig.form.Link().FindTargetWindows();
    rig.form.FormDestroy();
    EXPECT_EQ(rig.host.raised, row.raised) << row.windows.back().first;
    EXPECT_EQ(rig.messages.shown.empty(), !row.raised.empty()) << row.windows.back().first;
  }
}
