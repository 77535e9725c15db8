// The main window (TForm1): its controls, menus and layout, and the wiring of
// window messages to the form's handlers.
#pragma once

#include <windows.h>

#include <memory>

#include "about_window.h"
#include "dpi.h"
#include "editor_settings_window.h"
#include "forms/main_form.h"
#include "grid_control.h"
#include "script_choice_window.h"
#include "tab_settings_window.h"
#include "win32_controls.h"
#include "win32_file_system.h"
#include "win32_host_windows.h"
#include "win32_processes.h"

namespace zorbi::win32 {

class Application;

class MainWindow final : public FormWindow {
 public:
  static constexpr char kCaption[] = "Z_Orbi Ver" ZORBI_VERSION;
  // Outer bounds in 96-DPI pixels; the window scales them to its monitor.
  static constexpr RECT kInitialBounds{193, 113, 193 + 545, 113 + 357};
  static constexpr SIZE kMinimumSize{545, 357};

  // `system`, `dialogs`, `processes` and `fonts` replace the real services
  // (tests run the window in a folder of their own, answer the dialogs
  // themselves and see the editor's command line instead of starting it).
  explicit MainWindow(Application& application, System* system = nullptr,
                      FileDialogs* dialogs = nullptr, Processes* processes = nullptr,
                      FontDialogs* fonts = nullptr);
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;
  ~MainWindow() override;

  // Creates the window hidden and runs the start-up sequence, taking the
  // exchange file's outcome from `preload` when given. False when the program
  // must end at once (the window is gone then).
  bool Create(StartupPreload* preload = nullptr);
  HWND Handle() const { return handle_; }
  // The grid has the focus when the window opens.
  void FocusGrid();

  TForm1& Form() { return *form_; }
  GridControl& Grid() { return grid_; }
  HMENU PopupMenu1() const { return popup_menu1_; }
  HMENU PopupMenu2() const { return popup_menu2_; }
  HWND TabStrip() const { return tabs_.Handle(); }
  TabSettingsWindow& Form2() { return form2_; }
  EditorSettingsWindow& Form4() { return form4_; }
  ScriptChoiceWindow& Form5() { return form5_; }

  AboutWindow* About() { return about_.get(); }

  void SetCaption(std::string text) override;
  Bounds WindowBounds() const override;
  void SetWindowBounds(const Bounds& bounds) override;
  void Destroy() override;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  void RunFormDestroy();
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  void CreateControls();
  void CreateMenus();
  void Layout();
  // The layout's fonts at the window's DPI.
  void MakeFonts();
  void OnDpiChanged(int dpi, const RECT& suggested);
  int S(int value) const { return Scale(value, dpi_); }
  void PaintBevels(HDC dc);
  void OnCommand(UINT id);
  void ShowPopup(HMENU menu, HWND from, LPARAM where);
  // Screen point for a menu opened from the keyboard over the grid or the memo.
  POINT KeyboardMenuPoint(HWND from) const;
  // Runs a handler; an unexpected error becomes a message, never a crash.
  template <typename F>
  void Guard(F&& handler);

  Application& application_;
  HWND handle_ = nullptr;
  // FormDestroy runs once, before the window goes while it is still active.
  bool form_destroyed_ = false;
  int dpi_ = kDesignDpi;
  HWND label1_ = nullptr;
  HWND close_button_ = nullptr;
  HWND focused_ = nullptr;
  HMENU main_menu_ = nullptr;
  HMENU popup_menu1_ = nullptr;
  HMENU popup_menu2_ = nullptr;
  HFONT form_font_ = nullptr;
  HFONT panel_font_ = nullptr;
  HFONT label2_font_ = nullptr;

  GridControl grid_;
  TabStripControl tabs_;
  MemoControl memo_;
  LabelControl label2_;
  ButtonControl button2_, button4_;
  MenuItemControl dat_restore_, path_restore_, k10_, k6_, k7_, k15_, jwwin1_;
  Win32FileSystem files_;
  MessageBoxService messages_;
  SystemService own_system_;
  FileDialogService own_dialogs_;
  ProcessService own_processes_;
  Win32HostWindows host_windows_;
  FontDialogService own_fonts_;
  System& system_;
  FileDialogs& dialogs_;
  Processes& processes_;
  FontDialogs& fonts_;
  std::unique_ptr<TForm1> form_;
  TabSettingsWindow form2_;
  std::unique_ptr<AboutWindow> about_;
  EditorSettingsWindow form4_;
  ScriptChoiceWindow form5_;
};

}  // namespace zorbi::win32
