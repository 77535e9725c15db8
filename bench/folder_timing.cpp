// Registering a folder of BAT files on disk, under Wine, in process: writes
// N files (default 1,000) to a fresh folder in %TEMP%, then times reading them
// for registration onto a tab of 1,000 items R times (default 7) through the
// program's own file system. Prints the first and the median run in ms.
//
//   folder_timing.exe [N [R]]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "catalogue/registration.h"
#include "cp932.h"
#include "files/folder_registration.h"
#include "win32_file_system.h"

int wmain(int argc, wchar_t** argv) {
  const int files = argc > 1 ? _wtoi(argv[1]) : 1000;
  const int runs = argc > 2 ? _wtoi(argv[2]) : 7;
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder =
      std::wstring(temp) + L"zorbi-folder-" + std::to_wstring(GetCurrentProcessId());
  if (!CreateDirectoryW(folder.c_str(), nullptr)) return 1;
  for (int i = 0; i < files; ++i) {
    const std::wstring path = folder + L"\\変形" + std::to_wstring(100000 + i) + L".bat";
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    const std::string bytes = "@REM 選択した図形を処理する " + std::to_string(i) +
                              "\r\nREM #jww\r\nREM #cd\r\nREM #e\r\necho x\r\n";
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
  }

  zorbi::Win32FileSystem fs;
  const std::string root = *zorbi::Narrow(folder);
  std::vector<std::string> onTab;
  for (int i = 0; i < 1000; ++i) onTab.push_back("C:\\JWW\\外部変形\\T" + std::to_string(i));
  std::vector<double> ms;
  std::size_t registered = 0;
  for (int r = 0; r < runs; ++r) {
    LARGE_INTEGER start, end, frequency;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    zorbi::TMList tab;
    zorbi::FolderRead read = zorbi::ReadFolderBats(fs, {root}, true, onTab);
    for (zorbi::FolderBat& bat : read.Bats)
      zorbi::AppendBatItem(tab, 0, std::move(bat.Path), std::move(bat.Summary));
    QueryPerformanceCounter(&end);
    ms.push_back(static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 /
                 static_cast<double>(frequency.QuadPart));
    registered = static_cast<std::size_t>(tab.Count());
  }
  const double first = ms.front();
  std::sort(ms.begin(), ms.end());
  std::printf("%d files, %zu registered: first %.1f ms, median of %d %.1f ms\n", files, registered,
              first, runs, ms[ms.size() / 2]);

  for (int i = 0; i < files; ++i)
    DeleteFileW((folder + L"\\変形" + std::to_wstring(100000 + i) + L".bat").c_str());
  RemoveDirectoryW(folder.c_str());
  return registered == static_cast<std::size_t>(files) ? 0 : 1;
}
