#include "application.h"

#include <utility>

#include "cp932.h"
#include "res/resource.h"

namespace zorbi::win32 {

namespace {

constexpr wchar_t kClassName[] = L"TApplication";
constexpr UINT kActivateMainWindow = WM_APP + 1;

Application* current = nullptr;

HICON LoadApplicationIcon(HINSTANCE instance, int size_metric) {
  const int size = GetSystemMetrics(size_metric);
  return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_APPLICATION_ICON), IMAGE_ICON,
                                       size, size, LR_DEFAULTCOLOR | LR_SHARED));
}

}  // namespace

Application::Application(HINSTANCE instance, std::string title)
    : instance_(instance), title_(std::move(title)) {
  current = this;
  large_icon_ = LoadApplicationIcon(instance, SM_CXICON);
  small_icon_ = LoadApplicationIcon(instance, SM_CXSMICON);

  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = instance;
  window_class.hIcon = large_icon_;
  window_class.hIconSm = small_icon_;
  window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  window_class.lpszClassName = kClassName;
  RegisterClassExW(&window_class);

  // Zero size at the screen's centre: never drawn, but it has a task bar
  // button showing the title. WS_POPUP keeps the zero size (no minimum applies).
  handle_ = CreateWindowExW(0, kClassName, Widen(title_).c_str(),
                            WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                            GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0,
                            0, nullptr, nullptr, instance, this);
  if (handle_ != nullptr) {
    // The button's menu offers only what makes sense for a zero-size window.
    HMENU menu = GetSystemMenu(handle_, FALSE);
    DeleteMenu(menu, SC_MAXIMIZE, MF_BYCOMMAND);
    DeleteMenu(menu, SC_SIZE, MF_BYCOMMAND);
    DeleteMenu(menu, SC_MOVE, MF_BYCOMMAND);
  }
}

Application::~Application() {
  if (handle_ != nullptr) DestroyWindow(handle_);
  if (current == this) current = nullptr;
}

Application* Application::Current() {
  return current;
}

void Application::SetTitle(std::string title) {
  title_ = std::move(title);
  if (handle_ != nullptr) SetWindowTextW(handle_, Widen(title_).c_str());
}

void Application::ShowMainWindow(int show_command) {
  const bool minimized = show_command == SW_MINIMIZE || show_command == SW_SHOWMINIMIZED ||
                         show_command == SW_SHOWMINNOACTIVE || show_command == SW_FORCEMINIMIZE;
  if (main_window_ != nullptr) ShowWindow(main_window_, SW_SHOWNORMAL);
  // Minimizing the owner hides the main window along with it, as in Delphi.
  if (handle_ != nullptr) ShowWindow(handle_, minimized ? SW_SHOWMINNOACTIVE : SW_SHOWNOACTIVATE);
  if (main_window_ != nullptr && !minimized) SetForegroundWindow(main_window_);
}

int Application::Run() {
  MSG message{};
  while (!ended_ && GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (dialog_window_ != nullptr && IsDialogMessageW(dialog_window_, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return ended_ ? 0 : static_cast<int>(message.wParam);
}

void Application::EndRun() {
  ended_ = true;
  // Wakes Run if nothing else is on its way.
  if (handle_ != nullptr) PostMessageW(handle_, WM_NULL, 0, 0);
}

LRESULT CALLBACK Application::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<Application*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr || self->handle_ != window) {
    return DefWindowProcW(window, message, wparam, lparam);
  }
  return self->HandleMessage(message, wparam, lparam);
}

LRESULT Application::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CLOSE:
      // Closing the task bar button goes through the main window's close.
      if (main_window_ != nullptr && IsWindow(main_window_)) {
        PostMessageW(main_window_, WM_CLOSE, 0, 0);
      }
      return 0;
    case WM_ACTIVATE:
      // Clicking the button activates this invisible window; hand the
      // activation on to the window the user last worked in.
      if (LOWORD(wparam) != WA_INACTIVE && !IsIconic(handle_)) {
        PostMessageW(handle_, kActivateMainWindow, 0, 0);
      }
      return 0;
    case kActivateMainWindow: {
      HWND popup = GetLastActivePopup(handle_);
      if (popup != handle_ && IsWindowVisible(popup) && IsWindowEnabled(popup)) {
        SetForegroundWindow(popup);
      }
      return 0;
    }
    default:
      return DefWindowProcW(handle_, message, wparam, lparam);
  }
}

}  // namespace zorbi::win32
