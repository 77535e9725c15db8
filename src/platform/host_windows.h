// Top-level windows and running processes: what the search for the host's
// console window and the return to it need of the system.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zorbi {

using WindowId = std::uintptr_t;  // 0 stands for no window

struct ProcessEntry {
  std::uint32_t ProcessId = 0;
  std::string ExeFile;  // file name without folder, CP932
};

struct HostWindows {
  // Every top-level window, front-most first.
  virtual std::vector<WindowId> TopLevelWindows() = 0;
  virtual std::uint32_t WindowProcessId(WindowId window) = 0;
  // The running processes, or nullopt when no snapshot could be taken.
  virtual std::optional<std::vector<ProcessEntry>> ProcessList() = 0;
  virtual bool IsWindow(WindowId window) = 0;
  virtual bool IsWindowVisible(WindowId window) = 0;
  // The window's class name (CP932; empty when it has none we can spell).
  virtual std::string WindowClass(WindowId window) = 0;
  // The end of the window's owner chain; the window itself when unowned.
  virtual WindowId RootOwner(WindowId window) = 0;
  virtual void SetForegroundWindow(WindowId window) = 0;
  virtual ~HostWindows() = default;
};

}  // namespace zorbi
