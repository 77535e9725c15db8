// The host window link: the search at start-up and the switch at the end.
#include "forms/host_link.h"

#include "text/sjis.h"

namespace zorbi {

std::string ExeNameOfProcess(std::uint32_t pid, const std::vector<ProcessEntry>& processes) {
  std::string name;
  for (const ProcessEntry& entry : processes)
    if (entry.ProcessId == pid) name = entry.ExeFile.substr(0, entry.ExeFile.find('\0'));
  return name;
}

bool SameFileName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  for (std::size_t i = 0; i < a.size();) {
    const std::size_t len = SjisCharLen(a, i);
    if (len != SjisCharLen(b, i)) return false;
    if (len == 2 ? a.substr(i, 2) != b.substr(i, 2) : lower(a[i]) != lower(b[i])) return false;
    i += len;
  }
  return true;
}

void HostLink::FindTargetWindows() {
  // One process snapshot serves every window: a snapshot per window would
  // cost windows times processes on a busy desktop and find the same names.
  const std::vector<WindowId> windows = host_.TopLevelWindows();
  const std::vector<ProcessEntry> processes =
      host_.ProcessList().value_or(std::vector<ProcessEntry>{});
  for (const WindowId window : windows) {
    // Hidden helper windows (each GUI thread has an IME window) would turn
    // every console into an ambiguous target; one never brings them forward.
    // A pseudo console is hidden too, but it is the console of the host.
    if (!host_.IsWindowVisible(window) && host_.WindowClass(window) != PseudoConsoleClass) continue;
    const std::string name = ExeNameOfProcess(host_.WindowProcessId(window), processes);
    if (SameFileName(name, OwnExeName)) continue;
    if (SameFileName(name, CommandInterpreterName)) TargetList.push_back({name, window});
  }
  if (TargetList.empty())
    messages_.ShowMessage(std::string(NoTargetMessage), MessageKind::Plain);
  else if (TargetList.size() > 1)
    messages_.ShowMessage(std::string(AmbiguousTargetMessage), MessageKind::Plain);
}

void HostLink::ForegroundSwitch(bool jwCheck) {
  if (!TargetList.empty()) TargetWindow = TargetList.front().Window;
  TargetList.clear();
  if (!jwCheck || TargetWindow == 0 || !host_.IsWindow(TargetWindow)) return;
  // A hidden pseudo console cannot come forward: the terminal that shows it can.
  host_.SetForegroundWindow(host_.WindowClass(TargetWindow) == PseudoConsoleClass
                                ? host_.RootOwner(TargetWindow)
                                : TargetWindow);
}

}  // namespace zorbi
