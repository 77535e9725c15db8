// The application object: its title is what the task bar shows and the caption
// of every message box. As in a Delphi program, a zero-size window that never
// appears on screen carries the title and the task bar button and owns the
// forms, so the main window's own caption can differ from the title.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "window.h"

namespace zorbi::win32 {

class Application final : public Window {
 public:
  Application(HINSTANCE instance, std::string title);
  ~Application() override;

  // The one instance while it exists, else nullptr.
  static Application* Current();

  HINSTANCE Instance() const { return instance_; }
  // Handle(): the owner of the main window and of every dialog; nullptr if
  // it could not be made.
  HICON LargeIcon() const { return large_icon_; }
  HICON SmallIcon() const { return small_icon_; }

  const std::string& Title() const { return title_; }  // CP932
  void SetTitle(std::string title);

  // The window that the task bar button's Close closes and that gets the
  // activation when the button is clicked.
  void SetMainWindow(HWND window) { main_window_ = window; }
  // A window whose controls Tab and Shift+Tab move between.
  void SetDialogWindow(HWND window) { dialog_window_ = window; }

  // A key message, before the dialog manager or its window sees it; true when
  // taken (Ctrl+F of the main window).
  std::function<bool(const MSG& message)> OnKeyMessage;

  // Shows the task bar button and the main window the way nCmdShow asks.
  void ShowMainWindow(int show_command);

  // Dispatches messages until WM_QUIT or EndRun; returns the exit code.
  int Run();
  // Ends Run once the current message is handled. A modal loop that runs when
  // the main window ends (a border drag, a menu) may take WM_QUIT for its own,
  // and Run would then wait for ever.
  void EndRun();

 private:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

  HINSTANCE instance_;
  std::string title_;
  HICON large_icon_ = nullptr;
  HICON small_icon_ = nullptr;
  HWND main_window_ = nullptr;
  HWND dialog_window_ = nullptr;
  bool ended_ = false;
};

}  // namespace zorbi::win32
