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

  // Zero size at the screen's centre: never drawn, but it has a task bar
  // button showing the title. WS_POPUP keeps the zero size (no minimum applies).
  const POINT centre{GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2};
  if (CreateHandle(WindowClass{kClassName, 0, nullptr, large_icon_, small_icon_}, 0,
                   Widen(title_).c_str(),
                   WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                   RECT{centre.x, centre.y, centre.x, centre.y}, nullptr, nullptr)) {
    // The button's menu offers only what makes sense for a zero-size window.
    HMENU menu = GetSystemMenu(Handle(), FALSE);
    DeleteMenu(menu, SC_MAXIMIZE, MF_BYCOMMAND);
    DeleteMenu(menu, SC_SIZE, MF_BYCOMMAND);
    DeleteMenu(menu, SC_MOVE, MF_BYCOMMAND);
  }
}

Application::~Application() {
  DestroyHandle();
  if (current == this) current = nullptr;
}

Application* Application::Current() {
  return current;
}

void Application::SetTitle(std::string title) {
  title_ = std::move(title);
  if (Handle() != nullptr) SetWindowTextW(Handle(), Widen(title_).c_str());
}

void Application::ShowMainWindow(int show_command) {
  const bool minimized = show_command == SW_MINIMIZE || show_command == SW_SHOWMINIMIZED ||
                         show_command == SW_SHOWMINNOACTIVE || show_command == SW_FORCEMINIMIZE;
  if (main_window_ != nullptr) ShowWindow(main_window_, SW_SHOWNORMAL);
  // Minimizing the owner hides the main window along with it, as in Delphi.
  if (Handle() != nullptr) ShowWindow(Handle(), minimized ? SW_SHOWMINNOACTIVE : SW_SHOWNOACTIVATE);
  if (main_window_ != nullptr && !minimized) SetForegroundWindow(main_window_);
}

int Application::Run() {
  MSG message{};
  while (!ended_ && GetMessageW(&message, nullptr, 0, 0) > 0) {
    if ((message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) && OnKeyMessage &&
        OnKeyMessage(message))
      continue;
    if (dialog_window_ != nullptr && IsDialogMessageW(dialog_window_, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return ended_ ? 0 : static_cast<int>(message.wParam);
}

void Application::EndRun() {
  ended_ = true;
  // Wakes Run if nothing else is on its way.
  if (Handle() != nullptr) PostMessageW(Handle(), WM_NULL, 0, 0);
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
      if (LOWORD(wparam) != WA_INACTIVE && !IsIconic(Handle())) {
        PostMessageW(Handle(), kActivateMainWindow, 0, 0);
      }
      return 0;
    case kActivateMainWindow: {
      HWND popup = GetLastActivePopup(Handle());
      if (popup != Handle() && IsWindowVisible(popup) && IsWindowEnabled(popup)) {
        SetForegroundWindow(popup);
      }
      return 0;
    }
    default:
      return CallDefault(message, wparam, lparam);
  }
}

}  // namespace zorbi::win32
