#include "modal_window.h"

#include "cp932.h"

namespace zorbi::win32 {

HFONT MakeDialogFont(const wchar_t* face, int pixels) {
  return CreateFontW(-pixels, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, face);
}

ModalWindow::~ModalWindow() {
  if (handle_ != nullptr) DestroyWindow(handle_);
  if (font_ != nullptr) DeleteObject(font_);
}

bool ModalWindow::CreateHidden(HINSTANCE instance, HWND owner, const wchar_t* class_name,
                               const std::string& caption, SIZE outer, bool close_box) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.style = CS_DBLCLKS;
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = class_name;
  if (RegisterClassExW(&window_class) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    return false;
  owner_ = owner;
  dpi_ = WindowDpi(owner);
  font_ = MakeDialogFont(L"ＭＳ Ｐゴシック", S(12));
  CreateWindowExW(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, class_name, Widen(caption).c_str(),
                  WS_POPUP | WS_CAPTION | (close_box ? WS_SYSMENU : 0) | WS_CLIPCHILDREN, 0, 0,
                  S(outer.cx), S(outer.cy), owner, nullptr, instance, this);
  messages_.SetOwner(handle_);
  return handle_ != nullptr;
}

HWND ModalWindow::AddControl(const wchar_t* cls, const char* text, DWORD style, UINT id,
                             RECT bounds, DWORD ex_style) {
  HWND control = CreateWindowExW(
      ex_style, cls, Widen(text).c_str(), WS_CHILD | WS_VISIBLE | style, S(bounds.left),
      S(bounds.top), S(bounds.right), S(bounds.bottom), handle_,
      reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(handle_, GWLP_HINSTANCE)), nullptr);
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  return control;
}

void ModalWindow::CentreOnOwner() {
  RECT owner{}, self{};
  GetWindowRect(owner_, &owner);
  GetWindowRect(handle_, &self);
  const int width = self.right - self.left, height = self.bottom - self.top;
  SetWindowPos(handle_, nullptr, owner.left + (owner.right - owner.left - width) / 2,
               owner.top + (owner.bottom - owner.top - height) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ModalWindow::ShowModal() {
  if (handle_ == nullptr || running_) return;
  CentreOnOwner();
  EnableWindow(owner_, FALSE);
  ShowWindow(handle_, SW_SHOW);
  SetForegroundWindow(handle_);
  if (HWND first = GetNextDlgTabItem(handle_, nullptr, FALSE)) SetFocus(first);
  running_ = true;
  MSG message{};
  bool quit = false;
  while (running_ && handle_ != nullptr) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      quit = got == 0;
      break;
    }
    if (IsDialogMessageW(handle_, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  running_ = false;
  // The owner first, so the activation goes back to it, not to another program.
  EnableWindow(owner_, TRUE);
  if (handle_ != nullptr) ShowWindow(handle_, SW_HIDE);
  if (quit) PostQuitMessage(static_cast<int>(message.wParam));
}

LRESULT ModalWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      Guard([&] { OnCommand(LOWORD(wparam), HIWORD(wparam)); });
      return 0;
    case WM_CLOSE:  // the close box: no handler runs
      Close();
      return 0;
    case WM_CTLCOLORSTATIC:
      // Labels in the scheme's button text: a dark scheme's face is black.
      SetTextColor(reinterpret_cast<HDC>(wparam), GetSysColor(COLOR_BTNTEXT));
      SetBkColor(reinterpret_cast<HDC>(wparam), GetSysColor(COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    default:
      return DefWindowProcW(handle_, message, wparam, lparam);
  }
}

LRESULT CALLBACK ModalWindow::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
    auto* self = static_cast<ModalWindow*>(create->lpCreateParams);
    self->handle_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<ModalWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    // Gone with its owner: a running loop ends, nothing is destroyed twice.
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->handle_ = nullptr;
    self->running_ = false;
    return DefWindowProcW(window, message, wparam, lparam);
  }
  return self->HandleMessage(message, wparam, lparam);
}

}  // namespace zorbi::win32
