#include "main_window.h"

#include "application.h"
#include "cp932.h"

namespace zorbi::win32 {

namespace {
constexpr wchar_t kClassName[] = L"TForm1";
}

MainWindow::~MainWindow() {
  if (handle_ != nullptr) DestroyWindow(handle_);
}

bool MainWindow::Create() {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.style = CS_DBLCLKS;
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = application_.Instance();
  window_class.hIcon = application_.LargeIcon();
  window_class.hIconSm = application_.SmallIcon();
  window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = kClassName;
  if (RegisterClassExW(&window_class) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    return false;
  }

  // Only the system menu and the close box; the border still resizes.
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN;
  const RECT& bounds = kInitialBounds;
  handle_ = CreateWindowExW(0, kClassName, Widen(kCaption).c_str(), style, bounds.left, bounds.top,
                            bounds.right - bounds.left, bounds.bottom - bounds.top,
                            application_.Handle(), nullptr, application_.Instance(), this);
  if (handle_ != nullptr) application_.SetMainWindow(handle_);
  return handle_ != nullptr;
}

LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
    auto* self = static_cast<MainWindow*>(create->lpCreateParams);
    self->handle_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, wparam, lparam);
  return self->HandleMessage(message, wparam, lparam);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lparam);
      info->ptMinTrackSize.x = kMinimumSize.cx;
      info->ptMinTrackSize.y = kMinimumSize.cy;
      return 0;
    }
    case WM_NCDESTROY: {
      SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
      const LRESULT result = DefWindowProcW(handle_, message, wparam, lparam);
      handle_ = nullptr;
      application_.SetMainWindow(nullptr);
      // The program ends with its main window.
      PostQuitMessage(0);
      return result;
    }
    default:
      return DefWindowProcW(handle_, message, wparam, lparam);
  }
}

}  // namespace zorbi::win32
