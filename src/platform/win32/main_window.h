// The main window (TForm1): caption, bounds and frame; its controls come later.
#pragma once

#include <windows.h>

namespace zorbi::win32 {

class Application;

class MainWindow {
 public:
  static constexpr char kCaption[] = "Z_Orbi Ver1.0d";
  // Outer bounds in pixels, not scaled to the screen's DPI.
  static constexpr RECT kInitialBounds{193, 113, 193 + 545, 113 + 357};
  static constexpr SIZE kMinimumSize{545, 357};

  explicit MainWindow(Application& application) : application_(application) {}
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;
  ~MainWindow();

  // Creates the (hidden) window, owned by the application window.
  bool Create();
  HWND Handle() const { return handle_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);

  Application& application_;
  HWND handle_ = nullptr;
};

}  // namespace zorbi::win32
