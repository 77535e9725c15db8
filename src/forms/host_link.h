// Finding the console window that started the program, and returning to it
// at the end.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/host_windows.h"
#include "platform/services.h"

namespace zorbi {

inline constexpr std::string_view CommandInterpreterName = "cmd.exe";
// The console of a program run in a pseudo console (Windows Terminal): a
// hidden window that reports the console's root process as its owner, owned
// by the terminal's own window.
inline constexpr std::string_view PseudoConsoleClass = "PseudoConsoleWindow";
inline constexpr std::string_view NoTargetMessage = "ターゲットの認識に失敗しました。";
inline constexpr std::string_view AmbiguousTargetMessage =
    "ターゲットの認識に失敗しました、JW_WINに戻らない可能性があります。";

struct TargetEntry {
  std::string ExeName;
  WindowId Window = 0;
};

// The executable of process `pid` in `processes`: the last entry with that id
// wins; empty when there is none.
std::string ExeNameOfProcess(std::uint32_t pid, const std::vector<ProcessEntry>& processes);

// File names compare as Windows compares them: ASCII letters without regard
// to case, the second byte of a double-byte character as it is.
bool SameFileName(std::string_view a, std::string_view b);

class HostLink {
 public:
  HostLink(HostWindows& host, MessageBoxes& messages) : host_(host), messages_(messages) {}

  // The visible console windows other than our own, front-most first; the
  // user is told when there is none, or more than one.
  void FindTargetWindows();
  // Brings the front-most one forward when `jwCheck` is on and it lives.
  void ForegroundSwitch(bool jwCheck);

  std::string OwnExeName;
  std::vector<TargetEntry> TargetList;
  WindowId TargetWindow = 0;

 private:
  HostWindows& host_;
  MessageBoxes& messages_;
};

}  // namespace zorbi
