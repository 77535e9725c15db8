// start_loop: starts a program again and again and tells a hang from a slow
// start, for bench/hang-hunt.
//
//   start_loop <caption> <timeout_ms> <exe> <count> [<from> <to>]...
//
// Each round copies every <from> over its <to> (the files a start consumes;
// a <from> of "-" deletes <to>),
// starts <exe> in its folder, waits for its visible top-level window
// <caption>, posts WM_CLOSE to it and waits for the process to end. Prints one
// line per round: "<round> <ms to the window> <ms from the close to the end>".
// A round that passes the time limit prints
//   HANG <round> <window|end> <process id>
// and exits with status 3, leaving the program running so that it can be
// looked at. A program that can't be started or ends without its window
// prints "FAIL <round> <what>", and the loop goes on. Exit status: 0 every
// round done, 1 a file could not be copied, 2 bad usage.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

struct Search {
  DWORD process_id;
  const std::wstring* caption;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->process_id || !IsWindowVisible(window)) return TRUE;
  // GetWindowText reads the caption without sending a message, so a hung
  // window is still found.
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  if (*search->caption != text) return TRUE;
  search->found = window;
  return FALSE;
}

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
  LARGE_INTEGER frequency{};
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 /
         static_cast<double>(frequency.QuadPart);
}

int Hang(long round, const char* phase, DWORD process_id) {
  std::printf("HANG %ld %s %lu\n", round, phase, static_cast<unsigned long>(process_id));
  std::fflush(stdout);
  return 3;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  _setmode(_fileno(stdout), _O_BINARY);
  if (argc < 5 || (argc - 5) % 2 != 0) {
    std::fprintf(stderr,
                 "usage: start_loop <caption> <timeout_ms> <exe> <count> [<from> <to>]...\n");
    return 2;
  }
  const std::wstring caption = argv[1];
  const DWORD timeout = static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 10));
  const std::wstring exe = argv[3];
  const long count = std::wcstol(argv[4], nullptr, 10);
  const std::wstring folder = exe.substr(0, exe.find_last_of(L"\\/") + 1);
  for (long round = 1; round <= count; ++round) {
    for (int i = 5; i + 1 < argc; i += 2) {
      if (std::wcscmp(argv[i], L"-") == 0) {
        DeleteFileW(argv[i + 1]);
      } else if (!CopyFileW(argv[i], argv[i + 1], FALSE)) {
        std::fprintf(stderr, "start_loop: cannot copy a file: error %lu\n", GetLastError());
        return 1;
      }
    }
    std::wstring command = L"\"" + exe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    LARGE_INTEGER started{}, shown{}, ended{};
    QueryPerformanceCounter(&started);
    if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
      std::printf("FAIL %ld cannot start the program: error %lu\n", round, GetLastError());
      std::fflush(stdout);
      continue;
    }
    CloseHandle(process.hThread);
    Search search{process.dwProcessId, &caption, nullptr};
    const ULONGLONG deadline = GetTickCount64() + timeout;
    bool gone = false;
    while (EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search)), search.found == nullptr) {
      if (GetTickCount64() >= deadline) return Hang(round, "window", process.dwProcessId);
      if (WaitForSingleObject(process.hProcess, 5) == WAIT_OBJECT_0) {
        gone = true;
        break;
      }
    }
    if (gone) {
      DWORD status = 0;
      GetExitCodeProcess(process.hProcess, &status);
      CloseHandle(process.hProcess);
      std::printf("FAIL %ld the program ended without its window, status %lu\n", round, status);
      std::fflush(stdout);
      continue;
    }
    QueryPerformanceCounter(&shown);
    PostMessageW(search.found, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, timeout) != WAIT_OBJECT_0) {
      return Hang(round, "end", process.dwProcessId);
    }
    QueryPerformanceCounter(&ended);
    CloseHandle(process.hProcess);
    std::printf("%ld %.0f %.0f\n", round, Milliseconds(started, shown), Milliseconds(shown, ended));
    std::fflush(stdout);
  }
  return 0;
}
