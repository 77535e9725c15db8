#include "win32_host_windows.h"

#include <tlhelp32.h>

#include "cp932.h"

namespace zorbi::win32 {

namespace {

using WalkFunction = BOOL(WINAPI*)(HANDLE, PROCESSENTRY32W*);

HWND ToHandle(WindowId window) {
  return reinterpret_cast<HWND>(window);
}

// A kernel32 function looked up by name, or nullptr when there is none.
template <typename Function>
Function Kernel32Function(const char* name) {
  HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
  if (kernel32 == nullptr) return nullptr;
  // Through the generic function pointer type, which any function type casts to.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(kernel32, name)));
}

}  // namespace

Win32HostWindows::Win32HostWindows()
    : create_snapshot_(Kernel32Function<SnapshotFunction>("CreateToolhelp32Snapshot")) {}

std::vector<WindowId> Win32HostWindows::TopLevelWindows() {
  std::vector<WindowId> windows;
  EnumWindows(
      [](HWND window, LPARAM list) -> BOOL {
        reinterpret_cast<std::vector<WindowId>*>(list)->push_back(
            reinterpret_cast<WindowId>(window));
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::uint32_t Win32HostWindows::WindowProcessId(WindowId window) {
  DWORD pid = 0;
  GetWindowThreadProcessId(ToHandle(window), &pid);
  return pid;
}

std::optional<std::vector<ProcessEntry>> Win32HostWindows::ProcessList() {
  if (create_snapshot_ == nullptr) return std::nullopt;
  const HANDLE snapshot = create_snapshot_(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return std::nullopt;
  // Looked up at first use; without them the walk delivers nothing.
  static const auto first = Kernel32Function<WalkFunction>("Process32FirstW");
  static const auto next = Kernel32Function<WalkFunction>("Process32NextW");
  std::vector<ProcessEntry> processes;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  if (first != nullptr && next != nullptr) {
    for (BOOL more = first(snapshot, &entry); more; more = next(snapshot, &entry)) {
      entry.szExeFile[MAX_PATH - 1] = L'\0';
      // A name without a Shift-JIS form is no name we look for.
      processes.push_back({entry.th32ProcessID, Narrow(entry.szExeFile).value_or(std::string())});
    }
  }
  CloseHandle(snapshot);
  return processes;
}

bool Win32HostWindows::IsWindow(WindowId window) {
  return ::IsWindow(ToHandle(window)) != FALSE;
}

bool Win32HostWindows::IsWindowVisible(WindowId window) {
  return ::IsWindowVisible(ToHandle(window)) != FALSE;
}

std::string Win32HostWindows::WindowClass(WindowId window) {
  wchar_t name[256] = {};
  const int length = GetClassNameW(ToHandle(window), name, 256);
  if (length <= 0) return {};
  return Narrow(std::wstring(name, static_cast<std::size_t>(length))).value_or(std::string());
}

WindowId Win32HostWindows::RootOwner(WindowId window) {
  const HWND root = GetAncestor(ToHandle(window), GA_ROOTOWNER);
  return root != nullptr ? reinterpret_cast<WindowId>(root) : window;
}

void Win32HostWindows::SetForegroundWindow(WindowId window) {
  ::SetForegroundWindow(ToHandle(window));
}

}  // namespace zorbi::win32
