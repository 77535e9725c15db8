#include "forms/host_link.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes.h"

using namespace zorbi;
using namespace zorbi::test;

namespace {

// 10 is ourselves; 20, 30 and 50 are consoles; 9 is a hidden window of one.
struct LinkRig {
  FakeHostWindows host;
  FakeMessages messages;
  HostLink link{host, messages};
  explicit LinkRig(std::vector<std::pair<WindowId, std::uint32_t>> windows) {
    host.windows = std::move(windows);
    host.hidden = {9};
    host.processes = {{{10, "Z_Orbi.exe"},
                       {20, "cmd.exe"},
                       {30, "cmd.exe"},
                       {40, "Jw_win.exe"},
                       {50, "CMD.EXE"}}};
    link.OwnExeName = "Z_Orbi.exe";
  }
};

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
    LinkRig rig(row.windows);
    if (!row.processList) rig.host.processes.reset();
    rig.link.OwnExeName = row.ownExe;
    rig.link.FindTargetWindows();
    std::vector<WindowId> found;
    for (const TargetEntry& e : rig.link.TargetList) found.push_back(e.Window);
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
    LinkRig rig({{3, 20}, {4, 30}});
    rig.link.FindTargetWindows();
    if (row.closed) rig.host.closed.insert(3);
    rig.link.ForegroundSwitch(row.jwCheck);
    EXPECT_EQ(rig.host.raised, row.raised);
    EXPECT_TRUE(rig.link.TargetList.empty());
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
    LinkRig rig(row.windows);
    rig.host.hidden = {6, 8, 9};
    rig.host.classes = {{6, "PseudoConsoleWindow"}, {8, "PseudoConsoleWindow"}, {9, "IME"}};
    rig.host.owners = {{6, 7}};
    rig.link.FindTargetWindows();
    rig.link.ForegroundSwitch(true);
    EXPECT_EQ(rig.host.raised, row.raised) << row.windows.back().first;
    EXPECT_EQ(rig.messages.shown.empty(), !row.raised.empty()) << row.windows.back().first;
  }
}
