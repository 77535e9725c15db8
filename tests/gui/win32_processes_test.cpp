#include "win32_processes.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace zorbi::win32 {
namespace {

TEST(ProcessService, EnvironmentVariableAsShiftJis) {
  const std::wstring longValue(300, L'x');  // longer than the first buffer
  const struct {
    const wchar_t* value;  // nullptr: unset
    std::optional<std::string> read;
  } cases[] = {
      {nullptr, std::nullopt},
      {L"", ""},
      {L"C:\\awk;\"D:\\my awk\"", "C:\\awk;\"D:\\my awk\""},
      {L"C:\\作図", "C:\\\x8D\xEC\x90\x7D"},
      {L"C:\\caf\u00E9", std::nullopt},  // no Shift-JIS form: no folder we could open
      {longValue.c_str(), std::string(300, 'x')},
  };
  ProcessService processes;
  for (const auto& c : cases) {
    SetEnvironmentVariableW(L"ZORBI_TEST_AWKPATH", c.value);
    EXPECT_EQ(processes.EnvironmentVariable("ZORBI_TEST_AWKPATH"), c.read);
  }
  SetEnvironmentVariableW(L"ZORBI_TEST_AWKPATH", nullptr);
}

TEST(ProcessService, AMissingProgramIsAFailedStart) {
  ProcessService processes;
  EXPECT_FALSE(processes.Start("\"C:\\no such folder\\editor.exe\" \"C:\\a.bat\""));
  EXPECT_FALSE(processes.Start(""));
}

}  // namespace
}  // namespace zorbi::win32
