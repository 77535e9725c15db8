// The About box (TForm3): created hidden once, shown modally over the main
// window whenever asked.
#pragma once

#include <windows.h>

#include <memory>

#include "dpi.h"
#include "forms/about_form.h"
#include "win32_controls.h"

namespace zorbi::win32 {

class Application;

class AboutWindow final : public DialogWindow {
 public:
  static constexpr SIZE kSize{260, 150};

  AboutWindow(Application& application, HWND owner);
  AboutWindow(const AboutWindow&) = delete;
  AboutWindow& operator=(const AboutWindow&) = delete;
  ~AboutWindow() override;

  // Creates the hidden window and runs TForm3's FormCreate.
  bool Create();
  HWND Handle() const { return handle_; }

  TForm3& Form() { return *form_; }
  void ShowModal() override;
  void Close() override;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  // Sizes, places and fonts everything for the DPI.
  void Layout(int dpi);

  Application& application_;
  HWND owner_;
  HWND handle_ = nullptr;
  HWND button1_ = nullptr;
  HWND label_ = nullptr;
  int dpi_ = 0;
  OwnedFont label_font_, button_font_;
  LabelControl caption_, label1_;
  std::unique_ptr<TForm3> form_;
  bool showing_ = false;
};

}  // namespace zorbi::win32
