#include "win32_processes.h"

#include <windows.h>

#include "cp932.h"

namespace zorbi::win32 {

bool ProcessService::Start(const std::string& commandLine) {
  // CreateProcessW may write into the command line: it needs its own buffer.
  std::wstring line = Widen(commandLine);
  line.push_back(L'\0');
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  // No handles inherited; our folder and environment; never waited for.
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr,
                      nullptr, &startup, &process))
    return false;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

std::optional<std::string> ProcessService::EnvironmentVariable(const std::string& name) {
  const std::wstring wide_name = Widen(name);
  std::wstring value(256, L'\0');
  for (;;) {
    SetLastError(ERROR_SUCCESS);
    const DWORD got =
        GetEnvironmentVariableW(wide_name.c_str(), value.data(), static_cast<DWORD>(value.size()));
    if (got == 0) {
      if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
      return std::string();
    }
    if (got < value.size()) {
      value.resize(got);
      // A value without a Shift-JIS form names no folder we could open.
      return Narrow(value);
    }
    value.resize(got);  // the size needed, with its terminator
  }
}

}  // namespace zorbi::win32
