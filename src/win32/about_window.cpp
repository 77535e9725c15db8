#include "about_window.h"

#include "application.h"

namespace zorbi::win32 {

namespace {

constexpr wchar_t kClassName[] = L"TForm3";
constexpr int kLabel1Id = 100;

}  // namespace

AboutWindow::AboutWindow(Application& application, HWND owner)
    : application_(application), owner_(owner) {}

AboutWindow::~AboutWindow() {
  if (handle_ != nullptr) DestroyWindow(handle_);
}

bool AboutWindow::Create() {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = application_.Instance();
  window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = kClassName;
  if (RegisterClassExW(&window_class) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    return false;
  handle_ = CreateWindowExW(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, kClassName, L"",
                            WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, 0, 0, kSize.cx,
                            kSize.cy, owner_, nullptr, application_.Instance(), this);
  if (handle_ == nullptr) return false;

  label_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT, 0, 0, 1, 1, handle_,
                           reinterpret_cast<HMENU>(kLabel1Id), application_.Instance(), nullptr);
  label1_.Attach(label_);
  button1_ = CreateWindowExW(
      0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 0, 1, 1,
      handle_, reinterpret_cast<HMENU>(IDOK), application_.Instance(), nullptr);
  Layout(WindowDpi(owner_));

  caption_.Attach(handle_);
  form_ = std::make_unique<TForm3>(*this, caption_, label1_);
  form_->FormCreate();
  return true;
}

void AboutWindow::Layout(int dpi) {
  dpi_ = dpi;
  label_font_.Set(FontSpec{"ＭＳ Ｐゴシック", 11, 1, kSystemTextColor}, dpi);  // 15 pixels, bold
  button_font_.Set(FontSpec{"ＭＳ Ｐゴシック", 10, 0, kSystemTextColor}, dpi);
  SendMessageW(label_, WM_SETFONT, reinterpret_cast<WPARAM>(label_font_.Handle()), TRUE);
  SendMessageW(button1_, WM_SETFONT, reinterpret_cast<WPARAM>(button_font_.Handle()), TRUE);
  const auto s = [dpi](int v) { return Scale(v, dpi); };
  SetWindowPos(handle_, nullptr, 0, 0, s(kSize.cx), s(kSize.cy),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(label_, nullptr, s(93), s(24), s(150), s(20), SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(button1_, nullptr, s(88), s(88), s(75), s(25), SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(handle_, nullptr, TRUE);
}

void AboutWindow::Close() {
  showing_ = false;
}

void AboutWindow::ShowModal() {
  if (handle_ == nullptr || showing_) return;
  // It opens at the DPI of the main window's monitor.
  if (const int dpi = WindowDpi(owner_); dpi != dpi_) Layout(dpi);
  RECT owner{}, own{};
  GetWindowRect(owner_, &owner);
  GetWindowRect(handle_, &own);
  const int left = owner.left + (owner.right - owner.left - (own.right - own.left)) / 2;
  const int top = owner.top + (owner.bottom - owner.top - (own.bottom - own.top)) / 2;
  SetWindowPos(handle_, HWND_TOP, left, top, 0, 0, SWP_NOSIZE);

  EnableWindow(owner_, FALSE);
  ShowWindow(handle_, SW_SHOW);
  SetFocus(button1_);
  application_.SetDialogWindow(handle_);
  showing_ = true;
  MSG message;
  while (showing_) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      // The program is ending: leave the quit for the main loop.
      if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (IsDialogMessageW(handle_, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  showing_ = false;
  // The owner is enabled before the box hides, so it gets the activation back.
  EnableWindow(owner_, TRUE);
  ShowWindow(handle_, SW_HIDE);
  application_.SetDialogWindow(owner_);
  SetActiveWindow(owner_);
}

LRESULT CALLBACK AboutWindow::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
    auto* self = static_cast<AboutWindow*>(create->lpCreateParams);
    self->handle_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<AboutWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, wparam, lparam);
  return self->HandleMessage(message, wparam, lparam);
}

LRESULT AboutWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT: {
      // The framed bevel over the client area.
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(handle_, &paint);
      RECT client{};
      GetClientRect(handle_, &client);
      DrawEdge(dc, &client, EDGE_ETCHED, BF_RECT);
      EndPaint(handle_, &paint);
      return 0;
    }
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wparam);
      SetTextColor(dc, RGB(0, 0, 0));
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_COMMAND:
      // OK, Enter and Escape.
      if (form_ && (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL)) form_->Button1Click();
      return 0;
    case WM_CLOSE:
      Close();
      return 0;
    case WM_DPICHANGED:
      Layout(HIWORD(wparam));
      return 0;
    case WM_NCDESTROY: {
      SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
      const LRESULT result = DefWindowProcW(handle_, message, wparam, lparam);
      handle_ = nullptr;
      return result;
    }
    default:
      break;
  }
  return DefWindowProcW(handle_, message, wparam, lparam);
}

}  // namespace zorbi::win32
