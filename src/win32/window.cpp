#include "window.h"

#include <exception>
#include <string>

#include "win32_controls.h"

namespace zorbi::win32 {

void ReportUnexpected(HWND owner) noexcept {
  try {
    std::string text = "予期しないエラーが発生しました。";
    try {
      throw;
    } catch (const std::exception& e) {
      text += std::string("\r\n") + e.what();
    } catch (...) {
    }
    MessageBoxService messages;
    messages.SetOwner(owner != nullptr && IsWindow(owner) ? owner : nullptr);
    messages.ShowMessage(text, MessageKind::Error);
  } catch (...) {
    // Not even the message could be shown (no memory): nothing more to do.
  }
}

Window::~Window() {
  if (handle_ == nullptr) return;
  const HWND window = handle_;
  const bool subclassed = original_ != nullptr;
  Unbind();
  if (!subclassed) DestroyWindow(window);
}

bool Window::CreateHandle(const WindowClass& window_class, DWORD ex_style, const wchar_t* text,
                          DWORD style, RECT bounds, HWND parent, HMENU menu_or_id) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW registered{};
  registered.cbSize = sizeof registered;
  registered.style = window_class.Style;
  registered.lpfnWndProc = Procedure;
  registered.hInstance = instance;
  registered.hIcon = window_class.Icon;
  registered.hIconSm = window_class.SmallIcon;
  registered.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  registered.hbrBackground = window_class.Background;
  registered.lpszClassName = window_class.Name;
  if (RegisterClassExW(&registered) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    return false;
  CreateWindowExW(ex_style, window_class.Name, text, style, bounds.left, bounds.top,
                  bounds.right - bounds.left, bounds.bottom - bounds.top, parent, menu_or_id,
                  instance, this);
  return handle_ != nullptr;
}

void Window::Bind(HWND window) {
  handle_ = window;
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void Window::Unbind() {
  SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
  if (original_ != nullptr)
    SetWindowLongPtrW(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
  handle_ = nullptr;
  original_ = nullptr;
}

void Window::Subclass(HWND control) {
  if (control == nullptr) return;
  Bind(control);
  original_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Procedure)));
}

void Window::DestroyHandle() {
  if (handle_ != nullptr) DestroyWindow(handle_);
}

LRESULT Window::CallDefault(UINT message, WPARAM wparam, LPARAM lparam) {
  return original_ != nullptr ? CallWindowProcW(original_, handle_, message, wparam, lparam)
                              : DefWindowProcW(handle_, message, wparam, lparam);
}

HBRUSH Window::ColourStatic(HDC dc, HWND) {
  // The scheme's colours, read at each paint: a scheme changed while the
  // program runs applies at once. Brushes from GetSysColorBrush are not ours.
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return GetSysColorBrush(COLOR_BTNFACE);
}

LRESULT Window::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wparam), HIWORD(wparam), reinterpret_cast<HWND>(lparam));
      return 0;
    case WM_SIZE:
      OnSize(LOWORD(lparam), HIWORD(lparam));
      return 0;
    case WM_PAINT:
      if (!PaintsItself()) break;
      Paint(PaintDc(handle_).Get());
      return 0;
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wparam), *reinterpret_cast<const RECT*>(lparam));
      return 0;
    case WM_CTLCOLORSTATIC:
      return reinterpret_cast<LRESULT>(
          ColourStatic(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam)));
    default:
      break;
  }
  return CallDefault(message, wparam, lparam);
}

LRESULT CALLBACK Window::Procedure(HWND window, UINT message, WPARAM wparam,
                                   LPARAM lparam) noexcept {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
    if (auto* self = static_cast<Window*>(create->lpCreateParams)) self->Bind(window);
  }
  auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr || self->handle_ != window)
    return DefWindowProcW(window, message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    // The last message: the object forgets the window, and nothing later
    // destroys it twice.
    const WNDPROC original = self->original_;
    self->Unbind();
    const LRESULT result = original != nullptr
                               ? CallWindowProcW(original, window, message, wparam, lparam)
                               : DefWindowProcW(window, message, wparam, lparam);
    Guarded(nullptr, [&] { self->OnGone(); });
    return result;
  }
  try {
    return self->HandleMessage(message, wparam, lparam);
  } catch (...) {
    ReportUnexpected(window);
    return 0;
  }
}

void RunModalLoop(HWND dialog, const bool& running) {
  MSG message{};
  while (running) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      // The program is ending: leave the quit for the loop further out.
      if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    if (IsDialogMessageW(dialog, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace zorbi::win32
