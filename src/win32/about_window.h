// The About box (TForm3): created hidden once, shown modally over the main
// window whenever asked.
#pragma once

#include <windows.h>

#include <memory>

#include "forms/about_form.h"
#include "modal_window.h"
#include "win32_controls.h"

namespace zorbi::win32 {

class AboutWindow final : public ModalWindow {
 public:
  static constexpr SIZE kSize{260, 150};

  // Creates the hidden window over `owner` and runs TForm3's FormCreate.
  bool Create(HWND owner);
  TForm3& Form() { return *form_; }

 private:
  void OnLayout() override;
  void OnCommand(UINT id, UINT code, HWND control) override;
  bool PaintsItself() const override { return true; }
  void Paint(HDC dc) override;

  HWND button1_ = nullptr;
  HWND label_ = nullptr;
  OwnedFont label_font_, button_font_;
  LabelControl caption_, label1_;
  std::unique_ptr<TForm3> form_;
};

}  // namespace zorbi::win32
