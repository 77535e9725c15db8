// zorbi_probe: looks at and drives the windows of another program running in
// the same Wine prefix, for the black-box tests.
//
//   zorbi_probe <command> [args...]
//
// Captions and button texts are given in UTF-8 on the Linux side; Wine hands
// them to wmain as UTF-16, and windows are matched by their exact UTF-16 text.
// "@NAME" in place of a caption matches windows of the class NAME instead, for
// a window without a caption; "#HEX" matches the window of that handle (as
// `windows` prints it).
// Output is UTF-8. Exit status: 0 done, 1 condition not met, 2 bad usage.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <commctrl.h>
#include <oleacc.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

namespace {

using Args = std::vector<std::wstring>;

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), size, out.data(), length, nullptr, nullptr);
  return out;
}

void PrintLine(const std::string& line) {
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
}

void Fail(const std::string& message) {
  std::fprintf(stderr, "zorbi_probe: %s\n", message.c_str());
}

// A control's text. WM_GETTEXT reaches controls of other processes (which
// GetWindowText does not); the time limit keeps a busy program from hanging us.
std::wstring WindowText(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length)) {
    return {};
  }
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXT, static_cast<WPARAM>(text.size()),
                           reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, 2000,
                           &copied)) {
    return {};
  }
  text.resize(static_cast<size_t>(copied));
  return text;
}

// A top-level window's caption, read without sending it a message: a program
// that is closing no longer answers them.
std::wstring Caption(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

std::wstring ClassName(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

// Visible top-level windows with exactly this caption, in Z order.
std::vector<HWND> TopLevelWindows(const std::wstring* caption) {
  struct Search {
    const std::wstring* caption;
    std::vector<HWND> found;
  } search{caption, {}};
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(param);
        if (!IsWindowVisible(window)) return TRUE;
        if (s.caption != nullptr && !s.caption->empty() && (*s.caption)[0] == L'@') {
          if (ClassName(window) != s.caption->substr(1)) return TRUE;
        } else if (s.caption != nullptr && !s.caption->empty() && (*s.caption)[0] == L'#') {
          if (std::wcstoull(s.caption->c_str() + 1, nullptr, 16) !=
              reinterpret_cast<ULONG_PTR>(window))
            return TRUE;
        } else if (s.caption != nullptr && Caption(window) != *s.caption) {
          return TRUE;
        }
        s.found.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindTopLevel(const std::wstring& caption) {
  const std::vector<HWND> found = TopLevelWindows(&caption);
  return found.empty() ? nullptr : found.front();
}

HWND RequireTopLevel(const std::wstring& caption) {
  HWND window = FindTopLevel(caption);
  if (window == nullptr) Fail("no visible window \"" + Utf8(caption) + "\"");
  return window;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> children;
  EnumChildWindows(
      parent,
      [](HWND window, LPARAM param) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&children));
  return children;
}

// "&OK" and "OK" both name the button shown as OK.
std::wstring WithoutMnemonic(const std::wstring& text) {
  // "変更(&C)" reads as "変更".
  if (const size_t at = text.find(L"(&");
      at != std::wstring::npos && at + 3 < text.size() && text[at + 3] == L')')
    return WithoutMnemonic(text.substr(0, at) + text.substr(at + 4));
  std::wstring out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'&' && i + 1 < text.size()) ++i;
    out += text[i];
  }
  return out;
}

bool ParseMilliseconds(const std::wstring& text, DWORD& value) {
  wchar_t* end = nullptr;
  const unsigned long parsed = std::wcstoul(text.c_str(), &end, 10);
  if (text.empty() || end == nullptr || *end != L'\0') return false;
  value = static_cast<DWORD>(parsed);
  return true;
}

// Polls `done` every 20 ms until it holds or `timeout_ms` has passed.
template <typename Condition>
bool WaitFor(DWORD timeout_ms, Condition done) {
  const ULONGLONG deadline = GetTickCount64() + timeout_ms;
  for (;;) {
    if (done()) return true;
    if (GetTickCount64() >= deadline) return false;
    Sleep(20);
  }
}

// A dialog (a message box or the program's message with a list) with this
// caption, else any window with it: the application window shares the
// message boxes' caption.
HWND FindDialog(const std::wstring& caption) {
  for (HWND window : TopLevelWindows(&caption))
    if (ClassName(window) == L"#32770" || ClassName(window) == L"TListMessageForm") return window;
  return nullptr;
}

int WaitDialog(const Args& args) {
  DWORD timeout = 0;
  if (!ParseMilliseconds(args[1], timeout)) return 2;
  if (WaitFor(timeout, [&] { return FindDialog(args[0]) != nullptr; })) return 0;
  Fail("no dialog \"" + Utf8(args[0]) + "\" appeared");
  return 1;
}

// The window's rectangle, or its client area's, on the screen.
void PrintScreenRect(HWND window, bool client = false) {
  RECT r{};
  GetWindowRect(window, &r);
  if (client) {
    GetClientRect(window, &r);
    MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&r), 2);
  }
  char line[128];
  std::snprintf(line, sizeof line, "%ld %ld %ld %ld", r.left, r.top, r.right - r.left,
                r.bottom - r.top);
  PrintLine(line);
}

// The screen rectangle of the first child of a window class, or of a button
// shown with a text.
int PrintChildRect(const std::wstring& caption, const wchar_t* cls, const std::wstring* text,
                   bool client = false) {
  HWND window = RequireTopLevel(caption);
  if (window == nullptr) return 1;
  for (HWND child : Children(window)) {
    if (_wcsicmp(ClassName(child).c_str(), cls) != 0) continue;
    if (text != nullptr && WithoutMnemonic(WindowText(child)) != *text) continue;
    PrintScreenRect(child, client);
    return 0;
  }
  Fail("no " + Utf8(text ? *text : std::wstring(cls)) + " in \"" + Utf8(caption) + "\"");
  return 1;
}

int ChildRect(const Args& args) {
  return PrintChildRect(args[0], args[1].c_str(), nullptr);
}

int ClientRect(const Args& args) {
  return PrintChildRect(args[0], args[1].c_str(), nullptr, true);
}

int ButtonRect(const Args& args) {
  return PrintChildRect(args[0], L"Button", &args[1]);
}

int WaitWindow(const Args& args) {
  DWORD timeout = 0;
  if (!ParseMilliseconds(args[1], timeout)) return 2;
  if (WaitFor(timeout, [&] { return FindTopLevel(args[0]) != nullptr; })) return 0;
  Fail("window \"" + Utf8(args[0]) + "\" did not appear");
  return 1;
}

int WaitGone(const Args& args) {
  DWORD timeout = 0;
  if (!ParseMilliseconds(args[1], timeout)) return 2;
  if (WaitFor(timeout, [&] { return FindTopLevel(args[0]) == nullptr; })) return 0;
  Fail("window \"" + Utf8(args[0]) + "\" is still there");
  return 1;
}

// The window's thread has handled what came before: a message sent to it
// returns only from its message loop, twice so that a paint waiting behind
// the first (a paint comes when nothing else is queued) is done by the second.
int WaitIdle(const Args& args) {
  DWORD timeout = 0;
  if (!ParseMilliseconds(args[1], timeout)) return 2;
  HWND window = RequireTopLevel(args[0]);
  if (window == nullptr) return 1;
  const ULONGLONG deadline = GetTickCount64() + timeout;
  for (int round = 0; round < 2; ++round) {
    const ULONGLONG now = GetTickCount64();
    DWORD_PTR result = 0;
    if (now >= deadline || !SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL,
                                                static_cast<UINT>(deadline - now), &result)) {
      Fail("window \"" + Utf8(args[0]) + "\" does not answer");
      return 1;
    }
  }
  return 0;
}

int Rect(const Args& args) {
  HWND window = RequireTopLevel(args[0]);
  if (window == nullptr) return 1;
  PrintScreenRect(window);
  return 0;
}

// The frame's style bits by name, for checking which title bar boxes exist.
int Style(const Args& args) {
  HWND window = RequireTopLevel(args[0]);
  if (window == nullptr) return 1;
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  const struct {
    LONG_PTR bit;
    const char* name;
  } kBits[] = {{WS_CAPTION, "caption"},         {WS_SYSMENU, "sysmenu"},
               {WS_THICKFRAME, "thickframe"},   {WS_MINIMIZEBOX, "minimizebox"},
               {WS_MAXIMIZEBOX, "maximizebox"}, {WS_POPUP, "popup"},
               {WS_DISABLED, "disabled"}};
  std::string line;
  for (const auto& bit : kBits) {
    if ((style & bit.bit) != bit.bit) continue;
    if (!line.empty()) line += ' ';
    line += bit.name;
  }
  PrintLine(line);
  return 0;
}

int Text(const Args& args) {
  HWND window = RequireTopLevel(args[0]);
  if (window == nullptr) return 1;
  for (HWND child : Children(window)) PrintLine(Utf8(WindowText(child)));
  return 0;
}

int Controls(const Args& args) {
  HWND window = RequireTopLevel(args[0]);
  if (window == nullptr) return 1;
  for (HWND child : Children(window)) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&r), 2);
    char geometry[128];
    std::snprintf(geometry, sizeof geometry, "\t%ld %ld %ld %ld\t%s\t%s", r.left, r.top,
                  r.right - r.left, r.bottom - r.top, IsWindowVisible(child) ? "visible" : "hidden",
                  IsWindowEnabled(child) ? "enabled" : "disabled");
    PrintLine(Utf8(ClassName(child)) + geometry + "\t" + Utf8(WindowText(child)));
  }
  return 0;
}

// The message of a message box or another dialog: its non-empty static texts
// and read-only edit boxes (a list under the message).
int DialogText(const Args& args) {
  HWND window = FindDialog(args[0]);
  if (window == nullptr) window = RequireTopLevel(args[0]);
  if (window == nullptr) return 1;
  for (HWND child : Children(window)) {
    const bool list = _wcsicmp(ClassName(child).c_str(), L"Edit") == 0 &&
                      (GetWindowLongPtrW(child, GWL_STYLE) & ES_READONLY) != 0;
    if (_wcsicmp(ClassName(child).c_str(), L"Static") != 0 && !list) continue;
    const std::wstring text = WindowText(child);
    if (!text.empty()) PrintLine(Utf8(text));
  }
  return 0;
}

int Press(const Args& args) {
  HWND window = FindDialog(args[0]);
  if (window == nullptr) window = RequireTopLevel(args[0]);
  if (window == nullptr) return 1;
  for (HWND child : Children(window)) {
    if (_wcsicmp(ClassName(child).c_str(), L"Button") != 0) continue;
    const std::wstring text = WindowText(child);
    if (text == args[1] || WithoutMnemonic(text) == args[1]) {
      PostMessageW(child, BM_CLICK, 0, 0);
      return 0;
    }
  }
  Fail("no button \"" + Utf8(args[1]) + "\" in \"" + Utf8(args[0]) + "\"");
  return 1;
}

// The first tab strip's selected index and tab count.
int Tab(const Args& args) {
  HWND window = RequireTopLevel(args[0]);
  if (window == nullptr) return 1;
  for (HWND child : Children(window)) {
    if (_wcsicmp(ClassName(child).c_str(), L"SysTabControl32") != 0) continue;
    DWORD_PTR index = 0, count = 0;
    SendMessageTimeoutW(child, TCM_GETCURSEL, 0, 0, SMTO_ABORTIFHUNG, 2000, &index);
    SendMessageTimeoutW(child, TCM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, 2000, &count);
    PrintLine(std::to_string(static_cast<long long>(static_cast<LONG_PTR>(index))) + " " +
              std::to_string(count));
    return 0;
  }
  Fail("no tab strip in \"" + Utf8(args[0]) + "\"");
  return 1;
}

// Puts text into the first one-line edit box, as pasting would (no input
// method needed for Japanese).
int SetText(const Args& args) {
  HWND window = RequireTopLevel(args[0]);
  if (window == nullptr) return 1;
  for (HWND child : Children(window)) {
    if (_wcsicmp(ClassName(child).c_str(), L"Edit") != 0 ||
        (GetWindowLongPtrW(child, GWL_STYLE) & ES_MULTILINE) != 0)
      continue;
    SendMessageTimeoutW(child, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(args[1].c_str()),
                        SMTO_ABORTIFHUNG, 5000, nullptr);
    return 0;
  }
  Fail("no one-line edit box in \"" + Utf8(args[0]) + "\"");
  return 1;
}

int Close(const Args& args) {
  HWND window = RequireTopLevel(args[0]);
  if (window == nullptr) return 1;
  PostMessageW(window, WM_CLOSE, 0, 0);
  return 0;
}

// Drops a file on the first child of a window class, as the shell does. An
// HDROP is memory of the receiving process: the DROPFILES block is written
// into it, where GlobalLock takes a plain pointer as it is.
int Drop(const Args& args) {
  HWND window = RequireTopLevel(args[0]);
  if (window == nullptr) return 1;
  HWND target = nullptr;
  for (HWND child : Children(window))
    if (target == nullptr && _wcsicmp(ClassName(child).c_str(), args[1].c_str()) == 0)
      target = child;
  if (target == nullptr) {
    Fail("no " + Utf8(args[1]) + " in \"" + Utf8(args[0]) + "\"");
    return 1;
  }
  // Several paths are given with "|" between them (no file name holds one);
  // each name ends with 0x00, and the list with an empty name.
  std::wstring names = args[2] + L'\0' + L'\0';
  for (wchar_t& c : names)
    if (c == L'|') c = L'\0';
  std::vector<char> block(sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
  auto* drop = reinterpret_cast<DROPFILES*>(block.data());
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  std::memcpy(block.data() + sizeof(DROPFILES), names.data(), names.size() * sizeof(wchar_t));
  DWORD pid = 0;
  GetWindowThreadProcessId(target, &pid);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid);
  void* there = process ? VirtualAllocEx(process, nullptr, block.size(), MEM_COMMIT | MEM_RESERVE,
                                         PAGE_READWRITE)
                        : nullptr;
  const bool written =
      there && WriteProcessMemory(process, there, block.data(), block.size(), nullptr);
  if (process) CloseHandle(process);
  if (!written) {
    Fail("cannot hand the file list to the program");
    return 1;
  }
  return PostMessageW(target, WM_DROPFILES, reinterpret_cast<WPARAM>(there), 0) ? 0 : 1;
}

// The text on the clipboard.
int Clipboard(const Args&) {
  if (!OpenClipboard(nullptr)) return 1;
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  const auto* text = data ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr;
  if (text != nullptr) {
    PrintLine(Utf8(text));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text != nullptr ? 0 : 1;
}

// The caption of the foreground window.
int Foreground(const Args&) {
  HWND window = GetForegroundWindow();
  if (window == nullptr) return 1;
  PrintLine(Utf8(Caption(window)));
  return 0;
}

// The control with the keyboard focus in the thread of a window: its class
// and, for a button, its text.
int Focus(const Args& args) {
  HWND window = RequireTopLevel(args[0]);
  if (window == nullptr) return 1;
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ||
      info.hwndFocus == nullptr) {
    Fail("no focus in \"" + Utf8(args[0]) + "\"");
    return 1;
  }
  std::wstring line = ClassName(info.hwndFocus);
  if (_wcsicmp(line.c_str(), L"Button") == 0)
    line += L" " + WithoutMnemonic(WindowText(info.hwndFocus));
  PrintLine(Utf8(line));
  return 0;
}

// Opens a plain top-level window and runs until it is closed: copied under
// another name, it stands in for another program's window.
int ShowWindow(const Args& args) {
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = [](HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(window, message, wparam, lparam);
  };
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.lpszClassName = L"ZorbiProbeWindow";
  RegisterClassW(&window_class);
  HWND window = CreateWindowExW(0, window_class.lpszClassName, args[0].c_str(),
                                WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 300, 120, nullptr,
                                nullptr, window_class.hInstance, nullptr);
  if (window == nullptr) return 1;
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}

int List(const Args&) {
  for (HWND window : TopLevelWindows(nullptr)) {
    PrintLine(Utf8(ClassName(window)) + "\t" + Utf8(Caption(window)));
  }
  return 0;
}

// Starts `exe` in its folder and prints the milliseconds from there to its
// visible window `caption`; then closes that window and waits for the program
// to end. The probe's own start, which would compete with the program's for
// the processors, is left out of the time.
int TimeStart(const Args& args) {
  DWORD timeout = 0;
  if (!ParseMilliseconds(args[1], timeout)) return 2;
  const std::wstring& exe = args[2];
  const std::wstring folder = exe.substr(0, exe.find_last_of(L"\\/") + 1);
  std::wstring command = L"\"" + exe + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  LARGE_INTEGER frequency{}, started{}, shown{};
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&started);
  if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
    Fail("cannot start " + Utf8(exe) + ": error " + std::to_string(GetLastError()));
    return 1;
  }
  CloseHandle(process.hThread);
  // Polled often: a 20 ms step would be a tenth of what is measured.
  const ULONGLONG deadline = GetTickCount64() + timeout;
  HWND window = nullptr;
  for (;;) {
    window = FindTopLevel(args[0]);
    if (window != nullptr) break;
    if (GetTickCount64() >= deadline) break;
    Sleep(1);
  }
  QueryPerformanceCounter(&shown);
  if (window == nullptr) {
    Fail("window \"" + Utf8(args[0]) + "\" did not appear");
    TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hProcess);
    return 1;
  }
  std::printf("%.1f\n", static_cast<double>(shown.QuadPart - started.QuadPart) * 1000.0 /
                            static_cast<double>(frequency.QuadPart));
  PostMessageW(window, WM_CLOSE, 0, 0);
  const bool ended = WaitForSingleObject(process.hProcess, timeout) == WAIT_OBJECT_0;
  CloseHandle(process.hProcess);
  if (!ended) Fail("the program did not end");
  return ended ? 0 : 1;
}

// Runs a command line exactly as given, in `folder`, and waits for it: a
// host that starts a BAT file quotes its name itself, which the arguments of
// `wine cmd /c` can't carry through Wine's own quoting.
int RunCommand(const Args& args) {
  std::wstring command = args[1];
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, args[0].c_str(),
                      &startup, &process)) {
    Fail("cannot run " + Utf8(command) + ": error " + std::to_string(GetLastError()));
    return 1;
  }
  CloseHandle(process.hThread);
  WaitForSingleObject(process.hProcess, INFINITE);
  CloseHandle(process.hProcess);
  return 0;
}

// Every visible top-level window: handle, process id, class, screen rect,
// enabled or not, its X window (0 when Wine keeps none), caption; tab-separated.
int Windows(const Args&) {
  for (HWND window : TopLevelWindows(nullptr)) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    RECT r{};
    GetWindowRect(window, &r);
    char head[160];
    std::snprintf(head, sizeof head, "%llx\t%lu\t",
                  static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(window)),
                  static_cast<unsigned long>(pid));
    const auto x = reinterpret_cast<ULONG_PTR>(GetPropW(window, L"__wine_x11_whole_window"));
    char rect[128];
    std::snprintf(rect, sizeof rect, "\t%ld %ld %ld %ld\t%s\t%llu\t", r.left, r.top,
                  r.right - r.left, r.bottom - r.top,
                  IsWindowEnabled(window) ? "enabled" : "disabled",
                  static_cast<unsigned long long>(x));
    PrintLine(head + Utf8(ClassName(window)) + rect + Utf8(Caption(window)));
  }
  return 0;
}

// The visible, enabled buttons of a window, one text a line.
int Buttons(const Args& args) {
  HWND window = RequireTopLevel(args[0]);
  if (window == nullptr) return 1;
  for (HWND child : Children(window)) {
    if (_wcsicmp(ClassName(child).c_str(), L"Button") != 0) continue;
    if (!IsWindowVisible(child) || !IsWindowEnabled(child)) continue;
    const LONG_PTR kind = GetWindowLongPtrW(child, GWL_STYLE) & BS_TYPEMASK;
    if (kind == BS_GROUPBOX) continue;
    PrintLine(Utf8(WindowText(child)));
  }
  return 0;
}

// The item grid as a screen reader in another process reads it over MSAA:
// the table's name, then a line a row, "name<TAB>s" for selected, "f" for
// focused. A row number other than 0 is run first, as a client's default
// action.
int Accessible(const Args& args) {
  HWND window = RequireTopLevel(args[0]);
  const long run = std::wcstol(args[1].c_str(), nullptr, 10);
  HWND grid = window != nullptr ? FindWindowExW(window, nullptr, L"TStringGrid", nullptr) : nullptr;
  if (grid == nullptr) return 1;
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  IAccessible* table = nullptr;
  if (FAILED(AccessibleObjectFromWindow(grid, OBJID_CLIENT, __uuidof(IAccessible),
                                        reinterpret_cast<void**>(&table)))) {
    Fail("no accessible object");
    return 1;
  }
  VARIANT child{};
  child.vt = VT_I4;
  auto text = [&](LONG id) {
    child.lVal = id;
    BSTR name = nullptr;
    std::wstring result;
    if (table->get_accName(child, &name) == S_OK) result = name;
    SysFreeString(name);
    return Utf8(result);
  };
  int status = 0;
  if (run != 0) {
    child.lVal = run;
    status = table->accDoDefaultAction(child) == S_OK ? 0 : 1;
  } else {
    PrintLine(text(CHILDID_SELF));
    LONG count = 0;
    table->get_accChildCount(&count);
    for (LONG row = 1; row <= count; ++row) {
      VARIANT state{};
      child.lVal = row;
      table->get_accState(child, &state);
      PrintLine(text(row) + "\t" + ((state.lVal & STATE_SYSTEM_SELECTED) ? "s" : "") +
                ((state.lVal & STATE_SYSTEM_FOCUSED) ? "f" : ""));
    }
  }
  table->Release();
  CoUninitialize();
  return status;
}

// The window's thread takes a message within the time: it is not stuck.
int Idle(const Args& args) {
  DWORD timeout = 0;
  if (!ParseMilliseconds(args[1], timeout)) return 2;
  HWND window = RequireTopLevel(args[0]);
  if (window == nullptr) return 1;
  DWORD_PTR result = 0;
  if (SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, timeout, &result)) return 0;
  Fail("window \"" + Utf8(args[0]) + "\" does not answer");
  return 1;
}

// Opens a file without sharing and keeps it open for a while, as a virus
// scanner or a sync client does with a file just written; returns at once.
int Hold(const Args& args) {
  DWORD ms = 0;
  if (!ParseMilliseconds(args[1], ms)) return 2;
  HANDLE file = CreateFileW(args[0].c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    Fail("cannot open " + Utf8(args[0]) + ": error " + std::to_string(GetLastError()));
    return 1;
  }
  struct Held {
    HANDLE file;
    DWORD ms;
  };
  auto* held = new Held{file, ms};
  HANDLE thread = CreateThread(
      nullptr, 0,
      [](void* param) -> DWORD {
        auto* h = static_cast<Held*>(param);
        Sleep(h->ms);
        CloseHandle(h->file);
        delete h;
        return 0;
      },
      held, 0, nullptr);
  if (thread == nullptr) {
    CloseHandle(file);
    delete held;
    return 1;
  }
  CloseHandle(thread);
  return 0;
}

int Serve(const Args&);

struct Command {
  const wchar_t* name;
  const char* usage;
  size_t arguments;
  int (*run)(const Args&);
};

const Command kCommands[] = {
    {L"wait-window", "wait-window <caption> <timeout_ms>", 2, WaitWindow},
    {L"wait-dialog", "wait-dialog <caption> <timeout_ms>", 2, WaitDialog},
    {L"child-rect", "child-rect <caption> <class>  screen: left top width height", 2, ChildRect},
    {L"client-rect", "client-rect <caption> <class>  its client area on the screen", 2, ClientRect},
    {L"button-rect", "button-rect <caption> <text>  screen: left top width height", 2, ButtonRect},
    {L"wait-gone", "wait-gone <caption> <timeout_ms>", 2, WaitGone},
    {L"wait-idle", "wait-idle <caption> <timeout_ms>  its thread has handled its messages", 2,
     WaitIdle},
    {L"rect", "rect <caption>            prints: left top width height", 1, Rect},
    {L"style", "style <caption>           prints frame style names", 1, Style},
    {L"text", "text <caption>            prints each child control's text", 1, Text},
    {L"controls", "controls <caption>        class, client rect, visibility, text", 1, Controls},
    {L"dialog-text", "dialog-text <caption>     prints a dialog's static texts", 1, DialogText},
    {L"press", "press <caption> <button text>", 2, Press},
    {L"tab", "tab <caption>             prints: selected index, tab count", 1, Tab},
    {L"close", "close <caption>           posts WM_CLOSE", 1, Close},
    {L"drop", "drop <caption> <class> <path>[|<path>...]  drops the files on that child", 3, Drop},
    {L"set-text", "set-text <caption> <text>  into the first one-line edit box", 2, SetText},
    {L"list", "list                      visible top-level windows: class, caption", 0, List},
    {L"clipboard", "clipboard                 prints the clipboard's text", 0, Clipboard},
    {L"focus", "focus <caption>           class of the focused control; a button's text", 1, Focus},
    {L"foreground", "foreground                prints the foreground window's caption", 0,
     Foreground},
    {L"show-window", "show-window <caption>     opens a window, runs until it closes", 1,
     ShowWindow},
    {L"time-start", "time-start <caption> <timeout_ms> <exe>  ms to the window; closes it", 3,
     TimeStart},
    {L"run", "run <folder> <command line>  runs it there as given, waits", 2, RunCommand},
    {L"windows", "windows                   handle, pid, class, rect, enabled, caption", 0,
     Windows},
    {L"buttons", "buttons <caption>         texts of the enabled buttons", 1, Buttons},
    {L"hold", "hold <path> <ms>          keeps the file open without sharing (serve only)", 2,
     Hold},
    {L"idle", "idle <caption> <timeout_ms>  the window's thread answers in time", 2, Idle},
    {L"accessible", "accessible <caption> <row>  the grid over MSAA; a row but 0 is run", 2,
     Accessible},
    {L"serve",
     "serve                     commands from stdin, one a line, tab-separated;\n"
     "                            each answer ends with a line \"\\x1e<status>\"",
     0, Serve},
};

int Usage() {
  std::fprintf(stderr, "usage: zorbi_probe <command> [args...]\n");
  for (const Command& command : kCommands) std::fprintf(stderr, "  %s\n", command.usage);
  return 2;
}

int RunLine(const Args& line) {
  for (const Command& command : kCommands) {
    if (line.empty() || line[0] != command.name || line.size() - 1 != command.arguments) continue;
    if (command.run == Serve) break;
    return command.run(Args(line.begin() + 1, line.end()));
  }
  return 2;
}

// One probe for many commands: a driver that asks often saves a Wine start
// each time.
int Serve(const Args&) {
  std::string bytes;
  int c = 0;
  while ((c = std::fgetc(stdin)) != EOF) {
    if (c != '\n') {
      bytes += static_cast<char>(c);
      continue;
    }
    if (!bytes.empty() && bytes.back() == '\r') bytes.pop_back();
    std::wstring wide(bytes.size(), L'\0');
    wide.resize(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, bytes.data(),
                                                        static_cast<int>(bytes.size()), wide.data(),
                                                        static_cast<int>(wide.size()))));
    bytes.clear();
    Args line;
    size_t from = 0;
    for (;;) {
      const size_t tab = wide.find(L'\t', from);
      line.push_back(wide.substr(from, tab == std::wstring::npos ? tab : tab - from));
      if (tab == std::wstring::npos) break;
      from = tab + 1;
    }
    const int status = RunLine(line);
    std::printf("\x1e%d\n", status);
    std::fflush(stdout);
    std::fflush(stderr);
  }
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  // Lines end in "\n" only: the output is read by bash.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stdin), _O_BINARY);
  if (argc < 2) return Usage();
  const Args args(argv + 2, argv + argc);
  for (const Command& command : kCommands) {
    if (std::wcscmp(argv[1], command.name) != 0) continue;
    if (args.size() != command.arguments) return Usage();
    const int status = command.run(args);
    std::fflush(stdout);
    return status == 2 ? Usage() : status;
  }
  return Usage();
}
