// floor_window: the floor for the launcher's start-up. A window program of the
// launcher's size that does what any program with its controls must: load the
// common controls (version 6, through the same manifest), make a tab strip, an
// edit box and a button, and show. bench/startup times Z_Orbi.exe against it.
#include <windows.h>

#include <commctrl.h>

namespace {

constexpr wchar_t kClassName[] = L"ZorbiFloorWindow";
constexpr wchar_t kCaption[] = L"Floor Window";

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

HWND Child(HWND parent, const wchar_t* window_class, const wchar_t* text, DWORD style, int x, int y,
           int width, int height) {
  return CreateWindowExW(0, window_class, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height,
                         parent, nullptr, GetModuleHandleW(nullptr), nullptr);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
  InitCommonControlsEx(&controls);

  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = kClassName;
  if (RegisterClassExW(&window_class) == 0) return 1;

  HWND window = CreateWindowExW(0, kClassName, kCaption, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, 545, 357, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 1;
  HWND tabs = Child(window, WC_TABCONTROLW, L"", WS_CLIPSIBLINGS, 4, 4, 360, 280);
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = const_cast<wchar_t*>(L"Tab1");
  SendMessageW(tabs, TCM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  Child(window, L"EDIT", L"", WS_BORDER | ES_MULTILINE, 372, 4, 150, 280);
  Child(window, L"BUTTON", L"OK", BS_PUSHBUTTON, 440, 292, 80, 24);
  ShowWindow(window, show);
  UpdateWindow(window);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
