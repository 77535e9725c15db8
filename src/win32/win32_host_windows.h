// Top-level windows and the process snapshot through user32 and kernel32.
#pragma once

#include <windows.h>

#include "platform/host_windows.h"

namespace zorbi::win32 {

class Win32HostWindows final : public HostWindows {
 public:
  // Looks up CreateToolhelp32Snapshot: a system without it gives no process list.
  Win32HostWindows();

  std::vector<WindowId> TopLevelWindows() override;
  std::uint32_t WindowProcessId(WindowId window) override;
  std::optional<std::vector<ProcessEntry>> ProcessList() override;
  bool IsWindow(WindowId window) override;
  bool IsWindowVisible(WindowId window) override;
  std::string WindowClass(WindowId window) override;
  WindowId RootOwner(WindowId window) override;
  void SetForegroundWindow(WindowId window) override;

 private:
  using SnapshotFunction = HANDLE(WINAPI*)(DWORD, DWORD);
  SnapshotFunction create_snapshot_ = nullptr;
};

}  // namespace zorbi::win32
